#include "shell/rounding.h"

#include <cmath>

#include "shell/errors.h"

namespace kv {

namespace {

long double Int(long double x) { return truncl(x); }
long double Frac(long double x) { return x - truncl(x); }

int32_t CheckedInt32(long double x) {
  if (!(x >= INT32_MIN && x <= INT32_MAX)) throw EIntOverflow("Переполнение целого числа");
  return static_cast<int32_t>(x);
}

long double PowerOfTen(int exponent) {
  long double k = 1;
  for (int i = 0; i < exponent; ++i) k *= 10;
  return k;
}

// y rounded to one decimal, then moved one unit by step when a tenth or more is left.
int32_t RoundedSingleStep(long double x, long double step) {
  long double y = GetRoundedSingle(x);
  if (fabsl(Frac(y)) >= 0.1L) y = Int(y + step);
  return CheckedInt32(Int(y));
}

}  // namespace

int32_t GetRounded(long double x) {
  const long double sign = x > 0 ? 1 : -1;
  const long double a = fabsl(x);
  long double f = Int(Frac(a) * 10000) / 10000;
  if (Frac(f * 1000) >= 0.5L) f += 0.001L;
  if (Frac(f * 100) >= 0.5L) f += 0.01L;
  if (Frac(f * 10) >= 0.5L) f += 0.1L;
  if (Frac(f) >= 0.5L) f += 1;
  return CheckedInt32(sign * (Int(a) + Int(f)));
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
