#pragma once
// Runs korvent-cli in the test's process and captures what it prints.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "command_registry.h"
#include "shell/error_of.h"

namespace kv::cli {

struct TCliRun {
  int Code = 0;
  std::string Out;
  std::string Err;
};

inline TCliRun RunCliCaptured(const std::vector<std::string>& args) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  TCliRun run;
  run.Code = RunCli(args);
  run.Out = ::testing::internal::GetCapturedStdout();
  run.Err = ::testing::internal::GetCapturedStderr();
  return run;
}

// A test with a folder of its own, removed afterwards.
class TCliFolderTest : public ::testing::Test {
protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    root = std::filesystem::temp_directory_path() /
           ("kv-cli-" + std::to_string(getpid()) + "-" + test->test_suite_name() + "-" + test->name());
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
  }
  void TearDown() override { std::filesystem::remove_all(root); }
  std::string Path(const std::string& Name) const { return (root / Name).string(); }
  // A run that must succeed.
  static void Run(const std::vector<std::string>& Args) {
    const TCliRun run = RunCliCaptured(Args);
    ASSERT_EQ(run.Code, 0) << run.Err;
  }
  // What a run that must succeed prints as JSON.
  static nlohmann::json Json(const std::vector<std::string>& Args) {
    const TCliRun run = RunCliCaptured(Args);
    EXPECT_EQ(run.Code, 0) << run.Err;
    return run.Code == 0 ? nlohmann::json::parse(run.Out) : nlohmann::json();
  }

  std::filesystem::path root;
};

}  // namespace kv::cli
