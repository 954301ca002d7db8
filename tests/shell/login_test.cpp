#include "shell/login.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "shell/command_line.h"
#include "shell/configuration.h"
#include "shell/databases.h"
#include "shell/error_of.h"
#include "shell/temp_registry.h"
#include "shell/user_messages.h"

namespace kv {
namespace {

TEST(PasswordHashTest, HashIsSaltedAndComparedInUpperCaseRightsAreTwoDigitCodes) {
  const std::string hash = HashPassword("secret");
  EXPECT_EQ(hash.rfind("$6$", 0), 0u);
  EXPECT_FALSE(test::Contains(hash, "SECRET"));
  EXPECT_NE(HashPassword("secret"), hash) << "a new salt each time";
  EXPECT_TRUE(PasswordMatches("secret", hash));
  EXPECT_TRUE(PasswordMatches("SeCrEt", hash));
  EXPECT_FALSE(PasswordMatches("secret2", hash));
  EXPECT_TRUE(PasswordMatches("пароль", HashPassword("ПАРОЛЬ")));
  // Letters outside the Windows-1251 code page keep their identity and their case.
  EXPECT_TRUE(PasswordMatches("σοφία", HashPassword("ΣΟΦΊΑ")));
  EXPECT_TRUE(PasswordMatches("straße", HashPassword("STRASSE")));
  EXPECT_FALSE(PasswordMatches("????", HashPassword("漢字漢字")));
  EXPECT_FALSE(PasswordMatches("字漢字漢", HashPassword("漢字漢字")));
  EXPECT_FALSE(PasswordMatches("SECRET", "SECRET")) << "plain text never matches";
  EXPECT_FALSE(PasswordMatches("", ""));
  EXPECT_FALSE(PasswordMatches("x", "$6$"));
  EXPECT_EQ(ParseRights("02,05, 11"), (std::vector<int>{2, 5, 11}));
  EXPECT_EQ(ParseRights("2,abc,003,,07"), (std::vector<int>{7}));
  EXPECT_EQ(RightsText({2, 5}), "02,05");
  EXPECT_TRUE(ParseRights("").empty());
}

class TScriptedLogin : public ILoginDialog {
public:
  bool Execute(TLogin& login) override {
    preselected = login.PreselectedUser();
    if (user == 0) return false;
    accepted_password = login.PasswordAccepted(user, password);
    return login.Accept(user, password);
  }
  int32_t user = 0;
  std::string password;
  int32_t preselected = -1;
  bool accepted_password = false;
};

class LoginTest : public ::testing::Test {
protected:
  LoginTest() : messages_scope_(messages_) {
    Configuration().GXSysDBDir = (temp_.Dir() / "SysDB").string();
    Configuration().GXStationName = "STATION-1";
    CreateAliasDatabase(TDatabaseAlias::GXDB_SysDB, Configuration().GXSysDBDir, DataDir());
    TSystemDatabase database(Configuration().GXSysDBDir);
    admin_ = database.AddUser("Администратор", "admin", {1, kDesignModuleRight});
    clerk_ = database.AddUser("Бухгалтер", "clerk", {5});
    SetLoginDialog(&dialog_);
  }
  ~LoginTest() override {
    SetLoginDialog(nullptr);
    CurrentUser() = TLoggedUser{};
  }

  bool Login() {
    bool ask = true;
    return LoadUserAccessRights(kDesignModuleRight, ask);
  }
  bool LoginAs(int32_t user, const std::string& password) {
    dialog_.user = user;
    dialog_.password = password;
    return Login();
  }

  testing::TTempRegistry temp_;
  TScriptedMessages messages_;
  TUserMessagesScope messages_scope_;

