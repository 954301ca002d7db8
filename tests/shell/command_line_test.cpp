#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(CommandLineTest, WholeParameterMatchesInAnyLetterCaseFirstMatchWins) {
  SetCommandLine({"/order:x.gxo", "/configmenu"});
  int index = 0;
  EXPECT_TRUE(ExeParamExists(kSwitchConfigMenu, index));
  EXPECT_EQ(index, 2);
  SetCommandLine({"a", "/IGNOREUSER", "/ignoreuser"});
  ASSERT_TRUE(ExeParamExists(kSwitchIgnoreUser, index));
  EXPECT_EQ(index, 2);
  SetCommandLine({"/CONFIGMENU2", "/IgnoreUsers"});
  EXPECT_FALSE(ExeParamExists(kSwitchConfigMenu, index)) << "part of a longer parameter";
  EXPECT_EQ(index, -1);
  EXPECT_FALSE(ExeParamExists(kSwitchIgnoreUser));
}

TEST(CommandLineTest, ValueAfterSwitchComesBackUpperCasedATextValueAsTyped) {
  struct TCase {
    std::vector<std::string> Params;
    const char* Switch;
    const char* Value;
  };
  const TCase cases[] = {
      {{"/dbconfig:Office"}, kSwitchDBConfig, "OFFICE"},
      {{"/User:Иванов"}, kSwitchUser, "ИВАНОВ"},
      {{"first", "x/ORDER:/tmp/a.gxo"}, kSwitchOrder, "/TMP/A.GXO"},  // found inside a parameter
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Params.back());
    SetCommandLine(c.Params);
    std::string value;
    ASSERT_TRUE(FindParamStr(c.Switch, value));
    EXPECT_EQ(value, c.Value);
  }
  SetCommandLine({"/CONFIGMENU"});
  std::string value = "left over";
  EXPECT_FALSE(FindParamStr(kSwitchDBConfig, value));
  EXPECT_EQ(value, "");
  SetCommandLine({"/order:/tmp/Заказ-a.gxo"});
  ASSERT_TRUE(FindParamText(kSwitchOrder, value));
  EXPECT_EQ(value, "/tmp/Заказ-a.gxo");
}

TEST(CommandLineTest, ParseFindsEverySwitchOfTheProgramAndValuesAreCutAtThousandCharacters) {
  const char* argv[] = {"korvent", "/dbconfig:office", "/Order:/tmp/Заказ.gxo", "/IGNOREUSER"};
  const TCommandLine line = ParseCommandLine(4, argv);
  EXPECT_EQ(line.Params.size(), 3u) << "the program name is skipped";
  EXPECT_FALSE(line.ConfigMenu);
  EXPECT_EQ(line.DBConfig, "OFFICE");
  EXPECT_EQ(line.OrderFile, "/tmp/Заказ.gxo") << "the order file as typed";
  EXPECT_FALSE(line.User.has_value());
  EXPECT_TRUE(line.IgnoreUser);
  const TCommandLine menu = ParseCommandLine({"/ConfigMenu", "/User:иванов", "/Order:"});
  EXPECT_TRUE(menu.ConfigMenu);
  EXPECT_EQ(menu.User, "ИВАНОВ");
  EXPECT_EQ(menu.OrderFile, "") << "the switch without a file is still given";
  SetCommandLine({"/Order:" + std::string(1500, 'a')});
  std::string value;
  ASSERT_TRUE(FindParamStr(kSwitchOrder, value));
  EXPECT_EQ(value, std::string(1000, 'A'));
  std::string cyrillic;
  for (int i = 0; i < 1200; ++i) cyrillic += "ж";
  SetCommandLine({"/Order:" + cyrillic});
  ASSERT_TRUE(FindParamStr(kSwitchOrder, value));
  EXPECT_EQ(value.size(), 2000u) << "1000 two-byte characters";
}

}  // namespace
}  // namespace kv
