#include "geometry/contour_dimensions.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace kv {
namespace {

// Stand-ins for the model's contour points and lines.
struct TTestPoint {
  TPoint P;
  TPoint GetPoint() const { return P; }
  void SetPoint(const TPoint& value) { P = value; }
};

struct TTestLine {
  const TTestPoint* PX1;
  const TTestPoint* PX2;
  float Radius = 0;
  TPointF Center;
};

struct TTestPartLine {
  const TTestLine* Line;
  bool Inverted = false;
  const TTestLine* GetLine() const { return Line; }
};

// A window 1000 wide with a semicircular head of radius 500 over the chord y = 500.
struct TArchedContour {
  std::vector<std::unique_ptr<TTestPoint>> Points;
  std::vector<TTestLine> Lines;

  explicit TArchedContour(float radius) {
    for (TPoint p : {TPoint{0, 500}, TPoint{1000, 500}, TPoint{1000, 1000}, TPoint{0, 1000}})
      Points.push_back(std::make_unique<TTestPoint>(TTestPoint{p}));
    for (std::size_t i = 0; i < Points.size(); ++i)
      Lines.push_back({Points[i].get(), Points[(i + 1) % Points.size()].get(), 0, {}});
    Lines[0].Radius = radius;
    Lines[0].Center = PointF(500, 500);
  }
};

TEST(ContourDimensions, PlainPointsFirstPointWinsATieExtentWithTheHundredthTolerance) {
  const std::vector<TPoint> points{{0, 0}, {100, 0}, {100, 50}, {0, 50}};
  const TContourDimensions d = GetSimpleContourDimensions(points);
  EXPECT_EQ(d.Left, (TPoint{0, 0}));
  EXPECT_EQ(d.Top, (TPoint{0, 0}));
  EXPECT_EQ(d.Right, (TPoint{100, 0}));
  EXPECT_EQ(d.Bottom, (TPoint{100, 50}));
  EXPECT_EQ(GetSimpleContourDimensions({}), TContourDimensions{});
  TContourExtent extent;
  EXPECT_TRUE(extent.Empty());
  extent.AddPoint(PointF(100, 0));
  extent.AddPoint(PointF(100.005, 0));  // not beyond by 0.01
  EXPECT_EQ(extent.Result().Right, (TPoint{100, 0}));
  extent.AddPoint(PointF(100.75, 3));
  EXPECT_EQ(extent.Result().Right, (TPoint{101, 3}));
  EXPECT_FALSE(extent.Empty());
}

TEST(ContourDimensions, ArcTopReachesAboveItsEndsAndPartLinesReferToTheParentLines) {
  const TArchedContour contour(500);
  const TContourDimensions d = GetContourDimensions(contour.Points, contour.Lines);
  EXPECT_EQ(d.Top, (TPoint{500, 0}));
  EXPECT_EQ(d.Left, (TPoint{0, 500}));
  EXPECT_EQ(d.Right, (TPoint{1000, 500}));
  EXPECT_EQ(d.Bottom, (TPoint{1000, 1000}));
  const TArchedContour inward(-500);  // the lower half: inside the rectangle below the chord
  EXPECT_EQ(GetContourDimensions(inward.Points, inward.Lines).Top, (TPoint{0, 500}));
  std::vector<TTestPartLine> partLines;
  for (const TTestLine& line : contour.Lines) partLines.push_back({&line, false});
  std::vector<const TTestPoint*> partPoints;
  for (const auto& p : contour.Points) partPoints.push_back(p.get());
  EXPECT_EQ(GetPartContourDimensions(partPoints, partLines).Top, (TPoint{500, 0}));
}

TEST(ContourDimensions, APartTakesItsOwnPieceOfAnArc) {
  // The left field under the arch when a bar stands at x 200: its piece of the arc runs from
  // (0,500) to (200,100), which is its highest point; the arc's top (500,0) lies on another piece.
  const TArchedContour contour(500);
  const TTestPoint corners[] = {{{0, 1000}}, {{0, 500}}, {{200, 100}}, {{200, 1000}}};
  const TTestLine bar{&corners[2], &corners[3], 0, {}};
  const TTestLine bottom{&corners[3], &corners[0], 0, {}};
  const TTestLine jamb{&corners[0], &corners[1], 0, {}};
  const std::vector<const TTestPoint*> points = {&corners[0], &corners[1], &corners[2], &corners[3]};
  const std::vector<TTestPartLine> clockwise = {
      {&jamb, false}, {&contour.Lines[0], false}, {&bar, false}, {&bottom, false}};
  EXPECT_EQ(GetPartContourDimensions(points, clockwise).Top, (TPoint{200, 100}));
  // The same field run the other way round: the piece runs against its arc's direction.
  const std::vector<const TTestPoint*> reversed = {&corners[3], &corners[2], &corners[1], &corners[0]};
  const std::vector<TTestPartLine> counter = {
      {&bar, false}, {&contour.Lines[0], true}, {&jamb, false}, {&bottom, false}};
  EXPECT_EQ(GetPartContourDimensions(reversed, counter).Top, (TPoint{200, 100}));
  // Taking the piece's ends in the part's order instead would find the arc's top on it.
  const std::vector<TTestPartLine> unmarked = {
      {&bar, false}, {&contour.Lines[0], false}, {&jamb, false}, {&bottom, false}};
  EXPECT_EQ(GetPartContourDimensions(reversed, unmarked).Top, (TPoint{500, 0}));
}

TEST(ContourTurn, TurnsEveryPointAboutTheCentre) {
  TArchedContour contour(500);
  TurnContourX(contour.Points, TPoint{500, 750}, 90);
  EXPECT_EQ(contour.Points[0]->P, (TPoint{250, 1250}));
  EXPECT_EQ(contour.Points[2]->P, (TPoint{750, 250}));
  std::vector<TTestPoint> plain{{TPoint{10, 0}}};
  TurnContourX(plain, TPoint{0, 0}, -90);
  EXPECT_EQ(plain[0].P, (TPoint{0, 10}));
}

}  // namespace
}  // namespace kv
