// Order files described by hand (tests/order/fixtures), one for each version the order file knows,
// read by the real reader: older files are converted after the question, a newer one is refused,
// and a current one is written back byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "catalogue/small_catalogue.h"
#include "order/order.h"
#include "shell/stream_description.h"
#include "shell/user_messages.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> FixtureBytes(const std::string& Name) {
  return test::DescribedStreamFile(fs::path(KV_SOURCE_DIR) / "tests/order/fixtures" / Name);
}

class OrderFixtures : public ::testing::Test {
protected:
  void SetUp() override {
    folder_ = test::MakeTempFolder("order-fixtures");
    // Positions older than 03.02.2008 take the material type of their system from here.
    catalogue_.Catalog("SysList", {{"ID", "TL70"}, {"BaseColor", "WHITE"}, {"MatType", 3}, {"CommonGrp", 1}});
    catalogue_.Open();
  }
  void TearDown() override { fs::remove_all(folder_); }

  // The fixture as an order file on disk.
  std::string File(const std::string& Name) const {
    const std::vector<uint8_t> bytes = FixtureBytes(Name);
    const fs::path path = folder_ / (Name + ".gxo");
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path.string();
  }
  TScriptedMessages& Messages() { return catalogue_.Messages; }

  struct TRead {
    std::unique_ptr<TOrder> Order = std::make_unique<TOrder>();
    bool Loaded = false;
    bool Converted = false;
  };
  static TRead Read(const std::string& Name) {
    TRead read;
    TSpecStream stream(FixtureBytes(Name));
    read.Loaded = read.Order->Load(stream, read.Converted, false);
    if (read.Loaded) {
      EXPECT_EQ(stream.Remaining(), 0u) << "values left unread";
    }
    return read;
  }

private:
  fs::path folder_;
  test::TSmallCatalogue catalogue_;
};

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

TEST_F(OrderFixtures, OlderVersionsAreConvertedAfterTheQuestion) {
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
    const TRead read = Read(older.Name);
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
  const TRead refused = Read("order_2008-01-28.txt");
  EXPECT_FALSE(refused.Loaded);
  EXPECT_FALSE(refused.Converted);
}

TEST_F(OrderFixtures, CurrentVersionIsWrittenBackByteForByte) {
  const TRead read = Read("order_2012-04-23.txt");
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
  const TRead alias = Read("order_2014-04-23.txt");
  ASSERT_TRUE(alias.Loaded);
  EXPECT_FALSE(alias.Converted);
  EXPECT_TRUE(Messages().Shown().empty());
  TSpecStream again;
  alias.Order->Save(again);
  EXPECT_EQ(test::FirstDifference(again.Bytes(), current), -1);
}

TEST_F(OrderFixtures, FilesOfALaterVersionAreRefused) {
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
}

}  // namespace
}  // namespace kv
