#pragma once
// Measuring bars along their axis: cut angles, the extent of an outline between its two ends, arc
// lengths and the catalogue allowances at the ends.
#include <cstdint>
#include <span>

#include "shell/points.h"

namespace kv {

// The cut angle of a joint angle; a degenerate joint (-1) is cut square.
long double CutAngle(long double JointAngle);

// Turns all points by minus PolarAngle about Origin (the bar then lies along the x axis) and returns
// |max x of EndPoints - min x of StartPoints|.
long double AxisLength(std::span<const TPoint> StartPoints, std::span<const TPoint> EndPoints, const TPoint& Origin,
                       long double PolarAngle);

// The length of the arc about Center from A to B that lies left of A -> B on the screen (the side
// on which the model's arcs bulge): the shorter arc when the centre lies right of the chord.
long double LeftArcLength(const TPointF& A, const TPointF& B, const TPointF& Center, long double R);

// The largest of the arc lengths (Center, R) between corresponding start and end points.
long double LargestArcLength(std::span<const TPoint> StartPoints, std::span<const TPoint> EndPoints,
                             const TPointF& Center, long double R);

// The connector allowance at a bar end cut at Angle: the catalogue delta of the combination over
// sin(Angle); 0 without a combination.
long double ConnectorAllowance(int32_t SubSetID, long double Angle);

// The steel shortening and the steel cut angle that the combination at a bar end gives; 0 and 90
// without a combination.
long double SteelShortening(int32_t SubSetID);
long double SteelCutAngle(int32_t SubSetID);

}  // namespace kv
