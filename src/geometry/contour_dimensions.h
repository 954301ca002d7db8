#pragma once
// Extreme points of a closed contour whose lines may be circular arcs, and turning a contour.
// The walks are templates over the caller's point and line lists, so the model classes can use
// them without the geometry knowing those classes.
#include <span>

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

// Contour of a part: its points, and lines that refer to the parent's lines through GetLine.
template <class Points, class Lines>
TContourDimensions GetPartContourDimensions(const Points& points, const Lines& lines) {
  return GetContourDimensionsBy(
      points, lines, [](const auto& p) { return p.GetPoint(); },
      [](const auto& l) { return ModelLineArc(*l.GetLine()); });
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
