#pragma once
// A whole construction, or one frame, sash or glass by itself, fitted into a rectangle of the
// canvas with its dimension chains: the scale, the font size, the offsets and the window origin
// that the design window keeps to turn mouse positions back into model coordinates.
#include "construction/construction.h"
#include "design/draw_pass.h"

namespace kv {

// The view state of the design window that a pass reads and writes.
struct TDrawView {
  // Model units per pixel of the last pass.
  long double BR = 1;
  // Pixel extent of the last picture with its dimension chains.
  int ScaledW = 0;
  int ScaledH = 0;
  bool Zooming = false;
  bool Dragging = false;
  // The point to zoom about (millimetres) and the pixel position it is to lie on.
  int ZoomPointX = 0;
  int ZoomPointY = 0;
  int ShiftX = 0;
  int ShiftY = 0;
  // Anchor points and cut-line points of the frame sides shown.
  bool DrawAnkerPoints = false;
  bool DrawCutLinePoints = false;
};

// Where the picture went: offsets of the picture inside the rectangle and the window origin (in
// and out: kept unless the view zooms about a point).
struct TDrawPlacement {
  int OffsetX = 0;
  int OffsetY = 0;
  TPoint WindowOrg;
};

// Zoom 0 counts as 1; a zoom above 1 makes the picture smaller.
void DrawConstruction(Tgx25Construction& Construction, TCanvas& Canvas, const TPixelRect& Target,
                      const TPenWidths& PenWidths, const Tgx25DrawStyles& Styles, bool CreateRegions, float Zoom,
                      TDrawPlacement& Placement, TDrawView& View);
void DrawConstruction(TCustomFrame& Element, TCanvas& Canvas, const TPixelRect& Target, const TPenWidths& PenWidths,
                      const Tgx25DrawStyles& Styles, bool CreateRegions, float Zoom, TDrawPlacement& Placement,
                      TDrawView& View);
void DrawConstruction(Tgx25Glass& Glass, TCanvas& Canvas, const TPixelRect& Target, const TPenWidths& PenWidths,
                      const Tgx25DrawStyles& Styles, bool CreateRegions, float Zoom, TDrawPlacement& Placement,
                      TDrawView& View);

// A construction drawn into a picture of Width x Height pixels with screen pens and no regions:
// the pictures of the command line, reports and previews.
void DrawPicture(Tgx25Construction& Construction, TCanvas& Canvas, int Width, int Height, const Tgx25DrawStyles& Styles,
                 float Zoom = 1);

// Font size in points for a picture of the internal size W x H in a rectangle of w x h pixels.
int DrawFontSize(long double W, long double H, int w, int h, bool Printer, float Zoom);

}  // namespace kv
