#include <gtest/gtest.h>
#include <fstream>

#include "cli/cli_run.h"
#include "construction/sample_constructions.h"
#include "order/order.h"
#include "shell/stream_description.h"
#include "shell/value_stream.h"

namespace kv::cli {
namespace {

class OrderCommand : public TCliFolderTest {
protected:
  std::vector<uint8_t> Bytes(const std::string& name) const {
    TSpecStream stream;
    stream.LoadFromFile(Path(name));
    return std::vector<uint8_t>(stream.Bytes().begin(), stream.Bytes().end());
  }
};

TEST_F(OrderCommand, NewAddShow) {
  Run({"order", "new", Path("o.gxo"), "--no", "77", "--customer", "Петров"});
  const TCliRun added = RunCliCaptured({"order", "add", Path("o.gxo"), "--width", "2100", "--vertical", "700",
                                        "--vertical", "1400", "--sash", "1", "--sash", "3", "--count", "2"});
  ASSERT_EQ(added.Code, 0) << added.Err;
  EXPECT_TRUE(test::Contains(added.Out, "добавлена позиция 1: 2100,0 x 1400,0 мм, 2 шт."));
  Run({"order", "add", Path("o.gxo"), "--no", "1a", "--figure", "arc"});

  const TCliRun shown = RunCliCaptured({"order", "show", Path("o.gxo")});
  ASSERT_EQ(shown.Code, 0) << shown.Err;
  EXPECT_TRUE(test::Contains(shown.Out, "Заказ № 77"));
  EXPECT_TRUE(test::Contains(shown.Out, "Заказчик: Петров"));
  EXPECT_TRUE(test::Contains(shown.Out, "Поля: 1 (створка) 2 (стекло) 3 (створка)"));
  EXPECT_TRUE(test::Contains(shown.Out, "Позиция 1a: 1 шт."));

  const auto order = Json({"order", "show", Path("o.gxo"), "--json"});
  EXPECT_EQ(order["numbers"]["no"], "77");
  EXPECT_EQ(order["version"], "23.04.2012");
  ASSERT_EQ(order["positions"].size(), 2u);
  EXPECT_EQ(order["totals"]["pieces"], 3);
  const auto& frame = order["positions"][0]["frames"][0];
  EXPECT_EQ(frame["parts"].size(), 3u);
  EXPECT_EQ(frame["fillings"].size(), 3u);
  EXPECT_EQ(frame["bars"].size(), 4u + 2u + 8u);
  EXPECT_EQ(frame["system"], "TL70");
}

// Frames older than 03.02.2008 take the material type of their system and the static method of
// their type in it from the catalogue, which the command opens before loading. The show gives every
// header field and list as the fixture holds it.
TEST_F(OrderCommand, ShowOpensAnOldOrderWithPositions) {
  const std::vector<uint8_t> bytes =
      test::DescribedStreamFile(std::filesystem::path(KV_SOURCE_DIR) / "tests/order/fixtures/order_2008-01-28.txt");
  std::ofstream(Path("old.gxo"), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  const TCliRun shown = RunCliCaptured({"order", "show", Path("old.gxo")});
  ASSERT_EQ(shown.Code, 0) << shown.Err;
  EXPECT_TRUE(test::Contains(shown.Out, "Позиция 7: 2 шт."));
  EXPECT_TRUE(test::Contains(shown.Out, "  Объект: Школа № 3\n"));
  EXPECT_TRUE(test::Contains(shown.Out, "Оплата 15.01.2008: 100,25, Наличные, \n"));

  // The fields the order file tests read from the fixture, as the JSON gives them.
  const auto json = Json({"order", "show", Path("old.gxo"), "--json"});
  EXPECT_EQ(json["identity"]["create_date"], "10.01.2008 9:15:00");
  EXPECT_EQ(json["defaults"]["static_region"], "МИНСК") << "older than 03.02.2008";
  EXPECT_EQ(json["payments"][0]["money"], 100.25);
  // The demo catalogue's static method of window type 1 in the system TL70.
  EXPECT_EQ(json["positions"][0]["frames"][0]["static_method"], 1);
}

TEST_F(OrderCommand, ShowListsCutMapsAndMaterials) {
  TOrder order;
  order.No = "9";
  order.Add(test::RichConstruction("1"));
  ASSERT_TRUE(order.SaveOrder(Path("rich.gxo")));
  const TCliRun shown = RunCliCaptured({"order", "show", Path("rich.gxo")});
  ASSERT_EQ(shown.Code, 0) << shown.Err;
  EXPECT_TRUE(test::Contains(shown.Out, "Раскрой KV-101       1301,5 мм  45,0°  45,0°, армирование ST-20 1200,0 мм"));
  EXPECT_TRUE(test::Contains(shown.Out, "Материал GL-4"));
  EXPECT_TRUE(test::Contains(shown.Out, "Поля: 1.1 (стекло) 2.1 (створка)"));
  EXPECT_TRUE(test::Contains(shown.Out, "Поля: 1.3 (модификатор) 2.3 (рама)"));
  const auto json = Json({"order", "show", Path("rich.gxo"), "--json"});
  EXPECT_EQ(json["positions"][0]["frames"][0]["cut_map"].size(), 2u);
  EXPECT_EQ(json["positions"][0]["materials"].size(), 2u);
  EXPECT_EQ(json["positions"][0]["frames"][0]["kind"], "Дверь с порогом");
}

TEST_F(OrderCommand, AnOrderIsNeverLostNorWhatWasTypedChanged) {
  Run({"order", "new", Path("o.gxo"), "--no", "1"});
  Run({"order", "add", Path("o.gxo")});
  const std::vector<uint8_t> before = Bytes("o.gxo");
  const TCliRun again = RunCliCaptured({"order", "new", Path("o.gxo"), "--no", "2"});
  EXPECT_EQ(again.Code, 1);
  EXPECT_TRUE(test::Contains(
      again.Err, "Ошибка сохранения заказа!\n(Ошибка записи файла [" + Path("o.gxo") + "]: файл уже существует)"));
  const TCliRun many = RunCliCaptured({"order", "add", Path("o.gxo"), "--count", "2147483647"});
  EXPECT_TRUE(test::Contains(many.Err, "Недопустимое значение \"Количество изделий\": 2147483647!"));
  EXPECT_TRUE(test::Contains(many.Err, "Допустимо от 1 до 99999."));
  EXPECT_TRUE(
      test::Contains(RunCliCaptured({"order", "add", Path("o.gxo"), "--width", "40000"}).Err, "\"Ширина\": 40000!"));
  std::filesystem::permissions(Path("o.gxo"), std::filesystem::perms::owner_read);
  const TCliRun read_only = RunCliCaptured({"order", "add", Path("o.gxo")});
  EXPECT_TRUE(test::Contains(read_only.Err, "]: файл доступен только для чтения)"));
  EXPECT_EQ(Bytes("o.gxo"), before);

  const TCliRun typed = RunCliCaptured({"order", "new", Path("t.gxo"), "--no", "1", "--customer", "Иван ☺"});
  EXPECT_EQ(typed.Code, 1);
  EXPECT_TRUE(test::Contains(typed.Err,
                             "Поле \"Заказчик\" содержит символы, которых нет в кодовой странице файла заказа "
                             "(Windows-1251): ☺"));
  EXPECT_FALSE(std::filesystem::exists(Path("t.gxo")));
  EXPECT_EQ(RunCliCaptured({"order", "new", Path("o.gxo"), "--no", "2", "--force"}).Code, 1) << "still read-only";
  std::filesystem::permissions(Path("o.gxo"), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  EXPECT_EQ(RunCliCaptured({"order", "new", Path("o.gxo"), "--no", "2", "--force"}).Code, 0);
}

TEST_F(OrderCommand, BadFilesMissingArgumentsAndAnAddThatCannotBuildAreRefused) {
  std::ofstream(Path("bad.gxo"), std::ios::binary) << std::string("\x05\x00\x00\x00hello", 9);
  const TCliRun bad = RunCliCaptured({"order", "show", Path("bad.gxo")});
  EXPECT_EQ(bad.Code, 1);
  EXPECT_TRUE(test::Contains(bad.Err, "Данный файл не является файлом QETA Korvent Order File!"));

  EXPECT_NE(RunCliCaptured({"order", "new", Path("n.gxo")}).Code, 0);
  EXPECT_NE(RunCliCaptured({"order", "show", Path("none.gxo")}).Code, 0);
  Run({"order", "new", Path("o.gxo"), "--no", "1"});
  const std::vector<uint8_t> before = Bytes("o.gxo");
  const TCliRun failed = RunCliCaptured({"order", "add", Path("o.gxo"), "--sash", "9"});
  EXPECT_EQ(failed.Code, 1);
  EXPECT_TRUE(test::Contains(failed.Err, "В раме нет поля с номером 9!"));
  EXPECT_EQ(Bytes("o.gxo"), before);
}

}  // namespace
}  // namespace kv::cli
