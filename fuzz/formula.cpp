// The formula language on arbitrary text: a compiled formula or "Error in Expression", never a
// crash; a compiled formula evaluates to a finite number.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calc/express.h"
#include "shell/errors.h"
#include "shell/session_context.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kv::TSessionContext context;
  const kv::TContextScope current(context);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kv::TExpress express;
  express.SetParameters({1, -2, 0, 3.5L, 1e300L, -0.5L});
  try {
    express.SetExpression(text);
  } catch (const kv::EExpressError&) {
    if (express.TheFunction(1, 2, 3) != 0) std::abort();
    return 0;
  }
  for (const long double x : {0.0L, -1.0L, 2.5L, 1e4000L})
    if (!std::isfinite(express.TheFunction(x, -x, x / 3))) std::abort();
  return 0;
}
