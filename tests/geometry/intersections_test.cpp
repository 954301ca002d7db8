#include "geometry/intersections.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "geometry/near_points.h"
#include "geometry/point_ops.h"
#include "shell/errors.h"

namespace kv {
namespace {

using test::ExpectNear;
using test::kOrigin;

TEST(PointOnLine, EndsWithinTheToleranceAxisParallelExactlyObliqueByTheLineParameters) {
  const TPointF a = PointF(0, 0), b = PointF(10, 10);
  EXPECT_TRUE(PointApplyToLine(a, b, PointF(-0.01, 0.01)));
  EXPECT_FALSE(PointApplyToLine(a, b, PointF(-0.0101, 0)));
  EXPECT_TRUE(PointApplyToLine(a, b, PointF(10.005, 9.995)));
  const TPointF top = PointF(5, 0), bottom = PointF(5, 10);
  EXPECT_TRUE(PointApplyToLine(top, bottom, PointF(5, 7)));
  EXPECT_TRUE(PointApplyToLine(bottom, top, PointF(5, 7)));
  EXPECT_FALSE(PointApplyToLine(top, bottom, PointF(5.001, 7)));
  EXPECT_FALSE(PointApplyToLine(top, bottom, PointF(5, 10.011)));
  const TPointF left = PointF(0, 3), right = PointF(20, 3);
  EXPECT_TRUE(PointApplyToLine(right, left, PointF(12.5, 3)));
  EXPECT_FALSE(PointApplyToLine(left, right, PointF(12.5, 3.001)));
  const TPointF from = PointF(0, 0), to = PointF(100, 50);
  EXPECT_TRUE(PointApplyToLine(from, to, PointF(50, 25)));
  EXPECT_TRUE(PointApplyToLine(from, to, PointF(50, 25.45)));   // parameters differ by 0.009
  EXPECT_FALSE(PointApplyToLine(from, to, PointF(50, 25.55)));  // by 0.011
  EXPECT_FALSE(PointApplyToLine(from, to, PointF(110, 55)));    // on the line, beyond the end
}

TEST(PointOnArc, RadiusToleranceSideOfTheChordPiecesAndStoredPoints) {
  const TPointF a = PointF(-100, 0), b = PointF(100, 0);
  EXPECT_TRUE(PointApplyToArc(a, b, kOrigin, PointF(0, -100), 100));  // upper half: left of a -> b
  EXPECT_FALSE(PointApplyToArc(a, b, kOrigin, PointF(0, 100), 100));
  EXPECT_TRUE(PointApplyToArc(a, b, kOrigin, PointF(0, 100), -100));  // the sign selects the other side
  EXPECT_FALSE(PointApplyToArc(a, b, kOrigin, PointF(0, -100), -100));
  EXPECT_TRUE(PointApplyToArc(a, b, kOrigin, PointF(0, -100.5), 100));
  EXPECT_FALSE(PointApplyToArc(a, b, kOrigin, PointF(0, -100.6), 100));
  EXPECT_FALSE(PointApplyToArc(a, b, kOrigin, PointF(0, -99.4), 100));
  EXPECT_TRUE(PointApplyToArc(a, b, kOrigin, b, -100));  // an end lies on both sides
  const TPointF top = PointF(0, -100);
  EXPECT_TRUE(PointApplyToArcPiece(a, b, kOrigin, top, 100, 0.01));
  EXPECT_FALSE(PointApplyToArcPiece(a, b, kOrigin, PointF(0, 100), 100, 0.01));
  EXPECT_TRUE(PointApplyToArcPiece(a, b, kOrigin, PointF(0, 100), -100, 0.01));  // R < 0: the other way round
  // A quarter from the left end to the top: the upper right lies beyond its second end.
  EXPECT_TRUE(PointApplyToArcPiece(a, top, kOrigin, PointF(-70.7107, -70.7107), 100, 0.01));
  EXPECT_FALSE(PointApplyToArcPiece(a, top, kOrigin, PointF(70.7107, -70.7107), 100, 0.01));
  // Half a unit along the circle beyond the first end (0.005 rad of R 100), within 1 and not 0.1.
  const TPointF beyond = PointF(-100 * std::cos(0.005), 100 * std::sin(0.005));
  EXPECT_TRUE(PointApplyToArcPiece(a, b, kOrigin, beyond, 100, 1));
  EXPECT_FALSE(PointApplyToArcPiece(a, b, kOrigin, beyond, 100, 0.1));
  // Off the circle by 0.7 and 0.8.
  EXPECT_TRUE(PointApplyToArcPiece(a, b, kOrigin, PointF(0, -100.7), 100, 0.75));
  EXPECT_FALSE(PointApplyToArcPiece(a, b, kOrigin, PointF(0, -100.8), 100, 0.75));
  // A mullion at x 3960 under the half circle R 6000 about (6000, 6000) meets it at
  // y = 6000 - sqrt(6000^2 - 2040^2) = 357.448. The cascade rounding gives 358, 0.552 x 5642.55 /
  // 6000 = 0.519 off the circle; 357 is 0.448 x 0.9404 = 0.421 off, within PointApplyToArc's 0.5.
  const TPointF springing = PointF(0, 6000), end = PointF(12000, 6000), centre = PointF(6000, 6000);
  EXPECT_FALSE(PointApplyToArc(springing, end, centre, PointF(3960, 358), 6000));
  EXPECT_EQ(RoundedPointToArc(PointF(3960, 357.448f), centre, 6000), (TPoint{3960, 357}));
  // Where the cascade rounding stays within 0.5 it is kept: the top 0.3 above the circle.
  EXPECT_EQ(RoundedPointToArc(PointF(6000, -0.3f), centre, 6000), (TPoint{6000, 0}));
  // GetLineXtoY tests the whole ordinate nearer to the circle and gives the exact one.
  long double y = 0;
  EXPECT_TRUE(GetLineXtoY(springing, end, PointF(6000, 0), 3960, 6000, centre, y));
  EXPECT_NEAR(static_cast<double>(y), 357.448, 1e-3);
}

TEST(LineCrossing, InsideAndOutsideTheSegmentsParallelOnesSharingAnEndOrOverlapping) {
  TPointF p;
  EXPECT_EQ(GetLineLineCrossPoint(PointF(0, 0), PointF(10, 10), PointF(0, 10), PointF(10, 0), false, p), 0);
  EXPECT_EQ(p, PointF(5, 5));
  EXPECT_EQ(GetLineLineCrossPoint(PointF(0, 0), PointF(10, 10), PointF(30, 0), PointF(30, 10), false, p), -2);
  EXPECT_EQ(p, kOrigin);
  EXPECT_EQ(GetLineLineCrossPoint(PointF(0, 0), PointF(10, 10), PointF(30, 0), PointF(30, 10), true, p), 0);
  EXPECT_EQ(p, PointF(30, 30));
  p = PointF(7, 7);
  EXPECT_EQ(GetLineLineCrossPoint(PointF(0, 0), PointF(10, 0), PointF(10, 0), PointF(20, 0), false, p), 0);
  EXPECT_EQ(p, PointF(10, 0));
  EXPECT_EQ(GetLineLineCrossPoint(PointF(10, 0), PointF(0, 0), PointF(20, 0), PointF(10.005, 0), false, p), 0);
  EXPECT_EQ(p, PointF(10, 0));
  EXPECT_EQ(GetLineLineCrossPoint(PointF(0, 0), PointF(10, 0), PointF(12, 0), PointF(20, 0), true, p), -1);
  EXPECT_EQ(p, kOrigin);
  EXPECT_EQ(GetLineLineCrossPoint(PointF(0, 0), PointF(10, 0), PointF(0, 5), PointF(10, 5), true, p), -1);
  EXPECT_EQ(GetLineLineCrossPoint(PointF(0, 0), PointF(10, 0), PointF(2, 0), PointF(8, 0), false, p), -1);
  const TPointF a1 = PointF(0, 0), a2 = PointF(10, 0);
  EXPECT_TRUE(LineLineHasCrossUnion(a1, a2, PointF(5, 0), PointF(15, 0)));
  EXPECT_TRUE(LineLineHasCrossUnion(a1, a2, PointF(2, 0), PointF(8, 0)));
  EXPECT_TRUE(LineLineHasCrossUnion(a1, a2, a2, a1));
  EXPECT_FALSE(LineLineHasCrossUnion(a1, a2, PointF(10, 0), PointF(20, 0)));  // end to end
  EXPECT_FALSE(LineLineHasCrossUnion(a1, a2, PointF(0, 1), PointF(10, 1)));
  EXPECT_FALSE(LineLineHasCrossUnion(a1, a2, PointF(5, -5), PointF(5, 5)));
  EXPECT_TRUE(LineLineHasCrossUnion(PointF(0, 0), PointF(10, 10), PointF(5, 5), PointF(20, 20)));
}

TEST(ArcCrossing, WholeLineTwiceSegmentAndArcTheirOwnPointsTangentMissAndDegenerateInput) {
  TPointF p1, p2;
  EXPECT_EQ(
      GetArcLineCrossPoint(PointF(-20, 0), PointF(20, 0), PointF(-10, 0), PointF(10, 0), kOrigin, 10, true, p1, p2), 2);
  ExpectNear(p1, PointF(-10, 0), 1e-6);
  ExpectNear(p2, PointF(10, 0), 1e-6);
  const TPointF c = PointF(100, 200);
  EXPECT_EQ(GetArcLineCrossPoint(PointF(100, 0), PointF(100, 400), kOrigin, kOrigin, c, 50, true, p1, p2), 2);
  ExpectNear(p1, PointF(100, 150), 1e-6);
  ExpectNear(p2, PointF(100, 250), 1e-6);
  EXPECT_EQ(GetArcLineCrossPoint(PointF(0, 0), PointF(200, 400), kOrigin, kOrigin, c, 50, true, p1, p2), 2);
  EXPECT_NEAR(static_cast<double>(GetDistance(c, p1)), 50, 1e-3);
  EXPECT_NEAR(static_cast<double>(GetDistance(c, p2)), 50, 1e-3);
  const TPointF left = PointF(-10, 0), right = PointF(10, 0);
  EXPECT_EQ(GetArcLineCrossPoint(PointF(0, -20), PointF(0, 20), left, right, kOrigin, 10, false, p1, p2), 1);
  ExpectNear(p1, PointF(0, -10), 1e-6);  // the upper arc
  EXPECT_EQ(p2, kOrigin);
  EXPECT_EQ(GetArcLineCrossPoint(PointF(0, -20), PointF(0, 20), left, right, kOrigin, -10, false, p1, p2), 1);
  ExpectNear(p1, PointF(0, 10), 1e-6);  // the lower arc
  EXPECT_EQ(GetArcLineCrossPoint(PointF(0, -5), PointF(0, 5), left, right, kOrigin, 10, false, p1, p2), -1);
  EXPECT_EQ(p1, kOrigin);
  EXPECT_EQ(p2, kOrigin);
  p1 = p2 = PointF(1, 1);
  EXPECT_EQ(GetArcLineCrossPoint(PointF(-20, -10), PointF(20, -10), kOrigin, kOrigin, kOrigin, 10, true, p1, p2), 1);
  ExpectNear(p1, PointF(0, -10), 1e-9);
  EXPECT_EQ(GetArcLineCrossPoint(PointF(-20, 20), PointF(20, 20), kOrigin, kOrigin, kOrigin, 10, true, p1, p2), -1);
  EXPECT_EQ(p1, kOrigin);
  EXPECT_EQ(GetArcLineCrossPoint(PointF(-20, 0), PointF(20, 0), kOrigin, kOrigin, kOrigin, 0, true, p1, p2), -1);
  EXPECT_EQ(GetArcLineCrossPoint(PointF(5, 5), PointF(5, 5), kOrigin, kOrigin, kOrigin, 10, true, p1, p2), -1);
  EXPECT_EQ(p2, kOrigin);
}

TEST(CoordinateOnElement, StraightLinesAndArcsPickingTheHalfOfTheSidePoint) {
  long double y = -1;
  EXPECT_TRUE(GetLineXtoY(PointF(0, 0), PointF(100, 50), kOrigin, 40, 0, kOrigin, y));
  EXPECT_EQ(y, 20);
  EXPECT_TRUE(GetLineXtoY(PointF(0, 0), PointF(100, 50), kOrigin, 100, 0, kOrigin, y));  // the end itself
  EXPECT_EQ(y, 50);
  EXPECT_FALSE(GetLineXtoY(PointF(0, 0), PointF(100, 50), kOrigin, 150, 0, kOrigin, y));
  EXPECT_EQ(y, 0);
  EXPECT_TRUE(GetLineXtoY(PointF(10, 0), PointF(10, 100), kOrigin, 10, 0, kOrigin, y));
  EXPECT_EQ(y, 0);
  EXPECT_FALSE(GetLineXtoY(PointF(10, 0), PointF(10, 100), kOrigin, 20, 0, kOrigin, y));  // vertical: no such X
  EXPECT_EQ(y, 0);
  long double x = -1;
  EXPECT_TRUE(GetLineYtoX(PointF(0, 0), PointF(50, 100), kOrigin, 40, 0, kOrigin, x));
  EXPECT_EQ(x, 20);
  EXPECT_FALSE(GetLineYtoX(PointF(0, 7), PointF(50, 7), kOrigin, 8, 0, kOrigin, x));
  const TPointF a = PointF(-100, 0), b = PointF(100, 0);  // upper half arc (R > 0)
  y = -1;
  EXPECT_TRUE(GetLineXtoY(a, b, PointF(0, -100), 60, 100, kOrigin, y));
  EXPECT_EQ(y, -80);
  EXPECT_FALSE(GetLineXtoY(a, b, PointF(0, 100), 60, 100, kOrigin, y));  // the lower half is not this arc
  EXPECT_EQ(y, 0);
  EXPECT_FALSE(GetLineXtoY(a, b, PointF(0, -100), 150, 100, kOrigin, y));
  EXPECT_EQ(y, 0);
  // A vertical chord heading down with R > 0: the arc is the right half.
  const TPointF top = PointF(0, -100), bottom = PointF(0, 100);
  x = -1;
  EXPECT_TRUE(GetLineYtoX(top, bottom, PointF(100, 0), 60, 100, kOrigin, x));
  EXPECT_EQ(x, 80);
  EXPECT_FALSE(GetLineYtoX(top, bottom, PointF(-100, 0), 60, 100, kOrigin, x));
}

void ExpectCentreOnTheRight(const TPointF& a, const TPointF& b, long double r) {
  const TPointF c = GetRoundCoord(a, b, r);
  EXPECT_NEAR(static_cast<double>(GetDistance(c, a)), static_cast<double>(r), 1e-3);
  EXPECT_NEAR(static_cast<double>(GetDistance(c, b)), static_cast<double>(r), 1e-3);
  const long double side = (static_cast<long double>(c.X) - a.X) * (static_cast<long double>(b.Y) - a.Y) -
                           (static_cast<long double>(c.Y) - a.Y) * (static_cast<long double>(b.X) - a.X);
  EXPECT_LT(side, 0) << a.X << ',' << a.Y << " -> " << b.X << ',' << b.Y;
}

TEST(ArcCentre, OnTheRightOfTheChordInEveryOctantKnownAxisParallelAndDegenerate) {
  const TPointF a = PointF(1000, 1000);
  for (int dx = -300; dx <= 300; dx += 150) {
    for (int dy = -400; dy <= 400; dy += 200) {
      if (dx == 0 && dy == 0) continue;
      ExpectCentreOnTheRight(a, PointF(1000 + dx, 1000 + dy), 600);
    }
  }
  ExpectNear(GetRoundCoord(kOrigin, PointF(10, -10), 10), PointF(10, 0), 1e-6);
  EXPECT_EQ(GetRoundCenter(TPoint{0, 0}, TPoint{10, -10}, 10), PointF(10, 0));
  EXPECT_EQ(GetRoundCoord(kOrigin, PointF(24, 0), 13), PointF(12, 5));
  EXPECT_EQ(GetRoundCoord(PointF(24, 0), kOrigin, 13), PointF(12, -5));
  EXPECT_EQ(GetRoundCoord(kOrigin, PointF(0, 24), 13), PointF(-5, 12));
  EXPECT_EQ(GetRoundCoord(PointF(0, 24), kOrigin, 13), PointF(5, 12));
  EXPECT_EQ(GetRoundCoord(kOrigin, PointF(24, 0), 0), kOrigin);
  EXPECT_EQ(GetRoundCoord(PointF(5, 5), PointF(5, 5), 3), PointF(2, 5));
  EXPECT_EQ(GetRoundCoord(kOrigin, PointF(24, 0), 10), PointF(12, 0));  // too short: the chord's middle
  ExpectNear(GetRoundCoord(kOrigin, PointF(10, -10), 5), PointF(5, -5), 1e-5);
  ExpectNear(GetRoundCoord(kOrigin, PointF(10, -10), -10), PointF(0, -10), 1e-5);  // negative: left side
}

TEST(SideTests, RightAndLeftOnTheScreenIn64BitsAndUnderAContourLine) {
  const TPoint a{0, 0}, b{10, 0};
  EXPECT_TRUE(PointHasLineRightPos(a, b, TPoint{5, 5}));
  EXPECT_FALSE(PointHasLineLeftPos(a, b, TPoint{5, 5}));
  EXPECT_TRUE(PointHasLineLeftPos(a, b, TPoint{5, -5}));
  EXPECT_FALSE(PointHasLineRightPos(a, b, TPoint{20, 0}));
  EXPECT_FALSE(PointHasLineLeftPos(a, b, TPoint{20, 0}));
  EXPECT_TRUE(PointHasLineLeftPos(TPoint{-1000000000, -1000000000}, TPoint{1000000000, 1000000000},
                                  TPoint{1000000000, -1000000000}));
  EXPECT_THROW(PointHasLineRightPos(TPoint{INT_MIN, INT_MIN}, TPoint{INT_MAX, INT_MAX}, TPoint{INT_MAX, INT_MIN}),
               EIntOverflow);
  const TPoint from{0, 0}, to{100, 0};
  EXPECT_TRUE(PointUnderContourLine(from, to, TPoint{50, 5}, 0));
  EXPECT_FALSE(PointUnderContourLine(from, to, TPoint{50, -3}, 0));
  EXPECT_TRUE(PointUnderContourLine(from, to, TPoint{50, -3}, 3));
  EXPECT_FALSE(PointUnderContourLine(from, to, TPoint{50, -3}, 2.9));
  EXPECT_TRUE(PointUnderContourLine(TPoint{0, 0}, TPoint{30, -40}, TPoint{-40, -30}, 50));
  EXPECT_TRUE(PointUnderContourLine(from, from, TPoint{3, -4}, 5));  // a zero line: the distance to its point
  EXPECT_FALSE(PointUnderContourLine(from, from, TPoint{3, -4}, 4.9));
}

}  // namespace
}  // namespace kv
