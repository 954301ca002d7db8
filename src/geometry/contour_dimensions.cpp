#include "geometry/contour_dimensions.h"

#include "geometry/intersections.h"
#include "shell/rounding.h"

namespace kv {

void TContourExtent::AddPoint(const TPointF& P) {
  if (!FStarted) {
    FStarted = true;
    FLeft = FTop = FRight = FBottom = P;
    return;
  }
  if (GreaterThan(P.X, FRight.X)) FRight = P;
  if (GreaterThan(P.Y, FBottom.Y)) FBottom = P;
  if (LessThan(P.X, FLeft.X)) FLeft = P;
  if (LessThan(P.Y, FTop.Y)) FTop = P;
}

void TContourExtent::AddArc(const TContourArc& Arc) {
  const long double r = Arc.R;
  const TPointF candidates[4] = {PointF(Arc.Center.X + r, Arc.Center.Y), PointF(Arc.Center.X - r, Arc.Center.Y),
                                 PointF(Arc.Center.X, Arc.Center.Y + r), PointF(Arc.Center.X, Arc.Center.Y - r)};
  for (const TPointF& c : candidates) {
    if (PointApplyToArc(Arc.A, Arc.B, Arc.Center, c, Arc.R)) AddPoint(c);
  }
}

TContourDimensions TContourExtent::Result() const {
  return {RoundedPoint(FLeft), RoundedPoint(FTop), RoundedPoint(FRight), RoundedPoint(FBottom)};
}

TContourDimensions GetSimpleContourDimensions(std::span<const TPoint> Points) {
  const std::span<const TContourArc> noArcs;
  return GetContourDimensionsBy(
      Points, noArcs, [](const TPoint& p) { return p; }, [](const TContourArc& a) { return a; });
}

}  // namespace kv
