#pragma once
// Rotation, shifting along a direction and parallel offsets. A positive angle turns counter-clockwise
// as seen on the y-down screen.
#include <span>

#include "shell/points.h"

namespace kv {

// Rotation about the origin, unrounded.
TPointF TurnPoint(const TPointF& P, long double Angle);
// Rotation about Center, rounded to four decimals.
TPointF TurnPointX(const TPointF& P, const TPointF& Center, long double Angle);
TPoint TurnPointXInt(const TPoint& P, const TPoint& Center, long double Angle);
void TurnPolygonX(std::span<TPoint> Points, const TPoint& Center, long double Angle);

// The point at distance D from A towards B.
TPointF ShiftLinePointX(const TPointF& A, const TPointF& B, long double D);
TPoint ShiftLinePointXInt(const TPoint& A, const TPoint& B, long double D);
// P moved by D in the direction of A -> B turned by Delta degrees.
TPointF ShiftLinePointByAngleX(const TPointF& P, const TPointF& A, const TPointF& B, long double Delta, long double D);
TPoint ShiftLinePointByAngleXInt(const TPoint& P, const TPoint& A, const TPoint& B, long double Delta, long double D);

// The segment parallel to A-B at distance D, on its left (counter-clockwise side) when Left is true.
void GetParallelLineShift(const TPointF& A, const TPointF& B, bool Left, long double D, TPointF& ResultA,
                          TPointF& ResultB);

}  // namespace kv
