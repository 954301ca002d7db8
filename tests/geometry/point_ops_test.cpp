#include "geometry/point_ops.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv {
namespace {

TEST(PointOps, RoundingScalingDistancesCentresAndDifferences) {
  EXPECT_EQ(RoundedPoint(PointF(2.45, -2.5)), (TPoint{3, -3}));
  EXPECT_EQ(RoundedPoint(PointF(2.4444, 7.3)), (TPoint{2, 7}));
  EXPECT_EQ(RoundedPointToMin(PointF(2.7, -2.7)), (TPoint{2, -2}));
  EXPECT_EQ(RoundedPointToPlus(PointF(2.3, -2.3)), (TPoint{3, -1}));
  EXPECT_EQ(RoundedPointToMinus(PointF(2.3, -2.3)), (TPoint{1, -3}));
  const TPointF p = RoundedPointF(PointF(1.23456, -1.23456));
  EXPECT_FLOAT_EQ(p.X, 1.2346f);
  EXPECT_FLOAT_EQ(p.Y, -1.2346f);
  EXPECT_EQ(GetScaled(1000, 3), 333);
  EXPECT_EQ(GetScaled(-1001, 2), -501);
  EXPECT_NEAR(static_cast<double>(GetScaledF(1000, 3)), 333.3, 1e-12);
  EXPECT_EQ(GetScaledPoint(TPoint{1000, 2500}, 10), (TPoint{100, 250}));
  const TPointF f = GetScaledPointF(PointF(1000, 500), 3);
  EXPECT_FLOAT_EQ(f.X, 333.3f);
  EXPECT_FLOAT_EQ(f.Y, 166.7f);
  std::vector<TPoint> points{{10, 20}, {35, -45}};
  GetScaledArray(points, 5);
  EXPECT_EQ(points, (std::vector<TPoint>{{2, 4}, {7, -9}}));
  EXPECT_EQ(GetDistance(PointF(1, 1), PointF(4, 5)), 5);
  EXPECT_EQ(GetDistanceInt(TPoint{0, 0}, TPoint{-6, 8}), 10);
  EXPECT_EQ(GetLineCenter(PointF(0, 0), PointF(5, 3)), PointF(2.5, 1.5));
  EXPECT_EQ(GetLineCenterInt(TPoint{0, 0}, TPoint{5, 3}), (TPoint{3, 2}));
  const TPoint a{10, 20}, b{3, -4};
  EXPECT_EQ(SumPointFInt(PointF(0.5, 1.5), b), PointF(3.5, -2.5));
  EXPECT_EQ(DecPoint(a, b), (TPoint{7, 24}));
  EXPECT_EQ(DecPointInv(a, b), (TPoint{-7, -24}));
  EXPECT_EQ(DecPointFIntInv(PointF(0.5, 1.5), b), PointF(2.5, -5.5));
  EXPECT_TRUE(EqualPoint(PointF(0, 0), PointF(0.01, 0.01)));
  EXPECT_FALSE(EqualPoint(PointF(0, 0), PointF(0.0101, 0)));
  EXPECT_FALSE(EqualPoint(PointF(0, 0), PointF(0, -0.0101)));
  EXPECT_TRUE(ValueBetween(0, 0, 1));
  EXPECT_TRUE(ValueBetween(1, 0, 1));
  EXPECT_FALSE(ValueBetween(1.0001, 0, 1));
  EXPECT_FALSE(ValueBetween(-0.0001, 0, 1));
}

}  // namespace
}  // namespace kv
