#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "cli/cli_run.h"
#include "shell/registry_store.h"
#include "shell/temp_registry.h"

namespace kv::cli {
namespace {

class SetupCommandTest : public ::testing::Test {
protected:
  std::string Root() const { return (temp_.Dir() / "inst").string(); }
  kv::testing::TTempRegistry temp_;
};

TEST_F(SetupCommandTest, SetupThenShowPrintsTheConfigurationAndOptionsAlsoByNameAsJson) {
  const TCliRun setup =
      RunCliCaptured({"setup", "--root", Root(), "--config", "Office", "--default", "--default-admin-password"});
  ASSERT_EQ(setup.Code, 0) << setup.Err;
  EXPECT_TRUE(test::Contains(setup.Out, "Office"));
  EXPECT_TRUE(test::Contains(setup.Out, "Пароль администратора по умолчанию: \"admin\"")) << "asked for";
  const TCliRun show = RunCliCaptured({"config", "show"});
  ASSERT_EQ(show.Code, 0) << show.Err;
  EXPECT_TRUE(test::Contains(show.Out, "Конфигурация Office"));
  EXPECT_TRUE(test::Contains(show.Out, "GX_Catalog = " + Root() + "/Data/Catalog"));
  EXPECT_TRUE(test::Contains(show.Out, "[Firm]"));
  EXPECT_TRUE(test::Contains(show.Out, "NDSTax = 20"));
  EXPECT_TRUE(std::filesystem::is_empty(temp_.Dir() / "inst" / "Temp")) << "the run's private directory is gone";
  const TCliRun by_name = RunCliCaptured({"config", "show", "--config", "office", "--json"});
  ASSERT_EQ(by_name.Code, 0) << by_name.Err;
  const auto json = nlohmann::json::parse(by_name.Out);
  EXPECT_EQ(json["configuration"]["name"], "OFFICE") << "the switch's value comes upper-cased";
  EXPECT_EQ(json["configuration"]["values"]["IniFile"], Root() + "/korvent.ini");
  EXPECT_EQ(json["setup"]["Firm"]["Name"], "ООО \"Светлые окна\"");
  EXPECT_EQ(json["setup"]["Directories"]["ServerName"], Root() + "/Orders");
  EXPECT_EQ(json["setup"][kTechnologistKey]["Preview"], "1");
}

TEST_F(SetupCommandTest, CheckRunsTheWholeStartAndEndAndRefusalsEndWithTheirMessages) {
  ASSERT_EQ(RunCliCaptured({"setup", "--root", Root(), "--default", "--default-admin-password"}).Code, 0);
  const TCliRun check = RunCliCaptured({"config", "check", "--user", "администратор", "--password", "ADMIN"});
  ASSERT_EQ(check.Code, 0) << check.Err;
  EXPECT_TRUE(test::Contains(check.Out, "Пользователь: Администратор"));
  EXPECT_TRUE(test::Contains(check.Out, "GXDB_Report открыта"));
  EXPECT_TRUE(test::Contains(check.Out, "Таблицы каталога открыты"));
  EXPECT_EQ(check.Err, "") << "every catalogue table of the demo catalogue opens";
  EXPECT_TRUE(test::Contains(check.Out, "3: предложить обновить курсы валют"));
  EXPECT_TRUE(test::Contains(check.Out, "Работа завершена"));
  const TCliRun wrong = RunCliCaptured({"config", "check", "--user", "Администратор", "--password", "nope"});
  EXPECT_NE(wrong.Code, 0);
  EXPECT_TRUE(test::Contains(wrong.Err, "Неверный пароль"));
  EXPECT_EQ(wrong.Out, "");
  std::filesystem::remove(temp_.Dir() / "inst" / "korvent.ini");
  // The program's line breaks are printed as plain ones.
  const TCliRun show = RunCliCaptured({"config", "show"});
  EXPECT_NE(show.Code, 0);
  EXPECT_TRUE(test::Contains(show.Err, "Не найден файл конфигурации!\nПроизведите установку в панели управления."));
}

TEST_F(SetupCommandTest, PasswordsComeFromFilesAndAreNeverPrinted) {
  const std::string file = (temp_.Dir() / "password").string();
  std::ofstream(file) << "Тайна-7\r\nвторая строка\n";
  const TCliRun setup = RunCliCaptured({"setup", "--root", Root(), "--default", "--admin-password-file", file});
  ASSERT_EQ(setup.Code, 0) << setup.Err;
  EXPECT_FALSE(test::Contains(setup.Out, "Тайна"));
  std::ofstream(file) << "тайна-7\n";
  const TCliRun check = RunCliCaptured({"config", "check", "--user", "Администратор", "--password-file", file});
  EXPECT_EQ(check.Code, 0) << check.Err;
  if (isatty(STDIN_FILENO)) GTEST_SKIP() << "without a password the terminal is asked";
  const TCliRun asked = RunCliCaptured({"setup", "--root", Root() + "2"});
  EXPECT_NE(asked.Code, 0);
  EXPECT_TRUE(test::Contains(asked.Err, "Не задан пароль администратора"));
}

TEST_F(SetupCommandTest, NewOrderWithoutAFileIsSavedByTheConfigurationsRules) {
  ASSERT_EQ(RunCliCaptured({"setup", "--root", Root(), "--default", "--default-admin-password"}).Code, 0);
  const std::string work = Root() + "/Orders/ORDERS/WORK/";
  const struct {
    std::vector<std::string> Args;
    int Code;
    std::string Printed;
  } runs[] = {{{"order", "new", "--no", "Д-7"}, 0, "Создан заказ № Д-7: " + work + "Д-7.gxo\n"},
              {{"order", "new", "--no", "Д-7"}, 1, ""},
              {{"order", "new", "--no", "Д-7", "--force"}, 0, "Создан заказ № Д-7: " + work + "Д-7.gxo\n"}};
  for (const auto& run : runs) {
    const TCliRun done = RunCliCaptured(run.Args);
    EXPECT_EQ(done.Code, run.Code) << done.Err;
    EXPECT_EQ(done.Out, run.Printed);
  }
  EXPECT_TRUE(std::filesystem::exists(Root() + "/Orders/RECYCLED/Д-7.gxo"));  // the replaced file
}

}  // namespace
}  // namespace kv::cli
