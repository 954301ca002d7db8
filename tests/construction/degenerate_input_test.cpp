// Model operations given objects that are not where they should be, empty contours and
// out-of-range indices: marked results, never a crash.
#include <gtest/gtest.h>

#include "construction/construction.h"
#include "construction/model_builders.h"

namespace kv {
namespace {

TEST(DegenerateInput, EmptyElementAndConstruction) {
  TFrame frame(nullptr, 1);
  EXPECT_EQ(frame.NextPoint(0), nullptr);
  EXPECT_EQ(frame.PriorLine(0), nullptr);
  EXPECT_EQ(frame.Angle(0), -1);
  EXPECT_EQ(frame.GetBasePart(), nullptr);
  EXPECT_EQ(frame.GetFirstCustomImpost(), nullptr);
  EXPECT_EQ(frame.GetFramePoint(0), nullptr);
  EXPECT_EQ(frame.GetFrameLine(-1), nullptr);
  EXPECT_EQ(frame.GetDimensions(), TContourDimensions{});
  EXPECT_TRUE(Parts(frame).empty());
  EXPECT_EQ(frame.GetParentIndex(), -1);
  // A base part of an empty contour is an empty part.
  EXPECT_TRUE(frame.AddBasePart()->Points.empty());
  Tgx25Construction construction;
  construction.NormalizePosition();
  EXPECT_EQ(construction.GetBoundRect(), TRect{});
  EXPECT_EQ(construction.GetSquare(), 0);
  EXPECT_EQ(construction.GetPerimeter(), 0);
  construction.NewFrame(1);  // a frame without a contour yet
  EXPECT_EQ(construction.GetSizeInt(), TSize{});
  EXPECT_EQ(construction.GetFirstPart(), nullptr);
}

TEST(DegenerateInput, ForeignObjectsAreRefusedAndBarsWithoutEndPointsGiveMarkedResults) {
  Tgx25Construction construction;
  TFrame* frame = construction.NewFrame(1);
  TFrame stranger(nullptr, 1);
  TFalshPart foreign_part(&stranger);
  TImpost foreign_impost(&stranger, nullptr, nullptr);
  EXPECT_FALSE(construction.RemoveFrame(&stranger));
  EXPECT_FALSE(construction.RemoveFrame(nullptr));
  EXPECT_FALSE(frame->FreePart(&foreign_part));
  EXPECT_FALSE(frame->FreeImpost(&foreign_impost));
  EXPECT_EQ(construction.GetFrame(1), nullptr);
  EXPECT_EQ(construction.GetFrame(-1), nullptr);
  EXPECT_EQ(construction.FindObjectByInternalID(-5), nullptr);
  construction.Select(nullptr);
  construction.SetChecked(nullptr);
  TImpost impost(nullptr, nullptr, nullptr);
  EXPECT_EQ(impost.PolarAngle(), 0);
  EXPECT_EQ(impost.GetInternalSize(), -1);
  EXPECT_FALSE(impost.EqualTo(impost));
  impost.SortXPoints();
  EXPECT_EQ(impost.GetDimensions(), TContourDimensions{});
  Tgx25FrameLine side(nullptr, nullptr, nullptr);
  side.ProfSize = {5, 45, 45};
  side.CalcProfSize();
  EXPECT_EQ(side.ProfSize, (TProfSize{5, 45, 45}));
  Tgx25ProfileLine bead;
  bead.CalcProfSize();
  EXPECT_EQ(bead.Length, 0);
  Tgx25Line line;
  EXPECT_EQ(line.GetNearestPointX(0), nullptr);
  EXPECT_FALSE(line.PointOnLine({0, 0}));
  line.SortCutPoints();
}

TEST(DegenerateInput, SortingBarEndsKeepsTheOutlineWithThem) {
  Tgx25SimplePoint right(nullptr, {100, 0}), left(nullptr, {0, 0});
  TImpost impost(nullptr, &right, &left);
  impost.XWPoint_1A = {100, -5};
  impost.XWPoint_2B = {0, -5};
  impost.SortXPoints();
  EXPECT_EQ(impost.PX1, &left);
  EXPECT_EQ(impost.XWPoint_1A, (TPoint{0, -5}));
  EXPECT_EQ(impost.XWPoint_2B, (TPoint{100, -5}));
  impost.ExchangeAltPoints();
  EXPECT_EQ(impost.XWPoint_1B, (TPoint{0, -5}));
}

}  // namespace
}  // namespace kv
