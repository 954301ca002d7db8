#include <gtest/gtest.h>

#include <cmath>

#include "catalogue/small_catalogue.h"
#include "construction/construction.h"
#include "construction/fill_contour.h"
#include "construction/model_builders.h"
#include "construction/profiled_frames.h"
#include "shell/error_of.h"
#include "shell/errors.h"

namespace kv {
namespace {

// Frame profiles whose glass deltas are 20 mm (F20) and 30 mm (F30).
class FillContours : public ::testing::Test {
protected:
  void SetUp() override {
    cat.Profile("ProfList", {"Profile", "Group", "Width", "GlassSize", "BeadSize", "FlugelSize", "ModifySize"},
                {{"F20", 0, 70.0, 20.0, 70.0, 60.0, 15.0}});
    cat.Profile("ProfList", {{"Profile", "F30"}, {"Group", 0}, {"Width", 70.0}, {"GlassSize", 30.0}});
    cat.Profile("ProfList", {{"Profile", "S77"}, {"Group", 1}, {"Width", 77.0}});
    cat.Profile("CombList",
                {{"Profile1", "F20"}, {"Profile2", "S77"}, {"Group", 1}, {"ProfDeltaSize", 8.0}, {"SubSetID", 31}});
    cat.Open();
  }
  // A rectangular frame of W x H model units whose sides carry Profile, with its base part.
  TFalshPart& RectPart(int32_t W, int32_t H, const std::string& Profile = "F20") {
    return test::BuildProfiledFrame(frame, W, H, Profile, "");
  }
  test::TSmallCatalogue cat;
  TFrame frame{nullptr, 1};
};

TSize ContourSize(const TFillContour& Contour) {
  int32_t left = Contour[0].Start.X, right = left, top = Contour[0].Start.Y, bottom = top;
  for (const TContourSide& side : Contour) {
    left = std::min(left, side.Start.X);
    right = std::max(right, side.Start.X);
    top = std::min(top, side.Start.Y);
    bottom = std::max(bottom, side.Start.Y);
  }
  return {right - left, bottom - top};
}

TEST_F(FillContours, GlassDeltaOnEverySideOfARectangle) {
  const TFillContour glass = RectPart(8000, 6000).CalcFillSize(gsiGlass, 0);
  ASSERT_EQ(glass.size(), 4u);
  // 800 x 600 mm less 20 mm on each side: 760 x 560 mm, corners in the part's order.
  EXPECT_EQ(ContourSize(glass), (TSize{7600, 5600}));
  EXPECT_EQ(glass[0].Start, (TPoint{200, 5800}));
  EXPECT_EQ(glass[1].Start, (TPoint{200, 200}));
  EXPECT_EQ(glass[2].Start, (TPoint{7800, 200}));
  for (const TContourSide& side : glass) EXPECT_EQ(side.Radius, 0);
}

TEST_F(FillContours, ExtraAndKindsTakeTheirDeltas) {
  TFalshPart& part = RectPart(8000, 6000);
  EXPECT_EQ(ContourSize(part.CalcFillSize(gsiGlass, 500)), (TSize{6600, 4600}));
  EXPECT_EQ(ContourSize(part.CalcFillSize(gsiBead, 0)), (TSize{6600, 4600}));
  EXPECT_EQ(ContourSize(part.CalcFillSize(gsiWidth, 0)), (TSize{6600, 4600}));
  EXPECT_EQ(ContourSize(part.CalcFillSize(gsiFlugel, 0)), (TSize{6800, 4800}));
  // The rebate contour of a sash adds the overlap of the sash combination.
  EXPECT_EQ(ContourSize(part.CalcFillSize(gsiFlugelFalz, 0, "S77")), (TSize{6640, 4640}));
  EXPECT_EQ(ContourSize(part.CalcFillSize(gsiModificator, 0)), (TSize{7700, 5700}));
  // A frame around the part lies outside it.
  EXPECT_EQ(ContourSize(part.CalcFillSize(gsiFrame, 0)), (TSize{9200, 7200}));
  EXPECT_EQ(ContourSize(part.CalcFillSize(gsiNone, 0)), (TSize{8000, 6000}));
  // The extra of one side moves that side only.
  frame.GetFrameLine(2)->DeltaW = 100;
  EXPECT_EQ(ContourSize(part.CalcFillSize(gsiFlugel, 0)), (TSize{6700, 4800}));
}

TEST_F(FillContours, ArcKeepsItsCentreWithTheRadiusLessTheDelta) {
  TFalshPart& part = RectPart(10000, 8000);
  Tgx25Line& top = *frame.Lines[1];
  top.SetHX(2000);
  const float radius = top.Radius;
  const TFillContour glass = part.CalcFillSize(gsiGlass, 0);
  EXPECT_FLOAT_EQ(glass[1].Radius, radius - 200);
  EXPECT_EQ(glass[1].Center, top.Center);
  EXPECT_EQ(glass[0].Radius, 0);
  // The glass corners lie on the smaller circle.
  EXPECT_NEAR(GetDistance(ExtendedPoint(glass[1].Start), top.Center), radius - 200, 1);
  EXPECT_NEAR(GetDistance(ExtendedPoint(glass[2].Start), top.Center), radius - 200, 1);
}

TEST_F(FillContours, HalfCircleShrinksTowardsItsCentreAndAStraightSideCanMissTheMovedArc) {
  TFalshPart& part = RectPart(10000, 8000);
  frame.Lines[1]->SetFullRadius();
  const TFillContour glass = part.CalcFillSize(gsiGlass, 0);
  EXPECT_FLOAT_EQ(glass[1].Radius, 5000 - 200);
  EXPECT_EQ(glass[1].Start, (TPoint{200, 0}));
  const std::string message = test::ErrorOf<ECreationError>([&] { part.CalcFillSize(gsiGlass, 5000); });
  EXPECT_EQ(message.rfind("Не возможно определить точку пересечения:\r\nПрямая X1(", 0), 0u) << message;
  EXPECT_TRUE(test::Contains(message, "\r\nОкружность O(5000,0), R=-200"));
}

TEST_F(FillContours, CollinearSidesWithDifferentDeltasAreParallel) {
  // A top side made of two pieces with different profiles: the moved pieces never meet.
  frame.AddPoint(Tgx25Point::CreateInit(&frame, {0, 6000}));
  frame.AddPoint(Tgx25Point::CreateInit(&frame, {0, 0}));
  frame.AddPoint(Tgx25Point::CreateInit(&frame, {4000, 0}));
  frame.AddPoint(Tgx25Point::CreateInit(&frame, {8000, 0}));
  frame.AddPoint(Tgx25Point::CreateInit(&frame, {8000, 6000}));
  const char* profiles[] = {"F20", "F20", "F30", "F20", "F20"};
  for (const char* profile : profiles) {
    auto* side =
        static_cast<Tgx25FrameLine*>(frame.AddLine(std::make_unique<Tgx25FrameLine>(&frame, nullptr, nullptr)));
    side->SetProfile(profile, "");
  }
  frame.UpdateLinePointPtr();
  EXPECT_EQ(test::ErrorOf<ECreationError>([&] { frame.CalcFillSize(gsiGlass, 0); }),
            "(0,200),(4000,200) и (4000,300),(8000,300) - параллельны!");
}

TEST_F(FillContours, DeltasLargerThanThePartTurnItRound) {
  TFalshPart& part = RectPart(300, 300);
  const std::string message = test::ErrorOf<ECreationError>([&] { part.CalcFillSize(gsiGlass, 0); });
  EXPECT_EQ(message.rfind("Полученная точка (", 0), 0u) << message;
  EXPECT_TRUE(test::Contains(message, "не пренадлежит одной из прямой"));
}

TEST(OffsetCorners, TwoArcsMeetOnBothMovedCirclesAndASideMovesToItsRight) {
  // A pointed arch: the left arc about (200, 200) and the right arc about (0, 200), radius 200,
  // meeting at (100, 200 - sqrt(200^2 - 100^2)); moved by 10 they meet on the circles of radius 190.
  const TSideGeometry left{{0, 200}, {100, 26.7949f}, 200, {200, 200}};
  const TSideGeometry right{{100, 26.7949f}, {200, 200}, 200, {0, 200}};
  const TPointF corner = OffsetCorner(left, 10, right, 10);
  EXPECT_NEAR(corner.X, 100, 0.01);
  EXPECT_NEAR(corner.Y, 200 - std::sqrt(190.0 * 190 - 100 * 100), 0.01);
  // Moving a side to its right: up by 10 and rightwards by 20.
  const TPointF square = OffsetCorner({{0, 100}, {0, 0}, 0, {}}, 10, {{0, 0}, {100, 0}, 0, {}}, 20);
  EXPECT_NEAR(square.X, 10, 1e-4);
  EXPECT_NEAR(square.Y, 20, 1e-4);
  EXPECT_EQ(OffsetRadius({{0, 0}, {100, 0}, 50, {50, 0}}, 10), 40);
  EXPECT_EQ(OffsetRadius({{0, 0}, {100, 0}, 100, {50, -80}}, 10), 110);
}

// The fields beside a transom 1 mm off the springing of a half circle R 6000 about (6000,6000),
// moved in by 500 (jambs, arc, bottom) and 270 (the transom). Below a transom at y 5990 the arc piece
// from (0,6000) runs up to the transom; moved, from the jamb's corner (500,6000) on R 5500 down to
// the transom at y 6260: turned round. Above a transom at y 6010 the jamb piece (0,6010)-(0,6000)
// moved to x 500 runs from the transom at 5740 down to the arc at 6000: turned round as well.
TEST(OffsetContours, AShortPieceOfASideTurnedRoundRefusesTheContour) {
  const float spring = static_cast<float>(6000 - std::sqrt(6000.0 * 6000 - 10.0 * 10));  // the arc at y 5990
  const TPointF centre = PointF(6000, 6000);
  const std::vector<TSideGeometry> below = {{PointF(0, 15000), PointF(0, 6000), 0, {}},
                                            {PointF(0, 6000), PointF(spring, 5990), 6000, centre},
                                            {PointF(spring, 5990), PointF(12000 - spring, 5990), 0, {}},
                                            {PointF(12000 - spring, 5990), PointF(12000, 6000), 6000, centre},
                                            {PointF(12000, 6000), PointF(12000, 15000), 0, {}},
                                            {PointF(12000, 15000), PointF(0, 15000), 0, {}}};
  EXPECT_EQ(test::ErrorOf([&] {
              OffsetContour(below, {500, 500, 270, 500, 500, 500});
            }),
            "Дуга радиуса 600,0 мм от (0,0; 600,0) до (0,0; 599,0) мм, смещенная на 50,0 мм, выворачивается: "
            "раздел слишком мал!");
  const std::vector<TSideGeometry> above = {{PointF(0, 6010), PointF(0, 6000), 0, {}},
                                            {PointF(0, 6000), PointF(12000, 6000), 6000, centre},
                                            {PointF(12000, 6000), PointF(12000, 6010), 0, {}},
                                            {PointF(12000, 6010), PointF(0, 6010), 0, {}}};
  EXPECT_EQ(test::ErrorOf([&] {
              OffsetContour(above, {500, 500, 500, 270});
            }),
            "Полученная точка (500,6000) не пренадлежит одной из прямой (500,6010),(500,6000) или "
            "(0,6500),(12000,6500)!");
}

// A quarter of a circle R 100 about (0,0) from its top to its right end, closed by two radii. Moved
// in by 30 (the radii) and 60 (the arc, R 40), the arc's ends pass each other: the quarter is too
// small, and the message names the arc in millimetres.
TEST(OffsetContours, AnArcTurnedRoundIsNamedInMillimetres) {
  const std::vector<TSideGeometry> sides = {{PointF(0, -100), PointF(100, 0), 100, PointF(0, 0)},
                                            {PointF(100, 0), PointF(0, 0), 0, {}},
                                            {PointF(0, 0), PointF(0, -100), 0, {}}};
  EXPECT_EQ(test::ErrorOf<ECreationError>([&] {
              OffsetContour(sides, {60, 30, 30});
            }),
            "Дуга радиуса 10,0 мм от (0,0; -10,0) до (10,0; 0,0) мм, смещенная на 6,0 мм, выворачивается: "
            "раздел слишком мал!");
  EXPECT_EQ(OffsetContour(sides, {20, 30, 30}).size(), 3u);
}

}  // namespace
}  // namespace kv
