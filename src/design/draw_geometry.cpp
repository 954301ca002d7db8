#include "design/draw_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/point_ops.h"

namespace kv {

namespace {

constexpr long double kMaxStep = std::numbers::pi_v<long double> / 36;

// Polar angle of P about C on the y-down screen, radians.
long double ScreenAngle(const TPointF& C, const TPoint& P) { return std::atan2(-(P.Y - C.Y), P.X - C.X); }

// The counter-clockwise sweep from A to B, or the clockwise one (negative), whichever bulges to
// the left of A -> B.
long double LeftSweep(const TPoint& A, const TPoint& B, const TPointF& Center) {
  const long double a = ScreenAngle(Center, A);
  long double sweep = ScreenAngle(Center, B) - a;
  const long double full = 2 * std::numbers::pi_v<long double>;
  while (sweep < 0) sweep += full;
  const long double r = std::hypot(A.X - Center.X, A.Y - Center.Y);
  const long double mid = a + sweep / 2;
  const long double mx = Center.X + r * std::cos(mid);
  const long double my = Center.Y - r * std::sin(mid);
  // Left of A -> B: the cross product is positive.
  const long double cross = (mx - A.X) * (B.Y - A.Y) - (my - A.Y) * (B.X - A.X);
  return cross > 0 ? sweep : sweep - full;
}

TPoint OnCircle(const TPointF& Center, long double R, long double Angle) {
  return RoundedPoint(PointF(Center.X + R * std::cos(Angle), Center.Y - R * std::sin(Angle)));
}

}  // namespace

TPolygon ArcPoints(const TPoint& A, const TPoint& B, const TPointF& Center) {
  const long double sweep = LeftSweep(A, B, Center);
  const long double a = ScreenAngle(Center, A);
  const long double ra = std::hypot(A.X - Center.X, A.Y - Center.Y);
  const long double rb = std::hypot(B.X - Center.X, B.Y - Center.Y);
  const int steps = std::max(2, static_cast<int>(std::ceil(std::fabs(sweep) / kMaxStep)));
  TPolygon points{A};
  for (int i = 1; i < steps; ++i) {
    const long double t = static_cast<long double>(i) / steps;
    points.push_back(OnCircle(Center, ra + (rb - ra) * t, a + sweep * t));
  }
  points.push_back(B);
  return points;
}

TPoint ArcMiddle(const TPoint& A, const TPoint& B, const TPointF& Center) {
  const long double r = (std::hypot(A.X - Center.X, A.Y - Center.Y) + std::hypot(B.X - Center.X, B.Y - Center.Y)) / 2;
  return OnCircle(Center, r, ScreenAngle(Center, A) + LeftSweep(A, B, Center) / 2);
}

TPolygon EdgePoints(const TPoint& A, const TPoint& B, float Radius, const TPointF& Center) {
  if (Radius == 0) return {A, B};
  return ArcPoints(A, B, Center);
}

TPolygon CreateThorRegion(const TPolygon& Outer, const TPolygon& Inner, const TPolygon& StartCut,
                          const TPolygon& EndCut) {
  if (Outer.empty() || Inner.empty() || StartCut.size() < 2 || EndCut.size() < 2) return {};
  TPolygon region = Outer;
  region.insert(region.end(), EndCut.begin() + 1, EndCut.end() - 1);
  region.insert(region.end(), Inner.rbegin(), Inner.rend());
  region.insert(region.end(), StartCut.rbegin() + 1, StartCut.rend() - 1);
  return region;
}

TPolygon CirclePolygon(const TPoint& Center, int Radius) {
  TPolygon points;
  for (int i = 0; i < 24; ++i)
    points.push_back(OnCircle(ExtendedPoint(Center), Radius, i * std::numbers::pi_v<long double> / 12));
  return points;
}

TPolygon Scaled(std::span<const TPoint> Points, long double Scale) {
  TPolygon scaled;
  scaled.reserve(Points.size());
  for (const TPoint& p : Points) scaled.push_back(GetScaledPoint(p, Scale));
  return scaled;
}

TPoint BoxCentre(std::span<const TPoint> Points) {
  if (Points.empty()) return {};
  auto [left, right] = std::minmax_element(Points.begin(), Points.end(), [](auto& a, auto& b) { return a.X < b.X; });
  auto [top, bottom] = std::minmax_element(Points.begin(), Points.end(), [](auto& a, auto& b) { return a.Y < b.Y; });
  return {(left->X + right->X) / 2, (top->Y + bottom->Y) / 2};
}

bool RegionContains(const TRegion& Region, const TPoint& P) {
  int winding = 0;
  const size_t n = Region.size();
  for (size_t i = 0; i < n; ++i) {
    const TPoint& a = Region[i];
    const TPoint& b = Region[(i + 1) % n];
    const long long cross =
        static_cast<long long>(b.X - a.X) * (P.Y - a.Y) - static_cast<long long>(P.X - a.X) * (b.Y - a.Y);
    const bool between_x = std::min(a.X, b.X) <= P.X && P.X <= std::max(a.X, b.X);
    const bool between_y = std::min(a.Y, b.Y) <= P.Y && P.Y <= std::max(a.Y, b.Y);
    if (cross == 0 && between_x && between_y) return true;
    if (a.Y <= P.Y) {
      if (b.Y > P.Y && cross > 0) ++winding;
    } else if (b.Y <= P.Y && cross < 0) {
      --winding;
    }
  }
  return winding != 0;
}

}  // namespace kv
