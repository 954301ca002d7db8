#pragma once
// Builders of small constructions for the tests: rectangular contours with mitred corner cross
// points, a vertical mullion dividing a frame into two parts, sashes with glass.
#include "construction/construction.h"

namespace kv::test {

// Corners (L, T + H), (L, T), (L + W, T), (L + W, T + H) with sides between them and cross points
// of a mitred profile of width Width (PointW) and depth Width / 2 (PointI, PointF).
void BuildRectContour(TAbstractFrame& Element, const TPoint& LeftTop, int32_t W, int32_t H, int32_t Width);

// A vertical mullion at X from the top side to the bottom side of a rectangular frame, of width
// Width, splitting the frame's base part into a left and a right part (the base part is replaced).
TImpost* AddVerticalImpost(TCustomFrame& Frame, int32_t X, int32_t Width);

// A sash filling the part, with a rectangular contour inset by Inset and a glazed base part.
TFlugel* AddFlugel(Tgx30CustomPart& Part, int32_t Inset, int32_t Width);

Tgx30CustomPart* CustomPart(TAbstractFrame& Element, int Index);
// The same part as a reference.
Tgx30CustomPart& Field(TAbstractFrame& Element, size_t Index);

}  // namespace kv::test
