#include <gtest/gtest.h>

#include "construction/construction.h"
#include "construction/demo_catalogue.h"
#include "construction/glass.h"
#include "construction/sample_constructions.h"
#include "shell/error_of.h"
#include "shell/errors.h"
#include "shell/stream_description.h"

namespace kv {
namespace {

class Resize : public ::testing::Test {
protected:
  TFrame& NewFrame(TInitialSize Size) {
    TFrame* frame = construction.NewFrame(1);
    frame->BuildInitial(Size);
    return *frame;
  }
  std::vector<TPoint> Corners(const TFrame& Frame) const {
    std::vector<TPoint> corners;
    for (const auto& p : Frame.Points) corners.push_back(p->GetPoint());
    return corners;
  }
  test::TDemoCatalogue catalogue;
  Tgx25Construction construction;
};

TEST_F(Resize, RightModeMovesOnlyTheRightCornersAndAStandaloneFrameNormalisesItself) {
  TFrame& frame = NewFrame({1000, 1000});
  frame.SetNewSize({1200, 1000}, smRight, smBottom);
  EXPECT_EQ(Corners(frame), (std::vector<TPoint>{{0, 10000}, {0, 0}, {12000, 0}, {12000, 10000}}));
  EXPECT_NEAR(frame.GetFrameLine(1)->ProfSize.Length, 12000 + 2 * 30 / 0.70710678, 0.1);
  // A frame outside a construction normalises itself.
  TFrame standalone(nullptr, 1);
  standalone.BuildInitial({1000, 1000});
  standalone.SetNewSize({1000, 900}, smRight, smTop);
  EXPECT_EQ(BoundRectOf(standalone.GetDimensions()), (TRect{0, 0, 10000, 9000}));
}

TEST_F(Resize, LeftModeMovesTheLeftCornersAndTheFrameIsNormalised) {
  TFrame& frame = NewFrame({1000, 1000});
  frame.SetNewSize({1200, 1000}, smLeft, smBottom);
  // The left corners went to x = -2000; the construction moved back to the origin.
  EXPECT_EQ(Corners(frame), (std::vector<TPoint>{{0, 10000}, {0, 0}, {12000, 0}, {12000, 10000}}));
  EXPECT_EQ(construction.GetBoundRect(), (TRect{0, 0, 12000, 10000}));
}

TEST_F(Resize, SameSizeChangesNothingAndTakesNoBackupCopy) {
  TFrame& frame = NewFrame({1000, 800});
  dynamic_cast<Tgx30CustomPart&>(*frame.Parts[0]).ChangeGlass("4M1-16-4M1");
  const std::vector<uint8_t> before = test::StreamBytes(construction);
  frame.SetNewSize({1000, 800}, smLeft, smTop);
  EXPECT_EQ(test::FirstDifference(test::StreamBytes(construction), before), -1);
  EXPECT_FALSE(construction.BackupCopyExists());
}

TEST_F(Resize, HalfCircleStaysAHalfCircle) {
  TInitialSize size{1000, 1200};
  size.Figure = figArc;
  TFrame& frame = NewFrame(size);
  frame.SetNewSize({1400, 1200}, smRight, smBottom);
  const Tgx25Line& top = *frame.Lines[1];
  EXPECT_TRUE(top.FullRadius());
  EXPECT_FLOAT_EQ(top.Radius, 7000);
  // The wider half circle rises 200 mm higher; the construction moved down to stay at the origin.
  EXPECT_EQ(top.Center, (TPointF{7000, 7000}));
  EXPECT_EQ(construction.GetBoundRect(), (TRect{0, 0, 14000, 14000}));
}

TEST_F(Resize, SegmentalArchKeepsItsRise) {
  TInitialSize size{1200, 1500};
  size.Figure = figMiniArc;
  size.HY = 200;
  TFrame& frame = NewFrame(size);
  ASSERT_NEAR(static_cast<double>(frame.Lines[1]->GetHX()), 2000, 1);
  frame.SetNewSize({1600, 1500}, smRight, smBottom);
  EXPECT_NEAR(static_cast<double>(frame.Lines[1]->GetHX()), 2000, 1);
  EXPECT_EQ(BoundRectOf(frame.GetDimensions()).Width(), 16000);
}

// An elliptic top R 1000 / R2 1500 over 1200 rises 1000 - sqrt(1000^2 - 600^2) = 200 mm. At 1600
// wide (1700 high with it) the rise gives R = (200^2 + 800^2) / 400 = 1700, R2 keeps 1.5 x R: 2550.
TEST_F(Resize, EllipticTopKeepsItsTwoRadii) {
  TInitialSize size{1200, 1500};
  size.Radius = 1000;
  size.Radius2 = 1500;
  TFrame& frame = NewFrame(size);
  frame.SetNewSize({1600, 1700}, smRight, smBottom);
  EXPECT_NEAR(frame.Lines[1]->Radius, 17000, 0.01);
  EXPECT_NEAR(frame.Lines[1]->Radius2, 25500, 0.01);
}

// A 300 mm wide frame leaves a glass of 200 mm, not above the smallest 200 x 200 of the catalogue.
TEST_F(Resize, FailedResizeLeavesTheBackupCopyForTheCallerToRestore) {
  TFrame& frame = NewFrame({1300, 1400});
  dynamic_cast<Tgx30CustomPart&>(*frame.Parts[0]).ChangeGlass("4M1-16-4M1");
  const std::vector<uint8_t> before = test::StreamBytes(construction);
  EXPECT_THROW(frame.SetNewSize({300, 1400}, smRight, smBottom), EInterfaceError);
  EXPECT_NE(test::FirstDifference(test::StreamBytes(construction), before), -1);
  ASSERT_TRUE(construction.RestoreBackupCopy());
  EXPECT_EQ(test::FirstDifference(test::StreamBytes(construction), before), -1);
}

// A mullion 1000 mm from the left of a 1300 mm frame: narrowing the frame to 800 mm from the right
// leaves the mullion outside, its right field turned inside out.
class ResizePastAMullion : public Resize {
protected:
  void SetUp() override {
    frame = &NewFrame({1300, 1400});
    TNewImpost mullion;
    mullion.Part = frame->Parts.at(0).get();
    mullion.P1 = {10000, 0};
    mullion.P2 = {10000, 14000};
    mullion.Profile = "TL-301";
    ASSERT_NE(frame->SetNewImpost(mullion), nullptr);
    before = test::StreamBytes(construction);
  }
  TFrame* frame = nullptr;
  std::vector<uint8_t> before;
};

TEST_F(ResizePastAMullion, IsRefusedAndTheBackupRestoresTheFrame) {
  EXPECT_EQ(test::ErrorOf<ECreationError>([&] {
              frame->SetNewSize({800, 1400}, smRight, smBottom);
            }),
            "Разделы конструкции пересекаются! Новый размер недопустим.");
  ASSERT_TRUE(construction.RestoreBackupCopy());
  EXPECT_EQ(test::FirstDifference(test::StreamBytes(construction), before), -1);
}

TEST_F(ResizePastAMullion, NarrowingThatKeepsTheFieldsPasses) {
  frame->SetNewSize({1100, 1400}, smRight, smBottom);
  EXPECT_EQ(BoundRectOf(frame->Parts.at(1)->GetDimensions()), (TRect{10000, 0, 11000, 14000}));
}

TEST(CheckPartLineCrossing, ACrossedContourIsRefused) {
  test::TDemoCatalogue catalogue;
  Tgx25Construction construction;
  TFrame& frame = *construction.NewFrame(1);
  frame.BuildInitial({1000, 1000});
  EXPECT_NO_THROW(frame.CheckPartLineCrossing());
  // Corners 1 and 2 exchanged: the top and bottom sides cross like a bow tie.
  const TPoint top_left = frame.Points[1]->GetPoint();
  frame.Points[1]->SetPoint(frame.Points[2]->GetPoint());
  frame.Points[2]->SetPoint(top_left);
  EXPECT_THROW(frame.CheckPartLineCrossing(), ECreationError);
}

}  // namespace
}  // namespace kv
