#include "shell/variant.h"

#include <cmath>

#include "shell/errors.h"
#include "shell/format_settings.h"

namespace kv {

namespace {

template <class... Ts>
struct TOverloaded : Ts... {
  using Ts::operator()...;
};
// clang 14 (the fuzzing build) does not deduce aggregate template arguments by itself.
template <class... Ts>
TOverloaded(Ts...) -> TOverloaded<Ts...>;

[[noreturn]] void ThrowCannotConvert(const char* target) {
  throw EConvertError(std::string("Невозможно преобразовать значение в ") + target);
}

// A date without a time of day as the date, a time on day 0 as the time, anything else as both.
std::string DateValueText(TDateTime value) {
  if (value == std::floor(value)) return DateToStr(value);
  if (std::floor(value) == 0) return TimeToStr(value);
  return DateTimeToStr(value);
}

}  // namespace

TVarType TVariant::VarType() const {
  static constexpr TVarType kCodes[] = {varEmpty,    varNull, varSmallint, varInteger, varSingle, varDouble,
                                        varCurrency, varDate, varBoolean,  varByte,    varString, varInt64};
  return kCodes[value_.index()];
}

long double TVariant::AsExtended() const {
  return std::visit(TOverloaded{
                        [](std::monostate) -> long double { return 0; },
                        [](TVarNull) -> long double { return 0; },
                        [](TCurrency v) -> long double { return v.ToExtended(); },
                        [](TVarDate v) -> long double { return v.Value; },
                        [](bool v) -> long double { return v ? -1 : 0; },
                        [](const std::string& v) -> long double { return StrToFloat(v); },
                        [](auto v) -> long double { return static_cast<long double>(v); },
                    },
                    value_);
}

int32_t TVariant::AsInteger() const {
  if (auto v = std::get_if<int32_t>(&value_)) return *v;
  if (auto v = std::get_if<int16_t>(&value_)) return *v;
  if (auto v = std::get_if<uint8_t>(&value_)) return *v;
  if (auto s = std::get_if<std::string>(&value_)) return StrToInt(*s);
  const long double v = nearbyintl(AsExtended());
  if (!(v >= INT32_MIN && v <= INT32_MAX)) ThrowCannotConvert("целое число");
  return static_cast<int32_t>(v);
}

int64_t TVariant::AsInt64() const {
  if (auto v = std::get_if<int64_t>(&value_)) return *v;
  if (auto s = std::get_if<std::string>(&value_)) {
    long long parsed = 0;
    if (!TryStrToInt(*s, parsed)) ThrowCannotConvert("целое число");
    return parsed;
  }
  const long double v = nearbyintl(AsExtended());
  if (!(v >= -9.2e18L && v <= 9.2e18L)) ThrowCannotConvert("целое число");
  return static_cast<int64_t>(v);
}

bool TVariant::AsBoolean() const {
  if (auto b = std::get_if<bool>(&value_)) return *b;
  if (auto s = std::get_if<std::string>(&value_)) {
    if (*s == "True" || *s == "TRUE" || *s == "true") return true;
    if (*s == "False" || *s == "FALSE" || *s == "false") return false;
  }
  return AsExtended() != 0;
}

TCurrency TVariant::AsCurrency() const {
  if (auto c = std::get_if<TCurrency>(&value_)) return *c;
  return TCurrency::FromExtended(AsExtended());
}

TDateTime TVariant::AsDate() const {
  if (auto s = std::get_if<std::string>(&value_)) return StrToDate(*s);
  return static_cast<TDateTime>(AsExtended());
}

std::string TVariant::AsString() const {
  return std::visit(TOverloaded{
                        [](std::monostate) { return std::string(); },
                        [](TVarNull) { return std::string(); },
                        [](TCurrency v) { return FloatToStr(v.ToExtended()); },
                        [](TVarDate v) { return DateValueText(v.Value); },
                        [](bool v) { return std::string(v ? "True" : "False"); },
                        [](const std::string& v) { return v; },
                        [](float v) { return FloatToStr(v); },
                        [](double v) { return FloatToStr(v); },
                        [](auto v) { return IntToStr(v); },
                    },
                    value_);
}

}  // namespace kv
