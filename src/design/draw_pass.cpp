#include "design/draw_pass.h"

#include <algorithm>

#include "catalogue/colour_lookups.h"
#include "catalogue/material_lookups.h"
#include "design/draw_geometry.h"
#include "design/furn_symbols.h"
#include "geometry/point_ops.h"
#include "geometry/transforms.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/gx_setup.h"

namespace kv {

namespace {

// Radius of the circle of a selected point, model units.
constexpr int kPointCircle = 250;
// Length of an extension arrow, pixels.
constexpr int kArrowLength = 16;
// Distance of a hinge from the end of its side, model units (at most a quarter of the side).
constexpr int kHingeInset = 1500;

TPoint Middle(const TPoint& A, const TPoint& B) { return {(A.X + B.X) / 2, (A.Y + B.Y) / 2}; }

TPolygon Joined(const TPolygon& Forward, const TPolygon& Backward) {
  TPolygon polygon = Forward;
  polygon.insert(polygon.end(), Backward.rbegin(), Backward.rend());
  return polygon;
}

// The points of a joint cut from the outer to the inner edge: the rebate and impost edge points
// that lie between the two, in their order along the cut.
TPolygon CutPoints(const TPoint& Outer, const TPoint& Rebate, const TPoint& Impost, const TPoint& Inner) {
  const long double dx = Inner.X - Outer.X;
  const long double dy = Inner.Y - Outer.Y;
  const long double length = dx * dx + dy * dy;
  auto along = [&](const TPoint& P) {
    return length == 0 ? 0 : ((P.X - Outer.X) * dx + (P.Y - Outer.Y) * dy) / length;
  };
  TPolygon between;
  for (const TPoint& p : {Rebate, Impost})
    if (along(p) > 0 && along(p) < 1 && p != Outer && p != Inner) between.push_back(p);
  std::sort(between.begin(), between.end(), [&](const TPoint& a, const TPoint& b) { return along(a) < along(b); });
  between.erase(std::unique(between.begin(), between.end()), between.end());
  TPolygon cut{Outer};
  cut.insert(cut.end(), between.begin(), between.end());
  cut.push_back(Inner);
  return cut;
}

// A frame or sash side between its outer and inner edge, both run from its start to its end, and
// the joint cuts at both ends from the outer to the inner edge. The edge points of each end are the
// corner's group of this side, which the joint type of the corner made (a mitre, or a butt joint
// where one side runs through).
struct TProfileEdges {
  TPolygon Outer;
  TPolygon Inner;
  TPolygon Middle;
  TPolygon StartCut;
  TPolygon EndCut;
  TPolygon Face() const { return CreateThorRegion(Outer, Inner, StartCut, EndCut); }
};

TProfileEdges FrameLineEdges(const Tgx25FrameLine& Line) {
  const auto* start = dynamic_cast<const Tgx25FramePoint*>(Line.PX1);
  const auto* end = dynamic_cast<const Tgx25FramePoint*>(Line.PX2);
  if (start == nullptr || end == nullptr) return {};
  auto edge = [&Line](const TPoint& A, const TPoint& B) { return EdgePoints(A, B, Line.Radius, Line.Center); };
  return {edge(start->Point2, end->Point1), edge(start->PointW2, end->PointW1),
          edge(Middle(start->Point2, start->PointW2), Middle(end->Point1, end->PointW1)),
          CutPoints(start->Point2, start->PointF2, start->PointI2, start->PointW2),
          CutPoints(end->Point1, end->PointF1, end->PointI1, end->PointW1)};
}

TPolygon BarFace(const TCustomImpost& Bar) { return {Bar.XWPoint_1A, Bar.XWPoint_2A, Bar.XWPoint_2B, Bar.XWPoint_1B}; }

TPolygon BarInnerOutline(const TCustomImpost& Bar) {
  return {Bar.XIPoint_1A, Bar.XIPoint_2A, Bar.XIPoint_2B, Bar.XIPoint_1B};
}

// A closed contour of points and sides (side i from point i to point i + 1), arcs as point runs.
template <class PointOf, class SideOf>
TPolygon ContourPolygon(size_t Count, PointOf point_of, SideOf side_of) {
  TPolygon polygon;
  for (size_t i = 0; i < Count; ++i) {
    TPolygon edge = side_of(i, point_of(i), point_of((i + 1) % Count));
    polygon.insert(polygon.end(), edge.begin(), edge.end() - 1);
  }
  return polygon;
}

TPolygon SimpleContour(const Tgx25SimpleFrame& Contour) {
  const size_t count = std::min(Contour.Points.size(), Contour.Lines.size());
  return ContourPolygon(
      count, [&](size_t i) { return Contour.Points[i]->GetPoint(); },
      [&](size_t i, const TPoint& a, const TPoint& b) {
        return EdgePoints(a, b, Contour.Lines[i]->Radius, Contour.Lines[i]->Center);
      });
}

// A part runs along its parent's lines, some of them against their direction (an arc bulges to the
// left of its line's own direction).
TPolygon PartContour(const TFalshPart& Part) {
  const size_t count = std::min(Part.Points.size(), Part.Lines.size());
  return ContourPolygon(
      count, [&](size_t i) { return Part.Points[i]->GetPoint(); },
      [&](size_t i, const TPoint& a, const TPoint& b) {
        const Tgx25PartLine& side = *Part.Lines[i];
        const Tgx25Line* line = side.GetLine();
        if (line == nullptr || line->Radius == 0) return TPolygon{a, b};
        if (!side.Inverted) return ArcPoints(a, b, line->Center);
        TPolygon reversed = ArcPoints(b, a, line->Center);
        std::reverse(reversed.begin(), reversed.end());
        return reversed;
      });
}

// A derived contour, arcs as point runs.
TPolygon FillContourPolygon(const TFillContour& Contour) {
  return ContourPolygon(
      Contour.size(), [&](size_t i) { return Contour[i].Start; },
      [&](size_t i, const TPoint& a, const TPoint& b) {
        return EdgePoints(a, b, Contour[i].Radius, Contour[i].Center);
      });
}

// The opening of a field between the profiles of its sides; the field's own contour when the
// opening cannot be derived (sides that meet in no corner).
TPolygon PartOpening(const TFalshPart& Part, const TPolygon& Contour) {
  try {
    return FillContourPolygon(Part.CalcFillSize(gsiWidth, 0));
  } catch (const EKvError&) {
    return Contour;
  }
}

// What the glass shows: inside the beads, or the glass contour when it has no beads.
TPolygon GlassContour(const Tgx25Glass& Glass) {
  return SimpleContour(Glass.BeadSizes.Points.empty() ? Glass.GlassSizes : Glass.BeadSizes);
}

TColor ScreenColor(const std::string& Color, const Tgx25DrawStyles& Styles) {
  if (!Styles.Contains(drsColor) || Color.empty() || GetColorName(Color).empty()) return clWhite;
  return ColorFromCatalogue(GetScreenColor(Color));
}

// The screen colour of the glass material; white when the catalogue gives none.
TColor GlassScreenColor(const Tgx25Glass& Glass, const Tgx25DrawStyles& Styles) {
  if (!Styles.Contains(drsColor) || Glass.Glass.empty() || _FindByID(Glass.Glass) == nullptr) return clWhite;
  const int64_t value = GetCatalogFieldByID(Glass.Glass, "ScreenColor").AsInteger();
  return value == 0 ? clWhite : ColorFromCatalogue(value);
}

TColor PointColor(const TModelObject* Owner) {
  if (dynamic_cast<const TFlugel*>(Owner) != nullptr) return clRed;
  if (dynamic_cast<const TFrame*>(Owner) != nullptr) return clBlue;
  if (dynamic_cast<const Tgx25FrameLine*>(Owner) != nullptr) return clMaroon;
  if (dynamic_cast<const Tgx25Stulp*>(Owner) != nullptr) return clYellow;
  if (dynamic_cast<const TImpost*>(Owner) != nullptr) return clGreen;
  return clBlack;
}

template <class T>
const T* AncestorOf(const TModelObject& Object) {
  return FindModelAncestor<T>(const_cast<TModelObject*>(&Object));
}

// The object lies in a sash that carries an insect net.
bool InNettedSash(const TModelObject& Object) {
  const TFlugel* sash = AncestorOf<TFlugel>(Object);
  return sash != nullptr && !sash->Mosquito.Article.empty();
}

// The meeting stile lies on the sashes it joins, so it is drawn after them.
bool LiesOverChildren(const TCustomImpost& Bar) { return dynamic_cast<const Tgx25Stulp*>(&Bar) != nullptr; }

class TPass {
public:
  TPass(TCanvas& Canvas, const TDrawSettings& Settings) : FCanvas(Canvas), FSettings(Settings) {}

