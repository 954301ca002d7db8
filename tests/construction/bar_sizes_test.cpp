#include <gtest/gtest.h>

#include <cmath>

#include "catalogue/small_catalogue.h"
#include "construction/construction.h"
#include "construction/model_builders.h"
#include "shell/errors.h"

namespace kv {
namespace {

using test::BuildRectContour;

constexpr double kSin45 = 0.70710678118654752;

// A rectangular frame 10000 x 8000 model units with mitred corners of a 700 wide profile.
class FrameBars : public ::testing::Test {
protected:
  void SetUp() override { BuildRectContour(frame, {0, 0}, 10000, 8000, 700); }
  Tgx25FrameLine& Top() { return *frame.GetFrameLine(1); }
  TFrame frame{nullptr, 1};
};

TEST_F(FrameBars, MitredBarIsTheOuterLengthPlusTheWeldAllowanceOverSineAtEachMitredEnd) {
  frame.CalcProfSizes();
  EXPECT_NEAR(Top().ProfSize.Length, 10000, 0.01);
  EXPECT_NEAR(Top().ProfSize.Angle1, 45, 0.0001);
  EXPECT_NEAR(Top().ProfSize.Angle2, 45, 0.0001);
  EXPECT_NEAR(frame.GetFrameLine(0)->ProfSize.Length, 8000, 0.01);
  EXPECT_NEAR(frame.GetFrameLine(3)->ProfSize.Length, 10000, 0.01);
  frame.SetWeldAllowance(3);
  EXPECT_FLOAT_EQ(frame.WeldAllowance, 30);
  Top().CalcProfSize();
  EXPECT_NEAR(Top().ProfSize.Length, 10000 + 2 * 30 / kSin45, 0.01);
  // A butt joint at one end takes no weld allowance there.
  frame.GetFramePoint(2)->AngleType = atX1to2;
  Top().CalcProfSize();
  EXPECT_NEAR(Top().ProfSize.Length, 10000 + 30 / kSin45, 0.01);
}

TEST_F(FrameBars, DegenerateCornerIsCutSquareAttachedProfileInMillimetresUnarmedSideWithoutSteel) {
  Tgx25FramePoint& start = *frame.GetFramePoint(1);
  start.PointW2 = start.Point2;
  Top().CalcProfSize();
  EXPECT_FLOAT_EQ(Top().ProfSize.Angle1, 90);
  Top().SetAttachProfile({"A10", ""});
  Top().CalcProfSize();
  EXPECT_EQ(Top().AttachSize, 1000);
  EXPECT_EQ(Top().SteelSize, TProfSize{});
}

TEST_F(FrameBars, ArchedSideTakesTheLongestArc) {
  Top().SetFullRadius();
  // The edge points of an arched side lie on the smaller circles of the same centre, here at the
  // ends of the half circle.
  Tgx25FramePoint& start = *frame.GetFramePoint(1);
  Tgx25FramePoint& end = *frame.GetFramePoint(2);
  start.PointW2 = {700, 0};
  start.PointI2 = {350, 0};
  end.PointW1 = {9300, 0};
  end.PointI1 = {9650, 0};
  Top().CalcProfSize();
  // The outer corners lie on the half circle of radius 5000.
  EXPECT_NEAR(Top().ProfSize.Length, 3.14159265358979 * 5000, 1);
}

TEST(FrameBarsOutsideAFrame, GetAngleOfAPointNotInItsPartRaises) {
  TFrame frame(nullptr, 1);
  BuildRectContour(frame, {0, 0}, 1000, 1000, 70);
  Tgx25FramePoint stray(&frame, {5, 5});
  EXPECT_THROW(stray.GetAngle(), ECreationError);
  Tgx25FramePoint orphan(nullptr, {5, 5});
  EXPECT_EQ(test::ErrorOf<ECreationError>([&] { orphan.GetAngle(); }), "Не могу найти точку в контуре!");
  EXPECT_NEAR(static_cast<double>(frame.GetFramePoint(1)->GetAngle()), 90, 1e-9);
}

// Bars that read profile widths, deltas and combinations from a small catalogue.
class CatalogueBars : public ::testing::Test {
protected:
  void SetUp() override {
    cat.Profile("ProfList", {{"Profile", "F70"}, {"Group", 0}, {"Width", 70.0}, {"Steel", "S30"}, {"SteelGrp", 5}});
    cat.Profile("ProfList",
                {{"Profile", "M82"}, {"Group", 2}, {"Width", 82.0}, {"ImpostSize", 20.0}, {"Steel", "S40"}});
    cat.Profile("ProfList", {{"Profile", "ST64"}, {"Group", 3}, {"Width", 64.0}, {"StulpSize", 10.0}});
    cat.Profile("ProfList", {{"Profile", "ST60"}, {"Group", 3}, {"Width", 60.0}, {"StulpSize", 0.0}, {"Steel", "S50"}});
    cat.Profile("ProfList", {"Profile", "Group", "Width"}, {{"FA40", 4, 40.0}, {"FB30", 4, 30.0}, {"SP26", 16, 26.0}});
    cat.Profile("ProfList", {{"Profile", "S30"}, {"Group", 11}, {"SteelGrp", 5}});
    cat.Profile("CombList", {{"Profile1", "F70"}, {"Profile2", "S30"}, {"Group", 4}, {"SubSetID", 400}});
    cat.Profile("CombList",
                {"Profile1", "Profile2", "Group", "AngleType", "MinAngle", "MaxAngle", "SubSetID", "ProfDeltaSize",
                 "SteelDeltaSize", "SteelAngle"},
                {{"F70", "M82", 2, 5, 90, 90, 201, 2.5, 4.0, 45}});
    cat.Open();
    BuildRectContour(frame, {0, 0}, 10000, 8000, 700);
    impost = test::AddVerticalImpost(frame, 5000, 410);
    impost->SetProfile("M82", "белый");
  }
  test::TSmallCatalogue cat;
  TFrame frame{nullptr, 1};
  TImpost* impost = nullptr;
};

TEST_F(CatalogueBars, SquareImpostWithAConnectorAndTheSteelOfTheCombination) {
  impost->CalcProfSize();
  EXPECT_TRUE(impost->StdImpost());
  EXPECT_NEAR(impost->ProfSize.Length, 8000, 0.01);
  EXPECT_FLOAT_EQ(impost->ProfSize.Angle1, 90);
  EXPECT_FLOAT_EQ(impost->ProfSize.Angle2, 90);
  // The connector 201 at the upper end adds its 2.5 mm; the steel is 4 mm shorter than the bar.
  static_cast<Tgx25Point*>(impost->PX1)->SubSetID = 201;
  impost->SetDefaultSteel();
  EXPECT_EQ(impost->Steel.ID, "S40");
  impost->CalcProfSize();
  EXPECT_NEAR(impost->ProfSize.Length, 8025, 0.01);
  EXPECT_NEAR(impost->SteelSize.Length, 8025 - 40, 0.01);
  EXPECT_FLOAT_EQ(impost->SteelSize.Angle1, 45);
  EXPECT_FLOAT_EQ(impost->SteelSize.Angle2, 90);
}

TEST_F(CatalogueBars, SlantedEndGrowsByTangentOfWidthAndDelta) {
  // End 2 cut at 60 degrees on side A: a = 30, width 410 (half of 82 mm) plus delta 200.
  impost->XWPoint_2A = {5205, 8000 + 118};
  impost->XWPoint_2B = {4795, 8000 - 118};
  impost->XIPoint_2A = impost->XWPoint_2A;
  impost->XIPoint_2B = impost->XWPoint_2B;
  impost->CalcProfSize();
  const double angle2 = impost->ProfSize.Angle2;
  EXPECT_NEAR(angle2, 60, 0.1);
  const double outline = 8118;
  EXPECT_NEAR(impost->ProfSize.Length, outline + std::tan((90 - angle2) * 3.14159265358979 / 180) * 610, 0.5);
  EXPECT_FALSE(impost->StdImpost());
}

TEST_F(CatalogueBars, MeetingStileAndItsSecondProfile) {
  auto stulp = std::make_unique<Tgx25Stulp>(&frame, impost->PX1, impost->PX2);
  stulp->XWPoint_1A = impost->XWPoint_1A;
  stulp->XWPoint_1B = impost->XWPoint_1B;
  stulp->XWPoint_2A = impost->XWPoint_2A;
  stulp->XWPoint_2B = impost->XWPoint_2B;
  stulp->XIPoint_1A = impost->XIPoint_1A;
  stulp->XIPoint_1B = impost->XIPoint_1B;
  stulp->XIPoint_2A = impost->XIPoint_2A;
  stulp->XIPoint_2B = impost->XIPoint_2B;
  stulp->SetProfile("ST64", "");
  stulp->SlaveStulp = std::make_unique<TInforcedProfile>(stulp.get());
  stulp->SlaveStulp->ID = "ST60";
  stulp->SetDefaultSteel();
  EXPECT_EQ(stulp->SlaveStulp->Steel, "S50");
  stulp->CalcProfSize();
  EXPECT_NEAR(stulp->ProfSize.Length, 8000, 0.01);
  EXPECT_NEAR(stulp->SlaveStulp->Length, 8000, 0.01);
}

TEST_F(CatalogueBars, FalseMullionMeasuresBothFaces) {
  TFalsh falsh(nullptr, impost->PX1, impost->PX2);
  falsh.XWPoint_1A = {5200, 0};
  falsh.XWPoint_1B = {4800, 0};
  falsh.XWPoint_2A = {5200, 8000};
  falsh.XWPoint_2B = {4800, 8000};
  falsh.XIPoint_1A = falsh.XWPoint_1A;
  falsh.XIPoint_1B = falsh.XWPoint_1B;
  falsh.XIPoint_2A = falsh.XWPoint_2A;
  falsh.XIPoint_2B = falsh.XWPoint_2B;
  falsh.ChangeMainProfile("FA40", "");
  falsh.CalcProfSize();
  EXPECT_EQ(falsh.BackProfSize, TProfSize{});
  falsh.ChangeBackProfile("FB30", "");
  falsh.CalcProfSize();
  EXPECT_NEAR(falsh.ProfSize.Length, 8000, 0.01);
  EXPECT_NEAR(falsh.BackProfSize.Length, 8000, 0.01);
  Tgx25Spross spross(nullptr, impost->PX1, impost->PX2);
  spross.SetProfile("SP26", "");
  spross.XWPoint_2A = {0, 3000};
  spross.XIPoint_2A = {0, 3000};
  spross.CalcProfSize();
  EXPECT_NEAR(spross.ProfSize.Length, 3000, 0.01);
}

TEST_F(CatalogueBars, SteelWithoutACombinationAndAMissingProfileAreRefused) {
  Tgx25FrameLine& top = *frame.GetFrameLine(1);
  top.SetProfile("F70", "белый");
  EXPECT_FALSE(top.SetSteel("S99"));
  EXPECT_FALSE(top.Armed);
  EXPECT_TRUE(top.SetSteel("S30"));
  EXPECT_TRUE(top.Armed);
  top.CalcProfSize();
  // Measured between the width corners: 10000 - 2 x 700.
  EXPECT_NEAR(top.SteelSize.Length, 8600, 0.01);
  EXPECT_FLOAT_EQ(top.SteelSize.Angle1, 90);
  impost->SetProfile("XX", "");
  EXPECT_THROW(impost->CalcProfSize(), EInterfaceError);
}

}  // namespace
}  // namespace kv
