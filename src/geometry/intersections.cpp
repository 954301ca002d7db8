#include "geometry/intersections.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/angles.h"
#include "geometry/geometry_types.h"
#include "geometry/point_ops.h"
#include "shell/errors.h"
#include "shell/rounding.h"

namespace kv {

namespace {

// Marks the coordinate of a point that an element does not have.
constexpr long double NoCoordinate = -100000;
// A point lies on an arc within this of its radius.
constexpr long double kArcTolerance = 0.5L;

long double Sign(long double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }
long double RootOrZero(long double x) { return x < 0 ? 0 : sqrtl(x); }

bool Between(long double value, long double end1, long double end2) {
  return ValueBetween(value, std::min(end1, end2), std::max(end1, end2));
}

// (p - a) x (b - a): negative when p lies right of a -> b on the y-down screen.
long double SideProduct(const TPointF& A, const TPointF& B, const TPointF& P) {
  return (static_cast<long double>(P.X) - A.X) * (static_cast<long double>(B.Y) - A.Y) -
         (static_cast<long double>(P.Y) - A.Y) * (static_cast<long double>(B.X) - A.X);
}

int64_t CheckedSub(int64_t a, int64_t b) {
  int64_t r;
  if (__builtin_sub_overflow(a, b, &r)) throw EIntOverflow("Переполнение целого числа");
  return r;
}

int64_t CheckedMul(int64_t a, int64_t b) {
  int64_t r;
  if (__builtin_mul_overflow(a, b, &r)) throw EIntOverflow("Переполнение целого числа");
  return r;
}

int64_t IntSideProduct(const TPoint& A, const TPoint& B, const TPoint& P) {
  const int64_t left = CheckedMul(int64_t{P.X} - A.X, int64_t{B.Y} - A.Y);
  const int64_t right = CheckedMul(int64_t{P.Y} - A.Y, int64_t{B.X} - A.X);
  return CheckedSub(left, right);
}

long double DistanceToLine(const TPoint& A, const TPoint& B, const TPoint& P) {
  const TPointF a = ExtendedPoint(A), b = ExtendedPoint(B), p = ExtendedPoint(P);
  const long double dx = static_cast<long double>(b.X) - a.X, dy = static_cast<long double>(b.Y) - a.Y;
  const long double length2 = dx * dx + dy * dy;
  if (length2 == 0) return GetDistance(a, p);
  const long double t = ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length2;
  return GetDistance(PointF(a.X + t * dx, a.Y + t * dy), p);
}

// The crossings of the whole line with the circle: none, one (a tangent) or two.
struct TCircleCrossing {
  int Count = 0;
  TPointF Points[2];
};

TCircleCrossing CrossLineWithCircle(const TPointF& A, const TPointF& B, const TPointF& Center, long double R) {
  const long double x1 = static_cast<long double>(A.X) - Center.X, y1 = static_cast<long double>(A.Y) - Center.Y;
  const long double x2 = static_cast<long double>(B.X) - Center.X, y2 = static_cast<long double>(B.Y) - Center.Y;
  const long double dx = x2 - x1, dy = y2 - y1;
  TCircleCrossing crossing;
  if (R == 0 || (dx == 0 && dy == 0)) return crossing;
  // A vertical line is solved for y, any other for x.
  const bool vertical = dx == 0;
  const long double k = vertical ? dy * x1 - dx * y1 : dx * y1 - dy * x1;
  const long double along = vertical ? dx : dy;
  const long double across = vertical ? dy : dx;
  const long double qa = dx * dx + dy * dy;
  const long double qb = 2 * k * along;
  const long double qc = k * k - across * across * R * R;
  const long double d = qb * qb - 4 * qa * qc;
  if (d < 0) return crossing;
  const long double roots[2] = {(-qb - sqrtl(d)) / (2 * qa), (-qb + sqrtl(d)) / (2 * qa)};
  crossing.Count = d == 0 ? 1 : 2;
  for (int i = 0; i < crossing.Count; ++i) {
    const long double root = roots[i];
    const long double x = vertical ? x1 + (root - y1) * (dx / dy) : root;
    const long double y = vertical ? root : y1 + (root - x1) * (dy / dx);
    crossing.Points[i] = PointF(x + Center.X, y + Center.Y);
  }
  return crossing;
}

// GetLineXtoY and GetLineYtoX are one search along the axis U with the answer on the axis V.
struct TAxes {
  bool Swapped;
  long double U(const TPointF& p) const { return Swapped ? p.Y : p.X; }
  long double V(const TPointF& p) const { return Swapped ? p.X : p.Y; }
  TPointF Point(long double u, long double v) const { return Swapped ? PointF(v, u) : PointF(u, v); }
};

long double CandidateOnElement(const TAxes& axes, const TPointF& A, const TPointF& B, const TPointF& Side,
                               long double u, long double R, const TPointF& Center) {
  if (R == 0) {
    if (axes.U(A) == axes.U(B)) return NoCoordinate;
    return axes.V(A) + (u - axes.U(A)) * (axes.V(B) - axes.V(A)) / (axes.U(B) - axes.U(A));
  }
  const long double d = u - axes.U(Center);
  const long double rest = R * R - d * d;
  if (rest < 0) return NoCoordinate;
  const bool nearHalf = axes.V(Side) < axes.V(Center);
  return nearHalf ? axes.V(Center) - sqrtl(rest) : axes.V(Center) + sqrtl(rest);
}

bool CoordinateOnElement(const TAxes& axes, const TPointF& A, const TPointF& B, const TPointF& Side, long double u,
                         long double R, const TPointF& Center, long double& v) {
  v = 0;
  if (u == axes.U(A) || u == axes.U(B)) {
    v = axes.V(u == axes.U(A) ? A : B);
    return true;
  }
  const long double candidate = CandidateOnElement(axes, A, B, Side, u, R, Center);
  const long double whole =
      R == 0 ? GetRounded(candidate) : axes.V(ExtendedPoint(RoundedPointToArc(axes.Point(u, candidate), Center, R)));
  const TPointF probe = axes.Point(u, whole);
  const bool onElement = R == 0 ? PointApplyToLine(A, B, probe) : PointApplyToArc(A, B, Center, probe, R);
  if (onElement) v = candidate;
  return onElement;
}

struct TOffset {
  long double X;
  long double Y;
};

// Offset of the centre from B for an oblique chord, by the octant of B seen from A.
TOffset ObliqueCentreOffset(TDirection direction, long double dx, long double dy, long double R) {
  const long double length = sqrtl(dx * dx + dy * dy);
  const long double r = std::max(R, length / 2);
  const long double beta = asinl(length / 2 / r);
  const bool againstX = direction == dirRightUp || direction == dirLeftDown;
  const long double alpha = againstX ? atanl(fabsl(dy) / fabsl(dx)) : atanl(fabsl(dx) / fabsl(dy));
  const long double s = r * sinl(alpha - beta), c = r * cosl(alpha - beta);
  switch (direction) {
    case dirRightUp: return {s, c};
    case dirRightDown: return {-c, s};
    case dirLeftDown: return {-s, -c};
    default: return {c, -s};
  }
}

}  // namespace

bool PointApplyToLine(const TPointF& A, const TPointF& B, const TPointF& P) {
  if (EqualPoint(P, A) || EqualPoint(P, B)) return true;
  if (A.X == B.X) return P.X == B.X && Between(P.Y, A.Y, B.Y);
  if (A.Y == B.Y) return P.Y == B.Y && Between(P.X, A.X, B.X);
  if (!Between(P.X, A.X, B.X) || !Between(P.Y, A.Y, B.Y)) return false;
  const long double tx = (static_cast<long double>(P.X) - B.X) / (static_cast<long double>(A.X) - B.X);
  const long double ty = (static_cast<long double>(P.Y) - B.Y) / (static_cast<long double>(A.Y) - B.Y);
  return fabsl(tx - ty) <= 0.01L;
}

bool PointApplyToArc(const TPointF& A, const TPointF& B, const TPointF& Center, const TPointF& P, long double R) {
  const bool onCircle = fabsl(GetDistance(Center, P) - fabsl(R)) <= kArcTolerance;
  return onCircle && SideProduct(A, B, P) * R >= 0;
}

bool PointApplyToArcPiece(const TPointF& A, const TPointF& B, const TPointF& Center, const TPointF& P, long double R,
                          long double Tolerance) {
  const long double radius = fabsl(R);
  if (radius == 0 || fabsl(GetDistance(Center, P) - radius) > Tolerance) return false;
  // Angles on the circle in the direction the piece runs, from A: the piece covers [0, sweep].
  const auto angle = [&](const TPointF& Q) {
    return atan2l(-(static_cast<long double>(Q.Y) - Center.Y), static_cast<long double>(Q.X) - Center.X);
  };
  const long double turn = 2 * std::numbers::pi_v<long double>;
  const auto from_a = [&](const TPointF& Q) {
    const long double a = R > 0 ? angle(A) - angle(Q) : angle(Q) - angle(A);
    return a - turn * floorl(a / turn);
  };
  const long double slack = Tolerance / radius;
  const long double along = from_a(P);
  return along <= from_a(B) + slack || along >= turn - slack;
}

TPoint RoundedPointToArc(const TPointF& P, const TPointF& Center, long double R) {
  const auto off_circle = [&](const TPoint& Q) { return fabsl(GetDistance(Center, ExtendedPoint(Q)) - fabsl(R)); };
  TPoint nearest = RoundedPoint(P);
  if (off_circle(nearest) <= kArcTolerance) return nearest;
  for (const long double x : {floorl(P.X), ceill(P.X)})
    for (const long double y : {floorl(P.Y), ceill(P.Y)}) {
      const TPoint q{static_cast<int32_t>(x), static_cast<int32_t>(y)};
      if (off_circle(q) < off_circle(nearest)) nearest = q;
    }
  return nearest;
}

int GetLineLineCrossPoint(const TPointF& A1, const TPointF& A2, const TPointF& B1, const TPointF& B2, bool Infinite,
                          TPointF& P) {
  long double a1, b1, c1, a2, b2, c2;
  GetLineEquationCoef(A1, A2, a1, b1, c1);
  GetLineEquationCoef(B1, B2, a2, b2, c2);
  const long double det = a1 * b2 - a2 * b1;
  P = {};
  if (det == 0) {
    for (const TPointF* end : {&A1, &A2}) {
      if (EqualPoint(*end, B1) || EqualPoint(*end, B2)) {
        P = *end;
        return 0;
      }
    }
    return -1;
  }
  const TPointF cross = PointF(-(b1 * c2 - b2 * c1) / det, (a2 * c1 - a1 * c2) / det);
  if (!Infinite && !(PointApplyToLine(A1, A2, cross) && PointApplyToLine(B1, B2, cross))) return -2;
  P = cross;
  return 0;
}

bool LineLineHasCrossUnion(const TPointF& A1, const TPointF& A2, const TPointF& B1, const TPointF& B2) {
  long double a1, b1, c1, a2, b2, c2;
  GetLineEquationCoef(A1, A2, a1, b1, c1);
  GetLineEquationCoef(B1, B2, a2, b2, c2);
  if (a1 * b2 - a2 * b1 != 0) return false;
  if (PointApplyToLine(A1, A2, B1) && PointApplyToLine(A1, A2, B2)) return true;
  if (PointApplyToLine(B1, B2, A1) && PointApplyToLine(B1, B2, A2)) return true;
  const auto insideOf = [](const TPointF& P, const TPointF& E1, const TPointF& E2) {
    return PointApplyToLine(E1, E2, P) && !EqualPoint(P, E1) && !EqualPoint(P, E2);
  };
  return insideOf(B1, A1, A2) || insideOf(B2, A1, A2) || insideOf(A1, B1, B2) || insideOf(A2, B1, B2);
}

int GetArcLineCrossPoint(const TPointF& A, const TPointF& B, const TPointF& ArcA, const TPointF& ArcB,
                         const TPointF& Center, long double R, bool Infinite, TPointF& P1, TPointF& P2) {
  const TCircleCrossing crossing = CrossLineWithCircle(A, B, Center, R);
  TPointF found[2];
  int count = 0;
  for (int i = 0; i < crossing.Count; ++i) {
    const TPointF& p = crossing.Points[i];
    if (Infinite || (PointApplyToLine(A, B, p) && PointApplyToArc(ArcA, ArcB, Center, p, R))) found[count++] = p;
  }
  P1 = count > 0 ? found[0] : TPointF{};
  P2 = count > 1 ? found[1] : TPointF{};
  return count > 0 ? count : -1;
}

bool GetLineXtoY(const TPointF& A, const TPointF& B, const TPointF& Side, long double X, long double R,
                 const TPointF& Center, long double& Y) {
  return CoordinateOnElement(TAxes{false}, A, B, Side, X, R, Center, Y);
}

bool GetLineYtoX(const TPointF& A, const TPointF& B, const TPointF& Side, long double Y, long double R,
                 const TPointF& Center, long double& X) {
  return CoordinateOnElement(TAxes{true}, A, B, Side, Y, R, Center, X);
}

TPointF GetRoundCoord(const TPointF& A, const TPointF& B, long double R) {
  if (R == 0) return {};
  if (R < 0) return GetRoundCoord(B, A, -R);
  const long double dx = static_cast<long double>(B.X) - A.X;
  const long double dy = static_cast<long double>(B.Y) - A.Y;
  if (dx == 0 && dy == 0) return PointF(B.X - R, B.Y);
  if (dy == 0) return PointF(B.X - dx / 2, B.Y + Sign(dx) * RootOrZero(R * R - dx * dx / 4));
  if (dx == 0) return PointF(B.X - Sign(dy) * RootOrZero(R * R - dy * dy / 4), B.Y - dy / 2);
  const TOffset offset = ObliqueCentreOffset(GetDirection(A, B), dx, dy, R);
  return PointF(B.X + offset.X, B.Y + offset.Y);
}

TPointF GetRoundCenter(const TPoint& A, const TPoint& B, long double R) {
  return RoundedPointF(GetRoundCoord(ExtendedPoint(A), ExtendedPoint(B), R));
}

bool PointHasLineRightPos(const TPoint& A, const TPoint& B, const TPoint& P) { return IntSideProduct(A, B, P) < 0; }

bool PointHasLineLeftPos(const TPoint& A, const TPoint& B, const TPoint& P) { return IntSideProduct(A, B, P) > 0; }

bool PointUnderContourLine(const TPoint& A, const TPoint& B, const TPoint& P, long double Tolerance) {
  if (PointHasLineRightPos(A, B, P)) return true;
  return Tolerance != 0 && DistanceToLine(A, B, P) <= Tolerance;
}

}  // namespace kv
