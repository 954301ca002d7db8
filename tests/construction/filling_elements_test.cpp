#include <gtest/gtest.h>

#include "catalogue/small_catalogue.h"
#include "construction/construction.h"
#include "construction/glass.h"
#include "construction/model_builders.h"
#include "construction/profiled_frames.h"

namespace kv {
namespace {

// A frame F70 of 1000 x 800 mm: sash S77 56 mm from its outer edge with an overlap of 8 mm,
// modificator MD 15 mm from it, glass 20 mm from it, light at 70 mm.
class FillingElements : public ::testing::Test {
protected:
  void SetUp() override {
    cat.Profile("ProfList",
                {"Profile", "Group", "Width", "FlugelSize", "ModifySize", "GlassSize", "BeadSize", "BeadGrp"},
                {{"F70", 0, 70.0, 56.0, 15.0, 20.0, 70.0, 1}, {"S77", 1, 77.0, TValue(), TValue(), 63.0, 77.0, 1}});
    cat.Profile("ProfList", {{"Profile", "MD"}, {"Group", 18}, {"Width", 40.0}});
    cat.Profile("ProfList", {{"Profile", "FA40"}, {"Group", 4}, {"Width", 40.0}});
    cat.Profile("CombList", {"Profile1", "Profile2", "Group", "AngleType", "MaxAngle", "ProfDeltaSize", "SubSetID"},
                {{"F70", "S77", 1, 9, 360, 8.0, 31}});
    cat.Profile("CombList", {"Profile1", "Profile2", "Group", "AngleType", "MinAngle", "MaxAngle", "SubSetID"},
                {{"S77", "S77", 0, 0, 30, 180, 11}});
    cat.Profile("ConsList", {"ID", "Prof_1", "Prof_2", "Prof_3", "Prof_4"},
                {{5, "S77", "S77", "S77", "S77"}, {6, "MD", "MD", "MD", "MD"}});
    test::AddGlazingRows(cat);
    cat.Open();
    test::BuildProfiledFrame(frame, 10000, 8000, "F70", "WH");
    frame.SetWeldAllowance(3);
  }
  Tgx30CustomPart& Base() { return *test::CustomPart(frame, 0); }
  test::TSmallCatalogue cat;
  TFrame frame{nullptr, 1};
};

TEST_F(FillingElements, SashTakesItsContourRebateProfilesAndJoints) {
  TFlugel* sash = Base().SetNewFlugel();
  sash->BuildInitial(5, "WH");
  EXPECT_EQ(BoundRectOf(sash->GetDimensions()), (TRect{560, 560, 9440, 7440}));
  // The rebate contour lies the overlap further in.
  EXPECT_EQ(BoundRectOf(sash->GetFalzContourDimensions()), (TRect{640, 640, 9360, 7360}));
  EXPECT_EQ(sash->ID, 5);
  EXPECT_FLOAT_EQ(sash->WeldAllowance, 30);
  EXPECT_EQ(sash->GetFrameLine(0)->Profile.ID, "S77");
  EXPECT_FALSE(sash->GetFrameLine(0)->Montage);
  EXPECT_EQ(sash->GetFramePoint(0)->SubSetID, 11);
  // The sash starts at its bottom-left corner like a frame.
  EXPECT_EQ(sash->Points[0]->GetPoint(), (TPoint{560, 7440}));
  EXPECT_NEAR(sash->GetFrameLine(1)->ProfSize.Length, 8880 + 2 * 30 / 0.70710678, 0.1);
  ASSERT_EQ(sash->Parts.size(), 1u);
  EXPECT_FALSE(Base().SetGlassIfPossible("G24")) << "the part holds the sash";
  // Resized with the frame; the glass of the sash 63 mm in on each side.
  test::CustomPart(*sash, 0)->ChangeGlass("G24");
  frame.SetNewSize({1200, 800}, smRight, smBottom);
  EXPECT_EQ(BoundRectOf(sash->GetDimensions()), (TRect{560, 560, 11440, 7440}));
  EXPECT_EQ(test::CustomPart(*sash, 0)->Glass->GetInternalSize(), (TSize{10880 - 1260, 6880 - 1260}));
}

TEST_F(FillingElements, FalseMullionFrameLiesInTheLightOfTheGlass) {
  Base().ChangeGlass("G24");
  Tgx25Glass& glass = *Base().Glass;
  TFalshFrame* falsh = glass.CreateFalshFrame();
  falsh->BuildInitial();
  EXPECT_EQ(BoundRectOf(falsh->GetDimensions()), (TRect{700, 700, 9300, 7300}));
  TNewImpost bar;
  bar.Part = falsh->Parts[0].get();
  bar.P1 = {5000, 0};
  bar.P2 = {5000, 8000};
  bar.Profile = "FA40";
  bar.Kind = ltFalsh;
  TCustomImpost* added = falsh->SetNewImpost(bar);
  ASSERT_NE(dynamic_cast<TFalsh*>(added), nullptr);
  EXPECT_NEAR(added->ProfSize.Length, 6600, 0.01);
  EXPECT_EQ(glass.GetFalshCount(), 1);
  EXPECT_EQ(glass.GetStdFalshCount(), 1);
  EXPECT_EQ(glass.GetFalshPartCount(), 2);
  // The glass follows a resize with its false mullion in proportion.
  frame.SetNewSize({1200, 800}, smRight, smBottom);
  EXPECT_EQ(BoundRectOf(falsh->GetDimensions()), (TRect{700, 700, 11300, 7300}));
  EXPECT_EQ(added->PX1->X, 6000);
}

TEST_F(FillingElements, GlazingBarFrameLiesInsideTheSpacerAndAModificatorTakesItsDeltaOnly) {
  Base().ChangeGlass("G24");
  Tgx25Glass& glass = *Base().Glass;
  Tgx25SprossFrame* spross = glass.CreateSprossFrame();
  spross->BuildInitial();
  // The glass 200 in from the frame, the spacer 10 + 8 mm further.
  EXPECT_EQ(BoundRectOf(spross->GetDimensions()), (TRect{380, 380, 9620, 7620}));
  EXPECT_EQ(glass.GetSprossCount(), 0);
  EXPECT_EQ(glass.GetSprossInfo(), "");
  TkvModificator* modificator = Base().SetNewModificator();
  modificator->BuildInitial(6, "WH");
  EXPECT_EQ(BoundRectOf(modificator->GetDimensions()), (TRect{150, 150, 9850, 7850}));
  EXPECT_EQ(modificator->GetFrameLine(2)->Profile.ID, "MD");
  frame.SetNewSize({1000, 1000}, smRight, smBottom);
  EXPECT_EQ(BoundRectOf(modificator->GetDimensions()), (TRect{150, 150, 9850, 9850}));
}

}  // namespace
}  // namespace kv