  void DrawElement(TAbstractFrame& Element);
  void DrawHidden(TAbstractFrame& Element);
  void DrawLabels(TAbstractFrame& Element);
  void DrawGlass(Tgx25Glass& Glass);

private:
  bool Has(Tgx25DrawStyle Style) const { return FSettings.Styles.Contains(Style); }
  TPolygon Px(std::span<const TPoint> Model) const { return Scaled(Model, FSettings.Scale); }
  TPoint Px(const TPoint& Model) const { return GetScaledPoint(Model, FSettings.Scale); }
  TPen MainPen() const { return {clBlack, FSettings.PenWidths[0], TPenStyle::Solid}; }

  void Shape(std::span<const TPoint> Model, const TPen& Pen, const TBrush& Brush);
  void Lines(std::span<const TPoint> Model, const TPen& Pen);
  void Hatch(std::span<const TPoint> Model, const TPen& Pen);
  void Keep(Tgx25SelectedObject& Object, const TPolygon& Region) const;
  // A profile face in its colour, grey when hidden, hatched when selected; returns the pen of its
  // edges. Without Outlined the face is filled only and the caller draws the edges.
  TPen ProfileFace(Tgx25SelectedObject& Object, const TPolygon& Face, TPen Pen, TColor Fill, bool Outlined = true);

