#include <gtest/gtest.h>

#include "construction/construction.h"
#include "construction/demo_catalogue.h"
#include "construction/demo_windows.h"
#include "construction/glass.h"
#include "construction/model_builders.h"
#include "shell/error_of.h"
#include "shell/errors.h"

namespace kv {
namespace {

using test::InsertDemoMullion;

using test::Field;

// What the contour bookkeeping and the sizes of a frame come to.
struct TFrameState {
  std::vector<std::vector<TPoint>> PartCorners;
  std::vector<std::vector<const Tgx25Line*>> PartSides;
  std::vector<float> SideLengths;
  std::vector<size_t> StandingPoints;
  size_t Bars = 0;
  std::vector<TSize> Glasses;
  friend bool operator==(const TFrameState&, const TFrameState&) = default;
};

TFrameState StateOf(TFrame& Frame) {
  TFrameState state;
  for (const auto& part : Frame.Parts) {
    state.PartCorners.emplace_back();
    state.PartSides.emplace_back();
    for (const auto& p : part->Points) state.PartCorners.back().push_back(p->GetPoint());
    for (const auto& l : part->Lines) state.PartSides.back().push_back(l->GetLine());
    const auto& custom = dynamic_cast<const Tgx30CustomPart&>(*part);
    if (custom.Glass) state.Glasses.push_back(custom.Glass->GetInternalSize());
  }
  for (size_t i = 0; i < Frame.Lines.size(); ++i) {
    state.SideLengths.push_back(Frame.GetFrameLine(static_cast<int>(i))->ProfSize.Length);
    state.StandingPoints.push_back(Frame.Lines[i]->Points.size());
  }
  state.Bars = Frame.Imposts.size();
  return state;
}

class MergeDemoWindow : public ::testing::Test {
protected:
  test::TDemoCatalogue catalogue;
  std::unique_ptr<Tgx25Construction> window = test::BuildDemoWindow(1300, 1400, {}, {});
  TFrame& frame = *window->GetFrame(0);
};

TEST_F(MergeDemoWindow, TheJoinedPartKeepsTheFillingOfTheFirst) {
  TImpost* mullion = InsertDemoMullion(frame, 0, {5000, 0}, {5000, 14000});
  ASSERT_NE(mullion, nullptr);
  TFlugel* sash = test::InsertDemoSash(Field(frame, 0), "4M1-16-4M1");
  frame.Merge(*mullion);
  ASSERT_EQ(frame.Parts.size(), 1u);
  EXPECT_EQ(Field(frame, 0).FillType, ftFlugel);
  EXPECT_EQ(Field(frame, 0).Flugel.get(), sash);
  // The sash now fills the whole frame, like one hung in a frame that was never divided.
  auto fresh = test::BuildDemoWindow(1300, 1400, {}, {1});
  const TFlugel& whole = *Field(*fresh->GetFrame(0), 0).Flugel;
  EXPECT_EQ(BoundRectOf(sash->GetDimensions()), BoundRectOf(whole.GetDimensions()));
  EXPECT_FLOAT_EQ(sash->GetFrameLine(1)->ProfSize.Length, whole.GetFrameLine(1)->ProfSize.Length);
}

// Merging the last bar gives back the undivided frame.
TEST_F(MergeDemoWindow, ACrossOfBarsComesApartInTheReverseOrder) {
  const TFrameState before = StateOf(frame);
  TImpost* mullion = InsertDemoMullion(frame, 0, {5000, 0}, {5000, 14000});
  TImpost* transom = InsertDemoMullion(frame, 1, {0, 7000}, {13000, 7000});
  ASSERT_NE(transom, nullptr);
  EXPECT_EQ(test::ErrorOf<ECreationError>([&] { frame.Merge(*mullion); }),
            "Удаление невозможно. На импост опираются другие объекты!");
  EXPECT_EQ(frame.Parts.size(), 3u);
  frame.Merge(*transom);
  EXPECT_EQ(frame.Parts.size(), 2u);
  EXPECT_TRUE(mullion->Points.empty());
  frame.Merge(*mullion);
  EXPECT_EQ(StateOf(frame), before);
}

// A transom at the springing of an arch stands where the corners of the jambs are; deleting it
// gives the field back its corners (its ends go with it).
TEST(MergeArch, ATransomAtTheSpringingComesOutAgain) {
  test::TDemoCatalogue catalogue;
  Tgx25Construction arch;
  TFrame& frame = *arch.NewFrame(1);
  TInitialSize size{1200, 1500};
  size.Figure = figArc;
  frame.BuildInitial(size);
  const TFrameState before = StateOf(frame);
  TImpost* transom = InsertDemoMullion(frame, 0, {0, 6000}, {12000, 6000});
  ASSERT_NE(transom, nullptr);
  frame.Merge(*transom);
  EXPECT_EQ(StateOf(frame), before);
  EXPECT_EQ(frame.Parts[0]->Points[1]->Point, frame.Points[1].get());
  // And it goes in again.
  EXPECT_NE(InsertDemoMullion(frame, 0, {0, 6000}, {12000, 6000}), nullptr);
  EXPECT_EQ(frame.Parts.size(), 2u);
}

TEST_F(MergeDemoWindow, ABarOfAnotherElementIsRefused) {
  auto other = test::BuildDemoWindow(1300, 1400, {500}, {});
  TCustomImpost& foreign = *other->GetFrame(0)->Imposts.at(0);
  EXPECT_THROW(frame.Merge(foreign), ECreationError);
  EXPECT_EQ(frame.Parts.size(), 1u);
}

}  // namespace
}  // namespace kv
