#pragma once
// A variant value as the documents store them: empty, null, a 16-bit, 32-bit or byte integer, a
// single or double float, money, a date, a boolean or a string. The type codes are those of the
// stored 16-byte variant records.
#include <cstdint>
#include <string>
#include <variant>

#include "shell/date_time.h"
#include "shell/money.h"

namespace kv {

enum TVarType : uint16_t {
  varEmpty = 0,
  varNull = 1,
  varSmallint = 2,
  varInteger = 3,
  varSingle = 4,
  varDouble = 5,
  varCurrency = 6,
  varDate = 7,
  varBoolean = 11,
  varByte = 17,
  varInt64 = 20,  // only the construction stream's one 64-bit glass field uses it
  varString = 256,
};

struct TVarNull {
  friend bool operator==(TVarNull, TVarNull) { return true; }
};
struct TVarDate {
  TDateTime Value = 0;
  friend bool operator==(TVarDate, TVarDate) = default;
};

class TVariant {
public:
  TVariant() = default;
  TVariant(TVarNull) : value_(TVarNull{}) {}
  TVariant(int16_t v) : value_(v) {}
  TVariant(int32_t v) : value_(v) {}
  TVariant(float v) : value_(v) {}
  TVariant(double v) : value_(v) {}
  TVariant(TCurrency v) : value_(v) {}
  TVariant(TVarDate v) : value_(v) {}
  TVariant(bool v) : value_(v) {}
  TVariant(uint8_t v) : value_(v) {}
  TVariant(int64_t v) : value_(v) {}
  TVariant(std::string v) : value_(std::move(v)) {}
  TVariant(const char* v) : value_(std::string(v)) {}

  static TVariant Null() { return TVariant(TVarNull{}); }
  static TVariant Date(TDateTime value) { return TVariant(TVarDate{value}); }

  TVarType VarType() const;
  bool IsString() const { return std::holds_alternative<std::string>(value_); }
  // The text the variant holds; nullptr when it holds no string.
  const std::string* IfString() const { return std::get_if<std::string>(&value_); }
  bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }

  // Conversions as the readers of the documents need them; a string converts through the
  // program's number format, empty and null convert to zero; anything else raises EConvertError.
  int32_t AsInteger() const;
  int64_t AsInt64() const;
  long double AsExtended() const;
  double AsDouble() const { return static_cast<double>(AsExtended()); }
  float AsSingle() const { return static_cast<float>(AsExtended()); }
  bool AsBoolean() const;
  TCurrency AsCurrency() const;
  TDateTime AsDate() const;
  std::string AsString() const;

  friend bool operator==(const TVariant&, const TVariant&) = default;

private:
  using TValue = std::variant<std::monostate, TVarNull, int16_t, int32_t, float, double, TCurrency, TVarDate, bool,
                              uint8_t, std::string, int64_t>;
  TValue value_;
};

}  // namespace kv
