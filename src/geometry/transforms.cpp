#include "geometry/transforms.h"

#include <array>
#include <cmath>

#include "geometry/angles.h"
#include "geometry/point_ops.h"
#include "shell/rounding.h"

namespace kv {

namespace {

struct TExtPoint {
  long double X;
  long double Y;
};

struct TSinCos {
  long double Cos;
  long double Sin;
};

TSinCos SinCosOf(long double Degrees) {
  const long double t = DegToRad(Degrees);
  return {cosl(t), sinl(t)};
}

// Lines of a construction mostly run at whole degrees, and the extended sine of an angle past 45
// degrees costs a long argument reduction, so whole degrees are looked up; the table holds the very
// values the functions give. Zero is left to them, as it is cheap and keeps the sign of a minus zero.
constexpr int kWholeDegreesTabled = 720;

TSinCos SinCosOfDegrees(long double Degrees) {
  static const auto table = [] {
    std::array<TSinCos, 2 * kWholeDegreesTabled + 1> values;
    for (int d = -kWholeDegreesTabled; d <= kWholeDegreesTabled; ++d) values[d + kWholeDegreesTabled] = SinCosOf(d);
    return values;
  }();
  if (fabsl(Degrees) <= kWholeDegreesTabled) {
    // Through a double: a direct conversion of an extended value changes the x87 rounding mode.
    const auto whole = static_cast<int>(static_cast<double>(Degrees));
    if (whole == Degrees && whole != 0) return table[whole + kWholeDegreesTabled];
  }
  return SinCosOf(Degrees);
}

TExtPoint Rotated(long double x, long double y, long double Angle) {
  const auto [c, s] = SinCosOfDegrees(Angle);
  return {c * x + s * y, -s * x + c * y};
}

TExtPoint RotatedAbout(const TPointF& P, const TPointF& Center, long double Angle) {
  const TExtPoint r =
      Rotated(static_cast<long double>(P.X) - Center.X, static_cast<long double>(P.Y) - Center.Y, Angle);
  return {r.X + Center.X, r.Y + Center.Y};
}

// P moved by D along the polar angle (degrees); minus on y because the screen's y grows downwards.
TPointF MovedAlongPolar(const TPointF& P, long double Angle, long double D) {
  const auto [c, s] = SinCosOfDegrees(Angle);
  return PointF(P.X + D * c, P.Y - D * s);
}

}  // namespace

TPointF TurnPoint(const TPointF& P, long double Angle) {
  const TExtPoint r = Rotated(P.X, P.Y, Angle);
  return PointF(r.X, r.Y);
}

TPointF TurnPointX(const TPointF& P, const TPointF& Center, long double Angle) {
  const TExtPoint r = RotatedAbout(P, Center, Angle);
  return PointF(GetRoundedFloat(r.X, 4), GetRoundedFloat(r.Y, 4));
}

TPoint TurnPointXInt(const TPoint& P, const TPoint& Center, long double Angle) {
  const TExtPoint r = RotatedAbout(ExtendedPoint(P), ExtendedPoint(Center), Angle);
  return {GetRounded(r.X), GetRounded(r.Y)};
}

void TurnPolygonX(std::span<TPoint> Points, const TPoint& Center, long double Angle) {
  for (TPoint& p : Points) p = TurnPointXInt(p, Center, Angle);
}

TPointF ShiftLinePointX(const TPointF& A, const TPointF& B, long double D) {
  return MovedAlongPolar(A, GetPolarAngle(A, B), D);
}

TPoint ShiftLinePointXInt(const TPoint& A, const TPoint& B, long double D) {
  return RoundedPoint(ShiftLinePointX(ExtendedPoint(A), ExtendedPoint(B), D));
}

TPointF ShiftLinePointByAngleX(const TPointF& P, const TPointF& A, const TPointF& B, long double Delta, long double D) {
  long double t = GetPolarAngle(A, B) + Delta;
  if (t < 0) t += 360;
  return MovedAlongPolar(P, t, D);
}

TPoint ShiftLinePointByAngleXInt(const TPoint& P, const TPoint& A, const TPoint& B, long double Delta, long double D) {
  return RoundedPoint(ShiftLinePointByAngleX(ExtendedPoint(P), ExtendedPoint(A), ExtendedPoint(B), Delta, D));
}

void GetParallelLineShift(const TPointF& A, const TPointF& B, bool Left, long double D, TPointF& ResultA,
                          TPointF& ResultB) {
  const long double turn = GetPolarAngle(A, B) + (Left ? 90 : -90);
  ResultA = TurnPointX(PointF(A.X + D, A.Y), A, turn);
  ResultB = TurnPointX(PointF(B.X + D, B.Y), B, turn);
}

}  // namespace kv
