#pragma once
// The program's rounding of sizes and money, tolerant comparison and tenths of a millimetre.
#include <cstdint>

#include "shell/money.h"
#include "shell/points.h"

namespace kv {

// Cascade rounding: each decimal from the fourth to the first is rounded half-up in turn, so a
// carry can make a half at the next position (2.45 gives 3, 2.4444 gives 2).
int32_t GetRounded(long double x);
void RoundFloat(double& x);
long double GetRoundedFloat(long double x, int digits);
long double GetRoundedSingle(long double x);
int32_t GetRoundedToMin(long double x);
int32_t GetRoundedToMax(long double x);
int32_t GetRoundedToPlus(long double x);
int32_t GetRoundedToMinus(long double x);
long double GetRoundedToPack(long double pack, long double value);
void RoundCurrDec(TCurrency& c, int digits);

// a - b <= -0.01 and b - a <= -0.01.
bool LessThan(long double a, long double b);
bool GreaterThan(long double a, long double b);

int32_t SetSize10(float x);
int32_t GetSize10i(float x);
float SetSize10F(float x);
float GetSize10(float x);
TPoint SetPoint10(TPoint p);
TPoint GetPoint10i(TPoint p);

}  // namespace kv
