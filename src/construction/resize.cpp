// Resizing a contour: the corners on the extremes move as the shift modes say, arcs keep a half
// circle or their rise, bars keep their place or move in proportion; a part turned inside out or
// crossing itself stops the resize. The construction's backup copy is taken first; when the resized
// contour cannot be derived the caller puts it back.
#include <vector>

#include "construction/construction.h"
#include "construction/frames.h"
#include "geometry/intersections.h"
#include "geometry/point_ops.h"
#include "shell/errors.h"
#include "shell/rounding.h"

namespace kv {

namespace {

// How an arc side keeps its shape through a resize: a half circle stays one, another arc keeps its
// rise, and the second radius of an elliptic side keeps its ratio to the first.
struct TArcShape {
  Tgx25Line* Line;
  bool Full;
  long double Rise;
  long double SecondRatio;
};

std::vector<TArcShape> ArcShapes(const TAbstractFrame& Element) {
  std::vector<TArcShape> shapes;
  for (const auto& line : Element.Lines)
    if (line->HasRadius())
      shapes.push_back(
          {line.get(), line->FullRadius(), line->GetHX(), static_cast<long double>(line->Radius2) / line->Radius});
  return shapes;
}

void RestoreArcShapes(const std::vector<TArcShape>& Shapes) {
  for (const TArcShape& shape : Shapes) {
    if (shape.Full) {
      shape.Line->SetFullRadius();
      continue;
    }
    shape.Line->SetHX(shape.Rise);
    if (shape.SecondRatio != 1) shape.Line->Radius2 = static_cast<float>(shape.Line->Radius * shape.SecondRatio);
  }
}

// A coordinate of the old span [OldLow, OldLow + OldSize] placed at the same fraction of the new one.
int32_t Proportional(int32_t Value, int32_t OldLow, int32_t OldSize, int32_t NewLow, int32_t NewSize) {
  if (OldSize == 0) return Value;
  return NewLow + GetRounded(static_cast<long double>(Value - OldLow) * NewSize / OldSize);
}

// The points that stand on the element's lines and bars (bar ends).
std::vector<Tgx25Point*> StandingPoints(const TAbstractFrame& Element) {
  std::vector<Tgx25Point*> points;
  const auto collect = [&](const Tgx25Line& line) {
    for (const auto& p : line.Points) points.push_back(p.get());
  };
  for (const auto& line : Element.Lines) collect(*line);
  for (const auto& bar : Element.Imposts) collect(*bar);
  return points;
}

// Moves the standing points from the old box to the new one in proportion, on the axes asked.
void MoveInProportion(const TAbstractFrame& Element, const TRect& Old, const TRect& New, bool AlongX, bool AlongY) {
  for (Tgx25Point* p : StandingPoints(Element)) {
    if (AlongX) p->X = Proportional(p->X, Old.Left, Old.Width(), New.Left, New.Width());
    if (AlongY) p->Y = Proportional(p->Y, Old.Top, Old.Height(), New.Top, New.Height());
  }
}

void CheckLinePoints(TAbstractFrame& Element) {
  for (auto& line : Element.Lines) line->CheckCutPointCoordinate();
  Element.CheckImpostPointCoordinate();
  Element.CheckPartLineCrossing();
}

// Twice the signed area of the part's corner polygon: positive while it runs clockwise on the screen.
long double DoubleArea(const TFalshPart& Part) {
  long double area = 0;
  const size_t count = Part.Points.size();
  for (size_t i = 0; i < count; ++i) {
    const TPoint a = Part.Points[i]->GetPoint();
    const TPoint b = Part.Points[(i + 1) % count]->GetPoint();
    area += static_cast<long double>(a.X) * b.Y - static_cast<long double>(b.X) * a.Y;
  }
  return area;
}

// Two sides of the part that are not neighbours cross (their chords, ends included).
bool SidesCross(const TFalshPart& Part) {
  const size_t count = Part.Points.size();
  for (size_t i = 0; i < count; ++i)
    for (size_t j = i + 2; j < count; ++j) {
      if (i == 0 && j == count - 1) continue;
      TPointF crossing;
      if (GetLineLineCrossPoint(ExtendedPoint(Part.Points[i]->GetPoint()),
                                ExtendedPoint(Part.Points[(i + 1) % count]->GetPoint()),
                                ExtendedPoint(Part.Points[j]->GetPoint()),
                                ExtendedPoint(Part.Points[(j + 1) % count]->GetPoint()), false, crossing) == 0)
        return true;
    }
  return false;
}

}  // namespace

void TAbstractFrame::CheckPartLineCrossing() const {
  for (const auto& part : Parts)
    if (part->Points.size() >= 3 && (DoubleArea(*part) <= 0 || SidesCross(*part)))
      throw ECreationError("Разделы конструкции пересекаются! Новый размер недопустим.");
}

void TAbstractFrame::MoveContour(const TFillContour& Contour) {
  const TRect old_box = BoundRectOf(GetDimensions());
  for (size_t i = 0; i < Contour.size(); ++i) {
    Points[i]->SetPoint(Contour[i].Start);
    Lines[i]->Radius = Contour[i].Radius;
    Lines[i]->Radius2 = Contour[i].LineRadius2();
    Lines[i]->Center = Contour[i].Center;
  }
  MoveInProportion(*this, old_box, BoundRectOf(GetDimensions()), true, true);
  CheckLinePoints(*this);
}

void TAbstractFrame::SetNewSize(const TSizeF& NewSize, TShiftMode XMode, TShiftMode YMode) {
  const TRect old_box = BoundRectOf(GetDimensions());
  const int32_t dw = SetSize10(NewSize.Width) - old_box.Width();
  const int32_t dh = SetSize10(NewSize.Height) - old_box.Height();
  if (dw == 0 && dh == 0) return;
  if (auto* construction = FindModelAncestor<Tgx25Construction>(this)) construction->CreateBackupCopy();
  const std::vector<TArcShape> arcs = ArcShapes(*this);
  TRect new_box = old_box;
  if (XMode == smLeft)
    new_box.Left -= dw;
  else
    new_box.Right += dw;
  if (YMode == smTop)
    new_box.Top -= dh;
  else
    new_box.Bottom += dh;
  const bool x_proportional = XMode == smXProportional;
  const bool y_proportional = YMode == smYProportional;
  for (auto& corner : Points) {
    // Only corners exactly on the moving extreme follow it; the proportional modes spread the rest.
    const int32_t x_edge = XMode == smLeft ? old_box.Left : old_box.Right;
    const int32_t y_edge = YMode == smTop ? old_box.Top : old_box.Bottom;
    if (corner->X == x_edge)
      corner->X += XMode == smLeft ? -dw : dw;
    else if (x_proportional)
      corner->X = Proportional(corner->X, old_box.Left, old_box.Width(), new_box.Left, new_box.Width());
    if (corner->Y == y_edge)
      corner->Y += YMode == smTop ? -dh : dh;
    else if (y_proportional)
      corner->Y = Proportional(corner->Y, old_box.Top, old_box.Height(), new_box.Top, new_box.Height());
  }
  RestoreArcShapes(arcs);
  if (x_proportional || y_proportional) MoveInProportion(*this, old_box, new_box, x_proportional, y_proportional);
  CheckLinePoints(*this);
  FullRecalc();
}

void TFrame::SetNewSize(const TSizeF& NewSize, TShiftMode XMode, TShiftMode YMode) {
  TAbstractFrame::SetNewSize(NewSize, XMode, YMode);
  if (auto* construction = dynamic_cast<Tgx25Construction*>(Parent)) {
    construction->NormalizePosition();
    return;
  }
  const TRect box = BoundRectOf(GetDimensions());
  if (Parent == nullptr && (box.Left != 0 || box.Top != 0)) NormalizePosition({-box.Left, -box.Top});
}

}  // namespace kv
