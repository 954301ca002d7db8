#pragma once
// The message a failing call raises, for comparing whole Russian messages in one line; whether a
// text holds a part of a message or of a program's output.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "shell/errors.h"

namespace kv::test {

// The message of the TError the call raises; "no error" when it returns.
template <typename TError = EKvError, typename TCall>
std::string ErrorOf(TCall&& Call) {
  try {
    std::forward<TCall>(Call)();
  } catch (const TError& error) {
    return error.what();
  }
  return "no error";
}

// Succeeds when Text holds Part; a failure shows both.
inline ::testing::AssertionResult Contains(const std::string& Text, const std::string& Part) {
  if (Text.find(Part) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "[" << Text << "] does not hold [" << Part << "]";
}

}  // namespace kv::test
