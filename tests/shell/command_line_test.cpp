#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(CommandLineTest, WholeParameterMatchesInAnyLetterCase) {
  TCommandLineScope scope({"/order:x.gxo", "/configmenu"});
  int index = 0;
  EXPECT_TRUE(ExeParamExists(kSwitchConfigMenu, index));
  EXPECT_EQ(index, 2);
  EXPECT_TRUE(ExeParamExists("/ConfigMenu"));
}

TEST(CommandLineTest, WholeParameterMustNotBePartOfALongerOne) {
  TCommandLineScope scope({"/CONFIGMENU2", "/IgnoreUsers"});
  int index = 0;
  EXPECT_FALSE(ExeParamExists(kSwitchConfigMenu, index));
  EXPECT_EQ(index, -1);
  EXPECT_FALSE(ExeParamExists(kSwitchIgnoreUser));
}

TEST(CommandLineTest, FirstWholeMatchWins) {
  TCommandLineScope scope({"a", "/IGNOREUSER", "/ignoreuser"});
  int index = 0;
  ASSERT_TRUE(ExeParamExists(kSwitchIgnoreUser, index));
  EXPECT_EQ(index, 2);
}

TEST(CommandLineTest, ValueAfterSwitchComesBackUpperCased) {
  TCommandLineScope scope({"/dbconfig:Office"});
  std::string value;
  ASSERT_TRUE(FindParamStr(kSwitchDBConfig, value));
  EXPECT_EQ(value, "OFFICE");
}

TEST(CommandLineTest, CyrillicValuesAreUpperCasedToo) {
  TCommandLineScope scope({"/User:Иванов"});
  std::string value;
  ASSERT_TRUE(FindParamStr(kSwitchUser, value));
  EXPECT_EQ(value, "ИВАНОВ");
}

TEST(CommandLineTest, SwitchIsFoundInsideAParameter) {
  TCommandLineScope scope({"first", "x/ORDER:/tmp/a.gxo"});
  std::string value;
  ASSERT_TRUE(FindParamStr(kSwitchOrder, value));
  EXPECT_EQ(value, "/TMP/A.GXO");
}

TEST(CommandLineTest, MissingSwitchGivesFalseAndEmptyValue) {
  TCommandLineScope scope({"/CONFIGMENU"});
  std::string value = "left over";
  EXPECT_FALSE(FindParamStr(kSwitchDBConfig, value));
  EXPECT_EQ(value, "");
}

TEST(CommandLineTest, ValueIsCutAtThousandCharacters) {
  TCommandLineScope scope({"/Order:" + std::string(1500, 'a')});
  std::string value;
  ASSERT_TRUE(FindParamStr(kSwitchOrder, value));
  EXPECT_EQ(value, std::string(1000, 'A'));
  TCommandLineScope cyrillic({"/Order:" + [] {
    std::string s;
    for (int i = 0; i < 1200; ++i) s += "ж";
    return s;
  }()});
  ASSERT_TRUE(FindParamStr(kSwitchOrder, value));
  EXPECT_EQ(value.size(), 2000u) << "1000 two-byte characters";
}

TEST(CommandLineTest, SetCommandLineSkipsTheProgramName) {
  TCommandLineScope scope({});
  const char* argv[] = {"korvent", "/DBCONFIG:x", "/IgnoreUser"};
  SetCommandLine(3, argv);
  EXPECT_EQ(CommandLineParams(), (std::vector<std::string>{"/DBCONFIG:x", "/IgnoreUser"}));
}

TEST(CommandLineTest, ScopeRestoresTheParameters) {
  TCommandLineScope outer({"/A"});
  { TCommandLineScope inner({"/B"}); }
  EXPECT_EQ(CommandLineParams(), std::vector<std::string>{"/A"});
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST(CommandLineTextTest, ValueKeepsItsLetterCase) {
  TCommandLineScope scope({"/order:/tmp/Заказ-a.gxo"});
  std::string value;
  ASSERT_TRUE(FindParamText(kSwitchOrder, value));
  EXPECT_EQ(value, "/tmp/Заказ-a.gxo");
  ASSERT_TRUE(FindParamStr(kSwitchOrder, value));
  EXPECT_EQ(value, "/TMP/ЗАКАЗ-A.GXO");
}

}  // namespace
}  // namespace kv
