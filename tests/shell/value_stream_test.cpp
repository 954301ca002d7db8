#include "shell/value_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "shell/error_of.h"
#include "shell/errors.h"
#include "shell/temp_registry.h"
#include "shell/user_messages.h"

namespace kv {
namespace {

std::vector<uint8_t> Written(const TVariant& value) {
  TSpecStream stream;
  stream.WriteTo(value);
  return std::vector<uint8_t>(stream.Bytes().begin(), stream.Bytes().end());
}

TEST(ValueStream, StringsAreLengthAndCp1251BytesRecordsTypeCodeAndLeftAlignedValue) {
  EXPECT_EQ(Written(std::string()), (std::vector<uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ(Written("Ab"), (std::vector<uint8_t>{2, 0, 0, 0, 'A', 'b'}));
  EXPECT_EQ(Written("Окно"), (std::vector<uint8_t>{4, 0, 0, 0, 0xCE, 0xEA, 0xED, 0xEE}));

  TSpecStream stream;
  stream.WriteTo(std::string());
  stream.WriteTo("Окно №5");
  stream.SetPosition(0);
  EXPECT_EQ(stream.ReadFrom(std::string()).AsString(), "");
  EXPECT_EQ(stream.ReadFrom(std::string()).AsString(), "Окно №5");
  EXPECT_EQ(stream.Remaining(), 0u);
  TSpecStream embedded_zero(std::vector<uint8_t>{3, 0, 0, 0, 'a', 0, 'b'});
  EXPECT_EQ(embedded_zero.ReadString(), "a") << "cut at the zero";
  EXPECT_EQ(embedded_zero.Remaining(), 0u);
  auto boolean = Written(true);
  ASSERT_EQ(boolean.size(), 16u);
  EXPECT_EQ(boolean[0], 11);
  EXPECT_EQ(boolean[1], 0);
  EXPECT_EQ(boolean[8], 0xFF);
  EXPECT_EQ(boolean[9], 0xFF);
  EXPECT_EQ(Written(false)[8], 0);

  auto integer = Written(int32_t{-2});
  EXPECT_EQ(integer[0], 3);
  EXPECT_EQ((std::vector<uint8_t>(integer.begin() + 8, integer.begin() + 12)),
            (std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));

  auto money = Written(TCurrency::FromExtended(1.5));
  EXPECT_EQ(money[0], 6);
  EXPECT_EQ(money[8], 0x98);  // 15000 = 0x3A98
  EXPECT_EQ(money[9], 0x3A);

  EXPECT_EQ(Written(int16_t{7})[0], 2);
  EXPECT_EQ(Written(1.0f)[0], 4);
  EXPECT_EQ(Written(1.0)[0], 5);
  EXPECT_EQ(Written(TVariant::Date(45000))[0], 7);
  EXPECT_EQ(Written(uint8_t{9})[0], 17);
  EXPECT_EQ(Written(int64_t{9})[0], 20);
  EXPECT_EQ(Written(TVariant())[0], 0);
  EXPECT_EQ(Written(TVariant::Null())[0], 1);
}

TEST(ValueStream, EveryKindRoundTripsAndAFileIsReplacedAtomically) {
  const std::vector<TVariant> values = {TVariant(),
                                        TVariant::Null(),
                                        int16_t{-300},
                                        int32_t{123456789},
                                        2.5f,
                                        -1.25e10,
                                        TCurrency::FromRaw(-987654321),
                                        TVariant::Date(45123.75),
                                        true,
                                        uint8_t{200},
                                        "Створка",
                                        int64_t{-5'000'000'000}};
  TSpecStream stream;
  for (const auto& v : values) stream.WriteTo(v);
  stream.SetPosition(0);
  for (const auto& v : values) EXPECT_EQ(stream.ReadFrom(v), v);
  // A copy goes on from where its original stands; a stream moved from is empty.
  stream.SetPosition(2 * TSpecStream::kRecordSize);
  TSpecStream copy(stream);
  EXPECT_EQ(copy.ReadFrom(values[2]), values[2]);
  const TSpecStream moved(std::move(stream));
  EXPECT_EQ(moved.Size(), copy.Size());
  EXPECT_EQ(stream.Size(), 0u);
  const auto dir = std::filesystem::temp_directory_path() / "kv_value_stream_test";
  std::filesystem::create_directories(dir);
  const auto path = dir / "order.gxo";
  TSpecStream out;
  out.WriteTo("Заказ");
  out.WriteTo(int32_t{42});
  out.SaveToFile(path);
  EXPECT_FALSE(std::filesystem::exists(dir / "order.gxo.tmp"));

  TSpecStream in;
  in.LoadFromFile(path);
  EXPECT_TRUE(std::ranges::equal(in.Bytes(), out.Bytes()));

  EXPECT_THROW(in.LoadFromFile(dir / "missing.gxo"), EInOutError);
  EXPECT_THROW(out.SaveToFile(dir / "no-such-dir" / "x.gxo"), EInOutError);
  std::filesystem::remove_all(dir);
}

// A document bigger than the pieces a file is written in: 80 000 records of 16 bytes, strings of
// Cyrillic (2 UTF-8 bytes, 1 byte in the file) and one string longer than a piece; it reaches its
// file byte for byte as a stream in memory holds it, and a failing writer leaves the file as it was.
TEST(ValueStream, ADocumentReachesItsFileInPiecesOrNotAtAll) {
  const auto document = [](TSpecStream& stream) {
    stream.WriteString("Заказ");
    for (int32_t i = 0; i < 80000; ++i) {
      stream.WriteInteger(i);
      if (i % 1000 == 0) stream.WriteString(std::string(i / 100, 'x') + "Рама");
    }
    stream.WriteString(std::string(1500000, 'y'));
    stream.WriteDouble(0.5);
  };
  TSpecStream memory;
  document(memory);
  const testing::TTempRegistry temp;
  const auto file = temp.Dir() / "order.gxo";
  size_t written = 0;
  WriteDocumentFile(file, TWriteMode::wmReplace, [&](TSpecStream& stream) {
    document(stream);
    written = stream.Position();
  });
  TSpecStream in;
  in.LoadFromFile(file);
  EXPECT_EQ(written, memory.Size());
  EXPECT_TRUE(std::ranges::equal(in.Bytes(), memory.Bytes()));

  // Read back in pieces: records and strings that cross a piece's end come whole.
  const auto read_back = [](TSpecStream& stream) {
    EXPECT_EQ(stream.ReadString(), "Заказ");
    for (int32_t i = 0; i < 80000; ++i) {
      ASSERT_EQ(stream.ReadInteger(), i);
      if (i % 1000 == 0) {
        ASSERT_EQ(stream.ReadString(), std::string(i / 100, 'x') + "Рама");
      }
    }
    EXPECT_EQ(stream.ReadString().size(), 1500000u);
    EXPECT_EQ(stream.ReadDouble(), 0.5);
    EXPECT_EQ(stream.Remaining(), 0u);
  };
  ReadDocumentFile(file, read_back);
  std::filesystem::resize_file(file, memory.Size() - 8);
  EXPECT_TRUE(test::Contains(test::ErrorOf([&] { ReadDocumentFile(file, read_back); }),
                             "Заказано: [16 байт], Считано: [8 байт]"));
  WriteDocumentFile(file, TWriteMode::wmReplace, document);

  const auto failing = [&](TSpecStream& stream) {
    document(stream);
    throw EInOutError("Ошибка записи в поток!");
  };
  EXPECT_THROW(WriteDocumentFile(file, TWriteMode::wmReplace, failing), EInOutError);
  in.LoadFromFile(file);
  EXPECT_TRUE(std::ranges::equal(in.Bytes(), memory.Bytes()));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.Dir()), {}), 1) << "no temporary file is left";
  EXPECT_THROW(in.LoadFromFile(temp.Dir()), EInOutError) << "a folder is no document";
}

TEST(ValueStream, BadInputGivesMessagesNotCrashes) {
  TScriptedMessages messages;
  TUserMessagesScope scope(messages);

  TSpecStream inside_length(std::vector<uint8_t>{5, 0});
  EXPECT_THROW(inside_length.ReadString(), EInOutError);

  TSpecStream inside_string(std::vector<uint8_t>{10, 0, 0, 0, 'a', 'b', 'c'});
  EXPECT_EQ(inside_string.ReadString(), "abc");
  EXPECT_EQ(messages.LastText(), "Ошибка чтения строки из потока!\r\nЗаказано: [10 символов], Считано: [3 символов]!");

  TSpecStream huge_length(std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x7F, 'x'});
  EXPECT_EQ(huge_length.ReadString(), "x");

  TSpecStream negative_length(std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF});
  EXPECT_THROW(negative_length.ReadString(), EInOutError);

  TSpecStream inside_record(std::vector<uint8_t>(10, 0));
  EXPECT_THROW(inside_record.ReadValue(), EInOutError);

  std::vector<uint8_t> unknown(16, 0);
  unknown[0] = 8;
  TSpecStream unknown_type(unknown);
  EXPECT_THROW(unknown_type.ReadValue(), EInOutError);
}

}  // namespace
}  // namespace kv
