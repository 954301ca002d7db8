#include "shell/configuration.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "shell/command_line.h"
#include "shell/error_of.h"
#include "shell/registry_store.h"
#include "shell/temp_registry.h"
#include "shell/user_messages.h"

namespace kv {
namespace {

class TScriptedConfigList : public IConfigListDialog {
public:
  bool Execute(const std::vector<std::string>& names, const std::string& default_name, std::string& chosen) override {
    shown = names;
    shown_default = default_name;
    if (answer.empty()) return false;
    chosen = answer;
    return true;
  }
  std::string answer;
  std::vector<std::string> shown;
  std::string shown_default;
};

class ConfigurationTest : public ::testing::Test {
protected:
  ConfigurationTest() : messages_scope_(messages_), dialog_scope_(&dialog_) {}

  TRegistry& ConfigKey(const std::string& name) {
    EXPECT_TRUE(registry_.OpenKey(std::string(kDBConfigKey) + "\\" + name, true));
    return registry_;
  }

  void WriteConfiguration(const std::string& name, bool make_default) {
    TRegistry& registry = ConfigKey(name);
    registry.WriteString("GX_Catalog", "C:\\Korvent\\Catalog\\");
    registry.WriteString("GX_Private", (temp_.Dir() / "private").string());
    registry.WriteString("IniFile", "C:\\Korvent\\korvent.ini");
    registry.WriteString("ServerName", "\\\\server\\orders\\");
    registry.WriteString("TemplateDir", "TEMPLATES");
    if (make_default) {
      ASSERT_TRUE(registry.OpenKey(kDBConfigKey, false));
      registry.WriteString("DefaultConfig", name);
    }
  }

  bool Load() {
    bool ask = true;
    return LoadDBConfigDir(ask);
  }

  testing::TTempRegistry temp_;
  TScriptedMessages messages_;
  TUserMessagesScope messages_scope_;
  TScriptedConfigList dialog_;
  struct TDialogScope {
    explicit TDialogScope(IConfigListDialog* d) { SetConfigListDialog(d); }
    ~TDialogScope() { SetConfigListDialog(nullptr); }
  } dialog_scope_;

