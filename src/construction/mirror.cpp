// Mirroring a construction about its vertical centre line. Every contour keeps running clockwise on
// the screen, so the order of its corners is reversed and it starts again at its bottom-left corner;
// bars, part contours and the elements and bar frames inside the parts follow, and everything that
// is derived from the contours (cross points, outlines, bar sizes, glass) is recalculated.
// Fields keep their order, numbers and first corners; connector combinations and fittings are kept as they were.
#include <algorithm>

#include "construction/construction.h"
#include "construction/frames.h"
#include "construction/glass.h"
#include "geometry/point_ops.h"

namespace kv {

namespace {

void MirrorPoint(Tgx25SimplePoint& P, int32_t Axis2) { P.X = Axis2 - P.X; }

// A butt joint in which the side ending here runs through becomes one in which the side starting
// here does, once the contour runs the other way.
TAngleType ReversedJoint(TAngleType Type) {
  switch (Type) {
    case atX1to2: return atX2to1;
    case atX2to1: return atX1to2;
    case atX1to2X: return atX2to1X;
    case atX2to1X: return atX1to2X;
    default: return Type;
  }
}

// The geometry a line carries beside its ends: the arc centre, the points standing on it, its
// anchors and cuts, the handle position of a sash side.
void MirrorLineContent(Tgx25Line& Line, int32_t Axis2) {
  if (Line.HasRadius()) Line.Center.X = static_cast<float>(Axis2 - static_cast<double>(Line.Center.X));
  for (auto& p : Line.Points) MirrorPoint(*p, Axis2);
  for (auto& p : Line.AnkerPoints) MirrorPoint(*p, Axis2);
  for (auto& p : Line.CutPoints) MirrorPoint(*p, Axis2);
  auto* side = dynamic_cast<Tgx25FrameLine*>(&Line);
  if (side != nullptr && side->HandlePoint != TPoint{}) side->HandlePoint.X = Axis2 - side->HandlePoint.X;
}

// A bar's sides A and B lie left and right of its direction: the mirror swaps them, and putting the
// ends back in order (end 1 left or upper) swaps them again.
void MirrorBar(TCustomImpost& Bar, int32_t Axis2) {
  MirrorLineContent(Bar, Axis2);
  const Tgx25SimplePoint* first = Bar.PX1;
  Bar.SortXPoints();
  if (Bar.PX1 == first) std::swap(Bar.DeltaW1, Bar.DeltaW2);
}

// The contour of the element run the other way round: corners 0, n-1, ..., 1 and each side reversed.
void ReverseContour(TAbstractFrame& Element) {
  if (Element.Points.size() < 2) return;
  std::reverse(Element.Points.begin() + 1, Element.Points.end());
  std::reverse(Element.Lines.begin(), Element.Lines.end());
  for (auto& line : Element.Lines) {
    std::swap(line->DeltaLen1, line->DeltaLen2);
    std::swap(line->PX1, line->PX2);
  }
  Element.UpdateLinePointPtr();
  for (auto& line : Element.Lines) line->SortCutPoints();
  for (auto& point : Element.Points) {
    const TAngleType reversed = ReversedJoint(point->AngleType);
    if (auto* corner = dynamic_cast<Tgx25FramePoint*>(point.get())) corner->ExchangeCrossPoint();
    point->AngleType = reversed;
  }
}

void MirrorGlassBars(Tgx25Glass* Glass, int32_t Axis2) {
  if (Glass == nullptr) return;
  if (Glass->FalshFrame) Glass->FalshFrame->MirrorPointsX(Axis2);
  if (Glass->SprossFrame) Glass->SprossFrame->MirrorPointsX(Axis2);
}

// Turns a closed contour (line i from point i) so that it starts at its bottom-left corner.
template <class TPointList, class TLineList>
void StartAtBottomLeft(TPointList& Points, TLineList& Lines) {
  if (Points.size() < 2 || Points.size() != Lines.size()) return;
  const auto first = std::min_element(Points.begin(), Points.end(), [](const auto& a, const auto& b) {
    return StartsContourBefore(a->GetPoint(), b->GetPoint());
  });
  const auto shift = first - Points.begin();
  std::rotate(Points.begin(), first, Points.end());
  std::rotate(Lines.begin(), Lines.begin() + shift, Lines.end());
}

}  // namespace

bool StartsContourBefore(const TPoint& A, const TPoint& B) { return A.X < B.X || (A.X == B.X && A.Y > B.Y); }

// --- parts -----------------------------------------------------------------------------------

void TFalshPart::SortContour() {
  const int count = static_cast<int>(std::min(Points.size(), Lines.size()));
  for (int i = 0; i < count; ++i) {
    Tgx25PartLine& side = *Lines[static_cast<size_t>(i)];
    const Tgx25Line* line = side.GetLine();
    if (line == nullptr || line->PX1 == nullptr || line->PX2 == nullptr) continue;
    const Tgx25SimplePoint* from = Points[static_cast<size_t>(i)]->Point;
    const Tgx25SimplePoint* to = NextPoint(i)->Point;
    if (from == line->PX1 || to == line->PX2) {
      side.Inverted = false;
    } else if (from == line->PX2 || to == line->PX1) {
      side.Inverted = true;
    } else {
      // Both corners stand inside the line: compare the directions.
      const long double along = static_cast<long double>(line->PX2->X - line->PX1->X) * (to->X - from->X) +
                                static_cast<long double>(line->PX2->Y - line->PX1->Y) * (to->Y - from->Y);
      side.Inverted = along < 0;
    }
  }
}

void TFalshPart::NormalizePoints() { StartAtBottomLeft(Points, Lines); }

void TFalshPart::MirrorPoints() {
  if (Points.size() < 2 || Points.size() != Lines.size()) return;
  std::reverse(Points.begin() + 1, Points.end());
  std::reverse(Lines.begin(), Lines.end());
  for (auto& line : Lines) line->ExchangePointPos();
}

// --- elements --------------------------------------------------------------------------------

void TAbstractFrame::NormalizePoints() { StartAtBottomLeft(Points, Lines); }

void TAbstractFrame::MirrorPointsX(int32_t Axis2) {
  for (auto& point : Points) MirrorPoint(*point, Axis2);
  for (auto& line : Lines) MirrorLineContent(*line, Axis2);
  for (auto& bar : Imposts) MirrorBar(*bar, Axis2);
  ReverseContour(*this);
  NormalizePoints();
  for (auto& part : Parts) {
    part->MirrorPoints();
    auto* custom = dynamic_cast<Tgx30CustomPart*>(part.get());
    if (custom == nullptr) continue;
    MirrorGlassBars(custom->Glass.get(), Axis2);
    MirrorGlassBars(custom->Glass2.get(), Axis2);
    if (TCustomFrame* element = custom->FillElement()) element->MirrorPointsX(Axis2);
  }
}

void TFrame::MirrorPointsX(int32_t Axis2) {
  const int32_t left = BoundRectOf(GetDimensions()).Left;
  TCustomFrame::MirrorPointsX(Axis2);
  LeftTop.X += BoundRectOf(GetDimensions()).Left - left;
}

// --- the construction ------------------------------------------------------------------------

void Tgx25Construction::MirrorPositionX() {
  if (FFrames.empty()) return;
  const TRect box = GetBoundRect();
  const int32_t axis2 = box.Left + box.Right;
  for (auto& frame : FFrames) {
    frame->MirrorPointsX(axis2);
    frame->FullRecalc();
  }
  NormalizePosition();
}

}  // namespace kv
