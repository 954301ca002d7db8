#include "session/session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "catalogue/catalogue.h"
#include "shell/command_line.h"
#include "shell/configuration.h"
#include "shell/databases.h"
#include "shell/error_of.h"
#include "shell/gx_setup.h"
#include "shell/ini_file.h"
#include "shell/installation.h"
#include "shell/login.h"
#include "shell/registry_store.h"
#include "shell/temp_registry.h"
#include "shell/user_messages.h"

namespace kv {
namespace {

using test::ErrorOf;

class TAdminLogin : public ILoginDialog {
public:
  bool Execute(TLogin& login) override {
    return login.Accept(login.PreselectedUser() ? login.PreselectedUser() : 1, password);
  }
  std::string password = "admin";
};

class StartupTest : public ::testing::Test {
protected:
  StartupTest() : messages_scope_(messages_) {
    TInstallationOptions options;
    options.Root = temp_.Dir() / "install";
    options.MakeDefault = true;
    std::ostringstream log;
    CreateInstallation(options, log);
    SetLoginDialog(&login_);
  }

  std::filesystem::path Root() const { return temp_.Dir() / "install"; }

  testing::TTempRegistry temp_;
  TScriptedMessages messages_;
  TUserMessagesScope messages_scope_;
  TDatabases& databases_ = DM_DB();
  TAdminLogin login_;
  TStartupOptions options_;
};

TEST_F(StartupTest, FreshInstallationStartsWithEveryDeferredAction) {
  TSession session;
  const TStartupResult result = session.Startup(options_);
  ASSERT_TRUE(result.Started) << messages_.LastText();
  EXPECT_EQ(Configuration().GXConfigName, "Main");
  EXPECT_EQ(CurrentUser().Name, "Администратор");
  for (TDatabaseAlias alias : kDatabaseOpenOrder) EXPECT_TRUE(databases_.IsOpen(alias)) << AliasName(alias);
  EXPECT_TRUE(Catalogue().IsOpen());
  ASSERT_NE(GXSetup(), nullptr);
  EXPECT_TRUE(GXSetup()->Loaded);
  EXPECT_EQ(GXSetup()->FirmName, "ООО \"Светлые окна\"");
  // No currency update has been recorded: the last one counts as yesterday.
  EXPECT_EQ(result.DeferredActions,
            (std::vector<TDeferredAction>{TDeferredAction::AutoLoadOrder, TDeferredAction::OpenOrderList,
                                          TDeferredAction::OpenCurrency}));
  EXPECT_FALSE(result.OrderSwitch);
  EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(StartupTest, OrderSwitchSuppressesRegisterAndCurrency) {
  SetCommandLine({"/Order:" + (Root() / "a.gxo").string()});
  const TStartupResult result = TSession().Startup(options_);
  ASSERT_TRUE(result.Started);
  EXPECT_TRUE(result.OrderSwitch);
  EXPECT_EQ(result.DeferredActions, std::vector<TDeferredAction>{TDeferredAction::AutoLoadOrder});
}

TEST_F(StartupTest, CurrencyUpdatedTodayIsNotOfferedAgainAndUserOptionsSwitchTheActionsOff) {
  SaveLastCurrencyUpdate((Root() / "Orders").string(), Now());
  const TStartupResult result = TSession().Startup(options_);
  ASSERT_TRUE(result.Started);
  EXPECT_EQ(result.DeferredActions,
            (std::vector<TDeferredAction>{TDeferredAction::AutoLoadOrder, TDeferredAction::OpenOrderList}));
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(kTechnologistKey, true));
  registry.WriteBool("AutoOpenReg", false);
  registry.WriteBool("AutoLoadCurrency", false);
  ASSERT_TRUE(registry.OpenKey(std::string(kDBConfigKey) + "\\Main", false));
  registry.WriteInteger("DBUpdate", 30);
  registry.WriteInteger("SysDBUpdate", 5);
  const TStartupResult switched_off = TSession().Startup(options_);
  EXPECT_EQ(switched_off.DeferredActions, std::vector<TDeferredAction>{TDeferredAction::AutoLoadOrder});
  EXPECT_EQ(switched_off.RegisterRefreshMs, 30000);
  EXPECT_EQ(switched_off.MessageTimerMs, 5000);
}

TEST_F(StartupTest, MissingIniFileEndsTheStartWithItsMessage) {
  std::filesystem::remove(Root() / "korvent.ini");
  TSession session;
  const TStartupResult result = session.Startup(options_);
  EXPECT_FALSE(result.Started);
  EXPECT_EQ(messages_.LastText(), "Не найден файл конфигурации!\r\nПроизведите установку в панели управления.");
  EXPECT_EQ(messages_.Shown().back().Kind, TMessageKind::mkWarning);
  for (TDatabaseAlias alias : kDatabaseOpenOrder) EXPECT_FALSE(databases_.IsOpen(alias));
  EXPECT_FALSE(Catalogue().IsOpen());
  EXPECT_EQ(GXSetup(), nullptr);
}

TEST_F(StartupTest, MissingConfigurationKeyEndsTheStart) {
  SetCommandLine({"/DBCONFIG:Other"});
  TSession session;
  EXPECT_FALSE(session.Startup(options_).Started);
  EXPECT_EQ(messages_.LastText().rfind("Ошибка открытия конфигурации OTHER!", 0), 0u);
  EXPECT_FALSE(Catalogue().IsOpen());
}

TEST_F(StartupTest, RefusedLoginEndsTheStartButABatchStartNeedsNone) {
  login_.password = "wrong";
  EXPECT_FALSE(TSession().Startup(options_).Started);
  EXPECT_FALSE(databases_.IsOpen(TDatabaseAlias::GXDB_Catalog));
  options_.Login = false;
  TSession session;
  EXPECT_TRUE(session.Startup(options_).Started);
  EXPECT_EQ(CurrentUser().ID, 0);
}

TEST_F(StartupTest, DatabaseThatCannotOpenIsShownAndEndsTheStart) {
  std::filesystem::remove(DatabaseFile((Root() / "Data" / "Report").string()));
  TSession session;
  EXPECT_FALSE(session.Startup(options_).Started);
  EXPECT_TRUE(test::Contains(messages_.LastText(), "GXDB_Report"));
  EXPECT_FALSE(databases_.IsOpen(TDatabaseAlias::GXDB_Catalog));
}

TEST_F(StartupTest, ShutdownClosesInOrderSavesAndCleansUp) {
  std::string private_dir;
  {
    TSession session;
    ASSERT_TRUE(session.Startup(options_).Started);
    private_dir = Configuration().GXBDEPrivateDir;
    EXPECT_TRUE(std::filesystem::is_directory(private_dir));
    GXSetup()->MainFormWinState = wsMaximized;
    session.Shutdown();
    EXPECT_FALSE(Catalogue().IsOpen());
    for (TDatabaseAlias alias : kDatabaseOpenOrder) EXPECT_FALSE(databases_.IsOpen(alias));
    EXPECT_EQ(GXSetup(), nullptr);
    session.Shutdown();
  }
  EXPECT_FALSE(std::filesystem::exists(private_dir));
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(kRegistryRootKey, false));
  EXPECT_EQ(registry.ReadInteger("TechnologMainWinState"), wsMaximized);
  EXPECT_EQ(TSystemDatabase(Configuration().GXSysDBDir).OtherStationOf(1, "ELSEWHERE"), "");
}

TEST_F(StartupTest, ShutdownThatCannotSaveTheOptionsSaysSo) {
  TSession session;
  ASSERT_TRUE(session.Startup(options_).Started);
  std::ofstream(temp_.File(), std::ios::binary | std::ios::trunc) << std::string(2048, 'k');
  EXPECT_FALSE(session.Shutdown());
  EXPECT_EQ(messages_.LastText().rfind("Ошибка записи параметров в системный реестр!\r\n(", 0), 0u);
  EXPECT_EQ(GXSetup(), nullptr);
}

TEST_F(StartupTest, AutoLoadOrderOpensAnExistingFileOrSaysItIsMissing) {
  const auto file = Root() / "Заказ.gxo";
  std::ofstream(file) << "x";
  std::vector<std::string> opened;
  {
    SetCommandLine({"/order:" + file.string()});
    AutoLoadOrder([&](const std::string& name) { opened.push_back(name); });
  }
  EXPECT_EQ(opened, std::vector<std::string>{file.string()});
  SetCommandLine({"/Order:" + (Root() / "нет.gxo").string()});
  AutoLoadOrder([&](const std::string& name) { opened.push_back(name); });
  EXPECT_EQ(opened.size(), 1u);
  EXPECT_EQ(messages_.LastText(), "Файл заказа не найден!\r\n[" + (Root() / "нет.gxo").string() + "]");
}

class InstallationTest : public ::testing::Test {
protected:
  InstallationTest() { options.Root = temp_.Dir() / "inst"; }
  void Install() { CreateInstallation(options, log); }

