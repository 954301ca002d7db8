#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

#include "cli/cli_run.h"

namespace kv::cli {
namespace {

struct TUsageCase {
  std::vector<std::string> Args;
  std::string Message;
};

TEST(UsageErrors, AreGivenInRussianWithTheOptionAndTheExpectedValue) {
  const TUsageCase cases[] = {
      {{"construction", "build", "--width", "abc"},
       "Неверное значение параметра --width: \"abc\"; ожидается целое число"},
      {{"construction", "build", "--width"}, "Неверное число значений параметра --width; ожидается целое число"},
      {{"construction", "build", "--figure", "oval"},
       "Неверное значение параметра --figure: \"oval\" не из списка: rect,"},
      {{"order", "add", "x.gxo", "--count", "0"},
       "Неверное значение параметра --count: ожидается число больше нуля, задано 0"},
      {{"order", "new", "x.gxo"}, "Не указан номер заказа!"},
      {{"order", "show", "/"}, "Неверное значение параметра file: [/] - папка, а не файл"},
      {{"config"}, "Не указана команда; допустимы: show, check\nСправка: korvent-cli config --help"},
      {{"config", "show", "--config", "Main\\X"}, "Неверное значение параметра --config: имя конфигурации не может"},
      {{"setup", "--root", "r", "--admin-password", "a", "--default-admin-password"},
       "Параметр --admin-password несовместим с параметром --default-admin-password"},
  };
  for (const TUsageCase& usage : cases) {
    const TCliRun run = RunCliCaptured(usage.Args);
    EXPECT_NE(run.Code, 0);
    EXPECT_TRUE(test::Contains(run.Err, usage.Message));
  }
  const std::string folder = std::filesystem::temp_directory_path().string();
  const TCliRun run = RunCliCaptured({"order", "add", folder});
  EXPECT_NE(run.Code, 0);
  EXPECT_TRUE(test::Contains(run.Err, "Не могу открыть файл [" + folder + "]!"));
  // JSON output replaces bytes that are not UTF-8.
  const TCliRun json = RunCliCaptured({"eval", "rule",
                                       "'a\xFF"
                                       "b'",
                                       "--json"});
  ASSERT_EQ(json.Code, 0) << json.Err;
  EXPECT_EQ(nlohmann::json::parse(json.Out)["value"],
            "a\xEF\xBF\xBD"
            "b");
}

}  // namespace
}  // namespace kv::cli
