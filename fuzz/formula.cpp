// The formula language on arbitrary text: a compiled formula or "Error in Expression", never a
// crash; a compiled formula evaluates to a finite number, and once it is evaluated often enough to
// run as machine instructions, to the very same number.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "calc/express.h"
#include "shell/errors.h"
#include "shell/session_context.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kv::TSessionContext context;
  const kv::TContextScope current(context);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  constexpr std::array<long double, 6> kParameters = {1, -2, 0, 3.5L, 1e300L, -0.5L};
  kv::TExpress express;
  express.SetParameters(kParameters);
  try {
    express.SetExpression(text);
  } catch (const kv::EExpressError&) {
    if (express.TheFunction(1, 2, 3) != 0) std::abort();
    return 0;
  }
  constexpr long double kValues[] = {0.0L, -1.0L, 2.5L, 1e4000L};
  for (const long double x : kValues)
    if (!std::isfinite(express.TheFunction(x, -x, x / 3))) std::abort();
  kv::TExpress often;
  often.SetParameters(kParameters);
  often.SetExpression(text);
  for (int i = 0; i < 32; ++i) often.TheFunction(1, 2, 3);
  if (!often.Native().Ready()) return 0;
  for (const long double x : kValues) {
    const long double listed = express.TheFunction(x, -x, x / 3), native = often.TheFunction(x, -x, x / 3);
    if (std::memcmp(&listed, &native, 10) != 0) std::abort();  // the 80 bits of the value
  }
  return 0;
}
