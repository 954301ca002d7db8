#include <gtest/gtest.h>

#include "catalogue/window_type_lookups.h"
#include "construction/construction.h"
#include "construction/demo_catalogue.h"
#include "construction/glass.h"

namespace kv {
namespace {

// A balcony door of 750 x 2150 mm of the demo catalogue's type 2: frame element 3 (TL-102 on three
// sides, 84 wide, the aluminium threshold TL-1201, 20 wide, at the bottom) and the door sash
// TL-202 (element 4, 97 wide) with glass 4M1-16-4M1. By hand, in millimetres:
//
// The sides run through to the floor and the threshold butts between them (combinations 1022 at
// the bottom-left corner, 1021 at the bottom-right): threshold 750 - 2 x 84 = 582, cut square;
// sides 2150 + 3 / sin 45 for the one mitre at the top, square at the bottom.
// Sash: 76 from the outer edge of TL-102 (its FlugelSize) and 12 from that of the threshold:
// x from 76 to 674, y from 76 to 2138. Its rebate contour adds the overlap of the sash
// combinations (8 on TL-102, 8 on the threshold), so it lies on the inner edges of the frame:
// x from 84 to 666, y from 84 to 2130.
// Glass: GlassSize 83 of TL-202: 598 - 166 = 432, 2062 - 166 = 1896.
class DemoBalconyDoor : public ::testing::Test {
protected:
  void SetUp() override {
    frame = construction.NewFrame(2);
    frame->BuildInitial({750, 2150});
    sash = Field(*frame).SetNewFlugel();
    sash->BuildInitial(GetWinTypeInfo(2).FlugelID, frame->ProfColor);
    sash->SetKipp(true);
    Field(*sash).ChangeGlass("4M1-16-4M1");
    frame->FullRecalc();
    construction.UpdateNo();
  }
  static Tgx30CustomPart& Field(TAbstractFrame& Element) {
    return dynamic_cast<Tgx30CustomPart&>(*Element.Parts.at(0));
  }
  const Tgx25Point& Corner(size_t Index) const { return dynamic_cast<const Tgx25Point&>(*frame->Points[Index]); }

  test::TDemoCatalogue catalogue;
  Tgx25Construction construction;
  TFrame* frame = nullptr;
  TFlugel* sash = nullptr;
};

TEST_F(DemoBalconyDoor, ThresholdButtsBetweenTheSidesThatRunToTheFloor) {
  EXPECT_EQ(frame->GetFrameLine(3)->GetProfile(), "TL-1201");
  EXPECT_EQ(Corner(0).AngleType, atX2to1);
  EXPECT_EQ(Corner(0).SubSetID, 1022);
  EXPECT_EQ(Corner(3).AngleType, atX1to2);
  EXPECT_EQ(Corner(3).SubSetID, 1021);
  EXPECT_EQ(Corner(1).AngleType, atX45);
  const TProfSize& threshold = frame->GetFrameLine(3)->ProfSize;
  EXPECT_NEAR(threshold.Length, 5820, 0.1);
  EXPECT_FLOAT_EQ(threshold.Angle1, 90);
  EXPECT_FLOAT_EQ(threshold.Angle2, 90);
  const TProfSize& left = frame->GetFrameLine(0)->ProfSize;
  EXPECT_NEAR(left.Length, 21500 + 30 / 0.70710678118654752, 0.1);
  EXPECT_FLOAT_EQ(left.Angle1, 90);
  EXPECT_FLOAT_EQ(left.Angle2, 45);
  EXPECT_EQ(frame->GetFrameLine(0)->Steel.ID, "TL-S30");
}

TEST_F(DemoBalconyDoor, SashStandsOnTheThresholdWithItsGlassAndTheTypesBuildDoorsOrWindows) {
  EXPECT_EQ(sash->GetFrameLine(0)->GetProfile(), "TL-202");
  EXPECT_EQ(BoundRectOf(sash->GetDimensions()), (TRect{760, 760, 6740, 21380}));
  EXPECT_EQ(BoundRectOf(sash->GetFalzContourDimensions()), (TRect{840, 840, 6660, 21300}));
  // Its sides: 2138 - 76 = 2062 mm and a mitre at each end.
  EXPECT_NEAR(sash->GetFrameLine(0)->ProfSize.Length, 20620 + 2 * 30 / 0.70710678118654752, 0.1);
  const Tgx25Glass& glass = *Field(*sash).Glass;
  EXPECT_EQ(glass.GetInternalSize(), (TSize{4320, 18960}));
  EXPECT_EQ(glass.Bead.ID, "TL-BD24");
  EXPECT_EQ(GetWinTypeInfo(2).WinType, 1);
  EXPECT_EQ(frame->ObjType, otxDoor);
  TFrame* window = construction.NewFrame(1);
  window->ObjType = otxFasad;
  window->BuildInitial({1300, 1400});
  EXPECT_EQ(window->ObjType, otxWindow);
}

}  // namespace
}  // namespace kv
