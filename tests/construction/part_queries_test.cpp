#include <gtest/gtest.h>

#include <algorithm>

#include "construction/construction.h"
#include "construction/demo_catalogue.h"
#include "construction/demo_windows.h"

namespace kv {
namespace {

// A window of the demo type 1, 1300 x 1400 mm, with a mullion 500 mm from the left: part 0 on the
// left, part 1 on the right.
class PartQueries : public ::testing::Test {
protected:
  TFalshPart& Part(size_t Index) { return *frame.Parts.at(Index); }

  test::TDemoCatalogue catalogue;
  std::unique_ptr<Tgx25Construction> window = test::BuildDemoWindow(1300, 1400, {500}, {});
  TFrame& frame = *window->GetFrame(0);
  TCustomImpost& mullion = *frame.Imposts.at(0);
};

TEST_F(PartQueries, ALineCrossesTheFieldTwiceOrNotAtAll) {
  TImpostCross cross;
  ASSERT_TRUE(Part(1).FindImpostCrossPoints({0, 7000}, {100, 7000}, cross));
  const auto [low, high] = std::minmax(cross.Point1.X, cross.Point2.X);
  EXPECT_EQ(low, 5000);
  EXPECT_EQ(high, 13000);
  EXPECT_EQ(cross.Point1.Y, 7000);
  EXPECT_NE(cross.Side1, cross.Side2);
  EXPECT_EQ(Part(1).Lines[static_cast<size_t>(cross.Point1.X == 5000 ? cross.Side1 : cross.Side2)]->GetLine(),
            &mullion);
  // Below the field, of no length, and a vertical line left of the field.
  EXPECT_FALSE(Part(1).FindImpostCrossPoints({0, 20000}, {100, 20000}, cross));
  EXPECT_FALSE(Part(1).FindImpostCrossPoints({7000, 7000}, {7000, 7000}, cross));
  EXPECT_FALSE(Part(1).FindImpostCrossPoints({2000, 0}, {2000, 100}, cross));
}

// A mullion through the corner where the slanted side of a pentagon meets its top: it meets the
// top square and the slanted side aslant, so it stands on the top.
TEST(CornerCrossings, ABarThroughACornerStandsOnTheSideItMeetsSquarely) {
  test::TDemoCatalogue catalogue;
  Tgx25Construction window;
  TFrame& frame = *window.NewFrame(1);
  TInitialSize size{1300, 1400};
  size.Figure = figPentLeft;
  size.HX = 500;
  size.HY = 400;
  frame.BuildInitial(size);
  ASSERT_EQ(frame.Points[2]->GetPoint(), (TPoint{5000, 0}));
  TImpostCross cross;
  ASSERT_TRUE(frame.Parts[0]->FindImpostCrossPoints({5000, 0}, {5000, 14000}, cross));
  EXPECT_EQ(cross.Point1, (TPoint{5000, 0}));
  EXPECT_EQ(cross.Side1, 2);
  EXPECT_EQ(cross.Side2, 4);
}

TEST_F(PartQueries, AParallelLineLiesToTheRightAndTheFrameSizeOfAFieldBetweenTheProfiles) {
  TImpostCross cross;
  // Going right along y = 7000, the right-hand side on the screen is below.
  ASSERT_TRUE(Part(1).FindParallelImpostCrossPoints({0, 7000}, {13000, 7000}, 1000, cross));
  EXPECT_EQ(cross.Point1.Y, 8000);
  EXPECT_EQ(cross.Point2.Y, 8000);
  ASSERT_TRUE(Part(1).FindParallelImpostCrossPoints({13000, 7000}, {0, 7000}, 1000, cross));
  EXPECT_EQ(cross.Point1.Y, 6000);
  EXPECT_FALSE(Part(1).FindParallelImpostCrossPoints({0, 7000}, {13000, 7000}, 10000, cross));
  auto plain = test::BuildDemoWindow(1300, 1400, {}, {});
  const TFrame& whole = *plain->GetFrame(0);
  // The demo frame TL-101 is 64 mm wide.
  EXPECT_EQ(whole.Parts.at(0)->GetFalshFrameSize(), (TSize{13000 - 2 * 640, 14000 - 2 * 640}));
  EXPECT_EQ(whole.Parts.at(0)->GetInternalSize(), (TSize{13000, 14000}));
}

// Both fields of the mullion find it; of the fields of a transom standing on it, the right ones
// depend on the mullion, and the transom's end on it belongs to the left field along the whole
// mullion and to the right fields as their corner.
TEST_F(PartQueries, FieldsFindTheBarsAndPointsTheyDependOn) {
  EXPECT_TRUE(Part(0).ImpostFound(&mullion));
  EXPECT_TRUE(Part(1).ImpostFound(&mullion));
  EXPECT_FALSE(Part(0).ImpostFound(nullptr));
  TImpost* transom = test::InsertDemoMullion(frame, 1, {5000, 7000}, {13000, 7000});
  ASSERT_NE(transom, nullptr);
  ASSERT_EQ(frame.Parts.size(), 3u);
  EXPECT_FALSE(Part(0).DependImpostFound(&mullion));
  EXPECT_TRUE(Part(1).DependImpostFound(&mullion));
  EXPECT_TRUE(Part(2).DependImpostFound(&mullion));
  EXPECT_FALSE(Part(1).DependImpostFound(transom));
  EXPECT_FALSE(Part(1).DependImpostFound(nullptr));
  const Tgx25SimplePoint* on_mullion = transom->PX1;
  ASSERT_EQ(on_mullion->Owner, &mullion);
  EXPECT_TRUE(Part(0).DependPointLineFound(on_mullion));
  EXPECT_TRUE(Part(1).DependPointLineFound(on_mullion));
  EXPECT_TRUE(Part(0).DependPointLineFound(frame.Points[0].get()));
  EXPECT_FALSE(Part(2).DependPointLineFound(frame.Points[1].get()));
  EXPECT_FALSE(Part(0).DependPointLineFound(nullptr));
}

}  // namespace
}  // namespace kv
