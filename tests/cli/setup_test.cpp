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

TEST_F(SetupCommandTest, SetupThenShowPrintsTheConfigurationAndOptions) {
  const TCliRun setup =
      RunCliCaptured({"setup", "--root", Root(), "--config", "Office", "--default", "--default-admin-password"});
  ASSERT_EQ(setup.Code, 0) << setup.Err;
  EXPECT_NE(setup.Out.find("Office"), std::string::npos);
  EXPECT_NE(setup.Out.find("Пароль администратора по умолчанию: \"admin\""), std::string::npos) << "asked for";
  const TCliRun show = RunCliCaptured({"config", "show"});
  ASSERT_EQ(show.Code, 0) << show.Err;
  EXPECT_NE(show.Out.find("Конфигурация Office"), std::string::npos);
  EXPECT_NE(show.Out.find("GX_Catalog = " + Root() + "/Data/Catalog"), std::string::npos);
  EXPECT_NE(show.Out.find("[Firm]"), std::string::npos);
  EXPECT_NE(show.Out.find("NDSTax = 20"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_empty(temp_.Dir() / "inst" / "Temp")) << "the run's private directory is gone";
}

TEST_F(SetupCommandTest, ShowByNameInJson) {
  ASSERT_EQ(RunCliCaptured({"setup", "--root", Root(), "--config", "Office", "--admin-password", "x"}).Code, 0);
  const TCliRun show = RunCliCaptured({"config", "show", "--config", "office", "--json"});
  ASSERT_EQ(show.Code, 0) << show.Err;
  const auto json = nlohmann::json::parse(show.Out);
  EXPECT_EQ(json["configuration"]["name"], "OFFICE") << "the switch's value comes upper-cased";
  EXPECT_EQ(json["configuration"]["values"]["IniFile"], Root() + "/korvent.ini");
  EXPECT_EQ(json["setup"]["Firm"]["Name"], "ООО \"Светлые окна\"");
  EXPECT_EQ(json["setup"]["Directories"]["ServerName"], Root() + "/Orders");
  EXPECT_EQ(json["setup"][kTechnologistKey]["Preview"], "1");
}

TEST_F(SetupCommandTest, CheckRunsTheWholeStartAndEnd) {
  ASSERT_EQ(RunCliCaptured({"setup", "--root", Root(), "--default", "--default-admin-password"}).Code, 0);
  const TCliRun check = RunCliCaptured({"config", "check", "--user", "администратор", "--password", "ADMIN"});
  ASSERT_EQ(check.Code, 0) << check.Err;
  EXPECT_NE(check.Out.find("Пользователь: Администратор"), std::string::npos);
  EXPECT_NE(check.Out.find("GXDB_Report открыта"), std::string::npos);
  EXPECT_NE(check.Out.find("Таблицы каталога открыты"), std::string::npos);
  EXPECT_EQ(check.Err, "") << "every catalogue table of the demo catalogue opens";
  EXPECT_NE(check.Out.find("3: предложить обновить курсы валют"), std::string::npos);
  EXPECT_NE(check.Out.find("Работа завершена"), std::string::npos);
}

TEST_F(SetupCommandTest, RefusalsOfAnInstallationEndWithTheirMessages) {
  ASSERT_EQ(RunCliCaptured({"setup", "--root", Root(), "--default", "--default-admin-password"}).Code, 0);
  const TCliRun wrong = RunCliCaptured({"config", "check", "--user", "Администратор", "--password", "nope"});
  EXPECT_NE(wrong.Code, 0);
  EXPECT_NE(wrong.Err.find("Неверный пароль"), std::string::npos);
  EXPECT_EQ(wrong.Out, "");
  std::filesystem::remove(temp_.Dir() / "inst" / "korvent.ini");
  // The program's line breaks are printed as plain ones.
  const TCliRun show = RunCliCaptured({"config", "show"});
  EXPECT_NE(show.Code, 0);
  EXPECT_NE(show.Err.find("Не найден файл конфигурации!\nПроизведите установку в панели управления."),
            std::string::npos);
}

TEST_F(SetupCommandTest, PasswordsComeFromFilesAndAreNeverPrinted) {
  const std::string file = (temp_.Dir() / "password").string();
  std::ofstream(file) << "Тайна-7\r\nвторая строка\n";
  const TCliRun setup = RunCliCaptured({"setup", "--root", Root(), "--default", "--admin-password-file", file});
  ASSERT_EQ(setup.Code, 0) << setup.Err;
  EXPECT_EQ(setup.Out.find("Тайна"), std::string::npos);
  std::ofstream(file) << "тайна-7\n";
  const TCliRun check = RunCliCaptured({"config", "check", "--user", "Администратор", "--password-file", file});
  EXPECT_EQ(check.Code, 0) << check.Err;
  if (isatty(STDIN_FILENO)) GTEST_SKIP() << "without a password the terminal is asked";
  const TCliRun asked = RunCliCaptured({"setup", "--root", Root() + "2"});
  EXPECT_NE(asked.Code, 0);
  EXPECT_NE(asked.Err.find("Не задан пароль администратора"), std::string::npos) << asked.Err;
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
