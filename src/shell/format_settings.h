#pragma once
// Process-wide number, date and currency formats, and the printf-style Format of the program's
// messages. Every user-visible number goes through these, so the decimal separator is ",".
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace kv {

struct TFormatSettings {
  char DecimalSeparator = ',';
  std::string ThousandSeparator = " ";
  std::string ShortDateFormat = "dd.mm.yyyy";
  char DateSeparator = '.';
  std::string CurrencyString = "р.";
  int CurrencyDecimals = 2;
};

// The settings of the current session context.
TFormatSettings& FormatSettings();

using TFormatArg = std::variant<long long, unsigned long long, long double, std::string>;

std::string FormatArgs(std::string_view format, const std::vector<TFormatArg>& args);

template <typename T>
TFormatArg ToFormatArg(const T& value) {
  if constexpr (std::is_same_v<T, bool>)
    return static_cast<long long>(value);
  else if constexpr (std::is_enum_v<T>)
    return static_cast<long long>(value);
  else if constexpr (std::is_floating_point_v<T>)
    return static_cast<long double>(value);
  else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>)
    return static_cast<long long>(value);
  else if constexpr (std::is_integral_v<T>)
    return static_cast<unsigned long long>(value);
  else
    return std::string(value);
}

// printf-style formatting: %d %i %u %x %X %f %e %g %n %s %c %%, with flags, width and precision;
// floating numbers use the decimal separator of the settings, %n also groups thousands.
// A conversion that does not fit its argument raises EConvertError.
template <typename... Args>
std::string Format(std::string_view format, const Args&... args) {
  return FormatArgs(format, std::vector<TFormatArg>{ToFormatArg(args)...});
}

// Number to text with the settings' decimal separator and the shortest exact form ("12,5", "3").
std::string FloatToStr(long double value);
// Text to number; accepts the settings' separator or a point; raises EConvertError with
// "'%s' is not a valid floating point value" in the program's words.
long double StrToFloat(std::string_view text);
bool TryStrToFloat(std::string_view text, long double& value);
int StrToInt(std::string_view text);
bool TryStrToInt(std::string_view text, long long& value);
std::string IntToStr(long long value);

}  // namespace kv