  void DrawFrameProfLine(Tgx25FrameLine& Line);
  // Returns the pen of the edges, as ProfileFace.
  TPen DrawBentProfile(Tgx25FrameLine& Line, const TProfileEdges& Edges, TColor Fill);
  void DrawImpost(TCustomImpost& Bar);
  void DrawImpostEnds(TCustomImpost& Bar);
  void DrawArrows(const Tgx25Line& Line);
  void DrawArrow(const TPoint& End, const TPoint& Other, int32_t Value);
  void DrawPoint(Tgx25Point& Point, const TPoint& At, TColor Color);
  void DrawLinePoints(Tgx25Line& Line);
  void DrawChildren(TAbstractFrame& Element);
  void DrawPart(TFalshPart& Part, const TPolygon& Contour);
  bool PartNetShown(const TFalshPart& Part) const;
  void DrawBeads(Tgx25BeadFrame& Beads, const std::string& Color);

  void DrawFlugelExtras(TFlugel& Sash);
  void DrawOpeningLines(const TFlugel& Sash, const Tgx25FrameLine& Line);
  void DrawSymbols(const std::vector<TPolygon>& Symbols, const TPoint& At, long double Angle, TColor Fill);
  void DrawMosquitoMark(const TFlugel& Sash);

  // A label of lines of text centred on Centre (pixels); SizeDelta changes the font size.
  void DrawLabel(const TPoint& Centre, const std::vector<std::string>& Lines, int SizeDelta, bool Checked);
  void DrawCheckBox(const TPoint& At, int Size);
  void DrawPartLabels(const TAbstractFrame& Element, const TFalshPart& Part);

