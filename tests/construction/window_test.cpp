#include <gtest/gtest.h>

#include <cmath>

#include "construction/construction.h"
#include "construction/construction_builder.h"
#include "construction/demo_catalogue.h"
#include "construction/demo_windows.h"
#include "construction/glass.h"

namespace kv {
namespace {

// A window of 1300 x 1400 mm of the demo catalogue's type 1 (system TL70): a mullion TL-301 at
// 650 mm and a tilt-and-turn sash TL-201 in the right field, glass 4M1-16-4M1 (24 mm) in both
// fields. The sizes below follow by hand from the demo catalogue's deltas (millimetres):
//
// Frame TL-101, 64 wide, weld allowance 3 mm per mitre (TypeProf), corners X45 (combination 1001,
// no connector delta):
//   top and bottom bars 1300 + 2 x 3 / sin 45 = 1308.485, sides 1400 + 8.485 = 1408.485;
//   steel TL-S20 between the width corners less 10 per end (1001): 1300 - 2 x 64 - 20 = 1152,
//   1400 - 128 - 20 = 1252.
// Mullion TL-301, 82 wide on its axis: its ends reach the frame's impost delta (62 from the outer
// edge), 1400 - 2 x 62 = 1276, less 2 per end by the T joint 2001: 1272, cut square; its steel
// is shortened by the joint's steel delta, 12 per end: 1272 - 24 = 1248.
// Sash TL-201, 77 wide: its outer edge lies 56 from the frame's outer edge (FlugelSize of TL-101)
// and 33 from the mullion axis (FlugelSize of TL-301): x from 683 to 1244, y from 56 to 1344, so
// 561 x 1288; bars 561 + 8.485 = 569.485 and 1288 + 8.485 = 1296.485; steel TL-S15 between the
// width corners less 8 per end (combination 1011): 561 - 154 - 16 = 391, 1288 - 154 - 16 = 1118.
// Its rebate contour adds the overlap of the sash combination (8): 64 and 41, so 545 x 1272.
// Glass of the fixed field: GlassSize 50 of the frame, 27 of the mullion: 650 - 50 - 27 = 573 wide,
// 1400 - 100 = 1300 high. Its bead TL-BD24 (18 wide, bead deltas 64 and 41) stands on the light
// 545 x 1272 and is measured at its back edge: 545 + 36 = 581, 1272 + 36 = 1308, mitred.
// Glass of the sash: GlassSize 63 of TL-201: 561 - 126 = 435, 1288 - 126 = 1162; its bead (bead
// delta 77): 561 - 154 + 36 = 443, 1288 - 154 + 36 = 1170.
class DemoWindow : public ::testing::Test {
protected:
  void SetUp() override {
    frame = construction.NewFrame(1);
    frame->BuildInitial({1300, 1400});
    impost = test::InsertDemoMullion(*frame, 0, {6500, 0}, {6500, 14000});
    ASSERT_NE(impost, nullptr);
    sash = test::InsertDemoSash(dynamic_cast<Tgx30CustomPart&>(*frame->Parts[1]), "4M1-16-4M1");
    dynamic_cast<Tgx30CustomPart&>(*frame->Parts[0]).ChangeGlass("4M1-16-4M1");
    frame->FullRecalc();
    construction.UpdateNo();
  }
  const Tgx25Glass& FixedGlass() const { return *dynamic_cast<Tgx30CustomPart&>(*frame->Parts[0]).Glass; }
  const Tgx25Glass& SashGlass() const { return *dynamic_cast<Tgx30CustomPart&>(*sash->Parts[0]).Glass; }

