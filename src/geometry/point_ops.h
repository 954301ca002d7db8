#pragma once
// Building, converting, rounding and measuring points. Computation is in long double; float points
// are what the model computes with, integer points what it stores (tenths of a millimetre).
#include <cstdint>
#include <span>

#include "shell/points.h"

namespace kv {

TPointF PointF(long double X, long double Y);
void ZeroPointF(TPointF& P);
TPointF ExtendedPoint(const TPoint& P);

// Float to integer point, each coordinate with GetRounded or one of its directed variants.
TPoint RoundedPoint(const TPointF& P);
TPoint RoundedPointToMin(const TPointF& P);
TPoint RoundedPointToPlus(const TPointF& P);
TPoint RoundedPointToMinus(const TPointF& P);
// Each coordinate to four decimals; an exact 0 stays 0.
TPointF RoundedPointF(const TPointF& P);

// Drawing scale: Scale model units make one pixel.
int32_t GetScaled(long double Value, long double Scale);
long double GetScaledF(long double Value, long double Scale);
TPoint GetScaledPoint(const TPoint& P, long double Scale);
TPointF GetScaledPointF(const TPointF& P, long double Scale);
void GetScaledArray(std::span<TPoint> Points, long double Scale);

void ExchangePoints(TPoint& A, TPoint& B);
void ExchangePoints(TPointF& A, TPointF& B);

// Vector arithmetic per coordinate.
TPoint SumPoint(const TPoint& A, const TPoint& B);
TPointF SumPointFInt(const TPointF& A, const TPoint& B);
TPointF SumPointResF(const TPointF& A, const TPointF& B);
TPoint DecPoint(const TPoint& A, const TPoint& B);           // A - B
TPointF DecPoint(const TPointF& A, const TPointF& B);        // A - B
TPoint DecPointInv(const TPoint& A, const TPoint& B);        // B - A
TPointF DecPointFIntInv(const TPointF& A, const TPoint& B);  // B - A

long double GetDistance(const TPointF& A, const TPointF& B);
long double GetDistanceInt(const TPoint& A, const TPoint& B);
TPointF GetLineCenter(const TPointF& A, const TPointF& B);
TPoint GetLineCenterInt(const TPoint& A, const TPoint& B);

// Same point within 0.01 in each coordinate, both borders included.
bool EqualPoint(const TPointF& A, const TPointF& B);
bool EqualPointInt(const TPoint& A, const TPoint& B);
// Low <= Value <= High, exact.
bool ValueBetween(long double Value, long double Low, long double High);

}  // namespace kv
