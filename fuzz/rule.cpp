// The rule expression evaluator on arbitrary text, with handlers that answer names and evaluate
// function arguments the way the calculators do: a value or the program's message, never a crash.
#include <cstdint>
#include <string_view>

#include "calc/fr_parser.h"
#include "shell/errors.h"
#include "shell/session_context.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kv::TSessionContext context;
  const kv::TContextScope current(context);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kv::TfrParser parser;
  parser.OnGetValue = [](const std::string& name, kv::TVariant& value) {
    if (name.size() % 3 == 0)
      value = static_cast<double>(name.size());
    else if (name.size() % 3 == 1)
      value = name;
  };
  parser.OnFunction = [&parser](const std::string& name, const std::string& p1, const std::string& p2,
                                const std::string& p3,
                                kv::TVariant& value) { value = parser.Calc(name.size() % 2 ? p1 : p2 + p3); };
  try {
    parser.Calc(text).AsString();
  } catch (const kv::EKvError&) {
  }
  return 0;
}
