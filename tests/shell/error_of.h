#pragma once
// The message a failing call raises, for comparing whole Russian messages in one line.
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

}  // namespace kv::test
