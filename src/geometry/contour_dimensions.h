#pragma once
// Extreme points of a closed contour whose lines may be circular arcs, and turning a contour.
// The walks are templates over the caller's point and line lists, so the model classes can use
// them without the geometry knowing those classes.
#include <algorithm>
#include <iterator>
#include <span>
#include <utility>

#include "geometry/point_ops.h"
#include "geometry/transforms.h"
#include "shell/points.h"

namespace kv {

struct TContourDimensions {
  TPoint Left;
  TPoint Top;
  TPoint Right;
  TPoint Bottom;
  friend bool operator==(const TContourDimensions&, const TContourDimensions&) = default;
};

// One line of a contour: its ends, and for an arc (R not 0) the centre and radius.
struct TContourArc {
  TPointF A;
  TPointF B;
  TPointF Center;
  long double R = 0;
};

// Collects the extreme points. The first point sets all four; a later point replaces one only when
// it lies beyond it by more than the tolerance of GreaterThan / LessThan, so the first wins a tie.
class TContourExtent {
public:
  void AddPoint(const TPointF& P);
  // The four points of the circle at the ends of its axes, those of them that lie on the arc.
  void AddArc(const TContourArc& Arc);
  bool Empty() const { return !FStarted; }
  TContourDimensions Result() const;

private:
  bool FStarted = false;
  TPointF FLeft, FTop, FRight, FBottom;
};

namespace contour_detail {

// Lists of the model hold objects, pointers or owning pointers alike.
template <class T>
decltype(auto) Deref(T& x) {
  if constexpr (requires { *x; })
    return (*x);
  else
    return (x);
}

}  // namespace contour_detail

// The walk itself: points first, then the arcs of the lines. PointOf maps a list item to its TPoint,
// ArcOf a line item to its TContourArc; other contours of the model (a sash's rebate contour) use it
// with accessors of their own.
template <class Points, class Lines, class PointOf, class ArcOf>
TContourDimensions GetContourDimensionsBy(const Points& points, const Lines& lines, PointOf pointOf, ArcOf arcOf) {
  TContourExtent extent;
  for (const auto& p : points) extent.AddPoint(ExtendedPoint(pointOf(contour_detail::Deref(p))));
  for (const auto& l : lines) {
    const TContourArc arc = arcOf(contour_detail::Deref(l));
    if (arc.R != 0) extent.AddArc(arc);
  }
  return extent.Result();
}

// A line of the model: its ends PX1, PX2 (points with GetPoint), Radius and Center.
template <class Line>
TContourArc ModelLineArc(const Line& line) {
  return {ExtendedPoint(line.PX1->GetPoint()), ExtendedPoint(line.PX2->GetPoint()), line.Center,
          static_cast<long double>(line.Radius)};
}

// Contour of model points (GetPoint) and model lines (see ModelLineArc).
template <class Points, class Lines>
TContourDimensions GetContourDimensions(const Points& points, const Lines& lines) {
  return GetContourDimensionsBy(
      points, lines, [](const auto& p) { return p.GetPoint(); }, [](const auto& l) { return ModelLineArc(l); });
}

// Contour of a part: its points, and lines that refer to the parent's lines through GetLine. Line i
// runs from point i to point i + 1; an arc counts with its own piece between those two points (a
// part line with Inverted set runs against its parent line, whose arc bulges to the parent's left).
template <class Points, class Lines>
TContourDimensions GetPartContourDimensions(const Points& points, const Lines& lines) {
  TContourExtent extent;
  for (const auto& p : points) extent.AddPoint(ExtendedPoint(contour_detail::Deref(p).GetPoint()));
  const size_t count = std::min(std::size(points), std::size(lines));
  for (size_t i = 0; i < count; ++i) {
    const auto& part_line = contour_detail::Deref(lines[i]);
    const auto* line = part_line.GetLine();
    if (line == nullptr || line->Radius == 0) continue;
    TPointF a = ExtendedPoint(contour_detail::Deref(points[i]).GetPoint());
    TPointF b = ExtendedPoint(contour_detail::Deref(points[(i + 1) % count]).GetPoint());
    if constexpr (requires { part_line.Inverted; }) {
      if (part_line.Inverted) std::swap(a, b);
    }
    extent.AddArc({a, b, line->Center, static_cast<long double>(line->Radius)});
  }
  return extent.Result();
}

TContourDimensions GetSimpleContourDimensions(std::span<const TPoint> Points);

// Turns every point of a contour (GetPoint / SetPoint) about Center and stores it rounded.
template <class Points>
void TurnContourX(Points& points, const TPoint& Center, long double Angle) {
  for (auto& p : points) {
    auto& point = contour_detail::Deref(p);
    point.SetPoint(TurnPointXInt(point.GetPoint(), Center, Angle));
  }
}

}  // namespace kv
