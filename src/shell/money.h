#pragma once
// Money: a signed 64-bit amount of ten-thousandths, never a binary float.
#include <compare>
#include <cstdint>
#include <string>

namespace kv {

class TCurrency {
public:
  static constexpr int64_t kScale = 10000;

  constexpr TCurrency() = default;
  static constexpr TCurrency FromRaw(int64_t raw) { return TCurrency(raw); }
  static constexpr TCurrency FromInt(int64_t units) { return TCurrency(units * kScale); }
  // Rounds to the nearest ten-thousandth (halves to even, as the processor does); raises
  // EIntOverflow beyond the range of the type.
  static TCurrency FromExtended(long double value);

  constexpr int64_t Raw() const { return raw_; }
  long double ToExtended() const { return static_cast<long double>(raw_) / kScale; }
  double ToDouble() const { return static_cast<double>(ToExtended()); }

  constexpr TCurrency operator-() const { return TCurrency(-raw_); }
  constexpr TCurrency operator+(TCurrency other) const { return TCurrency(raw_ + other.raw_); }
  constexpr TCurrency operator-(TCurrency other) const { return TCurrency(raw_ - other.raw_); }
  TCurrency& operator+=(TCurrency other) {
    raw_ += other.raw_;
    return *this;
  }
  TCurrency& operator-=(TCurrency other) {
    raw_ -= other.raw_;
    return *this;
  }
  // Products and quotients are computed in extended precision and rounded back to money.
  TCurrency operator*(long double factor) const { return FromExtended(ToExtended() * factor); }
  TCurrency operator/(long double divisor) const { return FromExtended(ToExtended() / divisor); }

  constexpr auto operator<=>(const TCurrency&) const = default;

private:
  constexpr explicit TCurrency(int64_t raw) : raw_(raw) {}
  int64_t raw_ = 0;
};

// The amount with the settings' decimals and separators: "1 234,50".
std::string CurrToStr(TCurrency value, int decimals);
// The amount in the settings' currency format: amount, blank, symbol ("1 234,50 р.").
std::string CurrToCurrencyStr(TCurrency value);

}  // namespace kv
