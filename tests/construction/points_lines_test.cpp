#include <gtest/gtest.h>

#include "construction/construction.h"
#include "construction/model_builders.h"
#include "construction/property_text.h"
#include "shell/random.h"

namespace kv {
namespace {

TEST(Points, ShiftModesMillimetresAndConnectorProperties) {
  auto point = Tgx25Point::CreateInit(nullptr, {100, 200});
  point->ShiftPoint(smXPoint, 50);
  EXPECT_EQ(point->GetPoint(), (TPoint{50, 200}));
  point->ShiftPoint(smBottom, 10);
  point->ShiftPoint(smLeft, 5);
  EXPECT_EQ(point->GetPoint(), (TPoint{45, 210}));
  point->ShiftPoint(smYProportional, 1.5L);
  EXPECT_EQ(point->Y, 315);
  point->ShiftPoint(smNone, 99);
  EXPECT_EQ(point->GetPoint(), (TPoint{45, 315}));
  const Tgx25SimplePoint real(nullptr, {125, -30});
  EXPECT_FLOAT_EQ(real.GetRealPoint().X, 12.5f);
  EXPECT_FLOAT_EQ(real.GetRealPoint().Y, -3.0f);
  auto connector = Tgx25Point::CreateInit(nullptr, {});
  connector->SetVerbinderSubSet(12, "белый", "10=1\r\n20=2");
  EXPECT_EQ(connector->SubSetID, 12);
  EXPECT_EQ(connector->PropList, (TStringList{"10=1", "20=2"}));
}

TEST(FramePoint, ExchangeCrossPointSwapsTheSidesAndTwiceRestoresThePoint) {
  TPoint Tgx25FramePoint::*const first[] = {&Tgx25FramePoint::Point1, &Tgx25FramePoint::PointW1,
                                            &Tgx25FramePoint::PointI1, &Tgx25FramePoint::PointF1};
  TPoint Tgx25FramePoint::*const second[] = {&Tgx25FramePoint::Point2, &Tgx25FramePoint::PointW2,
                                             &Tgx25FramePoint::PointI2, &Tgx25FramePoint::PointF2};
  Tgx25FramePoint point(nullptr, {10, 20});
  for (int i = 0; i < 4; ++i) {
    point.*first[i] = {i + 1, i + 1};
    point.*second[i] = {i + 5, i + 5};
  }
  point.AngleType = atX1to2;
  for (int turn = 1; turn <= 2; ++turn) {
    point.ExchangeCrossPoint();
    const bool swapped = turn == 1;
    EXPECT_EQ(point.AngleType, swapped ? atX2to1 : atX1to2);
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(testing::Message() << "turn " << turn << ", cross point " << i);
      EXPECT_EQ(point.*first[i], (TPoint{i + (swapped ? 5 : 1), i + (swapped ? 5 : 1)}));
      EXPECT_EQ(point.*second[i], (TPoint{i + (swapped ? 1 : 5), i + (swapped ? 1 : 5)}));
    }
  }
  // A mitre keeps its joint type.
  point.AngleType = atX45;
  point.ExchangeCrossPoint();
  EXPECT_EQ(point.AngleType, atX45);
}

TEST(FramePoint, MovesWithAllCrossPointsAndWeldsToTheWidthCorner) {
  Tgx25FramePoint point(nullptr, {10, 10});
  point.PointW = {20, 20};
  point.PointF2 = {30, 30};
  point.SumPoint({5, -5});
  EXPECT_EQ(point.GetPoint(), (TPoint{15, 5}));
  EXPECT_EQ(point.PointW, (TPoint{25, 15}));
  EXPECT_EQ(point.PointF2, (TPoint{35, 25}));
  EXPECT_EQ(point.Point1, (TPoint{5, -5}));
  point.DecPointInv({5, -5});
  EXPECT_EQ(point.PointW, (TPoint{20, 20}));
  // Back at (10, 10); to (40, 50) is a 30-40-50 triangle.
  point.PointW = {40, 50};
  EXPECT_DOUBLE_EQ(static_cast<double>(point.GetWelding()), 50.0);
}

TEST(SimpleLine, ArcPredicatesAndClearingTheArc) {
  Tgx25SimplePoint a(nullptr, {0, 0}), b(nullptr, {1000, 0});
  Tgx25SimpleLine line(nullptr, &a, &b);
  EXPECT_FALSE(line.HasTrueRadius());
  line.SetFullRadius();
  EXPECT_TRUE(line.HasTrueRadius());
  EXPECT_TRUE(line.FullRadius());
  EXPECT_FALSE(line.EllipseRadius());
  EXPECT_FLOAT_EQ(line.Radius, 500);
  EXPECT_NEAR(static_cast<double>(line.GetRealArcLength()), 3.14159265 * 50, 0.01);
  line.Radius2 = 700;
  EXPECT_TRUE(line.EllipseRadius());
  EXPECT_FALSE(line.FullRadius());
  // No radius after a full radius clears the centre.
  line.SetFullRadius();
  line.SetNoRadius();
  EXPECT_EQ(line.Radius, 0);
  EXPECT_EQ(line.Radius2, 0);
  EXPECT_EQ(line.Center, (TPointF{0, 0}));
}

TEST(SimpleLine, RiseAndRadius) {
  Tgx25SimplePoint a(nullptr, {0, 0}), b(nullptr, {1000, 0});
  Tgx25SimpleLine line(nullptr, &a, &b);
  line.SetHX(100);
  EXPECT_FLOAT_EQ(line.Radius, 1300);
  EXPECT_EQ(line.Radius2, line.Radius);
  EXPECT_DOUBLE_EQ(static_cast<double>(line.GetHX()), 100.0);
  // The centre lies below a chord drawn to the right: the arc rises above it.
  EXPECT_NEAR(line.Center.X, 500, 0.01);
  EXPECT_NEAR(line.Center.Y, 1200, 0.01);
}

TEST(SimpleLine, MeasuresAndMissingPoints) {
  Tgx25SimplePoint a(nullptr, {0, 0}), b(nullptr, {0, -300});
  Tgx25SimpleLine line(nullptr, &a, &b);
  EXPECT_DOUBLE_EQ(static_cast<double>(line.GetInternalSize()), 300.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(line.GetRealSize()), 30.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(line.PolarAngle()), 90.0);
  EXPECT_EQ(line.GetDirection(), dirUp);
  EXPECT_FALSE(line.MoreHorizontal());
  Tgx25SimpleLine open(nullptr, &a, nullptr);
  EXPECT_EQ(open.GetInternalSize(), -1);
  EXPECT_EQ(open.PolarAngle(), 0);
}

TEST(Line, PointsStandingOnIt) {
  Tgx25SimplePoint a(nullptr, {0, 0}), b(nullptr, {1000, 0});
  Tgx25Line line(nullptr, &a, &b);
  Tgx25Point* p300 = line.AddPoint({300, 0});
  Tgx25Point* p700 = line.AddPoint({700, 0});
  EXPECT_EQ(p300->Owner, &line);
  EXPECT_EQ(line.FindPoint({700, 0}), p700);
  EXPECT_EQ(line.FindPoint({701, 0}), nullptr);
  EXPECT_TRUE(line.HasPoint(p300));
  EXPECT_FALSE(line.HasPoint(&a));
  EXPECT_EQ(line.GetNearestPointX(450), p300);
  EXPECT_EQ(line.GetNearestPointDirect({690, 40}), p700);
  EXPECT_EQ(line.GetAnotherPoint(&a), &b);
  EXPECT_EQ(line.GetAnotherPoint(p300), nullptr);
  EXPECT_TRUE(line.IsSecondPoint(&b));
  EXPECT_TRUE(line.RemovePoint(p300));
  EXPECT_FALSE(line.HasPoint(p300));
  EXPECT_EQ(line.GetNearestPointY(0), p700);
}

TEST(Line, CutPointsStaySortedAndOnTheLine) {
  Tgx25SimplePoint a(nullptr, {0, 0}), b(nullptr, {1000, 500});
  Tgx25Line line(nullptr, &a, &b);
  TCutLinePointRec far;
  far.XY = 800;
  far.D0 = 5;
  far.DSign = -1;
  far.Len = 120;
  far.Props = "1=2";
  TCutLinePointRec near = far;
  near.XY = 200;
  line.AddCutPoint(far);
  TgxCutLinePoint* first = line.AddCutPoint(near);
  ASSERT_EQ(line.CutPoints.size(), 2u);
  EXPECT_EQ(line.CutPoints[0].get(), first);
  EXPECT_EQ(first->GetPoint(), (TPoint{200, 100}));
  EXPECT_FLOAT_EQ(first->Delta0, -5);
  EXPECT_FLOAT_EQ(first->EnforceLen, 120);
  EXPECT_EQ(first->PropList, (TStringList{"1=2"}));
  b.SetPoint({1000, 0});
  line.CheckCutPointCoordinate();
  EXPECT_TRUE(line.CutPoints.empty());
}

TEST(Line, PropertiesMergeByKeyAndAnchorsAreOwned) {
  Tgx25Line line;
  line.PropList = {"10=1", "20=2"};
  line.MergeProperty({"20=5", "30=3"});
  EXPECT_EQ(line.PropList, (TStringList{"10=1", "20=5", "30=3"}));
  EXPECT_EQ(StringListToText(line.PropList), "10=1\r\n20=5\r\n30=3");
  EXPECT_EQ(TextToStringList("a\nb\r\n"), (TStringList{"a", "b"}));
  EXPECT_TRUE(TextToStringList("").empty());
  TgxAnkerPoint* anchor = line.AddAnkerPoint({5, 5});
  line.AddAnkerPoint({9, 9});
  EXPECT_TRUE(line.ClearAnkerPoint(anchor));
  EXPECT_FALSE(line.ClearAnkerPoint(anchor));
  line.RemoveAnkerPoints();
  EXPECT_TRUE(line.AnkerPoints.empty());
}

TEST(FrameLine, NoSteelClearsTheSteelBarAndStandardAnglesAreExact) {
  Tgx25FrameLine side(nullptr, nullptr, nullptr);
  side.SteelSize = {100, 90, 90};
  EXPECT_TRUE(side.SetSteel(""));
  EXPECT_FALSE(side.Armed);
  EXPECT_EQ(side.SteelSize, TProfSize{});
  side.ProfSize = {1000, 45, 90};
  EXPECT_TRUE(side.StdAngle());
  side.ProfSize.Angle2 = 90.01f;
  EXPECT_FALSE(side.StdAngle());
  RandomGenerator().Seed(7);
  const Tgx25SelectedObject first;
  RandomGenerator().Seed(7);
  const Tgx25SelectedObject again;
  EXPECT_EQ(first.InternalID, again.InternalID);
  EXPECT_EQ(first.SteelInternalID, again.SteelInternalID);
  EXPECT_GE(first.InternalID, 0);
  EXPECT_LT(first.InternalID, 2130000000);
}

}  // namespace
}  // namespace kv
