// Order files: those described by hand (tests/order/fixtures), one for each version the order file
// knows, read by the real reader; an order with every list filled written and read again; and
// damaged files.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "catalogue/small_catalogue.h"
#include "construction/sample_constructions.h"
#include "order/order.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/stream_description.h"
#include "shell/user_messages.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

// An order with every list filled and positions of every kind of content.
std::unique_ptr<TOrder> FullOrder() {
  auto order = std::make_unique<TOrder>();
  order->No = "2024-015";
  order->Customer = "ООО «Окна»";
  order->Address = "ул. Садовая, 5";
  order->InstallationIDs[3] = 77;
  order->ReservedText = "резерв";
  order->CreateDate = 45000.25;
  order->ModifyDate = 45001.5;
  order->ModifyCount = 3;
  order->MeasureDate = 45002;
  order->Status = soComplete;
  order->ProdStatus = opsPrepared;
  order->ProfSys = "TL70";
  order->Material = 2;
  order->ColorVariant = cvTechnology;
  order->ColorTechPropList = {"1=2", "3=4"};
  order->StaticRegion = "Москва";
  order->PlaceType = ptC;
  order->LoadGroupH = 5;
  order->IncludeSill = true;
  order->SillReduce = TCurrency::FromExtended(12.5L);
  order->SillRedUnit = nuCurrency;
  order->WindowProfit = 12.5f;
  order->NDSTax = 20;
  order->GetTotalNDS = true;
  order->Note = {"Доставка утром", "Подъём на 5 этаж"};
  order->Services = {{true,
                      false,
                      4,
                      "Доставка",
                      1,
                      2,
                      TCurrency::FromExtended(30),
                      {},
                      TCurrency::FromExtended(30),
                      TCurrency::FromExtended(30),
                      false}};
  order->IncludeCommonService = true;
  order->Currencies = {{1, 1}, {2, 92.5}};
  order->CurCurrency = 1;
  order->Payments = {{45010, TCurrency::FromExtended(500), "Наличные", "аванс"}};
  auto glass = std::make_unique<Tgx25Glass>(nullptr, 0);
  glass->Glass = "4-16-4";
  glass->CombineID = 12;
  order->Glasses.push_back(std::move(glass));
  const auto sample = test::RichConstruction("1");
  order->DopProfs = sample->DopProfList;
  order->DopMats = sample->MontMatList;
  order->Sills = sample->SillList;
  order->Sinks = sample->SinkList;
  order->Mosquitos = sample->MosquitoList;
  order->Rollets = sample->RolletList;
  order->Jalousies = sample->JalousieList;
  order->Materials = sample->MatList;
  order->CutMap = sample->GetFrame(0)->CutMap;
  order->AccSpecs = sample->AccessoryDocList;
  order->Add(test::RichConstruction("1"));
  order->Add(test::RichConstruction("2", 5));
  order->Add(test::SimpleWindow("3", 900, 1400));
  return order;
}

std::vector<uint8_t> OrderBytes(const TOrder& Order, const std::string& Version = kOrderVersion) {
  TSpecStream stream;
  Order.Save(stream, Version);
  return std::vector<uint8_t>(stream.Bytes().begin(), stream.Bytes().end());
}

struct TReadOrder {
  std::unique_ptr<TOrder> Order = std::make_unique<TOrder>();
  bool Loaded = false;  // whether Load accepted the bytes
  bool Converted = false;
};

TReadOrder Read(const std::vector<uint8_t>& Bytes, bool Auto = false) {
  TReadOrder read;
  TSpecStream stream(Bytes);
  read.Loaded = read.Order->Load(stream, read.Converted, Auto);
  if (read.Loaded) {
    EXPECT_EQ(stream.Remaining(), 0u) << "values left unread";
  }
  return read;
}

std::vector<uint8_t> FixtureBytes(const std::string& Name) {
  return test::DescribedStreamFile(fs::path(KV_SOURCE_DIR) / "tests/order/fixtures" / Name);
}

void WriteFile(const std::string& Path, const std::vector<uint8_t>& Bytes, size_t Length) {
  std::ofstream(Path, std::ios::binary)
      .write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Length));
}