  TCanvas& FCanvas;
  const TDrawSettings& FSettings;
};

void TPass::Shape(std::span<const TPoint> Model, const TPen& Pen, const TBrush& Brush) {
  FCanvas.Pen() = Pen;
  FCanvas.Brush() = Brush;
  FCanvas.Polygon(Px(Model));
}

void TPass::Lines(std::span<const TPoint> Model, const TPen& Pen) {
  FCanvas.Pen() = Pen;
  FCanvas.Polyline(Px(Model));
}

void TPass::Hatch(std::span<const TPoint> Model, const TPen& Pen) {
  Shape(Model, Pen, {clBlack, TBrushStyle::BDiagonal});
}

void TPass::Keep(Tgx25SelectedObject& Object, const TPolygon& Region) const {
  if (FSettings.CreateRegions) Object.DrawRGN = Region;
}

TPen TPass::ProfileFace(Tgx25SelectedObject& Object, const TPolygon& Face, TPen Pen, TColor Fill, bool Outlined) {
  if (Object.Hidden) {
    Pen.Color = clSilver;
    Fill = Object.DrawSelected ? clSilver : clHiddenFill;
  }
  const TPen edge = Outlined ? Pen : TPen{Pen.Color, Pen.Width, TPenStyle::Clear};
  Shape(Face, edge, {Fill, TBrushStyle::Solid});
  Keep(Object, Face);
  if (Object.DrawSelected) Hatch(Face, edge);
  return Pen;
}

void TPass::DrawFrameProfLine(Tgx25FrameLine& Line) {
  const TProfileEdges edges = FrameLineEdges(Line);
  const TPolygon face = edges.Face();
  if (face.empty()) return;
  if (Line.Virtual) {
    Shape(face, {clSilver, 1, TPenStyle::Solid}, {clWhite, TBrushStyle::Clear});
    return;
  }
  const TColor fill = ScreenColor(Line.Profile.Color, FSettings.Styles);
  const TPen pen = Line.HasRadius() ? DrawBentProfile(Line, edges, fill) : ProfileFace(Line, face, MainPen(), fill);
  // The axis line of the side: its own line from its first to its second point.
  Lines(EdgePoints(Line.PX1->GetPoint(), Line.PX2->GetPoint(), Line.Radius, Line.Center), pen);
  const int width = FSettings.PenWidths[0];
  if (Has(drsSteelVisible) && Line.Armed) Lines(edges.Middle, {clBlue, width, TPenStyle::Dash});
  if (Has(drsSteelVisible) && Line.Axis) Lines(edges.Middle, {clRed, width, TPenStyle::Dash});
  if (Has(drsAttachVisible) && Line.Attach) {
    const TColor attached = ScreenColor(Line.AttachProfile.Color, {drsColor});
    Lines(edges.Middle, {attached == clWhite ? clBlack : attached, width + 2, TPenStyle::Solid});
  }
  if (Has(drsMontageVisible) && Line.Montage) Lines(edges.Middle, {clRed, width, TPenStyle::Dot});
  DrawArrows(Line);
}

// The region between the outer and inner arc, then the two end cuts and the outer, middle and
// inner arcs.
TPen TPass::DrawBentProfile(Tgx25FrameLine& Line, const TProfileEdges& Edges, TColor Fill) {
  const TPen pen = ProfileFace(Line, Edges.Face(), MainPen(), Fill, false);
  for (const TPolygon* edge : {&Edges.StartCut, &Edges.EndCut, &Edges.Outer, &Edges.Middle, &Edges.Inner})
    Lines(*edge, pen);
  return pen;
}

void TPass::DrawImpost(TCustomImpost& Bar) {
  const TPolygon face = BarFace(Bar);
  if (Bar.Virtual) {
    Shape(face, {clSilver, 1, TPenStyle::Solid}, {clWhite, TBrushStyle::Clear});
    return;
  }
  TPen pen = MainPen();
  const auto* mullion = dynamic_cast<const TImpost*>(&Bar);
  if (mullion != nullptr && !mullion->StaticValid()) pen.Color = clRed;
  ProfileFace(Bar, face, pen, ScreenColor(Bar.Profile.Color, FSettings.Styles));
  Shape(BarInnerOutline(Bar), pen, {clWhite, TBrushStyle::Clear});
  DrawArrows(Bar);
  const auto* reinforced = dynamic_cast<const TInforcedImpost*>(&Bar);
  if (Has(drsSteelVisible) && reinforced != nullptr && !reinforced->Steel.ID.empty()) {
    const TPolygon axis{Bar.PX1->GetPoint(), Bar.PX2->GetPoint()};
    Lines(axis, {clBlue, FSettings.PenWidths[0], TPenStyle::Dash});
  }
}

// The circle of a selected bar end lies in the middle of the bar's end.
void TPass::DrawImpostEnds(TCustomImpost& Bar) {
  if (auto* end = dynamic_cast<Tgx25Point*>(Bar.PX1))
    DrawPoint(*end, Middle(Bar.XWPoint_1A, Bar.XWPoint_1B), PointColor(end->Owner));
  if (auto* end = dynamic_cast<Tgx25Point*>(Bar.PX2))
    DrawPoint(*end, Middle(Bar.XWPoint_2A, Bar.XWPoint_2B), PointColor(end->Owner));
}

void TPass::DrawArrows(const Tgx25Line& Line) {
  if (Line.PX1 == nullptr || Line.PX2 == nullptr) return;
  if (Line.DeltaLen1 != 0) DrawArrow(Line.PX1->GetPoint(), Line.PX2->GetPoint(), Line.DeltaLen1);
  if (Line.DeltaLen2 != 0) DrawArrow(Line.PX2->GetPoint(), Line.PX1->GetPoint(), Line.DeltaLen2);
}

// An arrow out of the end of a line, away from its other end, with the extension value.
void TPass::DrawArrow(const TPoint& End, const TPoint& Other, int32_t Value) {
  const TPoint from = Px(End);
  const TPointF direction = ShiftLinePointX(ExtendedPoint(Other), ExtendedPoint(End), 1);
  const TPointF unit{direction.X - Other.X, direction.Y - Other.Y};
  const TPoint tip{from.X + static_cast<int>(unit.X * kArrowLength), from.Y + static_cast<int>(unit.Y * kArrowLength)};
  const TPoint left = RoundedPoint(TurnPointX(ExtendedPoint(from), ExtendedPoint(tip), 150));
  const TPoint right = RoundedPoint(TurnPointX(ExtendedPoint(from), ExtendedPoint(tip), -150));
  const TPoint head_left{tip.X + (left.X - tip.X) / 3, tip.Y + (left.Y - tip.Y) / 3};
  const TPoint head_right{tip.X + (right.X - tip.X) / 3, tip.Y + (right.Y - tip.Y) / 3};
  FCanvas.SaveCanvasAttribute();
  FCanvas.Pen() = {clRed, 1, TPenStyle::Solid};
  FCanvas.Line(from, tip);
  FCanvas.Line(head_left, tip);
  FCanvas.Line(head_right, tip);
  FCanvas.Attributes.TextOpaque = false;
  FCanvas.Attributes.TextAlign = taLeft | taTop;
  FCanvas.TextOut(tip, Value < 0 ? Format(" %d ", Value) : "+" + Format(" %d ", Value));
  FCanvas.RestoreCanvasAttribute();
}

void TPass::DrawPoint(Tgx25Point& Point, const TPoint& At, TColor Color) {
  if (Point.Virtual) return;
  Keep(Point, CirclePolygon(At, kPointCircle));
  if (!Point.DrawSelected) return;
  const TPoint centre = Px(At);
  const int radius = GetScaled(kPointCircle, FSettings.Scale);
  FCanvas.Pen() = {Color, 2, TPenStyle::Solid};
  FCanvas.Brush() = {clWhite, TBrushStyle::Clear};
  FCanvas.Ellipse({centre.X - radius, centre.Y - radius, centre.X + radius, centre.Y + radius});
}

// Anchors blue, cut points red, when the switches show them.
void TPass::DrawLinePoints(Tgx25Line& Line) {
  const int radius = GetScaled(kPointCircle / 2, FSettings.Scale);
  auto mark = [&](const Tgx25Point& P, TColor Color) {
    const TPoint centre = Px(P.GetPoint());
    FCanvas.Pen() = {Color, 1, TPenStyle::Solid};
    FCanvas.Brush() = {Color, TBrushStyle::Solid};
    FCanvas.Ellipse({centre.X - radius, centre.Y - radius, centre.X + radius, centre.Y + radius});
  };
  if (FSettings.DrawAnkerPoints)
    for (const auto& p : Line.AnkerPoints) mark(*p, clBlue);
  if (FSettings.DrawCutLinePoints)
    for (const auto& p : Line.CutPoints) mark(*p, clRed);
}

void TPass::DrawElement(TAbstractFrame& Element) {
  if (!FrameVisible(Element, FSettings.Styles)) return;
  for (auto& line : Element.Lines)
    if (auto* side = dynamic_cast<Tgx25FrameLine*>(line.get())) DrawFrameProfLine(*side);
  for (auto& point : Element.Points) DrawPoint(*point, point->GetPoint(), PointColor(&Element));
  for (auto& line : Element.Lines) DrawLinePoints(*line);
  auto draw_bars = [&](bool over_children) {
    for (auto& bar : Element.Imposts) {
      if (LiesOverChildren(*bar) != over_children || !ImpostVisible(Element, *bar, FSettings.Styles)) continue;
      DrawImpost(*bar);
      DrawImpostEnds(*bar);
      DrawLinePoints(*bar);
    }
  };
  draw_bars(false);
  DrawChildren(Element);
  draw_bars(true);
  if (auto* sash = dynamic_cast<TFlugel*>(&Element)) DrawFlugelExtras(*sash);
  DrawLabels(Element);
}

void TPass::DrawChildren(TAbstractFrame& Element) {
  for (auto& part : Element.Parts) {
    const TPolygon contour = PartContour(*part);
    Keep(*part, contour);
    auto* custom = dynamic_cast<Tgx30CustomPart*>(part.get());
    TCustomFrame* filling = custom != nullptr ? custom->FillElement() : nullptr;
    const bool glazed = custom != nullptr && custom->FillType == ftGlass && custom->Glass;
    if (filling != nullptr)
      DrawElement(*filling);
    else if (glazed && Has(drsGlassVisible))
      DrawGlass(*custom->Glass);
    else if (!glazed)
      DrawPart(*part, contour);
  }
}

// A field without glass or element (a field of glazing bars or false mullions, an empty field):
// the selection hatch, or in a sash with an insect net the net's diagonal cross hatch over the
// opening between its profiles.
void TPass::DrawPart(TFalshPart& Part, const TPolygon& Contour) {
  if (Part.DrawSelected)
    Hatch(Contour, MainPen());
  else if (PartNetShown(Part))
    Shape(PartOpening(Part, Contour), {clBlack, 1, TPenStyle::Clear}, {clBlack, TBrushStyle::DiagCross});
}

// A field on glass leaves the net to the glass's own hatch where that is drawn.
bool TPass::PartNetShown(const TFalshPart& Part) const {
  if (!Has(drsMosquitoDrawing) || !InNettedSash(Part)) return false;
  return AncestorOf<Tgx25Glass>(Part) == nullptr || !Has(drsMosquitoVisible);
}

void TPass::DrawGlass(Tgx25Glass& Glass) {
  const TPolygon contour = GlassContour(Glass);
  Shape(contour, MainPen(), {GlassScreenColor(Glass, FSettings.Styles), TBrushStyle::Solid});
  Keep(Glass, contour);
  const bool net = InNettedSash(Glass);
  const bool selected = Glass.DrawSelected || (Glass.ParentPart != nullptr && Glass.ParentPart->DrawSelected);
  if (selected)
    Hatch(contour, MainPen());
  else if (net && Has(drsMosquitoVisible) && Has(drsMosquitoDrawing))
    Shape(contour, {clYellow, FSettings.PenWidths[0], TPenStyle::Solid}, {clBlack, TBrushStyle::Cross});
  if (Glass.SprossFrame) DrawElement(*Glass.SprossFrame);
  if (Glass.FalshFrame) DrawElement(*Glass.FalshFrame);
  DrawBeads(Glass.BeadSizes, Glass.Bead.Color);
}

// Each bead bar lies outside the visible edge by its width (the corners' PointW).
void TPass::DrawBeads(Tgx25BeadFrame& Beads, const std::string& Color) {
  const size_t count = std::min(Beads.Points.size(), Beads.Lines.size());
  for (size_t i = 0; i < count; ++i) {
    const auto* start = dynamic_cast<const Tgx25ProfilePoint*>(Beads.Points[i].get());
    const auto* end = dynamic_cast<const Tgx25ProfilePoint*>(Beads.Points[(i + 1) % count].get());
    if (start == nullptr || end == nullptr) continue;
    Tgx25SimpleLine& bar = *Beads.Lines[i];
    const TPolygon face = Joined(EdgePoints(start->GetPoint(), end->GetPoint(), bar.Radius, bar.Center),
                                 EdgePoints(start->PointW2, end->PointW, bar.Radius, bar.Center));
    ProfileFace(bar, face, MainPen(), ScreenColor(Color, FSettings.Styles));
  }
}

void TPass::DrawHidden(TAbstractFrame& Element) {
  const TPen pen{clSilver, 1, TPenStyle::Dash};
  const TBrush clear{clWhite, TBrushStyle::Clear};
  for (auto& line : Element.Lines)
    if (auto* side = dynamic_cast<Tgx25FrameLine*>(line.get())) Shape(FrameLineEdges(*side).Face(), pen, clear);
  for (auto& bar : Element.Imposts) Shape(BarFace(*bar), pen, clear);
  for (auto& part : Element.Parts) {
    auto* custom = dynamic_cast<Tgx30CustomPart*>(part.get());
    if (custom == nullptr) continue;
    if (TCustomFrame* filling = custom->FillElement())
      DrawHidden(*filling);
    else if (custom->FillType == ftGlass && custom->Glass)
      Shape(GlassContour(*custom->Glass), pen, clear);
  }
}

// --- sash fittings -----------------------------------------------------------------------------

void TPass::DrawFlugelExtras(TFlugel& Sash) {
  if (Has(drsFurnVisible) && Sash.FurnComp) {
    const TFrame* frame = Sash.GetParentFrame();
    const TColor fill = frame != nullptr ? ScreenColor(frame->FurnColor, FSettings.Styles) : clWhite;
    const int sliding = Sash.FurnComp->Setting;
    const bool slides = sliding >= 1 && sliding <= 5;
    if (slides) {
      const TRect box = BoundRectOf(Sash.GetDimensions());
      const TPoint centre{(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2};
      for (const TPolygon& stroke : SlidingArrows(sliding, box.Width()))
        Shape(PlaceSymbol(stroke, centre, 0), {clBlack, FSettings.PenWidths[2], TPenStyle::Solid},
              {clBlack, stroke.size() > 2 ? TBrushStyle::Solid : TBrushStyle::Clear});
    }
    for (auto& line : Sash.Lines) {
      const auto* side = dynamic_cast<const Tgx25FrameLine*>(line.get());
      if (side == nullptr) continue;
      if (!slides && side->OpenMark) DrawOpeningLines(Sash, *side);
      const TPoint handle =
          side->HandlePoint == TPoint{} ? Middle(side->PX1->GetPoint(), side->PX2->GetPoint()) : side->HandlePoint;
      const long double angle = SymbolAngle(side->PolarAngle());
      if (side->Handled && side->HandleType != 0)
        DrawSymbols(HandleSymbol(slides ? 15 : side->HandleType), handle, angle, fill);
      if (slides) continue;
      if (side->Banded) {
        const long double inset = std::min<long double>(kHingeInset, side->GetInternalSize() / 4);
        for (const auto& [from, to] : {std::pair(side->PX1, side->PX2), std::pair(side->PX2, side->PX1)})
          DrawSymbols({HingeSymbol()}, ShiftLinePointXInt(from->GetPoint(), to->GetPoint(), inset), angle, fill);
      }
      if (side->Drived) DrawSymbols({DriveSymbol()}, Middle(side->PX1->GetPoint(), side->PX2->GetPoint()), angle, fill);
    }
  }
  if (!Sash.Mosquito.Article.empty() && Has(drsMosquitoVisible) && !Has(drsMosquitoDrawing)) DrawMosquitoMark(Sash);
}

// From the first end of the side to the middle of the apex side and on to the second end.
void TPass::DrawOpeningLines(const TFlugel& Sash, const Tgx25FrameLine& Line) {
  const int apex_index = Line.ApexLine;
  if (apex_index < 0 || apex_index >= static_cast<int>(Sash.Lines.size())) return;
  const Tgx25Line& apex = *Sash.Lines[static_cast<size_t>(apex_index)];
  if (&apex == &Line) return;
  const TPoint a = apex.PX1->GetPoint();
  const TPoint b = apex.PX2->GetPoint();
  const TPoint middle = apex.HasRadius() ? ArcMiddle(a, b, apex.Center) : Middle(a, b);
  const TPolygon lines{Line.PX1->GetPoint(), middle, Line.PX2->GetPoint()};
  Lines(lines, {clBlack, FSettings.PenWidths[1], TPenStyle::Solid});
}

void TPass::DrawSymbols(const std::vector<TPolygon>& Symbols, const TPoint& At, long double Angle, TColor Fill) {
  for (const TPolygon& symbol : Symbols)
    Shape(PlaceSymbol(symbol, At, Angle), {clBlack, FSettings.PenWidths[2], TPenStyle::Solid},
          {Fill, TBrushStyle::Solid});
}

// " MC " below the sash's second corner.
void TPass::DrawMosquitoMark(const TFlugel& Sash) {
  if (Sash.Points.size() < 2) return;
  const TPoint corner = Px(Sash.Points[1]->GetPoint());
  FCanvas.SaveCanvasAttribute();
  FCanvas.Pen() = {clBlack, 1, TPenStyle::Solid};
  FCanvas.Attributes.TextOpaque = true;
  FCanvas.Attributes.TextAlign = taLeft | taTop;
  FCanvas.TextOut({corner.X, corner.Y + FCanvas.TextExtent("MC").Height}, " MC ");
  FCanvas.RestoreCanvasAttribute();
}

// --- labels ------------------------------------------------------------------------------------

void TPass::DrawLabel(const TPoint& Centre, const std::vector<std::string>& Lines, int SizeDelta, bool Checked) {
  if (Lines.empty() && !Checked) return;
  FCanvas.SaveCanvasAttribute();
  FCanvas.Font().Size = std::max(1, FCanvas.Font().Size + SizeDelta);
  FCanvas.Font().Bold = Has(drsIDBold);
  FCanvas.Font().Angle = 0;
  FCanvas.Pen() = {clBlack, 1, TPenStyle::Solid};
  FCanvas.Attributes.TextOpaque = !Has(drsIDBrushClear);
  FCanvas.Attributes.TextAlign = taCenter | taTop;
  int width = 0;
  const int height = FCanvas.TextExtent("Ag").Height;
  for (const std::string& line : Lines) width = std::max(width, FCanvas.TextExtent(line).Width);
  const int top = Centre.Y - height * static_cast<int>(Lines.size()) / 2;
  if (Has(drsIDFramed) && !Lines.empty()) {
    FCanvas.Brush() = {clWhite, Has(drsIDBrushClear) ? TBrushStyle::Clear : TBrushStyle::Solid};
    FCanvas.Rectangle({Centre.X - width / 2 - 2, top - 1, Centre.X + width / 2 + 2,
                       top + height * static_cast<int>(Lines.size()) + 1});
  }
  for (size_t i = 0; i < Lines.size(); ++i) FCanvas.TextOut({Centre.X, top + height * static_cast<int>(i)}, Lines[i]);
  if (Checked) DrawCheckBox({Centre.X - width / 2 - height - 2, top}, height);
  FCanvas.RestoreCanvasAttribute();
}

void TPass::DrawCheckBox(const TPoint& At, int Size) {
  FCanvas.Brush() = {clWhite, TBrushStyle::Solid};
  FCanvas.Pen() = {clBlack, 1, TPenStyle::Solid};
  FCanvas.Rectangle({At.X, At.Y, At.X + Size, At.Y + Size});
  const std::array<TPoint, 3> tick{TPoint{At.X + Size / 5, At.Y + Size / 2},
                                   TPoint{At.X + Size * 2 / 5, At.Y + Size * 4 / 5},
                                   TPoint{At.X + Size * 4 / 5, At.Y + Size / 5}};
  FCanvas.Polyline(tick);
}

// A part's number and the label of its glass, one under the other in the middle of the part.
void TPass::DrawPartLabels(const TAbstractFrame& Element, const TFalshPart& Part) {
  std::vector<std::string> lines;
  const auto* custom = dynamic_cast<const Tgx30CustomPart*>(&Part);
  const bool filled = custom != nullptr && custom->FillElement() != nullptr;
  if (PartIDVisible(Element, FSettings.Styles) && !filled) lines.push_back(Part.No);
  if (custom != nullptr) {
    const std::string glass = GlassLabel(*custom, FSettings.Styles);
    for (size_t from = 0; !glass.empty() && from <= glass.size();) {
      const size_t tab = std::min(glass.find('\t', from), glass.size());
      lines.push_back(glass.substr(from, tab - from));
      from = tab + 1;
    }
  }
  const TRect box = Part.GetBoundRect();
  const bool checked = Part.Checked && PartIDVisible(Element, FSettings.Styles);
  DrawLabel(Px(TPoint{(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2}), lines, -2, checked);
}

void TPass::DrawLabels(TAbstractFrame& Element) {
  if (LineIDVisible(Element, FSettings.Styles))
    for (auto& line : Element.Lines)
      if (auto* side = dynamic_cast<Tgx25FrameLine*>(line.get()))
        DrawLabel(Px(BoxCentre(FrameLineEdges(*side).Face())), {side->No}, 0, false);
  for (auto& bar : Element.Imposts) {
    if (!ImpostIDVisible(Element, *bar, FSettings.Styles)) continue;
    const std::vector<TFalshPart*> sides = Element.SeekDependentPart(bar.get());
    const std::string a = sides.size() > 0 ? sides[0]->No : "";
    const std::string b = sides.size() > 1 ? sides[1]->No : "";
    DrawLabel(Px(BoxCentre(BarFace(*bar))), {Format("%s<-%s->%s", a, bar->No, b)}, 0, false);
  }
  for (auto& part : Element.Parts) {
    DrawPartLabels(Element, *part);
    const auto* custom = dynamic_cast<const Tgx30CustomPart*>(part.get());
    if (custom != nullptr && custom->Glass && custom->FillType == ftGlass && Has(drsGlassLineIDVisible)) {
      const Tgx25BeadFrame& beads = custom->Glass->BeadSizes;
      for (size_t i = 0; i < std::min(beads.Lines.size(), beads.BarNumbers.size()); ++i) {
        const Tgx25SimpleLine& bar = *beads.Lines[i];
        DrawLabel(Px(Middle(bar.PX1->GetPoint(), bar.PX2->GetPoint())), {beads.BarNumbers[i]}, -2, false);
      }
    }
  }
  if (FrameIDVisible(Element, FSettings.Styles)) {
    const TRect box = BoundRectOf(Element.GetDimensions());
    DrawLabel(Px(TPoint{(box.Left + box.Right) / 2, box.Top}), {Element.Name}, 0, false);
  }
}

// The style of each kind of element: frames (and modificators, which take a frame's place),
// sashes, false-mullion and glazing-bar frames.
Tgx25DrawStyle KindStyle(const TAbstractFrame& Element, Tgx25DrawStyle Frame, Tgx25DrawStyle Sash, Tgx25DrawStyle Falsh,
                         Tgx25DrawStyle Spross) {
  if (dynamic_cast<const TFlugel*>(&Element) != nullptr) return Sash;
  if (dynamic_cast<const TFalshFrame*>(&Element) != nullptr) return Falsh;
  if (dynamic_cast<const Tgx25SprossFrame*>(&Element) != nullptr) return Spross;
  return Frame;
}

Tgx25DrawStyle BarStyle(const TAbstractFrame& Element, const TCustomImpost& Bar, Tgx25DrawStyle Stulp,
                        Tgx25DrawStyle FrameBar, Tgx25DrawStyle SashBar, Tgx25DrawStyle Falsh, Tgx25DrawStyle Spross) {
  if (dynamic_cast<const Tgx25Stulp*>(&Bar) != nullptr) return Stulp;
  return KindStyle(Element, FrameBar, SashBar, Falsh, Spross);
}

}  // namespace

TPenWidths PrintPenWidth() {
  TPenWidths widths{1, 1, 1, 1};
  if (const TGXSetup* setup = GXSetup()) setup->PrintPenWidth(widths);
  return widths;
}

bool FrameVisible(const TAbstractFrame& Element, const Tgx25DrawStyles& Styles) {
  return Styles.Contains(KindStyle(Element, drsFrameVisible, drsFlugelVisible, drsFalshVisible, drsSprossVisible));
}

bool ImpostVisible(const TAbstractFrame& Element, const TCustomImpost& Bar, const Tgx25DrawStyles& Styles) {
  return Styles.Contains(BarStyle(Element, Bar, drsStulpVisible, drsImpostVisible, drsFlugelImpostVisible,
                                  drsFalshVisible, drsSprossVisible));
}

bool FrameIDVisible(const TAbstractFrame& Element, const Tgx25DrawStyles& Styles) {
  const Tgx25DrawStyle style =
      KindStyle(Element, drsFrameIDVisible, drsFlugelIDVisible, drsFalshIDVisible, drsSprossIDVisible);
  return (style == drsFrameIDVisible || style == drsFlugelIDVisible) && Styles.Contains(style);
}

bool LineIDVisible(const TAbstractFrame& Element, const Tgx25DrawStyles& Styles) {
  const Tgx25DrawStyle style =
      KindStyle(Element, drsFrameLineIDVisible, drsFlugelLineIDVisible, drsGlassLineIDVisible, drsGlassLineIDVisible);
  return style != drsGlassLineIDVisible && Styles.Contains(style);
}

bool ImpostIDVisible(const TAbstractFrame& Element, const TCustomImpost& Bar, const Tgx25DrawStyles& Styles) {
  return Styles.Contains(BarStyle(Element, Bar, drsStulpIDVisible, drsImpostIDVisible, drsFlugelImpostIDVisible,
                                  drsFalshIDVisible, drsSprossIDVisible));
}

bool PartIDVisible(const TAbstractFrame& Element, const Tgx25DrawStyles& Styles) {
  return Styles.Contains(
      KindStyle(Element, drsFramePartIDVisible, drsFlugelPartIDVisible, drsFalshPartIDVisible, drsSprossPartIDVisible));
}

void Draw(TAbstractFrame& Element, TCanvas& Canvas, const TDrawSettings& Settings) {
  TPass(Canvas, Settings).DrawElement(Element);
}

void DrawAsHidden(TAbstractFrame& Element, TCanvas& Canvas, const TDrawSettings& Settings) {
  TPass(Canvas, Settings).DrawHidden(Element);
}

void DrawID(TAbstractFrame& Element, TCanvas& Canvas, const TDrawSettings& Settings) {
  TPass(Canvas, Settings).DrawLabels(Element);
}

void Draw(Tgx25Glass& Glass, TCanvas& Canvas, const TDrawSettings& Settings) {
  TPass(Canvas, Settings).DrawGlass(Glass);
}

void ReleaseDrawRgn(TAbstractFrame& Element) {
  Element.VisitTree({[](TAbstractFrame&) {},
                     [](Tgx25SelectedObject& object) {
                       object.ReleaseRgn();
                       if (auto* glass = dynamic_cast<Tgx25Glass*>(&object))
                         for (auto& bar : glass->BeadSizes.Lines) bar->ReleaseRgn();
                     }});
}

std::string GlassLabel(const Tgx30CustomPart& Part, const Tgx25DrawStyles& Styles) {
  if (Part.FillType != ftGlass || !Part.Glass) return "";
  std::vector<std::string> parts;
  if (Styles.Contains(drsGlassIDVisible)) parts.push_back(Part.Glass->No);
  const std::vector<const Tgx25Glass*> glasses{Part.Glass.get(), Part.Glass2.get()};
  for (const Tgx25Glass* glass : glasses)
    if (glass != nullptr && Styles.Contains(drsGlassArticleVisible)) parts.push_back(glass->Glass);
  for (const Tgx25Glass* glass : glasses)
    if (glass != nullptr && Styles.Contains(drsGlassSizeVisible)) {
      const TSizeF size = glass->GetRealSize();
      parts.push_back(Format("%.0f x %.0f", size.Width, size.Height));
    }
  std::string label;
  for (const std::string& part : parts) label += (label.empty() ? "" : "\t") + part;
  return label;
}

std::string DimensionText(long double Distance) {
  const long double millimetres = Distance / 10;
  return Format(millimetres == static_cast<long long>(millimetres) ? "%.0f" : "%.1f", millimetres);
}

}  // namespace kv
