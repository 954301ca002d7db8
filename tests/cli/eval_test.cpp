#include <gtest/gtest.h>

#include "cli_run.h"

namespace kv::cli {
namespace {

// 4,5 x 2 / (3^2 - 1) = 1,125; 2,5 x 4 + 1,5 = 11,5.
TEST(EvalFormulaCommand, PrintsTheValueAsTextOrJson) {
  TCliRun run = RunCliCaptured({"eval", "formula", "4,5*x/(y^2-z)", "--x", "2", "--y", "3", "--z", "1"});
  EXPECT_EQ(run.Code, 0);
  EXPECT_EQ(run.Out, "1,125\n");
  run = RunCliCaptured({"eval", "formula", "a*b+x", "--param", "a=2,5", "--param", "b=4", "--x", "1.5", "--json"});
  EXPECT_EQ(run.Code, 0);
  EXPECT_EQ(run.Out, "{\"text\":\"11,5\",\"value\":11.5}\n");
}

TEST(EvalFormulaCommand, ABadFormulaGivesTheMessageAndAnErrorCode) {
  TCliRun run = RunCliCaptured({"eval", "formula", "Sin(x)"});
  EXPECT_NE(run.Code, 0);
  EXPECT_EQ(run.Out, "");
  EXPECT_NE(run.Err.find("Error in Expression"), std::string::npos);
  run = RunCliCaptured({"eval", "formula", "x", "--param", "q=1"});
  EXPECT_NE(run.Code, 0);
  EXPECT_NE(run.Err.find("Неизвестный параметр формулы [q]"), std::string::npos);
  run = RunCliCaptured({"eval", "formula", "x", "--x", "abc"});
  EXPECT_NE(run.Code, 0);
}

TEST(EvalFormulaCommand, ATextBeginningWithAMinusIsTheText) {
  // -2*3 = -6; -x*2 with x = 3 is -6; -(a+b) with a = 1, b = 2 is -3, the text given after "--".
  TCliRun run = RunCliCaptured({"eval", "formula", "-2*3"});
  EXPECT_EQ(run.Out, "-6\n");
  run = RunCliCaptured({"eval", "formula", "-x*2", "--x", "3"});
  EXPECT_EQ(run.Out, "-6\n");
  run = RunCliCaptured({"eval", "formula", "--param", "a=1", "--param", "b=2", "--", "-(a+b)"});
  EXPECT_EQ(run.Out, "-3\n");
  // -Width with Width = 3 is -3, before or after the values.
  run = RunCliCaptured({"eval", "rule", "-Width", "--var", "Width=3"});
  EXPECT_EQ(run.Out, "-3\n");
  run = RunCliCaptured({"eval", "rule", "--var", "Width=3", "--", "-Width"});
  EXPECT_EQ(run.Out, "-3\n");
  // An unknown option beside a text is still refused, and a text is still required.
  run = RunCliCaptured({"eval", "rule", "1", "--jsn"});
  EXPECT_NE(run.Code, 0);
  EXPECT_NE(run.Err.find("Неизвестные параметры или лишние аргументы: --jsn"), std::string::npos) << run.Err;
  run = RunCliCaptured({"eval", "formula"});
  EXPECT_NE(run.Code, 0);
  EXPECT_NE(run.Err.find("Не задан обязательный параметр TEXT (текст)"), std::string::npos) << run.Err;
}

// Names in any letter case; a value is a number, a date or a text.
TEST(EvalRuleCommand, PrintsTheValueOfARule) {
  const std::pair<std::vector<std::string>, const char*> rules[] = {
      {{"(Width > 1000) AND (Color = 'white')", "--var", "width=1200", "--var", "COLOR=white"}, "1\n"},
      {{"COPY(Name, 1, 4) + '!'", "--var", "Name=Рама белая", "--json"}, "{\"type\":\"string\",\"value\":\"Рама!\"}\n"},
      {{"D + 1", "--var", "D=28.02.2024"}, "29.02.2024\n"}};
  for (auto [args, printed] : rules) {
    args.insert(args.begin(), {"eval", "rule"});
    const TCliRun run = RunCliCaptured(args);
    EXPECT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(run.Out, printed);
  }
}

TEST(EvalRuleCommand, UnknownNamesAndBadRulesFail) {
  TCliRun run = RunCliCaptured({"eval", "rule", "Height * 2"});
  EXPECT_NE(run.Code, 0);
  EXPECT_NE(run.Err.find("Не задано значение [HEIGHT]"), std::string::npos);
  run = RunCliCaptured({"eval", "rule", "PLC_ALL(1,2,3)"});
  EXPECT_NE(run.Code, 0);
  EXPECT_NE(run.Err.find("Неизвестная функция [PLC_ALL]"), std::string::npos);
  run = RunCliCaptured({"eval", "rule", "1", "--var", "novalue"});
  EXPECT_NE(run.Code, 0);
}

}  // namespace
}  // namespace kv::cli
