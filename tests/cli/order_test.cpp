#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "cli/cli_run.h"
#include "construction/sample_constructions.h"
#include "order/order.h"
#include "shell/stream_description.h"
#include "shell/value_stream.h"

namespace kv::cli {
namespace {

class OrderCommand : public ::testing::Test {
protected:
  void SetUp() override {
    root = std::filesystem::temp_directory_path() / ("kv-cli-order-" + std::to_string(getpid()) + "-" +
                                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
  }
  void TearDown() override { std::filesystem::remove_all(root); }
  std::string Path(const std::string& name) const { return (root / name).string(); }
  std::vector<uint8_t> Bytes(const std::string& name) const {
    TSpecStream stream;
    stream.LoadFromFile(Path(name));
    return stream.Bytes();
  }
  std::filesystem::path root;
};

TEST_F(OrderCommand, NewAddShow) {
  const TCliRun created = RunCliCaptured({"order", "new", Path("o.gxo"), "--no", "77", "--customer", "Петров"});
  ASSERT_EQ(created.Code, 0) << created.Err;
  const TCliRun added = RunCliCaptured({"order", "add", Path("o.gxo"), "--width", "2100", "--vertical", "700",
                                        "--vertical", "1400", "--sash", "1", "--sash", "3", "--count", "2"});
  ASSERT_EQ(added.Code, 0) << added.Err;
  EXPECT_NE(added.Out.find("добавлена позиция 1: 2100,0 x 1400,0 мм, 2 шт."), std::string::npos) << added.Out;
  ASSERT_EQ(RunCliCaptured({"order", "add", Path("o.gxo"), "--no", "1a", "--figure", "arc"}).Code, 0);

  const TCliRun shown = RunCliCaptured({"order", "show", Path("o.gxo")});
  ASSERT_EQ(shown.Code, 0) << shown.Err;
  EXPECT_NE(shown.Out.find("Заказ № 77"), std::string::npos) << shown.Out;
  EXPECT_NE(shown.Out.find("Заказчик: Петров"), std::string::npos);
  EXPECT_NE(shown.Out.find("Поля: 1 (створка) 2 (стекло) 3 (створка)"), std::string::npos) << shown.Out;
  EXPECT_NE(shown.Out.find("Позиция 1a: 1 шт."), std::string::npos);

  const TCliRun json = RunCliCaptured({"order", "show", Path("o.gxo"), "--json"});
  ASSERT_EQ(json.Code, 0) << json.Err;
  const auto order = nlohmann::json::parse(json.Out);
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
  EXPECT_NE(shown.Out.find("Позиция 7: 2 шт."), std::string::npos) << shown.Out;
  EXPECT_NE(shown.Out.find("  Объект: Школа № 3\n"), std::string::npos) << shown.Out;
  EXPECT_NE(shown.Out.find("Оплата 15.01.2008: 100,25, Наличные, \n"), std::string::npos) << shown.Out;

  const auto json = nlohmann::json::parse(RunCliCaptured({"order", "show", Path("old.gxo"), "--json"}).Out);
  EXPECT_EQ(json["numbers"]["contract_no"], "Д-15");
  EXPECT_EQ(json["numbers"]["status_code"], 1);
  EXPECT_EQ(json["dates"]["measure_date"], "15.01.2008");
  EXPECT_EQ(json["identity"]["create_date"], "10.01.2008 9:15:00");
  EXPECT_EQ(json["defaults"]["static_region"], "МИНСК") << "older than 03.02.2008";
  EXPECT_EQ(json["sections"][0]["reduce"], 5.0);
  EXPECT_EQ(json["sections"][0]["unit"], 1);
  EXPECT_EQ(json["pricing"]["window_profit"], 12.5);
  EXPECT_EQ(json["pricing"]["nds_tax"], 20.0);
  EXPECT_EQ(json["services"][0]["name"], "Доставка");
  EXPECT_EQ(json["services"][0]["cost"], 50.0);
  EXPECT_EQ(json["currencies"][0]["rate"], 1.0);
  EXPECT_EQ(json["payments"][0]["money"], 100.25);
  EXPECT_EQ(json["notes"]["note"], nlohmann::json::array({"Позвонить за день"}));
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
  EXPECT_NE(shown.Out.find("Раскрой KV-101       1301,5 мм  45,0°  45,0°, армирование ST-20 1200,0 мм"),
            std::string::npos)
      << shown.Out;
  EXPECT_NE(shown.Out.find("Материал GL-4"), std::string::npos);
  EXPECT_NE(shown.Out.find("Поля: 1.1 (стекло) 2.1 (створка)"), std::string::npos) << shown.Out;
  EXPECT_NE(shown.Out.find("Поля: 1.3 (модификатор) 2.3 (рама)"), std::string::npos);
  const auto json = nlohmann::json::parse(RunCliCaptured({"order", "show", Path("rich.gxo"), "--json"}).Out);
  EXPECT_EQ(json["positions"][0]["frames"][0]["cut_map"].size(), 2u);
  EXPECT_EQ(json["positions"][0]["materials"].size(), 2u);
  EXPECT_EQ(json["positions"][0]["frames"][0]["kind"], "Дверь с порогом");
}

TEST_F(OrderCommand, AddThatCannotBuildLeavesTheFileAsItWas) {
  ASSERT_EQ(RunCliCaptured({"order", "new", Path("o.gxo"), "--no", "1"}).Code, 0);
  const std::vector<uint8_t> before = Bytes("o.gxo");
  const TCliRun failed = RunCliCaptured({"order", "add", Path("o.gxo"), "--sash", "9"});
  EXPECT_EQ(failed.Code, 1);
  EXPECT_NE(failed.Err.find("В раме нет поля с номером 9!"), std::string::npos) << failed.Err;
  EXPECT_EQ(Bytes("o.gxo"), before);
}

TEST_F(OrderCommand, AnOrderIsNeverLostNorWhatWasTypedChanged) {
  ASSERT_EQ(RunCliCaptured({"order", "new", Path("o.gxo"), "--no", "1"}).Code, 0);
  ASSERT_EQ(RunCliCaptured({"order", "add", Path("o.gxo")}).Code, 0);
  const std::vector<uint8_t> before = Bytes("o.gxo");
  const TCliRun again = RunCliCaptured({"order", "new", Path("o.gxo"), "--no", "2"});
  EXPECT_EQ(again.Code, 1);
  EXPECT_NE(
      again.Err.find("Ошибка сохранения заказа!\n(Ошибка записи файла [" + Path("o.gxo") + "]: файл уже существует)"),
      std::string::npos)
      << again.Err;
  const TCliRun many = RunCliCaptured({"order", "add", Path("o.gxo"), "--count", "2147483647"});
  EXPECT_NE(many.Err.find("Недопустимое значение \"Количество изделий\": 2147483647!"), std::string::npos);
  EXPECT_NE(many.Err.find("Допустимо от 1 до 99999."), std::string::npos) << many.Err;
  EXPECT_NE(RunCliCaptured({"order", "add", Path("o.gxo"), "--width", "40000"}).Err.find("\"Ширина\": 40000!"),
            std::string::npos);
  std::filesystem::permissions(Path("o.gxo"), std::filesystem::perms::owner_read);
  const TCliRun read_only = RunCliCaptured({"order", "add", Path("o.gxo")});
  EXPECT_NE(read_only.Err.find("]: файл доступен только для чтения)"), std::string::npos) << read_only.Err;
  EXPECT_EQ(Bytes("o.gxo"), before);

  const TCliRun typed = RunCliCaptured({"order", "new", Path("t.gxo"), "--no", "1", "--customer", "Иван ☺"});
  EXPECT_EQ(typed.Code, 1);
  EXPECT_NE(typed.Err.find("Поле \"Заказчик\" содержит символы, которых нет в кодовой странице файла заказа "
                           "(Windows-1251): ☺"),
            std::string::npos)
      << typed.Err;
  EXPECT_FALSE(std::filesystem::exists(Path("t.gxo")));
  EXPECT_EQ(RunCliCaptured({"order", "new", Path("o.gxo"), "--no", "2", "--force"}).Code, 1) << "still read-only";
  std::filesystem::permissions(Path("o.gxo"), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  EXPECT_EQ(RunCliCaptured({"order", "new", Path("o.gxo"), "--no", "2", "--force"}).Code, 0);
}

TEST_F(OrderCommand, BadFilesAndMissingArgumentsAreRefused) {
  std::ofstream(Path("bad.gxo"), std::ios::binary) << std::string("\x05\x00\x00\x00hello", 9);
  const TCliRun bad = RunCliCaptured({"order", "show", Path("bad.gxo")});
  EXPECT_EQ(bad.Code, 1);
  EXPECT_NE(bad.Err.find("Данный файл не является файлом QETA Korvent Order File!"), std::string::npos) << bad.Err;

  EXPECT_NE(RunCliCaptured({"order", "new", Path("n.gxo")}).Code, 0);
  EXPECT_NE(RunCliCaptured({"order", "show", Path("none.gxo")}).Code, 0);
}

}  // namespace
}  // namespace kv::cli