  testing::TTempRegistry temp_;
  TInstallationOptions options;
  std::ostringstream log;
};

TEST_F(InstallationTest, EveryPartOfTheInstallationExists) {
  options.ConfigName = "Office";
  Install();
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(std::string(kDBConfigKey) + "\\OFFICE", false));
  for (const auto& value : ConfigurationValues())
    EXPECT_FALSE(registry.ReadString(value.ValueName).empty()) << value.ValueName;
  EXPECT_EQ(registry.ReadString("OrderNoTemplate"), "%yyyy-%i");
  ASSERT_TRUE(registry.OpenKey(kDBConfigKey, false));
  EXPECT_EQ(registry.ReadString("DefaultConfig"), "") << "not the default without being asked";
  const TIniFile ini(options.Root / "korvent.ini");
  EXPECT_EQ(ini.ReadString("Firm", "Name", ""), "ООО \"Светлые окна\"");
  EXPECT_TRUE(ini.SectionExists("Defaults"));
  EXPECT_TRUE(std::filesystem::is_directory(options.Root / "Orders" / "EXCHANGE" / "OUTBOX"));
  for (TDatabaseAlias alias : kDatabaseOpenOrder)
    EXPECT_TRUE(std::filesystem::exists(DatabaseFile((options.Root / "Data" / AliasFolderName(alias)).string())));
  const auto system_file = DatabaseFile((options.Root / "Data" / "SysDB").string());
  EXPECT_EQ(std::filesystem::status(system_file).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write)
      << "the password hashes are readable by their owner only";
  TSystemDatabase system((options.Root / "Data" / "SysDB").string());
  ASSERT_EQ(system.Users().size(), 1u);
  EXPECT_EQ(system.Users()[0].Name, "Администратор");
  EXPECT_TRUE(test::Contains(log.str(), "Office"));
  EXPECT_FALSE(test::Contains(log.str(), kDefaultAdminPassword)) << "the log never shows the password";
}

