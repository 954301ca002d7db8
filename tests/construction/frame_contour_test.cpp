#include <gtest/gtest.h>

#include <cmath>

#include "construction/construction.h"
#include "construction/demo_catalogue.h"
#include "construction/glass.h"
#include "geometry/intersections.h"
#include "geometry/point_ops.h"
#include "shell/error_of.h"
#include "shell/errors.h"

namespace kv {
namespace {

// The frame's contour as a plain contour: its order check refuses one that runs counter-clockwise.
bool RunsClockwise(const TFrame& Frame) {
  TFillContour contour;
  for (size_t i = 0; i < Frame.Points.size(); ++i)
    contour.push_back({Frame.Points[i]->GetPoint(), Frame.Lines[i]->Radius, Frame.Lines[i]->Center});
  Tgx25SimpleFrame plain;
  plain.SetContour(contour);
  return test::ErrorOf<ECreationError>([&] { plain.SortPoints(); }) == "no error";
}

class Figures : public ::testing::TestWithParam<TFigType> {
protected:
  test::TDemoCatalogue catalogue;
};

TEST_P(Figures, ClosedClockwiseOfTheAskedSizeWithArcsOnTheirCircles) {
  TFrame frame(nullptr, 1);
  TInitialSize size;
  size.Width = 1200;
  size.Height = 1500;
  size.Figure = GetParam();
  frame.BuildInitial(size);

  ASSERT_GE(frame.Points.size(), static_cast<size_t>(MIN_CONTOUR_POINT));
  ASSERT_EQ(frame.Points.size(), frame.Lines.size());
  for (size_t i = 0; i < frame.Lines.size(); ++i) {
    // Closed: side i runs from corner i to corner i + 1, the last one back to corner 0.
    EXPECT_EQ(frame.Lines[i]->PX1, frame.Points[i].get());
    EXPECT_EQ(frame.Lines[i]->PX2, frame.Points[(i + 1) % frame.Points.size()].get());
    const Tgx25Line& side = *frame.Lines[i];
    if (side.Radius == 0) continue;
    const TPointF centre = side.Center;
    EXPECT_NEAR(GetDistance(centre, ExtendedPoint(side.PX1->GetPoint())), side.Radius, 1) << "side " << i;
    EXPECT_NEAR(GetDistance(centre, ExtendedPoint(side.PX2->GetPoint())), side.Radius, 1) << "side " << i;
  }
  EXPECT_TRUE(RunsClockwise(frame));
  const TRect box = BoundRectOf(frame.GetDimensions());
  EXPECT_EQ(box.Left, 0);
  EXPECT_EQ(box.Top, 0);
  EXPECT_NEAR(box.Width(), 12000, 1);
  EXPECT_NEAR(box.Height(), 15000, 1);
  // Every side carries the frame profile and a bar of positive length.
  for (size_t i = 0; i < frame.Lines.size(); ++i) {
    EXPECT_EQ(frame.GetFrameLine(static_cast<int>(i))->Profile.ID, "TL-101");
    EXPECT_GT(frame.GetFrameLine(static_cast<int>(i))->ProfSize.Length, 0);
  }
  EXPECT_EQ(frame.Parts.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(AllFigures, Figures,
                         ::testing::Values(figRect, figBalkonLeft, figBalkonRight, figTrapLeft, figTrapRight,
                                           figDblTrap, figTri, figTriLeft, figTriRight, figPentLeft, figPentRight,
                                           figPika, figSix, figMiniArc, figArc, figArcLeft, figArcRight, figArcTriLeft,
                                           figArcTriRight));

class NewFrame : public ::testing::Test {
protected:
  test::TDemoCatalogue catalogue;
  TFrame frame{nullptr, 1};
};

TEST_F(NewFrame, RectangleRunsFromTheBottomLeftClockwiseWithTheTypesSystemProfilesAndJoints) {
  frame.BuildInitial({1000, 800});
  ASSERT_EQ(frame.Points.size(), 4u);
  EXPECT_EQ(frame.Points[0]->GetPoint(), (TPoint{0, 8000}));
  EXPECT_EQ(frame.Points[1]->GetPoint(), (TPoint{0, 0}));
  EXPECT_EQ(frame.Points[2]->GetPoint(), (TPoint{10000, 0}));
  EXPECT_EQ(frame.Points[3]->GetPoint(), (TPoint{10000, 8000}));
  for (const auto& side : frame.Lines) EXPECT_EQ(side->Radius, 0);
  EXPECT_EQ(frame.ProfSys, "TL70");
  EXPECT_EQ(frame.FurnSys, "TLF");
  EXPECT_EQ(frame.ProfColor, "WH");
  EXPECT_EQ(frame.ID, 1);
  EXPECT_FLOAT_EQ(frame.WeldAllowance, 30);
  const Tgx25FrameLine& top = *frame.GetFrameLine(1);
  EXPECT_EQ(top.Profile.Color, "WH");
  EXPECT_EQ(top.Steel.ID, "TL-S20");
  EXPECT_TRUE(top.Montage);
  const auto* corner = frame.GetFramePoint(1);
  EXPECT_EQ(corner->AngleType, atX45);
  EXPECT_EQ(corner->SubSetID, 1001);
}

// R 500 mm over 1000 mm is a half circle about the middle of the top; a second radius makes it elliptic.
TEST_F(NewFrame, ArchedTopOfARectangleTakesItsRadiiAndLeftTopPlacesAFrame) {
  TInitialSize size{1000, 800};
  size.Radius = 500;
  frame.BuildInitial(size);
  EXPECT_FLOAT_EQ(frame.Lines[1]->Radius, 5000);
  EXPECT_TRUE(frame.Lines[1]->FullRadius());
  EXPECT_EQ(frame.Lines[1]->Center, (TPointF{5000, 0}));
  TFrame elliptic(nullptr, 1);
  size.Radius = 600;
  size.Radius2 = 700;
  elliptic.BuildInitial(size);
  EXPECT_FLOAT_EQ(elliptic.Lines[1]->Radius2, 7000);
  EXPECT_TRUE(elliptic.Lines[1]->EllipseRadius());
  EXPECT_EQ(elliptic.Lines[0]->Radius2, 0) << "the other sides are straight";
  TFrame placed(nullptr, 1);
  TInitialSize at{1000, 800};
  at.LeftTop = {100, 50};
  placed.BuildInitial(at);
  EXPECT_EQ(placed.Points[1]->GetPoint(), (TPoint{1000, 500}));
  EXPECT_EQ(placed.LeftTop, (TPoint{1000, 500}));
}

TEST_F(NewFrame, SegmentalArchKeepsTheRadiusAsGiven) {
  // R 2000 mm over 1300 mm rises 2000 - sqrt(2000^2 - 650^2) = 108.57 mm: the springing is placed
  // on the whole tenth 1086, the radius stays 20000 (the rise's own radius would be 19994.2).
  TInitialSize size{1300, 1400};
  size.Figure = figMiniArc;
  size.Radius = 2000;
  frame.BuildInitial(size);
  ASSERT_EQ(frame.Points.size(), 4u);
  EXPECT_EQ(frame.Points[1]->GetPoint(), (TPoint{0, 1086}));
  EXPECT_FLOAT_EQ(frame.Lines[1]->Radius, 20000);
  EXPECT_EQ(BoundRectOf(frame.GetDimensions()), (TRect{0, 0, 13000, 14000}));
}

TEST_F(NewFrame, HalfCircleArchOfItsOwnHeightHasTwoCorners) {
  TInitialSize size{1000, 500};
  size.Figure = figArc;
  frame.BuildInitial(size);
  ASSERT_EQ(frame.Points.size(), 2u);
  EXPECT_TRUE(frame.Lines[0]->FullRadius());
  // Half the circumference of radius 500 mm plus the weld allowance of two mitres at right corners.
  EXPECT_NEAR(frame.GetFrameLine(0)->ProfSize.Length, 3.14159265 * 5000 + 2 * 30 / std::sin(3.14159265 / 4), 5);
}

TEST_F(NewFrame, ImpossibleSizesFigureDataAndUnknownTypesAreRefused) {
  EXPECT_THROW(frame.BuildInitial({0, 800}), ECreationError);
  TInitialSize trapezoid{1000, 800};
  trapezoid.Figure = figTrapLeft;
  trapezoid.HY = 900;
  EXPECT_THROW(frame.BuildInitial(trapezoid), ECreationError);
  TInitialSize arch{1000, 400};
  arch.Figure = figArc;
  EXPECT_EQ(test::ErrorOf<ECreationError>([&] { frame.BuildInitial(arch); }),
            "Параметры фигуры не соответствуют ее размерам!");
  TInitialSize radius{1000, 800};
  radius.Radius = 400;
  EXPECT_THROW(frame.BuildInitial(radius), ECreationError);
  TFrame unknown(nullptr, 99);
  EXPECT_EQ(test::ErrorOf<EInterfaceError>([&] {
              unknown.BuildInitial({1000, 800});
            }),
            "В БД отсутствуют данные для типа конструкции [99]!");
}

}  // namespace
}  // namespace kv