  test::TDemoCatalogue catalogue;
  Tgx25Construction construction;
  TFrame* frame = nullptr;
  TImpost* impost = nullptr;
  TFlugel* sash = nullptr;
};

constexpr double kWeld = 2 * 30 / 0.70710678118654752;  // two mitres, model units

TEST_F(DemoWindow, FrameMullionAndSashBarsSteelAndRebate) {
  for (int side : {1, 3}) {
    EXPECT_NEAR(frame->GetFrameLine(side)->ProfSize.Length, 13000 + kWeld, 0.1);
    EXPECT_NEAR(frame->GetFrameLine(side)->SteelSize.Length, 11520, 0.1);
  }
  for (int side : {0, 2}) {
    EXPECT_NEAR(frame->GetFrameLine(side)->ProfSize.Length, 14000 + kWeld, 0.1);
    EXPECT_NEAR(frame->GetFrameLine(side)->SteelSize.Length, 12520, 0.1);
  }
  EXPECT_FLOAT_EQ(frame->GetFrameLine(1)->ProfSize.Angle1, 45);
  EXPECT_EQ(frame->Parts.size(), 2u);
  EXPECT_EQ(impost->No, "I.1");
  EXPECT_NEAR(impost->ProfSize.Length, 12720, 0.1);
  EXPECT_FLOAT_EQ(impost->ProfSize.Angle1, 90);
  EXPECT_FLOAT_EQ(impost->ProfSize.Angle2, 90);
  EXPECT_EQ(impost->Steel.ID, "TL-S20");
  EXPECT_NEAR(impost->SteelSize.Length, 12480, 0.1);
  EXPECT_EQ(dynamic_cast<Tgx25Point*>(impost->PX1)->SubSetID, 2001);
  const TRect box = BoundRectOf(sash->GetDimensions());
  EXPECT_EQ(box, (TRect{6830, 560, 12440, 13440}));
  EXPECT_NEAR(sash->GetFrameLine(0)->ProfSize.Length, 12880 + kWeld, 0.1);
  EXPECT_NEAR(sash->GetFrameLine(1)->ProfSize.Length, 5610 + kWeld, 0.1);
  EXPECT_NEAR(sash->GetFrameLine(0)->SteelSize.Length, 11180, 0.1);
  EXPECT_NEAR(sash->GetFrameLine(1)->SteelSize.Length, 3910, 0.1);
  EXPECT_EQ(BoundRectOf(sash->GetFalzContourDimensions()), (TRect{6910, 640, 12360, 13360}));
  EXPECT_TRUE(sash->Kipp);
}

TEST_F(DemoWindow, GlassSizesAndBeadsRepeatedByAFullRecalculation) {
  EXPECT_EQ(FixedGlass().GetInternalSize(), (TSize{5730, 13000}));
  EXPECT_EQ(SashGlass().GetInternalSize(), (TSize{4350, 11620}));
  EXPECT_EQ(FixedGlass().Thickness, 24);
  EXPECT_EQ(FixedGlass().Bead.ID, "TL-BD24");
  EXPECT_EQ(FixedGlass().Bead.Color, "WH");
  EXPECT_NEAR(static_cast<double>(FixedGlass().Square()), 0.7449, 1e-9);
  ASSERT_EQ(FixedGlass().BeadSizes.Lines.size(), 4u);
  const auto bead = [](const Tgx25Glass& glass, int i) -> const Tgx25ProfileLine& {
    return static_cast<const Tgx25ProfileLine&>(*glass.BeadSizes.Lines[static_cast<size_t>(i)]);
  };
  // The bead contour starts at its bottom-left corner: left, top, right, bottom.
  EXPECT_NEAR(bead(FixedGlass(), 0).Length, 13080, 0.1);
  EXPECT_NEAR(bead(FixedGlass(), 1).Length, 5810, 0.1);
  EXPECT_FLOAT_EQ(bead(FixedGlass(), 1).Angle1, 45);
  EXPECT_NEAR(bead(SashGlass(), 0).Length, 11700, 0.1);
  EXPECT_NEAR(bead(SashGlass(), 1).Length, 4430, 0.1);
  EXPECT_EQ(FixedGlass().Linings.size(), 2u);
  const TSize before = SashGlass().GetInternalSize();
  const float mullion = impost->ProfSize.Length;
  frame->FullRecalc();
  EXPECT_EQ(SashGlass().GetInternalSize(), before);
  EXPECT_FLOAT_EQ(impost->ProfSize.Length, mullion);
}

TEST_F(DemoWindow, WiderWindowMovesTheRightSideAndTheSashFollows) {
  frame->SetNewSize({1500, 1400}, smRight, smBottom);
  EXPECT_EQ(BoundRectOf(frame->GetDimensions()), (TRect{0, 0, 15000, 14000}));
  // The mullion keeps its place; the sash and its glass grow by 200 mm.
  EXPECT_EQ(impost->PX1->X, 6500);
  EXPECT_EQ(SashGlass().GetInternalSize(), (TSize{6350, 11620}));
  EXPECT_NEAR(frame->GetFrameLine(1)->ProfSize.Length, 15000 + kWeld, 0.1);
}

TEST_F(DemoWindow, ProportionalResizeMovesTheMullion) {
  frame->SetNewSize({2600, 1400}, smXProportional, smBottom);
  EXPECT_EQ(impost->PX1->X, 13000);
  EXPECT_EQ(impost->PX2->X, 13000);
  EXPECT_EQ(FixedGlass().GetInternalSize(), (TSize{12230, 13000}));
}

TEST_F(DemoWindow, TallerWindowWithTopModeMovesTheTopAndNormalises) {
  frame->SetNewSize({1300, 1500}, smRight, smTop);
  EXPECT_EQ(BoundRectOf(construction.GetFrame(0)->GetDimensions()), (TRect{0, 0, 13000, 15000}));
  EXPECT_NEAR(impost->ProfSize.Length, 13720, 0.1);
}

// A meeting stile TL-401 at 900 of 1800 x 2000 between two sashes: TL-401 carries the steel TL-S15
// and takes the sashes without a rebate offset (FlugelSize 0), so each sash runs from the frame's
// 56 to the stile's axis: 900 - 56 = 844 wide, 2000 - 2 x 56 = 1888 high.
TEST(MeetingStile, InsertedBetweenTwoSashFields) {
  test::TDemoCatalogue catalogue;
  TFrameBuildOptions options;
  options.Width = 1800;
  options.Height = 2000;
  options.Stulps = {900};
  options.Sashes = {1, 2};
  auto window = BuildConstruction(options);
  TFrame& frame = *window->GetFrame(0);
  ASSERT_EQ(frame.Imposts.size(), 1u);
  auto* stulp = dynamic_cast<Tgx25Stulp*>(frame.Imposts[0].get());
  ASSERT_NE(stulp, nullptr);
  EXPECT_EQ(stulp->Profile.ID, "TL-401");
  EXPECT_EQ(stulp->Steel.ID, "TL-S15");
  EXPECT_TRUE(dynamic_cast<Tgx25Point*>(stulp->PX1)->StulpPoint && dynamic_cast<Tgx25Point*>(stulp->PX2)->StulpPoint);
  EXPECT_EQ(stulp->PrimaryPartPtr, frame.Parts[0].get());
  EXPECT_EQ(stulp->SlavePartPtr, frame.Parts[1].get());
  const TRect boxes[] = {{560, 560, 9000, 19440}, {9000, 560, 17440, 19440}};
  for (int i = 0; i < 2; ++i) {
    auto& field = dynamic_cast<Tgx30CustomPart&>(*frame.Parts[static_cast<size_t>(i)]);
    EXPECT_TRUE(field.StulpPart && field.StulpPtr == stulp);
    ASSERT_NE(field.FillElement(), nullptr);
    EXPECT_EQ(BoundRectOf(field.FillElement()->GetDimensions()), boxes[i]);
  }
}

}  // namespace
}  // namespace kv