TEST_F(InstallationTest, ConfigurationNameMustBeOneRegistryKey) {
  for (const std::string name : {"", "Main\\Phantom"}) {
    options.ConfigName = name;
    EXPECT_EQ(ErrorOf([&] { Install(); }),
              "Недопустимое имя конфигурации [" + name + "]: имя не может быть пустым или содержать \"\\\"");
  }
  EXPECT_FALSE(TRegistry().KeyExists(std::string(kDBConfigKey) + "\\Main"));
  EXPECT_FALSE(std::filesystem::exists(options.Root));
}

TEST_F(InstallationTest, ExistingInstallationIsRefusedUntouched) {
  Install();
  options.ConfigName = "Second";
  EXPECT_TRUE(test::Contains(ErrorOf([&] { Install(); }), "уже существует"))
      << "a second installation in the same folder must be refused";
  EXPECT_FALSE(TRegistry().KeyExists(std::string(kDBConfigKey) + "\\Second"));
  options.Root = temp_.Dir() / "other";
  options.ConfigName = "main";
  EXPECT_THROW(Install(), EKvError) << "the configuration exists (names ignore case)";
}

TEST_F(InstallationTest, FailedInstallationLeavesNothingAndRunsAgain) {
  options.CreateCatalogue = [](const TDatabaseDirs&) { throw EInOutError("каталог не создан"); };
  EXPECT_EQ(ErrorOf([&] { Install(); }), "каталог не создан");
  for (const auto& entry : std::filesystem::directory_iterator(temp_.Dir()))
    EXPECT_FALSE(test::Contains(entry.path().filename().string(), "inst")) << entry.path() << " stayed behind";
  EXPECT_FALSE(TRegistry().KeyExists(std::string(kDBConfigKey) + "\\Main"));
  options.CreateCatalogue = nullptr;
  Install();
  EXPECT_TRUE(std::filesystem::exists(options.Root / "korvent.ini"));
}

}  // namespace
}  // namespace kv
