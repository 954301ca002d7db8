#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

#include "construction/construction.h"
#include "construction/glass.h"
#include "construction/model_builders.h"
#include "shell/errors.h"

namespace kv {
namespace {

using test::AddFlugel;
using test::AddVerticalImpost;
using test::BuildRectContour;
using test::CustomPart;

// One frame 12000 x 14000 with a mullion in the middle and a sash in each of its two parts.
class TwoSashWindow : public ::testing::Test {
protected:
  void SetUp() override {
    construction.No = "3";
    frame = construction.NewFrame(101);
    BuildRectContour(*frame, {0, 0}, 12000, 14000, 700);
    frame->AddBasePart();
    mullion = AddVerticalImpost(*frame, 6000, 820);
    left = AddFlugel(*CustomPart(*frame, 0), 100, 770);
    right = AddFlugel(*CustomPart(*frame, 1), 100, 770);
  }
  Tgx25Construction construction;
  TFrame* frame = nullptr;
  TImpost* mullion = nullptr;
  TFlugel* left = nullptr;
  TFlugel* right = nullptr;
};

template <class T, class First, class Next>
std::vector<T*> Walk(First first, Next next) {
  std::vector<T*> seen;
  for (T* object = first(); object != nullptr; object = next()) seen.push_back(object);
  return seen;
}

template <class T>
std::vector<T*> Listed(const TWalkRange<T>& Range) {
  std::vector<T*> seen;
  for (T& object : Range) seen.push_back(&object);
  return seen;
}

TEST_F(TwoSashWindow, SashesPartsGlassesImpostsAndFixedPartsInPartOrder) {
  const Tgx25Construction& walked = construction;
  static_assert(std::is_same_v<decltype(*Parts(walked).begin()), const Tgx30CustomPart&>);
  EXPECT_EQ(Listed(Flugels(walked)), (std::vector<const TFlugel*>{left, right}));
  // The parts of the frame first, then those of each sash.
  const std::vector<Tgx30CustomPart*> parts{CustomPart(*frame, 0), CustomPart(*frame, 1), CustomPart(*left, 0),
                                            CustomPart(*right, 0)};
  EXPECT_EQ(Listed(Parts(construction)), parts);
  EXPECT_EQ(
      Walk<Tgx30CustomPart>([&] { return construction.GetFirstPart(); }, [&] { return construction.GetNextPart(); }),
      parts);
  const std::vector<Tgx25Glass*> glasses{CustomPart(*left, 0)->Glass.get(), CustomPart(*right, 0)->Glass.get()};
  EXPECT_EQ(Listed(Glasses(construction)), glasses);
  EXPECT_EQ(Walk<Tgx25Glass>([&] { return construction.GetFirstGlass(); }, [&] { return construction.GetNextGlass(); }),
            glasses);
  // One element and what is below it.
  EXPECT_EQ(Listed(Parts(*right)), (std::vector<Tgx30CustomPart*>{CustomPart(*right, 0)}));
  EXPECT_EQ(Listed(Glasses(*frame)), glasses);
  EXPECT_EQ(Listed(Frames(construction)), (std::vector<TFrame*>{frame}));
  EXPECT_EQ(construction.GetFirstImpost(), mullion);
  EXPECT_EQ(construction.GetNextImpost(), nullptr);
  EXPECT_EQ(construction.GetFirstFrameImpost(), mullion);
  EXPECT_EQ(Listed(FrameImposts(walked)), (std::vector<const TCustomImpost*>{mullion}));
  EXPECT_TRUE(FlugelImposts(walked).empty() && Stulps(walked).empty() && FixParts(walked).empty() &&
              GlassAvailableEmptyParts(walked).empty() && Modificators(walked).empty() && Falshes(walked).empty());
}

TEST_F(TwoSashWindow, FittingsSetsOfTheSashesAndNestedWalks) {
  EXPECT_EQ(construction.GetFirstFurnComp(), nullptr);
  right->FurnComp = std::make_unique<TFurnComp>();
  EXPECT_EQ(construction.GetFirstFurnComp(), right->FurnComp.get());
  EXPECT_EQ(construction.GetNextFurnComp(), nullptr);
  EXPECT_EQ(Listed(FurnComps(construction)), (std::vector<TFurnComp*>{right->FurnComp.get()}));
  // Walks of different kinds do not disturb each other.
  std::vector<std::pair<TFlugel*, Tgx25Glass*>> pairs;
  for (TFlugel* sash = construction.GetFirstFlugel(); sash; sash = construction.GetNextFlugel())
    pairs.emplace_back(sash, construction.GetFirstGlass());
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[1].first, right);
  // Nor does a range of the same kind: the next part is the frame's second, not the end.
  EXPECT_EQ(construction.GetFirstPart(), CustomPart(*frame, 0));
  for (Tgx30CustomPart& part : Parts(construction)) part.Checked = true;
  EXPECT_EQ(construction.GetNextPart(), CustomPart(*frame, 1));
  EXPECT_TRUE(CustomPart(*right, 0)->Checked);
}

TEST_F(TwoSashWindow, FalseMullionsOfAGlassAndAnEmptyPart) {
  Tgx25Glass* glass = CustomPart(*left, 0)->Glass.get();
  TFalshFrame* bars = glass->CreateFalshFrame();
  BuildRectContour(*bars, {800, 800}, 4000, 12000, 0);
  Tgx25Point* upper = bars->Lines[1]->AddPoint({2800, 800});
  Tgx25Point* lower = bars->Lines[3]->AddPoint({2800, 12800});
  TCustomImpost* falsh = bars->AddImpost(std::make_unique<TFalsh>(bars, upper, lower));
  EXPECT_EQ(construction.GetFirstFalsh(), falsh);
  EXPECT_EQ(construction.GetNextFalsh(), nullptr);
  EXPECT_EQ(glass->FalshFrame->Parent, glass);
  CustomPart(*right, 0)->ClearObject();
  EXPECT_EQ(construction.GetFirstGlassAvailableEmptyPart(), CustomPart(*right, 0));
}

TEST_F(TwoSashWindow, NumberingOfOneFrameAndOfMeetingStileSashes) {
  EXPECT_EQ(frame->Name, "3");
  construction.RebuildPartsIndex();
  EXPECT_EQ(mullion->No, "I.1");
  EXPECT_EQ(CustomPart(*frame, 0)->No, "1");
  EXPECT_EQ(CustomPart(*frame, 1)->No, "2");
  EXPECT_EQ(left->Name, "1");
  EXPECT_EQ(right->Name, "2");
  EXPECT_EQ(CustomPart(*left, 0)->No, "3");
  EXPECT_EQ(CustomPart(*right, 0)->Glass->No, "G.2");
  EXPECT_EQ(frame->InternalFlugelPartIndex, 2);
  auto* stulp =
      static_cast<Tgx25Stulp*>(frame->AddImpost(std::make_unique<Tgx25Stulp>(frame, mullion->PX1, mullion->PX2)));
  Tgx30CustomPart* main = CustomPart(*frame, 0);
  Tgx30CustomPart* second = CustomPart(*frame, 1);
  stulp->PrimaryPartPtr = main;
  stulp->SlavePartPtr = second;
  for (Tgx30CustomPart* part : {main, second}) {
    part->StulpPart = true;
    part->StulpPtr = stulp;
  }
  construction.RebuildPartsIndex();
  EXPECT_EQ(left->Name, "1 Гл.");
  EXPECT_EQ(right->Name, "2 Вт.");
  EXPECT_EQ(main->GetAnotherStulpFlugel(), right);
  EXPECT_EQ(second->GetAnotherStulpFlugel(), left);
  EXPECT_EQ(construction.GetFirstStulp(), stulp);
}

TEST_F(TwoSashWindow, NumberingOfSeveralFrames) {
  TFrame* second = construction.NewFrame(101);
  BuildRectContour(*second, {12000, 0}, 6000, 14000, 700);
  second->AddBasePart()->InternalID = 5;
  EXPECT_EQ(frame->Name, "3.1");
  EXPECT_EQ(second->Name, "3.2");
  construction.ChangeNo("7");
  EXPECT_EQ(frame->Name, "7.1");
  EXPECT_EQ(CustomPart(*frame, 1)->No, "2.1");
  EXPECT_EQ(CustomPart(*second, 0)->No, "1.2");
  EXPECT_EQ(CustomPart(*left, 0)->Glass->No, "G.1.1");
}

TEST_F(TwoSashWindow, PointsWithSeveralImpostsAndFreeingAnImpostRemovesItsEndPoints) {
  Tgx25SimplePoint* top = mullion->PX1;
  EXPECT_FALSE(frame->PointHasAnotherChild(top, mullion));
  EXPECT_FALSE(frame->PointHasManyChild(top));
  TCustomImpost* other = frame->AddImpost(std::make_unique<TImpost>(frame, top, frame->Points[0].get()));
  EXPECT_TRUE(frame->PointHasAnotherChild(top, mullion));
  EXPECT_TRUE(frame->PointHasManyChild(top));
  EXPECT_TRUE(frame->PointHasBrother(mullion));
  EXPECT_FALSE(frame->PointHasAnotherChildren(top, mullion, other));
  EXPECT_TRUE(frame->FreeImpost(other));
  EXPECT_FALSE(frame->PointHasBrother(mullion));
  Tgx25Line* top_side = frame->Lines[1].get();
  ASSERT_EQ(top_side->Points.size(), 1u);
  frame->ClearParts();
  EXPECT_TRUE(frame->FreeImpost(mullion));
  EXPECT_TRUE(top_side->Points.empty());
  EXPECT_TRUE(frame->Lines[3]->Points.empty());
  EXPECT_FALSE(frame->FreeImpost(mullion));
}

TEST_F(TwoSashWindow, FindByInternalIDSelectionAndClearingSelectedParts) {
  Tgx25Glass* glass = CustomPart(*right, 0)->Glass.get();
  EXPECT_EQ(construction.FindObjectByInternalID(glass->InternalID), glass);
  EXPECT_EQ(construction.FindObjectByInternalID(right->InternalID), right);
  EXPECT_EQ(construction.FindObjectByInternalID(mullion->InternalID), mullion);
  EXPECT_EQ(CustomPart(*frame, 1)->FindObjectByInternalID(glass->InternalID), glass);
  EXPECT_EQ(CustomPart(*frame, 0)->FindObjectByInternalID(glass->InternalID), nullptr);
  construction.Select(glass);
  construction.Select(right);
  construction.SetChecked(mullion);
  EXPECT_TRUE(glass->DrawSelected);
  EXPECT_TRUE(right->DrawSelected);
  construction.UnSelectAll();
  construction.UnCheckAll();
  EXPECT_FALSE(glass->DrawSelected);
  EXPECT_FALSE(right->DrawSelected);
  EXPECT_FALSE(mullion->Checked);
  construction.Select(CustomPart(*frame, 0));
  construction.Select(CustomPart(*left, 0));
  construction.ClearSelectedObject();
  EXPECT_EQ(CustomPart(*frame, 0)->FillType, ftNone);
  EXPECT_EQ(CustomPart(*frame, 0)->Flugel, nullptr);
  EXPECT_EQ(CustomPart(*frame, 1)->FillType, ftFlugel);
}

TEST_F(TwoSashWindow, DimensionsAreaPerimeterAndTreeNavigation) {
  EXPECT_EQ(construction.GetBoundRect(), (TRect{0, 0, 12000, 14000}));
  EXPECT_FLOAT_EQ(construction.GetSize().Width, 1200);
  EXPECT_EQ(construction.GetSizeInt().Height, 1400);
  EXPECT_DOUBLE_EQ(static_cast<double>(construction.GetSquare()), 1.68);
  EXPECT_NEAR(static_cast<double>(construction.GetPerimeter()), 5.2, 1e-9);
  EXPECT_EQ(CustomPart(*frame, 1)->GetInternalSize(), (TSize{6000, 14000}));
  EXPECT_EQ(CustomPart(*frame, 1)->GetLeftTop(), (TPoint{6000, 0}));
  EXPECT_EQ(CustomPart(*left, 0)->GetBoundRect(), (TRect{100, 100, 5900, 13900}));
  EXPECT_FLOAT_EQ(CustomPart(*left, 0)->GetSize().Width, 580);
  EXPECT_EQ(left->GetParentFrame(), frame);
  EXPECT_EQ(left->GetParentCustomFrame(), frame);
  EXPECT_EQ(left->GetParentIndex(), 0);
  EXPECT_EQ(right->GetParentIndex(), 1);
  EXPECT_EQ(frame->GetParentIndex(), 0);
  EXPECT_EQ(frame->GetParentFrame(), nullptr);
  EXPECT_EQ(CustomPart(*left, 0)->GetParentPart(), CustomPart(*frame, 0));
  EXPECT_EQ(CustomPart(*left, 0)->GetParentFrame(), frame);
  EXPECT_EQ(CustomPart(*left, 0)->GetParentCustomFrame(), left);
  EXPECT_EQ(CustomPart(*frame, 0)->GetParentPart(), nullptr);
  EXPECT_EQ(frame->GetBasePart(), CustomPart(*frame, 1));
  EXPECT_EQ(frame->FindImpostByPoint(mullion->PX2), mullion);
  EXPECT_EQ(frame->SeekDependentPart(mullion).size(), 2u);
  EXPECT_TRUE(CustomPart(*frame, 0)->HasCommonSideWith(*CustomPart(*frame, 1)));
  EXPECT_FALSE(CustomPart(*frame, 0)->HasCommonSideWith(*CustomPart(*left, 0)));
  frame->SetWeldAllowance(3);
  EXPECT_FLOAT_EQ(right->WeldAllowance, 30);  // reaches every sash
  EXPECT_EQ(frame->GetFirstCustomImpost(), mullion);
  EXPECT_EQ(frame->GetNextCustomImpost(), nullptr);
  EXPECT_EQ(frame->NextLine(3), frame->Lines[0].get());
  EXPECT_EQ(frame->PriorPoint(0), frame->Points[3].get());
  // The parent order is the construction's owner.
  Tgx25Construction order_item;
  EXPECT_EQ(left->GetParentOrder(), nullptr);
  construction.Owner = &order_item;
  EXPECT_EQ(left->GetParentOrder(), &order_item);
}

TEST(Construction, BasePartOfARectangleRefersToItsContour) {
  Tgx25Construction construction;
  TFrame* frame = construction.NewFrame(1);
  BuildRectContour(*frame, {0, 0}, 1000, 800, 70);
  TFalshPart* part = frame->AddBasePart();
  ASSERT_NE(dynamic_cast<Tgx30CustomPart*>(part), nullptr);
  ASSERT_EQ(frame->Parts.size(), 1u);
  ASSERT_EQ(part->Points.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(part->Points[i]->Point, frame->Points[i].get());
    EXPECT_EQ(part->Lines[i]->GetLine(), frame->Lines[i].get());
  }
  EXPECT_EQ(part->Parent, frame);
}

TEST(Construction, WalksOverSeveralFrames) {
  Tgx25Construction construction;
  EXPECT_EQ(construction.GetFirstFlugel(), nullptr);
  EXPECT_EQ(construction.GetFirstFrame(), nullptr);
  std::vector<TFlugel*> sashes;
  for (int i = 0; i < 2; ++i) {
    TFrame* frame = construction.NewFrame(1);
    BuildRectContour(*frame, {i * 1000, 0}, 1000, 1000, 70);
    sashes.push_back(AddFlugel(*static_cast<Tgx30CustomPart*>(frame->AddBasePart()), 50, 77));
  }
  construction.NewFrame(1);  // a frame without sashes ends the walk
  EXPECT_EQ(construction.GetFirstFlugel(), sashes[0]);
  EXPECT_EQ(construction.GetNextFlugel(), sashes[1]);
  EXPECT_EQ(construction.GetNextFlugel(), nullptr);
  EXPECT_EQ(construction.GetNextFlugel(), nullptr);
  EXPECT_EQ(Listed(Flugels(construction)), sashes);
  EXPECT_EQ(construction.GetFirstFrame(), construction.GetFrame(0));
  EXPECT_EQ(construction.GetNextFrame(), construction.GetFrame(1));
  EXPECT_EQ(construction.GetNextFrame(), construction.GetFrame(2));
  EXPECT_EQ(construction.GetNextFrame(), nullptr);
  EXPECT_EQ(construction.GetNextFrame(), nullptr);
}

TEST(Construction, RemovingTheLeftFrameMovesTheOtherToTheOrigin) {
  Tgx25Construction construction;
  construction.No = "1";
  TFrame* left = construction.NewFrame(1);
  TFrame* right = construction.NewFrame(1);
  BuildRectContour(*left, {0, 0}, 6000, 10000, 700);
  BuildRectContour(*right, {6000, 0}, 5000, 10000, 700);
  TImpost* impost = AddVerticalImpost(*right, 8000, 820);
  AddFlugel(*CustomPart(*right, 1), 100, 770);
  right->SetLeftTop({6000, 0});
  EXPECT_TRUE(construction.RemoveFrame(left));
  ASSERT_EQ(construction.FrameCount(), 1);
  EXPECT_EQ(construction.GetFrame(0), right);
  EXPECT_EQ(right->Points[1]->GetPoint(), (TPoint{0, 0}));
  EXPECT_EQ(right->Points[3]->GetPoint(), (TPoint{5000, 10000}));
  EXPECT_EQ(right->GetFramePoint(1)->PointW, (TPoint{700, 700}));
  EXPECT_EQ(impost->PX1->GetPoint(), (TPoint{2000, 0}));
  EXPECT_EQ(impost->XWPoint_1A, (TPoint{2410, 0}));
  TFlugel* sash = CustomPart(*right, 1)->Flugel.get();
  EXPECT_EQ(sash->Points[1]->GetPoint(), (TPoint{2100, 100}));
  EXPECT_EQ(right->LeftTop, (TPoint{0, 0}));
  EXPECT_EQ(right->Name, "1");
  EXPECT_FALSE(construction.RemoveFrame(left));
}

TEST(Construction, NormalizingAtTheOriginChangesNothing) {
  Tgx25Construction construction;
  TFrame* frame = construction.NewFrame(1);
  BuildRectContour(*frame, {0, 0}, 1000, 1000, 70);
  construction.NormalizePosition();
  EXPECT_EQ(frame->Points[0]->GetPoint(), (TPoint{0, 1000}));
  BuildRectContour(*construction.NewFrame(1), {-500, -200}, 500, 500, 70);
  construction.NormalizePosition();
  EXPECT_EQ(frame->Points[0]->GetPoint(), (TPoint{500, 1200}));
}

TEST(Construction, HoldsAtMost256Frames) {
  Tgx25Construction construction;
  for (int i = 0; i < 256; ++i) construction.NewFrame(1);
  EXPECT_THROW(construction.NewFrame(1), ECreationError);
  EXPECT_EQ(construction.FrameCount(), 256);
  construction.Clear();
  EXPECT_EQ(construction.FrameCount(), 0);
}

TEST(Construction, SashFillingsReplaceEachOther) {
  TFrame frame(nullptr, 1);
  BuildRectContour(frame, {0, 0}, 1000, 1000, 70);
  auto* part = static_cast<Tgx30CustomPart*>(frame.AddBasePart());
  part->SetNewGlass(3, true);
  EXPECT_EQ(part->FillType, ftGlass);
  EXPECT_NE(part->Glass2, nullptr);
  EXPECT_EQ(part->GlassContour, 3);
  part->SetNewModificator();
  EXPECT_EQ(part->FillType, ftModificator);
  EXPECT_EQ(part->Glass, nullptr);
  EXPECT_EQ(part->FillElement(), part->Modificator.get());
  TFrame* nested = part->SetNewFrame(9);
  EXPECT_EQ(nested->TypeWin, 9);
  EXPECT_EQ(part->Modificator, nullptr);
  part->ClearObject();
  EXPECT_EQ(part->FillType, ftNone);
  EXPECT_EQ(part->FillElement(), nullptr);
}

}  // namespace
}  // namespace kv
