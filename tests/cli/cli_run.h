#pragma once
// Runs korvent-cli in the test's process and captures what it prints.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_registry.h"

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

}  // namespace kv::cli
