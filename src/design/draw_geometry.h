#pragma once
// Geometry of the drawing in model units: arcs as point runs, polygons of profiles and contours,
// circles as polygons, scaling to pixels, and hit-testing of the regions kept by drawn objects.
#include <span>
#include <vector>

#include "construction/selectable.h"
#include "shell/points.h"

namespace kv {

using TPolygon = std::vector<TPoint>;

// The points of the arc from A to B about Center that bulges to the left of A -> B (as every arc
// of a clockwise contour does), A and B included; a step of at most 5 degrees.
TPolygon ArcPoints(const TPoint& A, const TPoint& B, const TPointF& Center);
// The middle of that arc.
TPoint ArcMiddle(const TPoint& A, const TPoint& B, const TPointF& Center);
// The run from A to B: the arc when Radius is not 0, else the two points.
TPolygon EdgePoints(const TPoint& A, const TPoint& B, float Radius, const TPointF& Center);
// The region of a profile between its outer and inner edge, both run from its start to its end
// (concentric arcs for a bent profile), closed by the cuts at its ends, each run from the outer to
// the inner edge: outer edge, end cut, inner edge back, start cut back. Eight points for a straight
// profile whose cuts pass two edges between; empty without an outer edge.
TPolygon CreateThorRegion(const TPolygon& Outer, const TPolygon& Inner, const TPolygon& StartCut,
                          const TPolygon& EndCut);
// A circle as a polygon of 24 points.
TPolygon CirclePolygon(const TPoint& Center, int Radius);
// Every point scaled to pixels (GetScaled).
TPolygon Scaled(std::span<const TPoint> Points, long double Scale);
// The middle of the points' bounding box.
TPoint BoxCentre(std::span<const TPoint> Points);

// Whether P lies inside the polygon (non-zero winding) or on its border.
bool RegionContains(const TRegion& Region, const TPoint& P);

}  // namespace kv
