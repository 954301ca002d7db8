#include "design/draw_construction.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "design/size_grid.h"
#include "geometry/point_ops.h"
#include "shell/rounding.h"

namespace kv {

namespace {

// Pixels between the picture and the rectangle's border on each side.
constexpr int kMargin = 10;

// What one fitting draws: its extent, its chains and its own drawing.
struct TSubject {
  TRect Bounds;
  std::function<void(Tgx25SizeGrid&, const Tgx25DrawStyles&, int)> PrepareGrid;
  std::function<void(const TDrawSettings&, TCanvas&)> Draw;
  std::function<void()> ReleaseRegions;
};

long double ZoomFactor(float Zoom) { return Zoom == 0 ? 1 : std::fabs(Zoom); }

// Two rows of text a row of chains.
int RowStep(const TCanvas& Canvas) { return 2 * Canvas.TextExtent("0").Height + 4; }

void Fit(const TSubject& Subject, TCanvas& Canvas, const TPixelRect& Target, const TPenWidths& PenWidths,
         const Tgx25DrawStyles& Styles, bool CreateRegions, float Zoom, TDrawPlacement& Placement, TDrawView& View) {
  const long double W = Subject.Bounds.Width();
  const long double H = Subject.Bounds.Height();
  if (W <= 0 || H <= 0) return;
  const int w = Target.Width();
  const int h = Target.Height();
  Canvas.SaveCanvasAttribute();
  Canvas.ResetCanvasAttribute();
  Canvas.Font().Size = DrawFontSize(W, H, w, h, Canvas.Printer(), Zoom);

  Tgx25SizeGrid grid;
  Subject.PrepareGrid(grid, Styles, RowStep(Canvas));
  const int aw = std::max(1, w - grid.GetDeltaY() - 2 * kMargin);
  const int ah = std::max(1, h - grid.GetDeltaX() - 2 * kMargin);
  const long double scale = (W / H >= static_cast<long double>(aw) / ah ? W / aw : H / ah) * ZoomFactor(Zoom);
  const int sw = GetScaled(W, scale);
  const int sh = GetScaled(H, scale);
  View.BR = scale;
  View.ScaledW = grid.GetDeltaY() + sw + 2 * kMargin;
  View.ScaledH = grid.GetDeltaX() + sh + 2 * kMargin;
  Placement.OffsetX = (aw - sw) / 2 + kMargin;
  Placement.OffsetY = (ah - sh) / 2 + kMargin;
  if (View.Zooming && !View.Dragging) {
    Placement.WindowOrg = {Placement.OffsetX + GetScaled(View.ZoomPointX * 10, scale) - View.ShiftX,
                           Placement.OffsetY + GetScaled(View.ZoomPointY * 10, scale) - View.ShiftY};
  }

  const TPoint window_org = Canvas.WindowOrg;
  const TPoint viewport_org = Canvas.ViewportOrg;
  // The subject's left-top lies on the viewport origin.
  const TPoint left_top = GetScaledPoint({Subject.Bounds.Left, Subject.Bounds.Top}, scale);
  Canvas.ViewportOrg = {Placement.OffsetX + Target.Left, Placement.OffsetY + Target.Top};
  Canvas.WindowOrg = SumPoint(Placement.WindowOrg, left_top);
  if (Subject.ReleaseRegions) Subject.ReleaseRegions();

  TDrawSettings settings{PenWidths, Styles, CreateRegions, scale, View.DrawAnkerPoints, View.DrawCutLinePoints};
  Subject.Draw(settings, Canvas);
  Canvas.ResetCanvasAttribute();
  Canvas.Pen().Width = PenWidths[3];
  grid.Draw(Canvas, scale);
  Canvas.RestoreCanvasAttribute();
  Canvas.WindowOrg = window_org;
  Canvas.ViewportOrg = viewport_org;
}

void DrawFrames(Tgx25Construction& Construction, const TDrawSettings& Settings, TCanvas& Canvas) {
  for (TFrame& frame : Frames(Construction)) {
    if (frame.Hidden)
      DrawAsHidden(frame, Canvas, Settings);
    else
      Draw(frame, Canvas, Settings);
  }
}

}  // namespace

int DrawFontSize(long double W, long double H, int w, int h, bool Printer, float Zoom) {
  const long double s0 = std::max(W / std::max(1, w), H / std::max(1, h));
  if (s0 <= 0) return Printer ? 1 : 9;
  if (Printer) return std::max(1, GetRounded(400 / s0 / ZoomFactor(Zoom)));
  return std::clamp(GetRounded(200 / s0), 2, 9);
}

void DrawConstruction(Tgx25Construction& Construction, TCanvas& Canvas, const TPixelRect& Target,
                      const TPenWidths& PenWidths, const Tgx25DrawStyles& Styles, bool CreateRegions, float Zoom,
                      TDrawPlacement& Placement, TDrawView& View) {
  if (Construction.FrameCount() == 0) return;
  const TSubject subject{
      Construction.GetBoundRect(),
      [&](Tgx25SizeGrid& grid, const Tgx25DrawStyles& styles, int step) { grid.Prepare(Construction, styles, step); },
      [&](const TDrawSettings& settings, TCanvas& canvas) { DrawFrames(Construction, settings, canvas); },
      [&] {
        for (TFrame& frame : Frames(Construction)) ReleaseDrawRgn(frame);
      }};
  Fit(subject, Canvas, Target, PenWidths, Styles, CreateRegions, Zoom, Placement, View);
}

void DrawConstruction(TCustomFrame& Element, TCanvas& Canvas, const TPixelRect& Target, const TPenWidths& PenWidths,
                      const Tgx25DrawStyles& Styles, bool CreateRegions, float Zoom, TDrawPlacement& Placement,
                      TDrawView& View) {
  const TSubject subject{
      BoundRectOf(Element.GetDimensions()),
      [&](Tgx25SizeGrid& grid, const Tgx25DrawStyles& styles, int step) { grid.Prepare(Element, styles, step); },
      [&](const TDrawSettings& settings, TCanvas& canvas) { Draw(Element, canvas, settings); },
      [&] { ReleaseDrawRgn(Element); }};
  Fit(subject, Canvas, Target, PenWidths, Styles, CreateRegions, Zoom, Placement, View);
}

void DrawConstruction(Tgx25Glass& Glass, TCanvas& Canvas, const TPixelRect& Target, const TPenWidths& PenWidths,
                      const Tgx25DrawStyles& Styles, bool CreateRegions, float Zoom, TDrawPlacement& Placement,
                      TDrawView& View) {
  const TSubject subject{
      Glass.GetBoundRect(),
      [&](Tgx25SizeGrid& grid, const Tgx25DrawStyles& styles, int step) { grid.Prepare(Glass, styles, step); },
      [&](const TDrawSettings& settings, TCanvas& canvas) { Draw(Glass, canvas, settings); },
      [&] { Glass.ReleaseRgn(); }};
  Fit(subject, Canvas, Target, PenWidths, Styles, CreateRegions, Zoom, Placement, View);
}

void DrawPicture(Tgx25Construction& Construction, TCanvas& Canvas, int Width, int Height, const Tgx25DrawStyles& Styles,
                 float Zoom) {
  TDrawPlacement placement;
  TDrawView view;
  DrawConstruction(Construction, Canvas, {0, 0, Width, Height}, ScrPenWidth, Styles, false, Zoom, placement, view);
}

}  // namespace kv
