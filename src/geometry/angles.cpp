#include "geometry/angles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "shell/rounding.h"

namespace kv {

namespace {

constexpr long double Pi = std::numbers::pi_v<long double>;

long double PolarAngleOfVector(long double dx, long double dy) {
  if (dx == 0) {
    if (dy == 0) return 0;
    return dy < 0 ? 90 : 270;
  }
  if (dy == 0) return dx < 0 ? 180 : 0;
  const long double a = atanl(dy / dx);
  long double angle = a >= 0 ? 2 * Pi - a : Pi + fabsl(a);
  if (dy <= 0) angle -= Pi;
  const long double degrees = RadToDeg(angle);
  // A vanishing slope can round 2 pi - a up to a whole turn.
  return degrees >= 360 ? degrees - 360 : degrees;
}

template <class Coord>
TDirection DirectionOfCoords(Coord ax, Coord ay, Coord bx, Coord by) {
  if (bx > ax) return by < ay ? dirRightUp : (by == ay ? dirRight : dirRightDown);
  if (bx < ax) return by > ay ? dirLeftDown : (by == ay ? dirLeft : dirLeftUp);
  if (by > ay) return dirDown;
  return by < ay ? dirUp : dirNone;
}

// The partial angle of an arc element measured towards its centre, turned onto the tangent.
long double TurnedOntoTangent(long double p) { return p <= 180 ? p + 90 : 90 - (360 - p); }

}  // namespace

long double DegToRad(long double Degrees) { return Degrees * Pi / 180; }
long double RadToDeg(long double Radians) { return Radians * 180 / Pi; }

long double GetPolarAngle(const TPointF& A, const TPointF& B) {
  return PolarAngleOfVector(static_cast<long double>(B.X) - A.X, static_cast<long double>(B.Y) - A.Y);
}

long double GetPolarAngle(const TPoint& A, const TPoint& B) {
  return PolarAngleOfVector(static_cast<long double>(B.X) - A.X, static_cast<long double>(B.Y) - A.Y);
}

TDirection GetDirection(const TPointF& A, const TPointF& B) { return DirectionOfCoords(A.X, A.Y, B.X, B.Y); }
TDirection GetDirection(const TPoint& A, const TPoint& B) { return DirectionOfCoords(A.X, A.Y, B.X, B.Y); }

TDirection GetAngleDirection(long double Angle) {
  if (Angle < 0 || Angle > 360) return dirNone;
  if (Angle == 0 || Angle == 360) return dirRight;
  if (Angle < 90) return dirRightUp;
  if (Angle == 90) return dirUp;
  if (Angle < 180) return dirLeftUp;
  if (Angle == 180) return dirLeft;
  if (Angle < 270) return dirLeftDown;
  if (Angle == 270) return dirDown;
  return dirRightDown;
}

long double GetLineLineCrossAngle(const TPointF& A, const TPointF& B, const TPointF& C) {
  const long double ux = static_cast<long double>(B.X) - A.X;
  const long double uy = static_cast<long double>(B.Y) - A.Y;
  const long double vx = static_cast<long double>(C.X) - B.X;
  const long double vy = static_cast<long double>(C.Y) - B.Y;
  const long double lengths = sqrtl(ux * ux + uy * uy) * sqrtl(vx * vx + vy * vy);
  if (lengths == 0) return -1;
  // Rounding can push the cosine a hair beyond 1, where arccos has no value.
  const long double cosine = std::clamp((ux * vx + uy * vy) / lengths, -1.0L, 1.0L);
  const long double a1 = GetPolarAngle(A, B);
  const long double a2 = GetPolarAngle(B, C);
  long double turn = a1 <= 180 ? a2 - a1 : (360 - a1) + a2;
  if (turn > 360) turn -= 360;
  const bool turnsRight = turn <= 0 || turn > 180;
  return RadToDeg(turnsRight ? Pi - acosl(cosine) : Pi + acosl(cosine));
}

long double GetAngle(const TPointF& A, const TPointF& B, const TPointF& C, long double R1, long double R2,
                     const TPointF& T1, const TPointF& T2) {
  if (R1 == 0 && R2 == 0) return GetLineLineCrossAngle(A, B, C);
  long double angle = 0;
  if (R1 > 0) angle += TurnedOntoTangent(GetLineLineCrossAngle(T1, B, C));
  if (R2 > 0) angle += TurnedOntoTangent(GetLineLineCrossAngle(A, B, T2));
  return angle;
}

void GetLineEquationCoef(const TPointF& A, const TPointF& B, long double& a, long double& b, long double& c) {
  a = static_cast<long double>(B.Y) - A.Y;
  b = static_cast<long double>(B.X) - A.X;
  c = a * A.X - b * A.Y;
}

long double GetArcLength(const TPointF& A, const TPointF& B, const TPointF& Center, long double R) {
  const long double angle = GetAngle(A, Center, B, 0, 0, Center, Center);
  return 2 * Pi * R * angle / 360;
}

long double RadiusToHeight(long double Chord, long double R) {
  const long double rest = R * R - (Chord / 2) * (Chord / 2);
  if (Chord < 0 || rest < 0) return 0;
  return GetRoundedFloat(R - sqrtl(rest), 0);
}

long double HeightToRadius(long double Chord, long double Height) {
  if (Chord <= 0 || Height <= 0) return 0;
  return GetRoundedFloat((Height * Height + (Chord / 2) * (Chord / 2)) / (2 * Height), 8);
}

}  // namespace kv
