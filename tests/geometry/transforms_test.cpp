#include "geometry/transforms.h"

#include <gtest/gtest.h>

#include <vector>

#include "geometry/angles.h"
#include "geometry/near_points.h"
#include "geometry/point_ops.h"

namespace kv {
namespace {

using test::ExpectNear;

TEST(Rotation, CounterClockwiseOnScreenRoundedToFourDecimalsRoundTripAndShiftsAlongALine) {
  ExpectNear(TurnPoint(PointF(10, 0), 90), PointF(0, -10));  // right turns to up
  ExpectNear(TurnPoint(PointF(10, 0), -90), PointF(0, 10));
  EXPECT_EQ(TurnPointX(PointF(20, 10), PointF(10, 10), 90), PointF(10, 0));
  const TPointF p = TurnPointX(PointF(20, 10), PointF(10, 10), 30);
  EXPECT_FLOAT_EQ(p.X, 18.6603f);
  EXPECT_FLOAT_EQ(p.Y, 5.0f);
  EXPECT_EQ(TurnPointXInt(TPoint{10, 0}, TPoint{0, 0}, 90), (TPoint{0, -10}));
  EXPECT_EQ(TurnPointXInt(TPoint{20, 10}, TPoint{10, 10}, 30), (TPoint{19, 5}));
  ExpectNear(ShiftLinePointX(PointF(0, 0), PointF(0, -10), 5), PointF(0, -5), 1e-12);
  ExpectNear(ShiftLinePointX(PointF(0, 0), PointF(-30, 40), 10), PointF(-6, 8), 1e-5);
  EXPECT_EQ(ShiftLinePointXInt(TPoint{0, 0}, TPoint{30, -40}, 10), (TPoint{6, -8}));
  const TPointF o = PointF(0, 0), east = PointF(10, 0);
  ExpectNear(ShiftLinePointByAngleX(PointF(1, 1), o, east, 90, 5), PointF(1, -4), 1e-12);
  ExpectNear(ShiftLinePointByAngleX(PointF(1, 1), o, east, -90, 5), PointF(1, 6), 1e-12);
  EXPECT_EQ(ShiftLinePointByAngleXInt(TPoint{0, 0}, TPoint{0, 0}, TPoint{0, -10}, 90, 7), (TPoint{-7, 0}));
  const TPointF centre = PointF(123.5, -40.25);
  for (int angle = -180; angle <= 180; angle += 15) {
    const TPointF p = PointF(1234.5678, 987.125);
    const TPointF back = TurnPointX(TurnPointX(p, centre, angle), centre, -angle);
    ExpectNear(back, p, 2e-3);
  }
  std::vector<TPoint> square{{0, 0}, {100, 0}, {100, 50}, {0, 50}};
  const std::vector<TPoint> original = square;
  for (int i = 0; i < 4; ++i) TurnPolygonX(square, TPoint{30, 20}, 90);
  EXPECT_EQ(square, original);
  std::vector<TPoint> points{{10, 0}, {0, 10}};
  TurnPolygonX(points, TPoint{0, 0}, 90);
  EXPECT_EQ(points, (std::vector<TPoint>{{0, -10}, {10, 0}}));
}

TEST(ParallelShift, LeftIsCounterClockwiseOnScreen) {
  TPointF a, b;
  GetParallelLineShift(PointF(0, 0), PointF(100, 0), true, 10, a, b);
  EXPECT_EQ(a, PointF(0, -10));
  EXPECT_EQ(b, PointF(100, -10));
  GetParallelLineShift(PointF(0, 0), PointF(100, 0), false, 10, a, b);
  EXPECT_EQ(a, PointF(0, 10));
  EXPECT_EQ(b, PointF(100, 10));
  const TPointF p1 = PointF(0, 0), p2 = PointF(300, -400);
  GetParallelLineShift(p1, p2, true, 50, a, b);
  EXPECT_NEAR(static_cast<double>(GetDistance(p1, a)), 50, 1e-3);
  EXPECT_NEAR(static_cast<double>(GetDistance(p2, b)), 50, 1e-3);
  EXPECT_NEAR(static_cast<double>(GetPolarAngle(a, b)), static_cast<double>(GetPolarAngle(p1, p2)), 1e-4);
  ExpectNear(a, PointF(-40, -30));  // up and to the left of a line heading up and to the right
}

}  // namespace
}  // namespace kv
