#pragma once
// Membership of points in segments and arcs, crossings of lines and circles, arc centres and the
// integer side tests. Degenerate input gives the marked results documented per function.
#include <cstdint>

#include "shell/points.h"

namespace kv {

// P on the segment A-B: ends within 0.01, axis-parallel segments exactly, oblique ones when the two
// line parameters of P differ by at most 0.01.
bool PointApplyToLine(const TPointF& A, const TPointF& B, const TPointF& P);
// P on the circle (Center, |R|) within 0.5 and on the side of the chord A-B that the sign of R selects
// (R > 0: the left of A -> B as seen on the screen).
bool PointApplyToArc(const TPointF& A, const TPointF& B, const TPointF& Center, const TPointF& P, long double R);

// P on the piece of the circle (Center, |R|) from A to B within Tolerance: no further than Tolerance
// from the circle, and no more than Tolerance (measured along the circle) beyond either end. For
// R > 0 the piece runs from A to B clockwise on the screen (it bulges to the left of A -> B, as the
// model's arcs do), for R < 0 counter-clockwise.
bool PointApplyToArcPiece(const TPointF& A, const TPointF& B, const TPointF& Center, const TPointF& P, long double R,
                          long double Tolerance);

// A point computed on the circle (Center, |R|) in whole units: RoundedPoint, unless that leaves the
// circle by more than the 0.5 of PointApplyToArc (the cascade rounding moves a coordinate by up to
// 0.5556); then the whole point around P (each coordinate rounded down or up, a whole one stays)
// nearest to the circle, which lies on it within 0.5.
TPoint RoundedPointToArc(const TPointF& P, const TPointF& Center, long double R);

// Crossing of the lines A1-A2 and B1-B2 (of the segments unless Infinite): 0 found; -1 parallel
// without a shared end; -2 crossing outside a segment. P = (0, 0) when not found.
int GetLineLineCrossPoint(const TPointF& A1, const TPointF& A2, const TPointF& B1, const TPointF& B2, bool Infinite,
                          TPointF& P);
// Parallel segments that overlap (touching end to end is no overlap).
bool LineLineHasCrossUnion(const TPointF& A1, const TPointF& A2, const TPointF& B1, const TPointF& B2);
// Crossings of the line A-B with the arc ArcA-ArcB of the circle (Center, R): the count 1 or 2 with
// the points in P1 (and P2), or -1 with both zero.
int GetArcLineCrossPoint(const TPointF& A, const TPointF& B, const TPointF& ArcA, const TPointF& ArcB,
                         const TPointF& Center, long double R, bool Infinite, TPointF& P1, TPointF& P2);

// Y of the point with abscissa X on the element A-B (straight for R = 0, else the arc of Center on the
// side of the centre where Side lies); false with Y = 0 when the element has no such point. An X equal
// to that of an end gives the end. The point with that Y in whole units must lie on the element
// (PointApplyToLine with Y rounded; PointApplyToArc with the whole Y nearer to the circle).
bool GetLineXtoY(const TPointF& A, const TPointF& B, const TPointF& Side, long double X, long double R,
                 const TPointF& Center, long double& Y);
bool GetLineYtoX(const TPointF& A, const TPointF& B, const TPointF& Side, long double Y, long double R,
                 const TPointF& Center, long double& X);

// Centre of the circle of radius R through A and B, on the right of A -> B as seen on the screen
// (a negative R puts it on the left). A radius shorter than half the chord gives the chord's middle.
TPointF GetRoundCoord(const TPointF& A, const TPointF& B, long double R);
TPointF GetRoundCenter(const TPoint& A, const TPoint& B, long double R);

// Side of P against A -> B as seen on the screen, from the exact 64-bit cross product.
bool PointHasLineRightPos(const TPoint& A, const TPoint& B, const TPoint& P);
bool PointHasLineLeftPos(const TPoint& A, const TPoint& B, const TPoint& P);
// P on the inner (right-hand) side of the contour line A -> B of a clockwise contour, or, with a
// Tolerance other than 0, no further than Tolerance from the line.
bool PointUnderContourLine(const TPoint& A, const TPoint& B, const TPoint& P, long double Tolerance);

}  // namespace kv
