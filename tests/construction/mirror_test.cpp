#include <gtest/gtest.h>

#include <algorithm>

#include "construction/construction.h"
#include "construction/demo_catalogue.h"
#include "construction/demo_windows.h"
#include "construction/glass.h"
#include "construction/model_builders.h"
#include "construction/sample_constructions.h"
#include "shell/random.h"
#include "shell/stream_description.h"

namespace kv {
namespace {

using test::StreamBytes;

using test::Field;

TRect Box(const TAbstractFrame& Element) { return BoundRectOf(Element.GetDimensions()); }

// A window of the demo type 1, 1300 x 1400 mm, a mullion 500 mm from the left, a sash on the right.
class MirroredWindow : public ::testing::Test {
protected:
  test::TDemoCatalogue catalogue;
  std::unique_ptr<Tgx25Construction> window = test::BuildDemoWindow(1300, 1400, {500}, {2});
  TFrame& frame = *window->GetFrame(0);
};

TEST_F(MirroredWindow, TheMullionAndTheSashChangeSidesKeepingTheirSizesAndTwiceGiveTheSameStream) {
  const TRect sash_before = Box(*Field(frame, 1).Flugel);
  const float mullion = frame.Imposts.at(0)->ProfSize.Length;
  const float sash_top = Field(frame, 1).Flugel->GetFrameLine(1)->ProfSize.Length;
  const TSize glass = Field(frame, 0).Glass->GetInternalSize();
  window->MirrorPositionX();
  EXPECT_EQ(Box(frame), (TRect{0, 0, 13000, 14000}));
  EXPECT_EQ(frame.Imposts.at(0)->PX1->X, 8000);
  EXPECT_EQ(frame.Imposts.at(0)->PX2->X, 8000);
  ASSERT_EQ(Field(frame, 1).FillType, ftFlugel);
  const TFlugel& sash = *Field(frame, 1).Flugel;
  EXPECT_LT(Box(sash).Right, 8000);
  EXPECT_EQ(Box(sash).Left, 13000 - sash_before.Right);
  EXPECT_EQ(Box(sash).Width(), sash_before.Width());
  EXPECT_EQ(Box(sash).Height(), sash_before.Height());
  EXPECT_EQ(Field(frame, 0).GetBoundRect(), (TRect{8000, 0, 13000, 14000}));
  EXPECT_FLOAT_EQ(frame.Imposts.at(0)->ProfSize.Length, mullion);
  EXPECT_FLOAT_EQ(sash.GetFrameLine(1)->ProfSize.Length, sash_top);
  EXPECT_EQ(Field(frame, 0).Glass->GetInternalSize(), glass);

  // Contours stay clockwise from the bottom left.
  EXPECT_EQ(frame.Points.at(0)->GetPoint(), (TPoint{0, 14000}));
  EXPECT_EQ(frame.Points.at(1)->GetPoint(), (TPoint{0, 0}));
  EXPECT_EQ(frame.Points.at(2)->GetPoint(), (TPoint{13000, 0}));
  for (size_t i = 0; i < frame.Lines.size(); ++i) {
    EXPECT_EQ(frame.Lines[i]->PX1, frame.Points[i].get());
    EXPECT_EQ(frame.Lines[i]->PX2, frame.Points[(i + 1) % frame.Points.size()].get());
  }
  EXPECT_EQ(sash.Points.at(0)->X, Box(sash).Left);
  EXPECT_EQ(sash.Points.at(0)->Y, Box(sash).Bottom);
  // Every part runs clockwise on the screen: a positive signed area with y downwards.
  for (const auto& part : frame.Parts) {
    long double area = 0;
    const size_t n = part->Points.size();
    for (size_t i = 0; i < n; ++i) {
      const TPoint a = part->Points[i]->GetPoint();
      const TPoint b = part->Points[(i + 1) % n]->GetPoint();
      area += static_cast<long double>(a.X) * b.Y - static_cast<long double>(b.X) * a.Y;
    }
    EXPECT_GT(area, 0);
  }
  // The recalculation draws new identifiers for the glass contours: both sides draw them from the
  // same seed.
  RandomGenerator().Seed(5);
  frame.FullRecalc();
  const std::vector<uint8_t> before = StreamBytes(*window);
  window->MirrorPositionX();
  EXPECT_NE(test::FirstDifference(StreamBytes(*window), before), -1);
  RandomGenerator().Seed(5);
  window->MirrorPositionX();
  EXPECT_EQ(test::FirstDifference(StreamBytes(*window), before), -1);
}

TEST(MirrorPositionX, TheDoorThresholdStaysButtedBetweenTheSides) {
  test::TDemoCatalogue catalogue;
  Tgx25Construction construction;
  TFrame* frame = construction.NewFrame(2);
  frame->BuildInitial({750, 2150});
  const float threshold = frame->GetFrameLine(3)->ProfSize.Length;
  construction.MirrorPositionX();
  EXPECT_EQ(frame->GetFrameLine(3)->GetProfile(), "TL-1201");
  EXPECT_EQ(dynamic_cast<Tgx25Point&>(*frame->Points[0]).AngleType, atX2to1);
  EXPECT_EQ(dynamic_cast<Tgx25Point&>(*frame->Points[3]).AngleType, atX1to2);
  EXPECT_FLOAT_EQ(frame->GetFrameLine(3)->ProfSize.Length, threshold);
}

TEST(MirrorPositionX, TwoFramesSwapPlacesAndNoFrameStaysNone) {
  test::TDemoCatalogue catalogue;
  Tgx25Construction construction;
  TFrame* left = construction.NewFrame(1);
  left->BuildInitial({600, 1400});
  TFrame* right = construction.NewFrame(1);
  TInitialSize beside(900, 1000);
  beside.LeftTop = {600, 0};
  right->BuildInitial(beside);
  construction.MirrorPositionX();
  EXPECT_EQ(Box(*right), (TRect{0, 0, 9000, 10000}));
  EXPECT_EQ(Box(*left), (TRect{9000, 0, 15000, 14000}));
  EXPECT_EQ(right->LeftTop, (TPoint{0, 0}));
  EXPECT_EQ(left->LeftTop, (TPoint{9000, 0}));
  Tgx25Construction empty;
  empty.MirrorPositionX();
  EXPECT_EQ(empty.FrameCount(), 0);
}

// Mirroring a part's points twice restores them; normalising starts a part or an element at its
// bottom-left corner with its sides on their corners; sorting sets the end order of every side.
TEST_F(MirroredWindow, ContourOperationsOfPartsAndElements) {
  TFalshPart& left = Field(frame, 0);
  std::vector<std::pair<const Tgx25SimplePoint*, bool>> before;
  for (size_t i = 0; i < left.Points.size(); ++i) before.emplace_back(left.Points[i]->Point, left.Lines[i]->Inverted);
  left.MirrorPoints();
  EXPECT_EQ(left.Points[0]->Point, before[0].first);
  EXPECT_EQ(left.Points[1]->Point, before.back().first);
  left.MirrorPoints();
  for (size_t i = 0; i < left.Points.size(); ++i) {
    EXPECT_EQ(left.Points[i]->Point, before[i].first);
    EXPECT_EQ(left.Lines[i]->Inverted, before[i].second);
  }
  TFalshPart& right = Field(frame, 1);
  std::rotate(right.Points.begin(), right.Points.begin() + 2, right.Points.end());
  std::rotate(right.Lines.begin(), right.Lines.begin() + 2, right.Lines.end());
  right.NormalizePoints();
  EXPECT_EQ(right.Points[0]->GetPoint(), (TPoint{5000, 14000}));
  EXPECT_EQ(right.Lines[0]->GetFirstPoint()->GetPoint(), (TPoint{5000, 14000}));
  std::vector<bool> inverted;
  for (auto& line : right.Lines) {
    inverted.push_back(line->Inverted);
    line->ExchangePointPos();
  }
  right.SortContour();
  for (size_t i = 0; i < right.Lines.size(); ++i) EXPECT_EQ(right.Lines[i]->Inverted, inverted[i]) << i;
  std::rotate(frame.Points.begin(), frame.Points.begin() + 1, frame.Points.end());
  std::rotate(frame.Lines.begin(), frame.Lines.begin() + 1, frame.Lines.end());
  frame.NormalizePoints();
  EXPECT_EQ(frame.Points[0]->GetPoint(), (TPoint{0, 14000}));
  for (size_t i = 0; i < frame.Lines.size(); ++i) EXPECT_EQ(frame.Lines[i]->PX1, frame.Points[i].get());
}

}  // namespace
}  // namespace kv
