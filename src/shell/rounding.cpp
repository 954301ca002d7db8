#include "shell/rounding.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "shell/errors.h"

namespace kv {

namespace {

// Truncation of a non-negative extended value below 2^53. Going through a double costs no change of
// the x87 rounding mode, unlike a direct conversion; a double rounded up past the value is stepped
// back, so the result is exact.
int64_t WholeOf(long double a) {
  auto whole = static_cast<int64_t>(static_cast<double>(a));
  if (whole > a) --whole;
  return whole;
}

constexpr long double kTwoTo53 = 9007199254740992.0L;

// truncl, with the fast path below 2^53 and the sign of zero kept.
long double Int(long double x) {
  const long double a = fabsl(x);
  if (!(a < kTwoTo53)) return truncl(x);
  return copysignl(static_cast<long double>(WholeOf(a)), x);
}
long double Frac(long double x) { return x - Int(x); }

int32_t CheckedInt32(long double x) {
  if (!(x >= INT32_MIN && x <= INT32_MAX)) throw EIntOverflow("Переполнение целого числа");
  return static_cast<int32_t>(x);
}

constexpr long double kPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

long double PowerOfTen(int exponent) { return kPowersOfTen[exponent]; }

// y rounded to one decimal, then moved one unit by step when a tenth or more is left.
int32_t RoundedSingleStep(long double x, long double step) {
  long double y = GetRoundedSingle(x);
  if (fabsl(Frac(y)) >= 0.1L) y = Int(y + step);
  return CheckedInt32(Int(y));
}

// An extended value as Significand x 2^Exponent (the significand with its integer bit), read from
// its bits so that taking it apart costs no x87 conversions.
struct TExtendedParts {
  bool Negative = false;
  bool Finite = true;
  uint64_t Significand = 0;
  int Exponent = 0;
};

TExtendedParts PartsOf(long double x) {
  constexpr int kBias = 16383;
  constexpr int kSignificandBits = 63;
  uint64_t significand = 0;
  uint16_t sign_and_exponent = 0;
  std::memcpy(&significand, &x, sizeof significand);
  std::memcpy(&sign_and_exponent, reinterpret_cast<const char*>(&x) + sizeof significand, sizeof sign_and_exponent);
  const int biased = sign_and_exponent & 0x7FFF;
  // A denormal has the exponent of the smallest normal value.
  const int exponent = (biased == 0 ? 1 : biased) - kBias - kSignificandBits;
  return {(sign_and_exponent & 0x8000) != 0, biased != 0x7FFF, significand, exponent};
}

// The ten-thousandths of a fraction fraction_bits x 2^-shift (below 1), cut as an extended
// multiplication by 10000 cuts them: the product rounded to 64 significant bits, to nearest with
// ties to even, then truncated.
int TenThousandthsOf(uint64_t fraction_bits, int shift) {
  unsigned __int128 product = static_cast<unsigned __int128>(fraction_bits) * 10000;
  if (const auto high = static_cast<uint64_t>(product >> 64)) {
    const unsigned __int128 unit = static_cast<unsigned __int128>(1) << std::bit_width(high);
    const unsigned __int128 rest = product & (unit - 1);
    product -= rest;
    if (rest > unit / 2 || (rest == unit / 2 && (product & unit) != 0)) product += unit;
  }
  return shift >= 128 ? 0 : static_cast<int>(product >> shift);
}

// Rounding half-up decimal by decimal from the fourth to the first carries into the units from
// 0.4445 on (through 0.445, 0.45 and 0.5); 0.4444 carries nothing, and no step lowers the value.
constexpr int kCascadeCarryFrom = 4445;

}  // namespace

// Taken apart in integers, exactly as the cascade reads the extended value.
int32_t GetRounded(long double x) {
  const TExtendedParts parts = PartsOf(x);
  // A normal value with a higher exponent is 2^32 or more; also refuses infinities and NaN.
  if (!parts.Finite || parts.Exponent > -32) throw EIntOverflow("Переполнение целого числа");
  const int shift = -parts.Exponent;
  const uint64_t whole = shift >= 64 ? 0 : parts.Significand >> shift;
  const uint64_t fraction_bits = shift >= 64 ? parts.Significand : parts.Significand & ((uint64_t{1} << shift) - 1);
  const bool carry = TenThousandthsOf(fraction_bits, shift) >= kCascadeCarryFrom;
  const auto magnitude = static_cast<int64_t>(whole) + (carry ? 1 : 0);
  const int64_t result = parts.Negative ? -magnitude : magnitude;
  if (result < INT32_MIN || result > INT32_MAX) throw EIntOverflow("Переполнение целого числа");
  return static_cast<int32_t>(result);
}

void RoundFloat(double& x) {
  if (x != 0) x = static_cast<double>(Int(x) + static_cast<long double>(GetRounded(Frac(x) * 10000)) / 10000);
}

long double GetRoundedFloat(long double x, int digits) {
  if (x == 0) return 0;
  if (digits > 0) {
    const long double k = digits <= 8 ? PowerOfTen(digits) : 1;
    return Int(x) + GetRounded(Frac(x) * k) / k;
  }
  const long double k = -digits <= 8 ? PowerOfTen(-digits) : 1;
  return GetRounded(x / k) * k;
}

long double GetRoundedSingle(long double x) {
  if (x == 0) return 0;
  return Int(x) + GetRounded(Frac(x) * 10) / 10.0L;
}

int32_t GetRoundedToMin(long double x) { return CheckedInt32(Int(GetRoundedSingle(x))); }

int32_t GetRoundedToMax(long double x) {
  const long double y = GetRoundedSingle(x);
  return RoundedSingleStep(x, y > 0 ? 1 : (y < 0 ? -1 : 0));
}

int32_t GetRoundedToPlus(long double x) { return RoundedSingleStep(x, 1); }

int32_t GetRoundedToMinus(long double x) { return RoundedSingleStep(x, -1); }

long double GetRoundedToPack(long double pack, long double value) {
  if (value == 0 || pack <= 0) return value;
  const long double packs = value / pack;
  long double result = Int(packs) * pack;
  if (Frac(packs) != 0) result += pack;
  return result;
}

void RoundCurrDec(TCurrency& c, int digits) {
  if (c.Raw() == 0) return;
  const int magnitude = digits < 0 ? -digits : digits;
  const long double k = magnitude >= 1 && magnitude <= 4 ? PowerOfTen(magnitude) : 1;
  const long double value = c.ToExtended();
  c = TCurrency::FromExtended(Int(value) + GetRounded(Frac(value) * k) / k);
}

bool LessThan(long double a, long double b) { return a - b <= -0.01L; }
bool GreaterThan(long double a, long double b) { return b - a <= -0.01L; }

int32_t SetSize10(float x) { return GetRounded(static_cast<long double>(x) * 10); }
int32_t GetSize10i(float x) { return GetRounded(static_cast<long double>(x) / 10); }
float SetSize10F(float x) { return x * 10; }
float GetSize10(float x) { return x / 10; }
TPoint SetPoint10(TPoint p) { return {SetSize10(static_cast<float>(p.X)), SetSize10(static_cast<float>(p.Y))}; }
TPoint GetPoint10i(TPoint p) { return {GetSize10i(static_cast<float>(p.X)), GetSize10i(static_cast<float>(p.Y))}; }

}  // namespace kv
