#include <gtest/gtest.h>

#include "cli_run.h"

namespace kv::cli {
namespace {

// An eval run: what it prints when it succeeds, or a part of its message when it is refused.
struct TEvalRun {
  std::vector<std::string> Args;
  bool Done;
  std::string Printed;
};

// 4,5 x 2 / (3^2 - 1) = 1,125; 2,5 x 4 + 1,5 = 11,5; a text beginning with a minus is the text,
// before or after the values or after "--"; names in any letter case; a value is a number, a date
// or a text.
TEST(EvalCommands, PrintTheValueOrTheProgramsMessage) {
  const TEvalRun runs[] = {
      {{"formula", "4,5*x/(y^2-z)", "--x", "2", "--y", "3", "--z", "1"}, true, "1,125\n"},
      {{"formula", "a*b+x", "--param", "a=2,5", "--param", "b=4", "--x", "1.5", "--json"},
       true,
       "{\"text\":\"11,5\",\"value\":11.5}\n"},
      {{"formula", "-2*3"}, true, "-6\n"},
      {{"formula", "-x*2", "--x", "3"}, true, "-6\n"},
      {{"formula", "--param", "a=1", "--param", "b=2", "--", "-(a+b)"}, true, "-3\n"},
      {{"rule", "-Width", "--var", "Width=3"}, true, "-3\n"},
      {{"rule", "--var", "Width=3", "--", "-Width"}, true, "-3\n"},
      {{"rule", "(Width > 1000) AND (Color = 'white')", "--var", "width=1200", "--var", "COLOR=white"}, true, "1\n"},
      {{"rule", "COPY(Name, 1, 4) + '!'", "--var", "Name=Рама белая", "--json"},
       true,
       "{\"type\":\"string\",\"value\":\"Рама!\"}\n"},
      {{"rule", "D + 1", "--var", "D=28.02.2024"}, true, "29.02.2024\n"},
      {{"formula", "Sin(x)"}, false, "Error in Expression"},
      {{"formula", "x", "--param", "q=1"}, false, "Неизвестный параметр формулы [q]"},
      {{"formula", "x", "--x", "abc"}, false, ""},
      {{"rule", "1", "--jsn"}, false, "Неизвестные параметры или лишние аргументы: --jsn"},
      {{"formula"}, false, "Не задан обязательный параметр TEXT (текст)"},
      {{"rule", "Height * 2"}, false, "Не задано значение [HEIGHT]"},
      {{"rule", "PLC_ALL(1,2,3)"}, false, "Неизвестная функция [PLC_ALL]"},
      {{"rule", "1", "--var", "novalue"}, false, ""},
  };
  for (TEvalRun run : runs) {
    SCOPED_TRACE(run.Args.back());
    run.Args.insert(run.Args.begin(), "eval");
    const TCliRun done = RunCliCaptured(run.Args);
    if (run.Done) {
      EXPECT_EQ(done.Code, 0) << done.Err;
      EXPECT_EQ(done.Out, run.Printed);
    } else {
      EXPECT_NE(done.Code, 0);
      EXPECT_EQ(done.Out, "");
      EXPECT_TRUE(test::Contains(done.Err, run.Printed));
    }
  }
}

}  // namespace
}  // namespace kv::cli
