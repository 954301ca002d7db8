#include "shell/rounding.h"

#include <cmath>

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

// The carry into the units of a fraction of ten-thousandths rounded half-up decimal by decimal from
// the fourth to the first; a carry can make a half at the next decimal (0.4445 carries 1).
int CascadeCarry(int ten_thousandths) {
  int n = ten_thousandths;
  for (int unit = 10; unit <= 10000; unit *= 10)
    if (n % unit >= unit / 2) n += unit;
  return n / 10000;
}

}  // namespace

int32_t GetRounded(long double x) {
  const long double a = fabsl(x);
  // Past this no sign can bring the result back into 32 bits; also refuses NaN.
  if (!(a < 2147483649.0L)) throw EIntOverflow("Переполнение целого числа");
  const int64_t whole = WholeOf(a);
  // The four decimals are cut in extended precision, exactly as the cascade reads them.
  const auto ten_thousandths = static_cast<int>(WholeOf((a - static_cast<long double>(whole)) * 10000));
  const int64_t magnitude = whole + CascadeCarry(ten_thousandths);
  const int64_t result = x > 0 ? magnitude : -magnitude;
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
