#include "shell/money.h"

#include <cmath>

#include "shell/errors.h"
#include "shell/format_settings.h"

namespace kv {

TCurrency TCurrency::FromExtended(long double value) {
  const long double scaled = nearbyintl(value * kScale);
  if (!(scaled >= -9.2e18L && scaled <= 9.2e18L)) throw EIntOverflow("Переполнение денежной суммы");
  return TCurrency(static_cast<int64_t>(scaled));
}

std::string CurrToStr(TCurrency value, int decimals) {
  return Format("%." + std::to_string(decimals) + "n", value.ToExtended());
}

std::string CurrToCurrencyStr(TCurrency value) {
  return CurrToStr(value, FormatSettings().CurrencyDecimals) + " " + FormatSettings().CurrencyString;
}

}  // namespace kv
