#include "geometry/angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/near_points.h"
#include "geometry/point_ops.h"

namespace kv {
namespace {

using test::kOrigin;

double Polar(float x, float y) { return static_cast<double>(GetPolarAngle(kOrigin, PointF(x, y))); }

TEST(Angles, PolarDirectionsArcLengthsRisesAndLineEquations) {
  EXPECT_EQ(Polar(0, -5), 90);  // up: y grows downwards
  EXPECT_EQ(Polar(0, 5), 270);  // down
  EXPECT_EQ(Polar(-3, 0), 180);
  EXPECT_EQ(Polar(3, 0), 0);
  EXPECT_EQ(Polar(0, 0), 0);
  for (int step = 0; step < 720; ++step) {
    const double t = step * std::numbers::pi / 360 + 0.001;
    const float x = static_cast<float>(1000 * std::cos(t)), y = static_cast<float>(1000 * std::sin(t));
    double expected = std::atan2(-static_cast<double>(y), x) * 180 / std::numbers::pi;
    if (expected < 0) expected += 360;
    const double angle = Polar(x, y);
    EXPECT_NEAR(angle, expected, 1e-9) << x << ' ' << y;
    EXPECT_TRUE(angle >= 0 && angle < 360) << angle;
  }
  const double vanishing = Polar(1e30f, 1e-30f);
  EXPECT_TRUE(vanishing >= 0 && vanishing < 360) << vanishing;
  EXPECT_EQ(GetPolarAngle(TPoint{5, 5}, TPoint{5, 0}), 90);
  EXPECT_EQ(GetPolarAngle(TPoint{0, 0}, TPoint{7, 3}), GetPolarAngle(kOrigin, PointF(7, 3)));
  EXPECT_EQ(GetDirection(kOrigin, kOrigin), dirNone);
  EXPECT_EQ(GetDirection(kOrigin, PointF(1, -1)), 1);
  EXPECT_EQ(GetDirection(kOrigin, PointF(1, 0)), 2);
  EXPECT_EQ(GetDirection(kOrigin, PointF(1, 1)), 3);
  EXPECT_EQ(GetDirection(kOrigin, PointF(0, 1)), 4);
  EXPECT_EQ(GetDirection(kOrigin, PointF(-1, 1)), 5);
  EXPECT_EQ(GetDirection(kOrigin, PointF(-1, 0)), 6);
  EXPECT_EQ(GetDirection(kOrigin, PointF(-1, -1)), 7);
  EXPECT_EQ(GetDirection(kOrigin, PointF(0, -1)), 8);
  EXPECT_EQ(GetDirection(TPoint{3, 3}, TPoint{3, 1}), dirUp);
  EXPECT_EQ(GetAngleDirection(-0.0001), dirNone);
  EXPECT_EQ(GetAngleDirection(360.0001), dirNone);
  EXPECT_EQ(GetAngleDirection(0), dirRight);
  EXPECT_EQ(GetAngleDirection(360), dirRight);
  EXPECT_EQ(GetAngleDirection(45), dirRightUp);
  EXPECT_EQ(GetAngleDirection(90), dirUp);
  EXPECT_EQ(GetAngleDirection(135), dirLeftUp);
  EXPECT_EQ(GetAngleDirection(180), dirLeft);
  EXPECT_EQ(GetAngleDirection(225), dirLeftDown);
  EXPECT_EQ(GetAngleDirection(270), dirDown);
  EXPECT_EQ(GetAngleDirection(315), dirRightDown);
  const double pi = std::numbers::pi;
  EXPECT_NEAR(static_cast<double>(GetArcLength(PointF(10, 0), PointF(0, -10), kOrigin, 10)), 2 * pi * 10 / 4, 1e-9);
  EXPECT_NEAR(static_cast<double>(GetArcLength(PointF(10, 0), PointF(0, 10), kOrigin, 10)), 2 * pi * 10 * 3 / 4, 1e-9);
  EXPECT_NEAR(static_cast<double>(GetArcLength(PointF(10, 0), PointF(-10, 0), kOrigin, 10)), pi * 10, 1e-9);
  EXPECT_EQ(RadiusToHeight(1000, 400), 0);  // no such arc
  EXPECT_EQ(RadiusToHeight(1000, 500), 500);
  EXPECT_EQ(RadiusToHeight(1000, 1300), 100);
  EXPECT_EQ(RadiusToHeight(100, 100), 13);  // 13.397 to whole units
  EXPECT_EQ(RadiusToHeight(0, 100), 0);
  EXPECT_EQ(RadiusToHeight(-10, 100), 0);
  EXPECT_EQ(HeightToRadius(1000, 100), 1300);
  EXPECT_EQ(HeightToRadius(1000, 500), 500);
  EXPECT_NEAR(static_cast<double>(HeightToRadius(10, 3)), 5.66666667, 1e-12);
  EXPECT_EQ(HeightToRadius(0, 100), 0);
  EXPECT_EQ(HeightToRadius(1000, -5), 0);
  EXPECT_EQ(HeightToRadius(1000, RadiusToHeight(1000, 1300)), 1300);
  long double a, b, c;
  GetLineEquationCoef(PointF(1, 2), PointF(4, 6), a, b, c);
  EXPECT_EQ(a, 4);
  EXPECT_EQ(b, 3);
  EXPECT_EQ(c, -2);
}

double CrossAngle(TPointF a, TPointF b, TPointF c) { return static_cast<double>(GetLineLineCrossAngle(a, b, c)); }

TEST(CrossAndJointAngles, TurnsNearlyStraightPathsTangentArchesAndPartialAngles) {
  const TPointF b = PointF(10, 0);
  EXPECT_NEAR(CrossAngle(kOrigin, b, PointF(20, 0)), 180, 1e-12);
  EXPECT_NEAR(CrossAngle(kOrigin, b, PointF(10, -10)), 270, 1e-12);  // turns up: left, counter-clockwise
  EXPECT_NEAR(CrossAngle(kOrigin, b, PointF(10, 10)), 90, 1e-12);    // turns down: right
  EXPECT_NEAR(CrossAngle(kOrigin, b, PointF(20, -10)), 225, 1e-12);
  EXPECT_NEAR(CrossAngle(kOrigin, b, PointF(20, 10)), 135, 1e-12);
  EXPECT_NEAR(CrossAngle(kOrigin, b, kOrigin), 360, 1e-12);            // turning back
  const TPointF down = PointF(0, 10);                                  // heading down the screen
  EXPECT_NEAR(CrossAngle(kOrigin, down, PointF(10, 10)), 270, 1e-12);  // east is on the left
  EXPECT_NEAR(CrossAngle(kOrigin, down, PointF(-10, 10)), 90, 1e-12);
  EXPECT_EQ(CrossAngle(kOrigin, kOrigin, PointF(5, 5)), -1);
  EXPECT_EQ(CrossAngle(kOrigin, PointF(5, 5), PointF(5, 5)), -1);
  for (int i = 1; i < 200; ++i) {
    const float f = static_cast<float>(i) * 12345.678f;
    const double angle = CrossAngle(PointF(f, f / 3), PointF(2 * f, 2 * f / 3), PointF(3 * f, f));
    EXPECT_FALSE(std::isnan(angle));
    EXPECT_NEAR(angle, 180, 1e-3);
  }
  EXPECT_EQ(GetAngle(kOrigin, PointF(10, 0), PointF(10, 10), 0, 0, kOrigin, kOrigin), 90)
      << "straight elements: the cross angle";
  // Jamb going up to B, then a semicircular arch with its centre to the right of B.
  EXPECT_NEAR(static_cast<double>(GetAngle(PointF(0, 10), kOrigin, PointF(20, 0), 0, 10, kOrigin, PointF(10, 0))), 180,
              1e-9);
  // The arch ending at B, then the jamb going down.
  EXPECT_NEAR(static_cast<double>(GetAngle(kOrigin, PointF(20, 0), PointF(20, 10), 10, 0, PointF(10, 0), kOrigin)), 180,
              1e-9);
  // The arc centre on the left: the partial angle 270 turns into 0.
  EXPECT_NEAR(static_cast<double>(GetAngle(PointF(0, 10), kOrigin, PointF(-20, 0), 0, 10, kOrigin, PointF(-10, 0))), 0,
              1e-9);
  const long double both = GetAngle(PointF(0, 10), kOrigin, PointF(20, 0), 10, 10, PointF(-10, 0), PointF(10, 0));
  const long double first = GetLineLineCrossAngle(PointF(-10, 0), kOrigin, PointF(20, 0));
  EXPECT_NEAR(static_cast<double>(both), static_cast<double>(first + 90) + 180, 1e-9);
  EXPECT_EQ(GetAngle(PointF(0, 10), kOrigin, PointF(20, 0), -10, 0, PointF(10, 0), kOrigin), 0);
}

}  // namespace
}  // namespace kv
