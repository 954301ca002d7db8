// Corner cross points of frame and sash contours, the outlines of dividing bars, and bar ends put
// back onto the lines they stand on.
#include "catalogue/profile_lookups.h"
#include "construction/fill_contour.h"
#include "construction/frames.h"
#include "geometry/intersections.h"
#include "geometry/point_ops.h"

namespace kv {

namespace {

// The offsets of one side for the three edge kinds of a corner.
struct TEdgeOffsets {
  long double Width = 0;
  long double Impost = 0;
  long double Falz = 0;
};

TEdgeOffsets EdgeOffsets(const Tgx25Line* Side) {
  return {SideOffset(gsiWidth, Side), SideOffset(gsiImpost, Side), SideOffset(gsiFalz, Side)};
}

// The cross points of a corner at which the two sides are cut on a mitre (or meet in an unknown way).
void SetMitreGroups(Tgx25FramePoint& P) {
  P.Point1 = P.Point2 = P.GetPoint();
  P.PointW1 = P.PointW2 = P.PointW;
  P.PointI1 = P.PointI2 = P.PointI;
  P.PointF1 = P.PointF2 = P.PointF;
}

// The side a bar end stands on, turned so that the bar lies on its right (inside); Toward is a point
// of the bar away from that end.
TSideGeometry SideTowards(const Tgx25Line& Line, const TPoint& Toward) {
  const TSideGeometry side = LineSide(Line, Line.PX1->GetPoint(), Line.PX2->GetPoint());
  return PointHasLineRightPos(Line.PX1->GetPoint(), Line.PX2->GetPoint(), Toward) ? side : ReversedSide(side);
}

// Where a bar ends on a line: XW at the line's profile width, XI at its impost delta. A frame side's
// impost delta is measured from its outer edge; a bar's from its edge into the bar.
void EndOffsets(const Tgx25Line& Line, long double& Width, long double& Delta) {
  Width = SideOffset(gsiWidth, &Line);
  const long double impost_delta = SideOffset(gsiImpost, &Line);
  if (dynamic_cast<const TCustomImpost*>(&Line) != nullptr)
    Delta = Width - impost_delta;
  else
    Delta = impost_delta != 0 ? impost_delta : Width;
}

TPoint Corner(const TSideGeometry& Prior, long double DPrior, const TSideGeometry& Next, long double DNext) {
  return RoundedPoint(OffsetCorner(Prior, DPrior, Next, DNext));
}

// The crossing of the line through A and B with Line nearest to Near; false when they do not meet.
bool CrossingWithLine(const Tgx25Line& Line, const TPointF& A, const TPointF& B, const TPointF& Near, TPointF& P) {
  const TPointF l1 = ExtendedPoint(Line.PX1->GetPoint());
  const TPointF l2 = ExtendedPoint(Line.PX2->GetPoint());
  if (Line.Radius == 0) return GetLineLineCrossPoint(A, B, l1, l2, true, P) == 0;
  TPointF p1, p2;
  const int count = GetArcLineCrossPoint(A, B, l1, l2, Line.Center, Line.Radius, true, p1, p2);
  if (count < 1) return false;
  P = (count == 1 || GetDistance(Near, p1) <= GetDistance(Near, p2)) ? p1 : p2;
  return true;
}

}  // namespace

// --- frame corners ---------------------------------------------------------------------------

TPoint TCustomFrame::CalcXPoint(int Index, long double DPrior, long double DNext) const {
  const TPoint corner = Points[static_cast<size_t>(Index)]->GetPoint();
  const TSideGeometry prior = LineSide(*PriorLine(Index), PriorPoint(Index)->GetPoint(), corner);
  const TSideGeometry next = LineSide(*Lines[static_cast<size_t>(Index)], corner, NextPoint(Index)->GetPoint());
  return Corner(prior, DPrior, next, DNext);
}

void TCustomFrame::UpdateXPoints() {
  const int count = static_cast<int>(std::min(Points.size(), Lines.size()));
  for (int i = 0; i < count; ++i) {
    Tgx25FramePoint* p = GetFramePoint(i);
    if (p == nullptr) continue;
    const TEdgeOffsets prior = EdgeOffsets(PriorLine(i));
    const TEdgeOffsets next = EdgeOffsets(Lines[static_cast<size_t>(i)].get());
    p->PointW = CalcXPoint(i, prior.Width, next.Width);
    p->PointI = CalcXPoint(i, prior.Impost, next.Impost);
    p->PointF = CalcXPoint(i, prior.Falz, next.Falz);
    SetMitreGroups(*p);
    if (p->AngleType == atX1to2 || p->AngleType == atX1to2X) {
      // The side ending here runs through to the outer edge of the next; the next butts against it.
      p->PointW1 = CalcXPoint(i, prior.Width, 0);
      p->PointI1 = CalcXPoint(i, prior.Impost, 0);
      p->PointF1 = CalcXPoint(i, prior.Falz, 0);
      p->Point2 = p->PointW1;
      p->PointI2 = CalcXPoint(i, prior.Width, next.Impost);
      p->PointF2 = CalcXPoint(i, prior.Width, next.Falz);
    } else if (p->AngleType == atX2to1 || p->AngleType == atX2to1X) {
      p->PointW2 = CalcXPoint(i, 0, next.Width);
      p->PointI2 = CalcXPoint(i, 0, next.Impost);
      p->PointF2 = CalcXPoint(i, 0, next.Falz);
      p->Point1 = p->PointW2;
      p->PointI1 = CalcXPoint(i, prior.Impost, next.Width);
      p->PointF1 = CalcXPoint(i, prior.Falz, next.Width);
    }
  }
  CalcProfSizes();
  TAbstractFrame::UpdateXPoints();
}

// --- bars ------------------------------------------------------------------------------------

void TAbstractFrame::UpdateXPoints() {
  for (auto& bar : Imposts) {
    bar->CalcXPoints();
    bar->CalcProfSize();
  }
}

void TCustomImpost::CalcXPoints() {
  const long double width = Profile.ID.empty() ? 0 : GetProfWidth(Profile.ID);
  CalcXPointContour(width + DeltaW1, width + DeltaW2);
}

void TCustomImpost::CalcXPointContour(long double WidthA, long double WidthB) {
  if (PX1 == nullptr || PX2 == nullptr) return;
  const TSideGeometry axis{ExtendedPoint(PX1->GetPoint()), ExtendedPoint(PX2->GetPoint()), 0, {}};
  // Side A lies left of the axis (a move to the right by minus its width), side B right of it.
  const auto* line1 = dynamic_cast<const Tgx25Line*>(PX1->Owner);
  const auto* line2 = dynamic_cast<const Tgx25Line*>(PX2->Owner);
  long double width1 = 0, delta1 = 0, width2 = 0, delta2 = 0;
  TSideGeometry end1{axis.A, PointF(axis.A.X + axis.A.Y - axis.B.Y, axis.A.Y + axis.B.X - axis.A.X), 0, {}};
  TSideGeometry end2{axis.B, PointF(axis.B.X + axis.A.Y - axis.B.Y, axis.B.Y + axis.B.X - axis.A.X), 0, {}};
  // Without a line under an end, the end is cut square through the end point.
  if (line1 != nullptr && line1->PX1 != nullptr && line1->PX2 != nullptr) {
    end1 = SideTowards(*line1, PX2->GetPoint());
    EndOffsets(*line1, width1, delta1);
  } else {
    end1 = ReversedSide(end1);
  }
  if (line2 != nullptr && line2->PX1 != nullptr && line2->PX2 != nullptr) {
    end2 = SideTowards(*line2, PX1->GetPoint());
    EndOffsets(*line2, width2, delta2);
  }
  XWPoint_1A = Corner(end1, width1, axis, -WidthA);
  XWPoint_1B = Corner(end1, width1, axis, WidthB);
  XIPoint_1A = Corner(end1, delta1, axis, -WidthA);
  XIPoint_1B = Corner(end1, delta1, axis, WidthB);
  XWPoint_2A = Corner(axis, -WidthA, end2, width2);
  XWPoint_2B = Corner(axis, WidthB, end2, width2);
  XIPoint_2A = Corner(axis, -WidthA, end2, delta2);
  XIPoint_2B = Corner(axis, WidthB, end2, delta2);
}

bool TCustomImpost::CheckPointCoordinate() const {
  for (const Tgx25SimplePoint* end : {PX1, PX2}) {
    if (end == nullptr) return false;
    const auto* line = dynamic_cast<const Tgx25Line*>(end->Owner);
    if (line != nullptr && !line->PointOnLine(end->GetPoint())) return false;
  }
  return true;
}

void TAbstractFrame::CheckImpostPointCoordinate() {
  // Bars standing on other bars come after them, so each end meets its line where it now lies.
  for (auto& bar : Imposts) {
    if (bar->PX1 == nullptr || bar->PX2 == nullptr) continue;
    for (Tgx25SimplePoint* end : {bar->PX1, bar->PX2}) {
      const auto* line = dynamic_cast<const Tgx25Line*>(end->Owner);
      if (line == nullptr || line->PX1 == nullptr || line->PX2 == nullptr) continue;
      const TPointF a = ExtendedPoint(bar->PX1->GetPoint());
      const TPointF b = ExtendedPoint(bar->PX2->GetPoint());
      TPointF crossing;
      if (!EqualPoint(a, b) && CrossingWithLine(*line, a, b, ExtendedPoint(end->GetPoint()), crossing))
        end->SetPoint(RoundedPoint(crossing));
    }
  }
}

}  // namespace kv
