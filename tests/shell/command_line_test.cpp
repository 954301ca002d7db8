#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(CommandLineTest, WholeParameterMatchesInAnyLetterCase) {
  SetCommandLine({"/order:x.gxo", "/configmenu"});
  int index = 0;
  EXPECT_TRUE(ExeParamExists(kSwitchConfigMenu, index));
  EXPECT_EQ(index, 2);
  EXPECT_TRUE(ExeParamExists("/ConfigMenu"));
}

TEST(CommandLineTest, WholeParameterMustNotBePartOfALongerOne) {
  SetCommandLine({"/CONFIGMENU2", "/IgnoreUsers"});
  int index = 0;
  EXPECT_FALSE(ExeParamExists(kSwitchConfigMenu, index));
  EXPECT_EQ(index, -1);
  EXPECT_FALSE(ExeParamExists(kSwitchIgnoreUser));
}

TEST(CommandLineTest, FirstWholeMatchWins) {
  SetCommandLine({"a", "/IGNOREUSER", "/ignoreuser"});
  int index = 0;
  ASSERT_TRUE(ExeParamExists(kSwitchIgnoreUser, index));
  EXPECT_EQ(index, 2);
}

TEST(CommandLineTest, ValueAfterSwitchComesBackUpperCased) {
  SetCommandLine({"/dbconfig:Office"});
  std::string value;
  ASSERT_TRUE(FindParamStr(kSwitchDBConfig, value));
  EXPECT_EQ(value, "OFFICE");
}

TEST(CommandLineTest, CyrillicValuesAreUpperCasedToo) {
  SetCommandLine({"/User:Иванов"});
  std::string value;
  ASSERT_TRUE(FindParamStr(kSwitchUser, value));
  EXPECT_EQ(value, "ИВАНОВ");
}

TEST(CommandLineTest, SwitchIsFoundInsideAParameter) {
  SetCommandLine({"first", "x/ORDER:/tmp/a.gxo"});
  std::string value;
  ASSERT_TRUE(FindParamStr(kSwitchOrder, value));
  EXPECT_EQ(value, "/TMP/A.GXO");
}

TEST(CommandLineTest, MissingSwitchGivesFalseAndEmptyValue) {
  SetCommandLine({"/CONFIGMENU"});
  std::string value = "left over";
  EXPECT_FALSE(FindParamStr(kSwitchDBConfig, value));
  EXPECT_EQ(value, "");
}

TEST(CommandLineTest, ValueIsCutAtThousandCharacters) {
  SetCommandLine({"/Order:" + std::string(1500, 'a')});
  std::string value;
  ASSERT_TRUE(FindParamStr(kSwitchOrder, value));
  EXPECT_EQ(value, std::string(1000, 'A'));
  SetCommandLine({"/Order:" + [] {
    std::string s;
    for (int i = 0; i < 1200; ++i) s += "ж";
    return s;
  }()});
  ASSERT_TRUE(FindParamStr(kSwitchOrder, value));
  EXPECT_EQ(value.size(), 2000u) << "1000 two-byte characters";
}

// The entry point parses the program's switches once: the program name is skipped, names match in
// any letter case, configuration and user names come upper-cased and the order file as typed.
TEST(CommandLineTest, ParseFindsEverySwitchOfTheProgram) {
  const char* argv[] = {"korvent", "/dbconfig:office", "/Order:/tmp/Заказ.gxo", "/IGNOREUSER"};
  const TCommandLine line = ParseCommandLine(4, argv);
  EXPECT_EQ(line.Params.size(), 3u);
  EXPECT_FALSE(line.ConfigMenu);
  EXPECT_EQ(line.DBConfig, "OFFICE");
  EXPECT_EQ(line.OrderFile, "/tmp/Заказ.gxo");
  EXPECT_FALSE(line.User.has_value());
  EXPECT_TRUE(line.IgnoreUser);
  const TCommandLine menu = ParseCommandLine({"/ConfigMenu", "/User:иванов", "/Order:"});
  EXPECT_TRUE(menu.ConfigMenu);
  EXPECT_EQ(menu.User, "ИВАНОВ");
  EXPECT_EQ(menu.OrderFile, "") << "the switch without a file is still given";
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST(CommandLineTextTest, ValueKeepsItsLetterCase) {
  SetCommandLine({"/order:/tmp/Заказ-a.gxo"});
  std::string value;
  ASSERT_TRUE(FindParamText(kSwitchOrder, value));
  EXPECT_EQ(value, "/tmp/Заказ-a.gxo");
  ASSERT_TRUE(FindParamStr(kSwitchOrder, value));
  EXPECT_EQ(value, "/TMP/ЗАКАЗ-A.GXO");
}

}  // namespace
}  // namespace kv
