#include "shell/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "shell/errors.h"

namespace kv {
namespace {

TEST(GetRounded, CascadeCarriesAHalfFromTheFourthDecimalAndOverflowIsAnError) {
  EXPECT_EQ(GetRounded(0.5), 1);
  EXPECT_EQ(GetRounded(-0.5), -1);
  EXPECT_EQ(GetRounded(0), 0);
  EXPECT_EQ(GetRounded(2.45), 3);
  EXPECT_EQ(GetRounded(2.4445), 3);
  EXPECT_EQ(GetRounded(2.4444), 2);
  EXPECT_EQ(GetRounded(2.5), 3);
  EXPECT_EQ(GetRounded(-2.5), -3);
  EXPECT_EQ(GetRounded(-2.45), -3);
  EXPECT_EQ(GetRounded(0.44449), 0);  // only four decimals take part
  EXPECT_EQ(GetRounded(1234.4999), 1235);
  EXPECT_EQ(GetRounded(2147483647.0), 2147483647);
  EXPECT_EQ(GetRounded(2147483647.4444L), 2147483647);
  EXPECT_EQ(GetRounded(-2147483648.4444L), INT32_MIN);
  EXPECT_EQ(GetRounded(std::numeric_limits<long double>::denorm_min()), 0);
  // .45 carries into the units (.5, then 1), past the range on either side.
  for (const long double x :
       {2147483648.0L, 2147483647.45L, -2147483648.45L, -3e10L, 1e300L, std::numeric_limits<long double>::infinity(),
        std::numeric_limits<long double>::quiet_NaN()})
    EXPECT_THROW(GetRounded(x), EIntOverflow) << static_cast<double>(x);
}

// The cascade carried out literally in extended precision, one decimal at a time.
int64_t CascadeInExtendedPrecision(long double x) {
  const long double sign = x > 0 ? 1 : -1;
  const long double a = fabsl(x);
  long double f = truncl((a - truncl(a)) * 10000) / 10000;
  if (f * 1000 - truncl(f * 1000) >= 0.5L) f += 0.001L;
  if (f * 100 - truncl(f * 100) >= 0.5L) f += 0.01L;
  if (f * 10 - truncl(f * 10) >= 0.5L) f += 0.1L;
  if (f - truncl(f) >= 0.5L) f += 1;
  return static_cast<int64_t>(sign * (truncl(a) + truncl(f)));
}

// Every fraction of four decimals, on either side of each, at small and large magnitudes: each
// step of the cascade meets all of its borders.
TEST(GetRounded, EqualsTheExtendedCascadeAtEveryBorderAndOverARandomSample) {
  int differences = 0;
  for (const long double whole : {0.0L, 1.0L, 7.0L, 12345.0L, 1048579.0L, 1000000000.0L})
    for (int d = 0; d < 10000; ++d) {
      const long double exact = whole + d / 10000.0L;
      for (const long double x : {exact, nextafterl(exact, 0), nextafterl(exact, 2e9L)})
        for (const long double signed_x : {x, -x})
          if (GetRounded(signed_x) != CascadeInExtendedPrecision(signed_x)) ++differences;
    }
  EXPECT_EQ(differences, 0);
  // Sizes as the model passes them: singles and doubles of any magnitude up to the 32-bit range.
  std::mt19937_64 generator(20121);
  std::uniform_real_distribution<double> exponent(-4, 9.3);
  for (int i = 0; i < 200000; ++i) {
    const double value = std::pow(10.0, exponent(generator)) * (i % 2 ? 1 : -1);
    const long double x = i % 3 == 0 ? static_cast<long double>(static_cast<float>(value)) : value;
    if (GetRounded(x) != CascadeInExtendedPrecision(x)) ++differences;
  }
  EXPECT_EQ(differences, 0);
}

// Powers of two from far below one up to 2^30 with a step either side, and values with all 64
// significand bits drawn at random at each of those magnitudes, whose product by 10000 extended
// precision has to round.
TEST(GetRounded, EqualsTheExtendedCascadeAtPowersOfTwoAndFullSignificands) {
  std::mt19937_64 generator(4445);
  int differences = 0;
  for (int exponent = -70; exponent <= 30; ++exponent) {
    const long double power = ldexpl(1, exponent);
    std::vector<long double> values = {power, nextafterl(power, 0), nextafterl(power, 4e9L)};
    for (int i = 0; i < 1000; ++i)
      values.push_back(ldexpl(static_cast<long double>(generator() | (uint64_t{1} << 63)), exponent - 63));
    for (const long double x : values)
      for (const long double signed_x : {x, -x})
        if (GetRounded(signed_x) != CascadeInExtendedPrecision(signed_x)) ++differences;
  }
  EXPECT_EQ(differences, 0);
}

TEST(RoundingFamily, DecimalsPacksDirectionsTolerantComparisonAndTenthsOfAMillimetre) {
  EXPECT_DOUBLE_EQ(static_cast<double>(GetRoundedFloat(1234.5, -2)), 1200.0);
  EXPECT_NEAR(static_cast<double>(GetRoundedFloat(0.125, 2)), 0.13, 1e-12);
  EXPECT_NEAR(static_cast<double>(GetRoundedFloat(-0.125, 2)), -0.13, 1e-12);
  EXPECT_NEAR(static_cast<double>(GetRoundedSingle(12.345)), 12.4, 1e-12);
  double x = 3.14159;
  RoundFloat(x);
  EXPECT_NEAR(x, 3.1416, 1e-12);

  EXPECT_EQ(GetRoundedToPack(6, 13), 18);
  EXPECT_EQ(GetRoundedToPack(6, 12), 12);
  EXPECT_EQ(GetRoundedToPack(0, 13), 13);

  EXPECT_EQ(GetRoundedToMin(2.96), 3);  // one decimal first: 3.0
  EXPECT_EQ(GetRoundedToMin(2.94), 2);
  EXPECT_EQ(GetRoundedToMax(2.3), 3);
  EXPECT_EQ(GetRoundedToMax(-2.3), -3);
  EXPECT_EQ(GetRoundedToMax(2.04), 2);
  EXPECT_EQ(GetRoundedToPlus(-2.3), -1);
  EXPECT_EQ(GetRoundedToMinus(2.3), 1);
  EXPECT_EQ(GetRoundedToMinus(2.0), 2);

  TCurrency c = TCurrency::FromExtended(12.3456);
  RoundCurrDec(c, 2);
  EXPECT_EQ(c.Raw(), 123500);
  TCurrency d = TCurrency::FromExtended(-0.125);
  RoundCurrDec(d, -2);
  EXPECT_EQ(d.Raw(), -1300);
  EXPECT_TRUE(LessThan(1.0, 1.01));
  EXPECT_FALSE(LessThan(1.0, 1.009));
  EXPECT_TRUE(GreaterThan(1.01, 1.0));
  EXPECT_FALSE(GreaterThan(1.009, 1.0));
  EXPECT_FALSE(LessThan(1.0, 1.0));
  EXPECT_EQ(SetSize10(123.45f), 1235);
  EXPECT_EQ(GetSize10i(1235.0f), 124);
  EXPECT_FLOAT_EQ(SetSize10F(12.5f), 125.0f);
  EXPECT_FLOAT_EQ(GetSize10(125.0f), 12.5f);
  EXPECT_EQ(SetPoint10({3, -4}), (TPoint{30, -40}));
  EXPECT_EQ(GetPoint10i({35, -45}), (TPoint{4, -5}));
}

}  // namespace
}  // namespace kv
