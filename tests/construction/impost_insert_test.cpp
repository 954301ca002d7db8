#include <gtest/gtest.h>

#include "catalogue/small_catalogue.h"
#include "construction/construction.h"
#include "construction/glass.h"
#include "construction/model_builders.h"
#include "construction/profiled_frames.h"
#include "shell/errors.h"

namespace kv {
namespace {

// A frame 1000 x 800 mm of profile F70 (its mullions end 62 mm from the outer edge) with its base
// part; mullion M82 (82 mm on its axis).
class ImpostInsertion : public ::testing::Test {
protected:
  void SetUp() override {
    cat.Profile("ProfList", {"Profile", "Group", "Width", "ImpostSize", "GlassSize", "BeadSize", "BeadGrp", "Steel"},
                {{"F70", 0, 70.0, 62.0, 20.0, 70.0, 1, TValue()}, {"M82", 2, 82.0, TValue(), 27.0, 41.0, 1, "S20"}});
    cat.Profile("CombList",
                {"Profile1", "Profile2", "Group", "AngleType", "MinAngle", "MaxAngle", "SubSetID", "ProfDeltaSize"},
                {{"F70", "M82", 2, 6, 90, 90, 77, -2.0}});
    cat.Profile("ProfList", {{"Profile", "V0"}, {"Group", 0}, {"Width", 0.0}, {"Virtual", 1}});
    test::AddGlazingRows(cat);
    cat.Open();
    test::BuildProfiledFrame(frame, 10000, 8000, "F70", "WH");
  }
  TNewImpost Line(TFalshPart* Part, TPoint P1, TPoint P2, TImpostPointMode Mode = ipmNewPoint) {
    TNewImpost params;
    params.Part = Part;
    params.P1 = P1;
    params.P2 = P2;
    params.Profile = "M82";
    params.Color = "WH";
    params.PointMode = Mode;
    return params;
  }
  TCustomImpost* Vertical(int32_t X) { return frame.SetNewImpost(Line(frame.Parts[0].get(), {X, -100}, {X, 9000})); }
  // A mullion at 400 mm, a transom left of it at 300 mm, then one right of it at the same height
  // inserted in Mode, a question answered with Answer.
  std::pair<TCustomImpost*, TCustomImpost*> TransomsAcrossAMullion(TImpostPointMode Mode, int Answer) {
    Vertical(4000);
    TCustomImpost* left = frame.SetNewImpost(Line(frame.Parts[0].get(), {-100, 3000}, {5000, 3000}));
    cat.Messages.Answer(Answer);
    return {left, frame.SetNewImpost(Line(frame.Parts[2].get(), {3000, 3000}, {11000, 3000}, Mode))};
  }
  test::TSmallCatalogue cat;
  TFrame frame{nullptr, 1};
};

TEST_F(ImpostInsertion, VerticalMullionDividesTheBasePartIntoPartsRunningClockwise) {
  TCustomImpost* bar = Vertical(4000);
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(frame.Parts.size(), 2u);
  EXPECT_EQ(frame.Parts[0]->GetBoundRect(), (TRect{0, 0, 4000, 8000}));
  EXPECT_EQ(frame.Parts[1]->GetBoundRect(), (TRect{4000, 0, 10000, 8000}));
  // End 1 is the upper end, on the top side; end 2 on the bottom side.
  EXPECT_EQ(bar->PX1->GetPoint(), (TPoint{4000, 0}));
  EXPECT_EQ(bar->PX1->Owner, frame.Lines[1].get());
  EXPECT_EQ(bar->PX2->Owner, frame.Lines[3].get());
  EXPECT_EQ(dynamic_cast<Tgx25Point*>(bar->PX1)->AngleType, atImpostT);
  // The outline: 41 mm on each side of the axis, ending 62 mm (XI) and 70 mm (XW) inside the frame.
  EXPECT_EQ(bar->XWPoint_1A, (TPoint{4410, 700}));
  EXPECT_EQ(bar->XWPoint_1B, (TPoint{3590, 700}));
  EXPECT_EQ(bar->XIPoint_2B, (TPoint{3590, 7380}));
  EXPECT_NEAR(bar->ProfSize.Length, 8000 - 2 * 620, 0.01);
  EXPECT_EQ(dynamic_cast<TImpost*>(bar)->Steel.ID, "S20");
  EXPECT_EQ(frame.SeekDependentPart(bar).size(), 2u);
  const TFalshPart& left = *frame.Parts[0];
  const TFalshPart& right = *frame.Parts[1];
  ASSERT_EQ(left.Points.size(), 4u);
  // Left part: from the lower end of the bar along the bottom side, up the left side, along the top
  // side to the upper end and down the bar.
  EXPECT_EQ(left.Points[0]->GetPoint(), (TPoint{4000, 8000}));
  EXPECT_EQ(left.Points[1]->GetPoint(), (TPoint{0, 8000}));
  EXPECT_EQ(left.Points[3]->GetPoint(), (TPoint{4000, 0}));
  EXPECT_EQ(left.Lines[3]->GetLine(), frame.Imposts[0].get());
  EXPECT_EQ(right.FindLine(frame.Imposts[0].get()) >= 0, true);
  const TFillContour inside = right.CalcFillSize(gsiGlass, 0);
  // Glass delta 20 mm of the frame and 27 mm of the mullion: 600 - 47 = 553 mm wide.
  int32_t left_x = inside[0].Start.X, right_x = left_x;
  for (const auto& side : inside) {
    left_x = std::min(left_x, side.Start.X);
    right_x = std::max(right_x, side.Start.X);
  }
  EXPECT_EQ(right_x - left_x, 5530);
}

TEST_F(ImpostInsertion, GlassOfTheDividedPartGoesIntoBothParts) {
  test::CustomPart(frame, 0)->ChangeGlass("G24");
  Vertical(4000);
  for (int i = 0; i < 2; ++i) {
    const Tgx30CustomPart& part = *test::CustomPart(frame, i);
    ASSERT_EQ(part.FillType, ftGlass);
    EXPECT_EQ(part.Glass->Glass, "G24");
  }
  EXPECT_EQ(test::CustomPart(frame, 0)->Glass->GetInternalSize(), (TSize{4000 - 200 - 270, 8000 - 400}));
}

TEST_F(ImpostInsertion, TransomOnAMullionAndTheQuestionOfAnExistingPoint) {
  // The transom of the right field meets the mullion where the left one stands: asked, answered no.
  const auto [left, right] = TransomsAcrossAMullion(ipmAskPoint, 2);
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(left->PX2->Owner, frame.Imposts[0].get());
  EXPECT_EQ(frame.Parts.size(), 4u);
  ASSERT_EQ(cat.Messages.Shown().size(), 1u);
  EXPECT_EQ(cat.Messages.LastText(),
            "Точка (400,0,300,0) уже определена другим импостом.\r\nПривязаться к этой точке?");
  EXPECT_NE(right->PX1, left->PX2);
  EXPECT_EQ(right->PX1->GetPoint(), left->PX2->GetPoint());
  EXPECT_EQ(frame.Imposts[0]->Points.size(), 2u);
}

TEST_F(ImpostInsertion, AttachingToTheExistingPoint) {
  const auto [left, right] = TransomsAcrossAMullion(ipmAskPoint, 1);
  EXPECT_EQ(right->PX1, left->PX2);
  EXPECT_TRUE(frame.PointHasManyChild(left->PX2));
  EXPECT_EQ(frame.Imposts[0]->Points.size(), 1u);
}

TEST_F(ImpostInsertion, ReuseModeTakesTheExistingPointWithoutAsking) {
  const auto [left, right] = TransomsAcrossAMullion(ipmReusePoint, 2);
  EXPECT_EQ(right->PX1, left->PX2);
  EXPECT_TRUE(cat.Messages.Shown().empty());
}

TEST_F(ImpostInsertion, LineMissingThePartOrOnAVirtualSideIsRefused) {
  EXPECT_EQ(test::ErrorOf<ECreationError>([&] {
              frame.SetNewImpost(Line(frame.Parts[0].get(), {20000, 0}, {20000, 100}));
            }),
            "Не найдены точки пересечения импоста с контуром!");
  EXPECT_TRUE(frame.Imposts.empty());
  EXPECT_EQ(frame.Parts.size(), 1u);
  frame.GetFrameLine(1)->SetProfile("V0", "");
  TNewImpost params = Line(frame.Parts[0].get(), {4000, -100}, {4000, 9000});
  params.NoVirtual = true;
  EXPECT_EQ(frame.SetNewImpost(params), nullptr);
  EXPECT_TRUE(frame.Imposts.empty());
  frame.GetFrameLine(1)->SetProfile("F70", "WH");
  frame.GetFrameLine(1)->Virtual = true;
  EXPECT_EQ(frame.SetNewImpost(params), nullptr);
  EXPECT_TRUE(frame.GetFrameLine(1)->Points.empty());
}

TEST_F(ImpostInsertion, ConnectorAndPropertiesOfTheEnds) {
  TNewImpost params = Line(frame.Parts[0].get(), {4000, -100}, {4000, 9000});
  params.SubSetID = 77;
  params.PropertyText = "21=1\r\n31=0";
  params.AngleType = atImpostX;
  TCustomImpost* bar = frame.SetNewImpost(params);
  const auto* end = dynamic_cast<Tgx25Point*>(bar->PX2);
  EXPECT_EQ(end->SubSetID, 77);
  EXPECT_EQ(end->AngleType, atImpostX);
  EXPECT_EQ(end->PropList, (TStringList{"21=1", "31=0"}));
  // The connector shortens the bar by 2 mm at each end.
  EXPECT_NEAR(bar->ProfSize.Length, 8000 - 2 * 620 - 2 * 20, 0.01);
}

TEST_F(ImpostInsertion, EndsFollowTheirLinesWhenTheContourMoves) {
  TCustomImpost* bar = Vertical(4000);
  frame.Points[0]->Y = 9000;
  frame.Points[3]->Y = 9000;
  frame.CheckImpostPointCoordinate();
  EXPECT_EQ(bar->PX2->GetPoint(), (TPoint{4000, 9000}));
  EXPECT_TRUE(bar->CheckPointCoordinate());
}

std::string ShiftError(TFrame& Frame, TCustomImpost& Bar, TShiftMode Mode, long double Value) {
  return test::ErrorOf<ECreationError>([&] { Frame.ShiftImpost(Bar, Mode, Value); });
}

TEST_F(ImpostInsertion, MullionMovesAlongNotAcrossAndThePartsFollow) {
  TCustomImpost* bar = Vertical(4000);
  frame.ShiftImpost(*bar, smXPoint, 3000);
  EXPECT_EQ(bar->PX1->GetPoint(), (TPoint{3000, 0}));
  EXPECT_EQ(bar->PX2->GetPoint(), (TPoint{3000, 8000}));
  EXPECT_EQ(frame.Parts[0]->GetBoundRect(), (TRect{0, 0, 3000, 8000}));
  EXPECT_EQ(bar->XWPoint_1A, (TPoint{3410, 700}));
  EXPECT_EQ(ShiftError(frame, *bar, smYDelta, 100), "Невозможно сместить импост в заданном направлении!");
  TCustomImpost* transom = frame.SetNewImpost(Line(frame.Parts[0].get(), {-100, 3000}, {5000, 3000}));
  EXPECT_EQ(ShiftError(frame, *transom, smXPoint, 100), "Невозможно сместить импост в заданном направлении!");
  frame.ShiftImpost(*transom, smYDelta, 500);
  EXPECT_EQ(transom->PX2->GetPoint(), (TPoint{3000, 3500}));
}

TEST_F(ImpostInsertion, FarthestMoveStopsAtTheFrameAndAtTheNextMullion) {
  TCustomImpost* first = Vertical(3000);
  // To the right side: 1000 mm less the frame (70) and half the mullion (41).
  EXPECT_NEAR(static_cast<double>(first->GetAvailableShift(smRight)), 10000 - 700 - 410 - 3000, 0.01);
  EXPECT_NEAR(static_cast<double>(first->GetAvailableShift(smLeft)), 3000 - 700 - 410, 0.01);
  TCustomImpost* second = frame.SetNewImpost(Line(frame.Parts[1].get(), {6000, -100}, {6000, 9000}));
  ASSERT_NE(second, nullptr);
  EXPECT_NEAR(static_cast<double>(first->GetAvailableShift(smRight)), 6000 - 3000 - 820, 0.01);
  EXPECT_TRUE(first->ShiftAvailable(smXDelta, 2180));
  EXPECT_FALSE(first->ShiftAvailable(smXDelta, 2181));
  EXPECT_EQ(ShiftError(frame, *first, smXDelta, 2500), "Невозможно сместить импост на заданное расстояние!");
  EXPECT_EQ(ShiftError(frame, *first, smXPoint, 5800), "Невозможно сместить импост в заданную точку!");
  frame.ShiftImpost(*first, smRight, 0);
  EXPECT_EQ(first->PX1->X, 5180);
}

TEST_F(ImpostInsertion, SlantedMullionAsksWhichEndTakesTheCoordinate) {
  TCustomImpost* bar = frame.SetNewImpost(Line(frame.Parts[0].get(), {3000, 0}, {7000, 8000}));
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->StdImpost());
  EXPECT_EQ(frame.Parts.size(), 2u);
  cat.Messages.Answer(1);
  frame.ShiftImpost(*bar, smXPoint, 4000);
  EXPECT_EQ(cat.Messages.LastText(),
            "Импост не вертикальный.\r\nУстановить новую координату для ближайшей точки?"
            "\r\n(В случае отказа будет взята дальняя точка)");
  EXPECT_EQ(bar->PX1->X, 4000);
  EXPECT_EQ(bar->PX2->X, 8000);
  // Refused: the farther end, the lower one, takes 6000.
  cat.Messages.Answer(2);
  frame.ShiftImpost(*bar, smXPoint, 6000);
  EXPECT_EQ(bar->PX1->X, 2000);
  EXPECT_EQ(bar->PX2->X, 6000);
}

TEST_F(ImpostInsertion, LineCrossingAnotherBar) {
  Vertical(4000);
  TCustomImpost* transom = frame.SetNewImpost(Line(frame.Parts[0].get(), {-100, 3000}, {5000, 3000}));
  EXPECT_TRUE(transom->CrossLineValid({0, 3000}, {4000, 3000}));
  EXPECT_FALSE(transom->CrossLineValid({0, 3000}, {6000, 3000}));
  EXPECT_FALSE(transom->CrossLineValid({5000, 0}, {3000, 8000}));
}

}  // namespace
}  // namespace kv