  TScriptedLogin dialog_;
  int32_t admin_ = 0;
  int32_t clerk_ = 0;
};

TEST_F(LoginTest, RightPasswordInAnyCaseLetsTheUserInAtTheStationUntilLeft) {
  ASSERT_TRUE(LoginAs(admin_, "ADMIN"));
  EXPECT_TRUE(dialog_.accepted_password);
  EXPECT_EQ(CurrentUser().ID, admin_);
  EXPECT_TRUE(CurrentUser().HasRight(kDesignModuleRight));
  EXPECT_EQ(GetDefaultUser(), admin_) << "the user is stored back as the default";
  EXPECT_TRUE(messages_.Shown().empty());
  ASSERT_TRUE(LoginAs(admin_, "admin"));
  TSystemDatabase database(Configuration().GXSysDBDir);
  EXPECT_EQ(database.OtherStationOf(admin_, "ELSEWHERE"), "STATION-1");
  LeaveSystemStation();
  EXPECT_EQ(database.OtherStationOf(admin_, "ELSEWHERE"), "");
  EXPECT_EQ(CurrentUser().ID, 0);
}

TEST_F(LoginTest, WrongPasswordOrMissingModuleRightIsRefusedAndTheDefaultOrSwitchUserPreselected) {
  EXPECT_FALSE(LoginAs(admin_, "guess"));
  EXPECT_FALSE(dialog_.accepted_password);
  EXPECT_EQ(CurrentUser().ID, 0);
  EXPECT_FALSE(LoginAs(clerk_, "clerk"));
  EXPECT_EQ(messages_.LastText(), "Вы не имеете права доступа в данный модуль!");
  SetDefaultUser(clerk_);
  EXPECT_FALSE(Login());
  EXPECT_EQ(dialog_.preselected, clerk_);
  SetCommandLine({"/User:администратор"});
  EXPECT_FALSE(Login());
  EXPECT_EQ(dialog_.preselected, admin_);
}

TEST_F(LoginTest, UserWorkingElsewhereIsRefusedUnlessIgnoredButNotAtTheSameStation) {
  TSystemDatabase(Configuration().GXSysDBDir).EnterStation("STATION-1", admin_);
  EXPECT_TRUE(LoginAs(admin_, "admin"));
  TSystemDatabase(Configuration().GXSysDBDir).EnterStation("STATION-2", admin_);
  EXPECT_FALSE(LoginAs(admin_, "admin"));
  EXPECT_EQ(messages_.LastText(), "Данный пользователь уже в сети. Зайдите под другим именем!");
  SetCommandLine({"/ignoreuser"});
  EXPECT_TRUE(Login());
}

TEST_F(LoginTest, MissingUnopenableOrCorruptDatabaseGivesItsMessage) {
  const std::string dir = Configuration().GXSysDBDir;
  Configuration().GXSysDBDir = (temp_.Dir() / "nowhere").string();
  EXPECT_FALSE(Login());
  EXPECT_EQ(messages_.LastText().rfind("Проверьте путь доступа к системным базам данных KVSysDB!\r\n", 0), 0u);
  Configuration().GXSysDBDir = dir;
  messages_.Clear();
  std::ofstream(DatabaseFile(Configuration().GXSysDBDir), std::ios::binary | std::ios::trunc) << std::string(5000, 'z');
  EXPECT_FALSE(Login());
  EXPECT_EQ(messages_.LastText(),
            "Проверьте путь доступа к системным базам данных KVSysDB!\r\nНе удалось открыть файл "
            "базы данных [" +
                DatabaseFile(dir).string() + "]\r\n(файл не является базой данных)");
  Configuration().GXSysDBDir.clear();
  EXPECT_FALSE(Login());
  EXPECT_EQ(messages_.LastText(), "В системе не установлен путь доступа к системным базам данных KVSysDB!");
}

TEST_F(LoginTest, ConsoleDialogRetriesUntilThePasswordFits) {
  std::istringstream in("1\nwrong\nАдминистратор\nadmin\n");
  std::ostringstream out;
  TConsoleLoginDialog console(in, out);
  SetLoginDialog(&console);
  ASSERT_TRUE(Login());
  EXPECT_EQ(CurrentUser().ID, admin_);
  EXPECT_TRUE(test::Contains(out.str(), "Неверное имя пользователя или пароль"));
  std::istringstream end("2\n");
  TConsoleLoginDialog cancelled(end, out);
  SetLoginDialog(&cancelled);
  bool ask = true;
  EXPECT_FALSE(LoadUserAccessRights(kDesignModuleRight, ask)) << "the end of input cancels";
  EXPECT_FALSE(ask);
}

}  // namespace
}  // namespace kv