  TRegistry registry_;
};

TEST_F(ConfigurationTest, DefaultConfigurationIsLoadedWithItsDirectoriesNormalised) {
  WriteConfiguration("Main", true);
  bool ask = true;
  ASSERT_TRUE(LoadDBConfigDir(ask));
  EXPECT_FALSE(ask);
  const TConfiguration& config = Configuration();
  EXPECT_EQ(config.GXConfigName, "Main");
  EXPECT_EQ(config.GXCatalogDir, "C:/Korvent/Catalog") << "separators normalised, the trailing one removed";
  EXPECT_EQ(config.GXServerName, "//server/orders");
  EXPECT_EQ(config.GXTemplateDir, "//server/orders/TEMPLATES");
  EXPECT_EQ(config.GXProfileDir, "") << "a missing value reads as empty";
  EXPECT_TRUE(messages_.Shown().empty());
  EXPECT_EQ(RemoveDirLastChar("C:\\a\\"), "C:/a");
  EXPECT_EQ(RemoveDirLastChar("/"), "/");
  EXPECT_EQ(RemoveDirLastChar(""), "");
}

TEST_F(ConfigurationTest, PrivateDirectoryIsUniquePerRunCreatedAndRemovedOnlyEmpty) {
  WriteConfiguration("Main", true);
  ASSERT_TRUE(Load());
  const std::filesystem::path dir = Configuration().GXBDEPrivateDir;
  EXPECT_EQ(dir.parent_path(), temp_.Dir() / "private");
  EXPECT_EQ(dir.filename().string().substr(0, 2), "KV");
  const int number = std::stoi(dir.filename().string().substr(2));
  EXPECT_TRUE(number >= 0 && number <= 999999) << number;
  EXPECT_TRUE(std::filesystem::is_directory(dir));
  std::ofstream(dir / "lock") << "x";
  DeleteTempDir();
  EXPECT_TRUE(std::filesystem::exists(dir));
  EXPECT_EQ(Configuration().GXBDEPrivateDir, dir.string());
  std::filesystem::remove(dir / "lock");
  DeleteTempDir();
  EXPECT_FALSE(std::filesystem::exists(dir));
  EXPECT_EQ(Configuration().GXBDEPrivateDir, "");
  WriteConfiguration("Main", true);
  ConfigKey("Main").WriteString("TempDir", (temp_.Dir() / "engine\\").string());
  registry_.WriteString("NetDir", "N:\\net");
  ASSERT_TRUE(Load());
  EXPECT_EQ(std::filesystem::path(Configuration().GXBDEPrivateDir).parent_path(), temp_.Dir() / "engine");
  EXPECT_EQ(Configuration().EngineNetDir, "N:/net");
}

TEST_F(ConfigurationTest, SwitchOrListNamesTheConfigurationInAnyLetterCase) {
  WriteConfiguration("Main", true);
  WriteConfiguration("Office", false);
  SetCommandLine({"/DBCONFIG:Office"});
  ASSERT_TRUE(Load());
  EXPECT_EQ(Configuration().GXConfigName, "OFFICE");
  EXPECT_EQ(Configuration().GXCatalogDir, "C:/Korvent/Catalog");
  SetCommandLine({"/configMenu"});
  dialog_.answer = "Office";
  ASSERT_TRUE(Load());
  EXPECT_EQ(dialog_.shown, (std::vector<std::string>{"Main", "Office"}));
  EXPECT_EQ(dialog_.shown_default, "Main");
  EXPECT_EQ(Configuration().GXConfigName, "Office");
  // A cancelled list ends without a message.
  dialog_.answer.clear();
  SetCommandLine({"/CONFIGMENU", "/DBCONFIG:Main"});
  bool ask = true;
  EXPECT_FALSE(LoadDBConfigDir(ask));
  EXPECT_FALSE(ask);
  EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(ConfigurationTest, NoDefaultOrMissingNamedConfigurationGivesItsMessage) {
  bool ask = false;
  EXPECT_FALSE(LoadDBConfigDir(ask));
  EXPECT_TRUE(ask);
  EXPECT_EQ(messages_.LastText(),
            "В системе не установлены пути доступа к базам данных!\r\nОткройте Control Panel, настройте пути "
            "доступа и\r\nустановите конфигурацию по умолчанию!");
  WriteConfiguration("Main", true);
  SetCommandLine({"/DBCONFIG:Branch"});
  EXPECT_FALSE(Load());
  EXPECT_EQ(messages_.LastText(),
            "Ошибка открытия конфигурации BRANCH!\r\nУказанная конфигурация не числиться в списке.\r\nОткройте "
            "Control Panel и установите по умолчанию\r\nдругую конфигурацию.");
  EXPECT_EQ(Configuration().GXConfigName, "");
}

TEST_F(ConfigurationTest, WrongValueTypeCorruptOrUnwritableRegistryGivesAMessageNotACrash) {
  WriteConfiguration("Main", true);
  ConfigKey("Main").WriteInteger("GX_Profile", 12);
  EXPECT_FALSE(Load());
  EXPECT_EQ(messages_.LastText().rfind("Ошибка чтения из системного реестра!", 0), 0u);
  messages_.Clear();
  std::ofstream(temp_.File(), std::ios::binary) << std::string(3000, '\x01');
  EXPECT_FALSE(Load());
  ASSERT_GE(messages_.Shown().size(), 1u);
  EXPECT_EQ(messages_.Shown().front().Text.rfind("Ошибка чтения из системного реестра!\r\n(", 0), 0u);
  messages_.Clear();
  setenv("KORVENT_REGISTRY", (temp_.File() / "below-a-file.sqlite").c_str(), 1);
  std::ofstream(temp_.File()) << "plain file";
  EXPECT_FALSE(Load());
  EXPECT_EQ(messages_.Shown().front().Text.rfind("Ошибка чтения из системного реестра!", 0), 0u);
  SetDefaultUser(3);
  EXPECT_EQ(messages_.LastText().rfind("Ошибка записи в системный реестр!\r\n(", 0), 0u);
}

TEST(ConsoleConfigListTest, NumberOrNameChoosesEmptyLineCancels) {
  std::ostringstream out;
  std::istringstream in("2\noffice\n\n");
  TConsoleConfigListDialog dialog(in, out);
  std::string chosen;
  ASSERT_TRUE(dialog.Execute({"Main", "Office"}, "Main", chosen));
  EXPECT_EQ(chosen, "Office");
  chosen.clear();
  ASSERT_TRUE(dialog.Execute({"Main", "Office"}, "Main", chosen));
  EXPECT_EQ(chosen, "Office") << "by name in any letter case";
  EXPECT_FALSE(dialog.Execute({"Main", "Office"}, "Main", chosen));
  EXPECT_FALSE(dialog.Execute({"Main"}, "Main", chosen)) << "end of input cancels";
  EXPECT_TRUE(test::Contains(out.str(), "1. Main *"));
}

class CurrencyMarkerTest : public ::testing::Test {
protected:
  testing::TTempRegistry temp_;
};

TEST_F(CurrencyMarkerTest, SavedDateIsOneEightByteDoubleAndABadFileMeansYesterday) {
  EXPECT_DOUBLE_EQ(LoadLastCurrencyUpdate(temp_.Dir().string()), Date() - 1);
  const TDateTime when = EncodeDate(2024, 3, 15) + 0.5;
  SaveLastCurrencyUpdate(temp_.Dir().string(), when);
  EXPECT_EQ(std::filesystem::file_size(temp_.Dir() / "Tolvared.lcu"), 8u);
  EXPECT_DOUBLE_EQ(LoadLastCurrencyUpdate(temp_.Dir().string()), when);
  SaveLastCurrencyUpdate(temp_.Dir().string(), when + 1);
  EXPECT_EQ(std::filesystem::file_size(temp_.Dir() / "Tolvared.lcu"), 8u) << "saving truncates";
  EXPECT_THROW(SaveLastCurrencyUpdate((temp_.Dir() / "missing").string(), 1.0), EInOutError);
  std::ofstream(temp_.Dir() / "Tolvared.lcu", std::ios::binary) << "abc";
  EXPECT_DOUBLE_EQ(LoadLastCurrencyUpdate(temp_.Dir().string()), Date() - 1);
  std::ofstream(temp_.Dir() / "Tolvared.lcu", std::ios::binary) << std::string(8, '\xff');
  EXPECT_DOUBLE_EQ(LoadLastCurrencyUpdate(temp_.Dir().string()), Date() - 1);
}

}  // namespace
}  // namespace kv
