#include "construction/bar_sizes.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "catalogue/combination_lookups.h"
#include "catalogue/profile_lookups.h"
#include "construction/construction_consts.h"
#include "geometry/angles.h"
#include "geometry/point_ops.h"
#include "geometry/transforms.h"

namespace kv {

long double CutAngle(long double JointAngle) { return JointAngle == -1 ? 90 : JointAngle; }

long double AxisLength(std::span<const TPoint> StartPoints, std::span<const TPoint> EndPoints, const TPoint& Origin,
                       long double PolarAngle) {
  const TPointF origin = ExtendedPoint(Origin);
  const auto x_on_axis = [&](const TPoint& P) -> long double {
    return TurnPointX(ExtendedPoint(P), origin, -PolarAngle).X;
  };
  long double start_min = std::numeric_limits<long double>::max();
  long double end_max = std::numeric_limits<long double>::lowest();
  for (const TPoint& p : StartPoints) start_min = std::min(start_min, x_on_axis(p));
  for (const TPoint& p : EndPoints) end_max = std::max(end_max, x_on_axis(p));
  return std::fabs(end_max - start_min);
}

long double LeftArcLength(const TPointF& A, const TPointF& B, const TPointF& Center, long double R) {
  const long double angle = GetAngle(A, Center, B, 0, 0, Center, Center);
  if (angle < 0) return 0;
  const long double shorter = angle > 180 ? 360 - angle : angle;
  const long double side = (static_cast<long double>(Center.X) - A.X) * (static_cast<long double>(B.Y) - A.Y) -
                           (static_cast<long double>(Center.Y) - A.Y) * (static_cast<long double>(B.X) - A.X);
  const long double swept = side > 0 ? 360 - shorter : shorter;
  return 2 * 3.14159265358979323846L * R * swept / 360;
}

long double LargestArcLength(std::span<const TPoint> StartPoints, std::span<const TPoint> EndPoints,
                             const TPointF& Center, long double R) {
  long double longest = 0;
  const size_t pairs = std::min(StartPoints.size(), EndPoints.size());
  for (size_t i = 0; i < pairs; ++i)
    longest = std::max(longest, LeftArcLength(ExtendedPoint(StartPoints[i]), ExtendedPoint(EndPoints[i]), Center, R));
  return longest;
}

long double ConnectorAllowance(int32_t SubSetID, long double Angle) {
  if (SubSetID == NO_SUBSET) return 0;
  return GetWeldAllowance(static_cast<double>(Angle), GetCombinProfDeltaSizeByID_1(SubSetID));
}

long double SteelShortening(int32_t SubSetID) {
  return SubSetID == NO_SUBSET ? 0 : GetCombinSteelDeltaSizeByID_1(SubSetID);
}

long double SteelCutAngle(int32_t SubSetID) {
  if (SubSetID == NO_SUBSET) return 90;
  const long double angle = GetCombinSteelAngleByID_1(SubSetID);
  return angle == 0 ? 90 : angle;
}

}  // namespace kv
