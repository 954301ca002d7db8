#include "geometry/point_ops.h"

#include <cmath>
#include <utility>

#include "shell/rounding.h"

namespace kv {

namespace {

template <class RoundFn>
TPoint RoundEach(const TPointF& P, RoundFn round) {
  return {round(static_cast<long double>(P.X)), round(static_cast<long double>(P.Y))};
}

}  // namespace

TPointF PointF(long double X, long double Y) { return {static_cast<float>(X), static_cast<float>(Y)}; }

void ZeroPointF(TPointF& P) { P = {}; }

TPointF ExtendedPoint(const TPoint& P) { return PointF(P.X, P.Y); }

TPoint RoundedPoint(const TPointF& P) { return RoundEach(P, GetRounded); }
TPoint RoundedPointToMin(const TPointF& P) { return RoundEach(P, GetRoundedToMin); }
TPoint RoundedPointToPlus(const TPointF& P) { return RoundEach(P, GetRoundedToPlus); }
TPoint RoundedPointToMinus(const TPointF& P) { return RoundEach(P, GetRoundedToMinus); }

TPointF RoundedPointF(const TPointF& P) { return PointF(GetRoundedFloat(P.X, 4), GetRoundedFloat(P.Y, 4)); }

int32_t GetScaled(long double Value, long double Scale) { return GetRounded(Value / Scale); }

long double GetScaledF(long double Value, long double Scale) { return GetRoundedSingle(Value / Scale); }

TPoint GetScaledPoint(const TPoint& P, long double Scale) { return {GetScaled(P.X, Scale), GetScaled(P.Y, Scale)}; }

TPointF GetScaledPointF(const TPointF& P, long double Scale) {
  return PointF(GetScaledF(P.X, Scale), GetScaledF(P.Y, Scale));
}

void GetScaledArray(std::span<TPoint> Points, long double Scale) {
  for (TPoint& p : Points) p = GetScaledPoint(p, Scale);
}

void ExchangePoints(TPoint& A, TPoint& B) { std::swap(A, B); }
void ExchangePoints(TPointF& A, TPointF& B) { std::swap(A, B); }

TPoint SumPoint(const TPoint& A, const TPoint& B) { return {A.X + B.X, A.Y + B.Y}; }

TPointF SumPointFInt(const TPointF& A, const TPoint& B) {
  return PointF(static_cast<long double>(A.X) + B.X, static_cast<long double>(A.Y) + B.Y);
}

TPointF SumPointResF(const TPointF& A, const TPointF& B) {
  return PointF(static_cast<long double>(A.X) + B.X, static_cast<long double>(A.Y) + B.Y);
}

TPoint DecPoint(const TPoint& A, const TPoint& B) { return {A.X - B.X, A.Y - B.Y}; }

TPointF DecPoint(const TPointF& A, const TPointF& B) {
  return PointF(static_cast<long double>(A.X) - B.X, static_cast<long double>(A.Y) - B.Y);
}

TPoint DecPointInv(const TPoint& A, const TPoint& B) { return DecPoint(B, A); }

TPointF DecPointFIntInv(const TPointF& A, const TPoint& B) { return DecPoint(ExtendedPoint(B), A); }

long double GetDistance(const TPointF& A, const TPointF& B) {
  const long double dx = static_cast<long double>(B.X) - A.X;
  const long double dy = static_cast<long double>(B.Y) - A.Y;
  return sqrtl(dx * dx + dy * dy);
}

long double GetDistanceInt(const TPoint& A, const TPoint& B) { return GetDistance(ExtendedPoint(A), ExtendedPoint(B)); }

TPointF GetLineCenter(const TPointF& A, const TPointF& B) {
  return PointF((static_cast<long double>(A.X) + B.X) / 2, (static_cast<long double>(A.Y) + B.Y) / 2);
}

TPoint GetLineCenterInt(const TPoint& A, const TPoint& B) {
  return RoundedPoint(GetLineCenter(ExtendedPoint(A), ExtendedPoint(B)));
}

bool EqualPoint(const TPointF& A, const TPointF& B) {
  return fabsl(static_cast<long double>(A.X) - B.X) <= 0.01L && fabsl(static_cast<long double>(A.Y) - B.Y) <= 0.01L;
}

bool EqualPointInt(const TPoint& A, const TPoint& B) { return A == B; }

bool ValueBetween(long double Value, long double Low, long double High) { return Low <= Value && Value <= High; }

}  // namespace kv