class OrderFile : public ::testing::Test {
protected:
  void SetUp() override {
    folder_ = test::MakeTempFolder("order-file");
    // Positions older than 03.02.2008 take the material type of their system and the static method
    // of their type in it from here.
    catalogue_.Catalog("SysList", {{"ID", "TL70"}, {"BaseColor", "WHITE"}, {"MatType", 3}, {"CommonGrp", 1}});
    catalogue_.Catalog("TypeProf", {{"ID", 1}, {"System", "TL70"}, {"StaticMethod", 4}});
    catalogue_.Open();
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Path(const std::string& Name) const { return (folder_ / Name).string(); }
  // The fixture as an order file on disk.
  std::string File(const std::string& Name) const {
    const std::vector<uint8_t> bytes = FixtureBytes(Name);
    WriteFile(Path(Name + ".gxo"), bytes, bytes.size());
    return Path(Name + ".gxo");
  }
  TScriptedMessages& Messages() { return catalogue_.Messages; }

  fs::path folder_;
  test::TSmallCatalogue catalogue_;
};

// ---- fixtures ----------------------------------------------------------------------------

// What every fixture holds, whatever its version.
void ExpectFixtureContent(const TOrder& Order) {
  EXPECT_EQ(Order.Version, kOrderVersion);
  EXPECT_EQ(Order.CreateUserID, 12);
  EXPECT_EQ(Order.CreateStationID, "ОФИС-2");
  EXPECT_EQ(Order.ModifyStationID, "ЦЕХ");
  // 10.01.2008 is day 39457 (01.01.2008 = 39448); 09:15 is 555 of the 1440 minutes of a day.
  EXPECT_DOUBLE_EQ(Order.CreateDate, 39457 + 555.0 / 1440);
  EXPECT_EQ(Order.ModifyCount, 3);
  EXPECT_EQ(Order.No, "2008/15");
  EXPECT_EQ(Order.Customer, "ООО \"Ромашка\"");
  EXPECT_EQ(Order.Obj, "Школа № 3");
  EXPECT_EQ(Order.Address, "г. Минск, ул. Садовая, 5");
  EXPECT_EQ(Order.MeasureDate, 39462);
  EXPECT_TRUE(Order.MeasureDateEnabled);
  EXPECT_EQ(Order.Status, soPreview);
  EXPECT_EQ(Order.ProfSys, "TL70");
  EXPECT_EQ(Order.WindowReduce.Raw(), 50000);
  EXPECT_EQ(Order.WindowRedUnit, nuPercent);
  EXPECT_EQ(Order.WindowProfit, 12.5f);
  EXPECT_EQ(Order.NDSTax, 20.0f);
  EXPECT_TRUE(Order.GetTotalNDS);
  ASSERT_EQ(Order.Services.size(), 1u);
  EXPECT_EQ(Order.Services[0].Name, "Доставка");
  EXPECT_EQ(Order.Services[0].Cost.Raw(), 500000);
  ASSERT_EQ(Order.Currencies.size(), 1u);
  EXPECT_EQ(Order.CurCurrency, 1);
  ASSERT_EQ(Order.Payments.size(), 1u);
  EXPECT_EQ(Order.Payments[0].Money.Raw(), 1002500);
  EXPECT_EQ(Order.Payments[0].PayForm, "Наличные");
  EXPECT_EQ(Order.Note, TStringList{"Позвонить за день"});
  ASSERT_EQ(Order.Count(), 1);
  const Tgx25Construction& position = *Order.GetConstruction(0);
  EXPECT_EQ(position.No, "7");
  EXPECT_EQ(position.Count, 2);
  ASSERT_EQ(position.FrameCount(), 1);
  EXPECT_EQ(position.GetFrame(0)->Points[2]->X, 13000);
  EXPECT_EQ(position.GetFrame(0)->Imposts.size(), 1u);
}

TEST_F(OrderFile, OlderVersionsAreConvertedAfterTheQuestion) {
  struct TOlder {
    const char* Name;
    const char* Version;
    const char* StaticRegion;  // older than 03.02.2008: "МИНСК", terrain B, wind-load group 1
    TPlaceType PlaceType;
    TLoadGroupH LoadGroupH;
    int32_t Material;  // older than 27.02.2008: 0
  };
  for (const TOlder& older : {TOlder{"order_2008-01-28.txt", "28.01.2008", "МИНСК", ptB, 1, 0},
                              TOlder{"order_2008-02-03.txt", "03.02.2008", "Брест", ptC, 3, 0},
                              TOlder{"order_2008-02-27.txt", "27.02.2008", "Брест", ptC, 3, 4}}) {
    SCOPED_TRACE(older.Name);
    Messages().Clear();
    Messages().Answer(1);
    const TReadOrder read = Read(FixtureBytes(older.Name));
    ASSERT_TRUE(read.Loaded);
    EXPECT_TRUE(read.Converted);
    ASSERT_EQ(Messages().Shown().size(), 1u);
    EXPECT_EQ(Messages().LastText(), std::string("Необходимо конвертировать файл заказа!\r\nЗагружаемая версия: ") +
                                         older.Version + "\r\nТекущая версия: 23.04.2012");
    EXPECT_EQ(read.Order->StaticRegion, older.StaticRegion);
    EXPECT_EQ(read.Order->PlaceType, older.PlaceType);
    EXPECT_EQ(read.Order->LoadGroupH, older.LoadGroupH);
    EXPECT_EQ(read.Order->Material, older.Material);
    ExpectFixtureContent(*read.Order);
  }
  // "No" to the question: nothing loaded, nothing converted.
  Messages().Answer(2);
  const TReadOrder refused = Read(FixtureBytes("order_2008-01-28.txt"));
  EXPECT_FALSE(refused.Loaded);
  EXPECT_FALSE(refused.Converted);
}

// The automatic conversion asks nothing; frames older than 03.02.2008 take the material type of
// their system from the catalogue, and the order is written again as a current file.
TEST_F(OrderFile, AutomaticConversionAsksNothing) {
  const TReadOrder read = Read(FixtureBytes("order_2008-01-28.txt"), true);
  ASSERT_TRUE(read.Loaded);
  EXPECT_TRUE(read.Converted);
  EXPECT_TRUE(Messages().Shown().empty());
  ExpectFixtureContent(*read.Order);
  EXPECT_EQ(read.Order->GetConstruction(0)->GetFrame(0)->MatType, 3);
  TSpecStream saved;
  read.Order->Save(saved);
  TSpecStream header(saved.Bytes());
  EXPECT_EQ(header.ReadString(), kOrderProductID);
  EXPECT_EQ(header.ReadString(), kOrderVersion);
}

TEST_F(OrderFile, CurrentVersionIsWrittenBackByteForByte) {
  const TReadOrder read = Read(FixtureBytes("order_2012-04-23.txt"));
  ASSERT_TRUE(read.Loaded);
  EXPECT_FALSE(read.Converted);
  EXPECT_TRUE(Messages().Shown().empty());
  ExpectFixtureContent(*read.Order);
  EXPECT_EQ(read.Order->StaticRegion, "Брест");
  EXPECT_EQ(read.Order->Material, 4);
  const std::vector<uint8_t> current = FixtureBytes("order_2012-04-23.txt");
  TSpecStream saved;
  read.Order->Save(saved);
  EXPECT_EQ(test::FirstDifference(saved.Bytes(), current), -1) << "offset of the first byte that differs";

  // A file of 23.04.2014 is a current one: no question, and written back as 23.04.2012.
  const TReadOrder alias = Read(FixtureBytes("order_2014-04-23.txt"));
  ASSERT_TRUE(alias.Loaded);
  EXPECT_FALSE(alias.Converted);
  EXPECT_TRUE(Messages().Shown().empty());
  TSpecStream again;
  alias.Order->Save(again);
  EXPECT_EQ(test::FirstDifference(again.Bytes(), current), -1);
}

TEST_F(OrderFile, FilesOfALaterVersionOrOfAVersionThatIsNoDateAreRefused) {
  TOrder order;
  EXPECT_FALSE(order.LoadOrder(File("order_2015-01-01.txt")));
  ASSERT_EQ(Messages().Shown().size(), 1u);
  EXPECT_EQ(Messages().Shown()[0].Kind, TMessageKind::mkWarning);
  EXPECT_EQ(Messages().LastText(),
            "Данный модуль технолога поддерживает файлы заказа\r\nверсии не старше: 23.04.2012!\r\n"
            "Загружаемая версия: 01.01.2015");
  // The current fixture through the same file path loads.
  EXPECT_TRUE(order.LoadOrder(File("order_2012-04-23.txt")));
  EXPECT_EQ(order.Customer, "ООО \"Ромашка\"");
  // A year too large for the version key: not a version, so neither older nor current.
  EXPECT_FALSE(Read(OrderBytes(TOrder(), "1.1.201233333333333333")).Loaded);
  EXPECT_EQ(Messages().LastText(),
            "Данный модуль технолога поддерживает файлы заказа\r\nверсии не старше: 23.04.2012!\r\n"
            "Загружаемая версия: 1.1.201233333333333333");
}

// ---- an order of every list --------------------------------------------------------------

// The fixtures hold a current file of few lists; this order fills every list, so the save through
// a file and the reading of it must give the same bytes again.
TEST_F(OrderFile, FullOrderRoundTripsByteForByte) {
  auto order = FullOrder();
  order->SlopeCount = 3;
  order->OtherMatCount = 2;
  ASSERT_TRUE(order->SaveOrder(Path("full.gxo")));
  TOrder loaded;
  ASSERT_TRUE(loaded.LoadOrder(Path("full.gxo")));
  EXPECT_EQ(loaded.Count(), 3);
  EXPECT_EQ(loaded.GetConstruction(1)->Owner, &loaded);
  EXPECT_EQ(loaded.SlopeCount, 3);
  ASSERT_TRUE(loaded.SaveOrder(Path("again.gxo")));
  TSpecStream first, second;
  first.LoadFromFile(Path("full.gxo"));
  second.LoadFromFile(Path("again.gxo"));
  EXPECT_TRUE(std::ranges::equal(first.Bytes(), second.Bytes()));
  EXPECT_TRUE(Messages().Shown().empty());
  TOrder copy;
  ASSERT_TRUE(copy.Assign(*order));
  EXPECT_EQ(OrderBytes(copy), OrderBytes(*order));
}

TEST_F(OrderFile, WrongSignatureOrAStringLongerThanTheFile) {
  std::vector<uint8_t> bytes = OrderBytes(TOrder());
  bytes[4] = 'X';
  EXPECT_FALSE(Read(bytes).Loaded);
  EXPECT_EQ(Messages().LastText(), "Данный файл не является файлом QETA Korvent Order File!");
  bytes = OrderBytes(TOrder());
  Messages().Clear();
  const int32_t huge = 0x7fffffff;
  std::memcpy(bytes.data(), &huge, sizeof(huge));
  EXPECT_FALSE(Read(bytes).Loaded);
  EXPECT_EQ(Messages().Shown()[0].Text,
            "Ошибка чтения строки из потока!\r\nЗаказано: [2147483647 символов], Считано: [" +
                std::to_string(bytes.size() - 4) + " символов]!");
}

TEST_F(OrderFile, SavingSetsTheCurrentVersionAndAMissingFileIsNotLoaded) {
  TOrder order;
  order.Version = "01.01.2008";
  ASSERT_TRUE(order.SaveOrder(Path("v.gxo")));
  EXPECT_EQ(order.Version, "23.04.2012");
  EXPECT_FALSE(order.SaveOrder(""));
  EXPECT_FALSE(TOrder().LoadOrder(Path("none.gxo")));
  EXPECT_EQ(Messages().LastText().rfind("Ошибка загрузки заказа!\r\n(", 0), 0u);
}

TEST_F(OrderFile, FailedSaveKeepsThePreviousFile) {
  const auto order = FullOrder();
  ASSERT_TRUE(order->SaveOrder(Path("keep.gxo")));
  TSpecStream before;
  before.LoadFromFile(Path("keep.gxo"));
  // A mullion standing on a corner cannot be written: the save fails half-way.
  TFrame& frame = *order->GetConstruction(2)->GetFrame(0);
  frame.AddImpost(std::make_unique<TImpost>(&frame, frame.Points[0].get(), frame.Points[2].get()));
  EXPECT_FALSE(order->SaveOrder(Path("keep.gxo")));
  EXPECT_EQ(Messages().LastText(), "Ошибка сохранения заказа!\r\n(Не могу определить точку опоры импоста!)");
  TSpecStream after;
  after.LoadFromFile(Path("keep.gxo"));
  EXPECT_TRUE(std::ranges::equal(after.Bytes(), before.Bytes()));
  EXPECT_FALSE(fs::exists(Path("keep.gxo.tmp")));
}

// ---- bad files ------------------------------------------------------------------------------

// Every byte of an order of one window, and every list of the full order at a coarser step.
TEST_F(OrderFile, EveryTruncationIsRefusedCleanly) {
  TOrder one_window;
  one_window.Add(test::SimpleWindow("1", 1000, 1000));
  const std::vector<uint8_t> small = OrderBytes(one_window);
  const std::vector<uint8_t> full = OrderBytes(*FullOrder());
  const auto refused = [](const std::vector<uint8_t>& Bytes, size_t Length) {
    try {
      return !Read({Bytes.begin(), Bytes.begin() + static_cast<std::ptrdiff_t>(Length)}).Loaded;
    } catch (const EKvError&) {
      return true;
    }
  };
  for (size_t length = 0; length < small.size(); ++length) EXPECT_TRUE(refused(small, length)) << length;
  for (size_t length = 0; length < full.size(); length += (length < 3000 ? 7 : 211))
    EXPECT_TRUE(refused(full, length)) << length;
}

TEST_F(OrderFile, BytesAfterTheLastPositionAreRefused) {
  TOrder order;
  order.Add(test::SimpleWindow("1", 1000, 1000));
  std::vector<uint8_t> bytes = OrderBytes(order);
  const size_t end = bytes.size();
  bytes.push_back(0);
  const std::string path = Path("longer.gxo");
  WriteFile(path, bytes, bytes.size());
  TOrder loaded;
  EXPECT_FALSE(loaded.LoadOrder(path));
  EXPECT_EQ(
      Messages().LastText(),
      "Ошибка загрузки заказа!\r\n(Ошибка чтения из потока!\r\nЛишние данные после последней позиции, смещение [" +
          std::to_string(end) + "]!)");
}

TEST_F(OrderFile, BillionItemsAreRefused) {
  TOrder order;
  std::vector<uint8_t> bytes = OrderBytes(order);
  // The service count is the first integer record after the two booleans GetTotalNDS and
  // ShowIncludingNDS.
  const size_t after_header = 4 + std::strlen(kOrderProductID) + 4 + 10;
  const int32_t billion = 1000000000;
  size_t position = bytes.size();
  for (size_t i = after_header; i + 48 <= bytes.size(); ++i)
    if (bytes[i] == varBoolean && bytes[i + 16] == varBoolean && bytes[i + 32] == varInteger) {
      position = i + 32;
      break;
    }
  ASSERT_LT(position, bytes.size());
  std::memcpy(bytes.data() + position + 8, &billion, sizeof(billion));
  const std::string path = Path("billion.gxo");
  WriteFile(path, bytes, bytes.size());
  TOrder loaded;
  EXPECT_FALSE(loaded.LoadOrder(path));
  EXPECT_EQ(Messages().LastText(),
            "Ошибка загрузки заказа!\r\n(Ошибка чтения из потока!\r\nНеверное число записей [1000000000]!)");
}

std::string ReadText(const fs::path& File) {
  std::ifstream in(File, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The layout decides the kind of every value and the ordinals of every enumeration: a value of
// another kind or an ordinal beyond the enumeration is refused where it stands.
TEST_F(OrderFile, AValueOfAnotherKindOrBeyondItsEnumerationIsRefusedWithItsOffset) {
  const fs::path fixtures = fs::path(KV_SOURCE_DIR) / "tests";
  std::string text = ReadText(fixtures / "order/fixtures/order_2012-04-23.txt");
  const std::string include = "include ../../construction/fixtures/window_2012-04-23.txt";
  text.replace(text.find(include), include.size(), ReadText(fixtures / "construction/fixtures/window_2012-04-23.txt"));
  const struct {
    const char* Marker;
    const char* Line;
    const char* Refusal;
  } cases[] = {
      {"# 10 CreateUserID", "null", "Тип значения [1] вместо [3]"},
      {"# 30 Date", "double 39459", "Тип значения [5] вместо [7]"},
      {"# 33 MeasureDate", "date 14.01.2008", "Тип значения [7] вместо [5]"},
      {"# 93 WindowReduce", "date 12.01.2008", "Тип значения [7] вместо [6]"},
      {"# 31 DateEnabled", "int 1", "Тип значения [3] вместо [11]"},
      {"# 49 Status", "int 1", "Тип значения [3] вместо [17]"},
      {"# 49 Status", "byte 4", "Недопустимое значение [4] (наибольшее [3])"},
      {"# 50 ProdStatus", "byte 6", "Недопустимое значение [6] (наибольшее [5])"},
      {"# 81 PlaceType", "byte 3", "Недопустимое значение [3] (наибольшее [2])"},
      {"# 82 LoadGroupH", "byte 13", "Недопустимое значение [13] (наибольшее [12])"},
      {"# 104 WindowRedUnit", "byte 4", "Недопустимое значение [4] (наибольшее [3])"},
      {"# FillType", "byte 200", "Недопустимое значение [200] (наибольшее [5])"},
      {"# ObjType", "byte 3", "Недопустимое значение [3] (наибольшее [2])"},
      {"# LineType", "byte 7", "Недопустимое значение [7] (наибольшее [6])"},
  };
  for (const auto& c : cases) {
    const test::TChangedStream changed = test::DescribedStreamWithLine(text, c.Marker, c.Line);
    WriteFile(Path("changed.gxo"), changed.Bytes, changed.Bytes.size());
    TOrder order;
    EXPECT_FALSE(order.LoadOrder(Path("changed.gxo"))) << c.Marker;
    EXPECT_EQ(Messages().LastText(),
              Format("Ошибка загрузки заказа!\r\n(Ошибка чтения из потока!\r\n%s, смещение [%d]!)", c.Refusal,
                     changed.Offset))
        << c.Marker << " " << c.Line;
  }
}

}  // namespace
}  // namespace kv
