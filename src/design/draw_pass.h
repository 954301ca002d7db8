#pragma once
// The drawing of the parts of a construction: frame-like elements with their profile lines, corner
// points, mullions and children, fillings with their glazing bars, false mullions and beads, sash
// fittings symbols, and the labels. Each drawn object keeps its region (a polygon in model units)
// when regions are asked for.
#include <array>

#include "construction/frames.h"
#include "construction/glass.h"
#include "design/canvas.h"
#include "design/draw_styles.h"

namespace kv {

// Pen widths: [0] profile outlines, [1] opening lines, [2] handles, hinges and drives,
// [3] dimension lines.
using TPenWidths = std::array<int, 4>;
inline constexpr TPenWidths ScrPenWidth{1, 1, 1, 1};
// The print pen widths of the options object (all 1 without one).
TPenWidths PrintPenWidth();

struct TDrawSettings {
  TPenWidths PenWidths = ScrPenWidth;
  Tgx25DrawStyles Styles;
  bool CreateRegions = false;
  // Model units per pixel.
  long double Scale = 1;
  // Anchor points and cut-line points of the frame sides shown.
  bool DrawAnkerPoints = false;
  bool DrawCutLinePoints = false;
};

// Visibility of an element's kind, of its bars, and whether its labels are wanted.
bool FrameVisible(const TAbstractFrame& Element, const Tgx25DrawStyles& Styles);
bool ImpostVisible(const TAbstractFrame& Element, const TCustomImpost& Bar, const Tgx25DrawStyles& Styles);
bool FrameIDVisible(const TAbstractFrame& Element, const Tgx25DrawStyles& Styles);
bool LineIDVisible(const TAbstractFrame& Element, const Tgx25DrawStyles& Styles);
bool ImpostIDVisible(const TAbstractFrame& Element, const TCustomImpost& Bar, const Tgx25DrawStyles& Styles);
bool PartIDVisible(const TAbstractFrame& Element, const Tgx25DrawStyles& Styles);

// A frame-like element and everything in it, its labels last; nothing when its kind is hidden.
void Draw(TAbstractFrame& Element, TCanvas& Canvas, const TDrawSettings& Settings);
// Only the lines and bars as grey dashed outlines, the children likewise.
void DrawAsHidden(TAbstractFrame& Element, TCanvas& Canvas, const TDrawSettings& Settings);
// The labels of the element's lines, bars and children.
void DrawID(TAbstractFrame& Element, TCanvas& Canvas, const TDrawSettings& Settings);
// One filling with its bars and beads.
void Draw(Tgx25Glass& Glass, TCanvas& Canvas, const TDrawSettings& Settings);

// Forgets the regions of every object of the element.
void ReleaseDrawRgn(TAbstractFrame& Element);

// The label of a glazed part's glass, its parts joined by tabs: the glass number
// (drsGlassIDVisible), the articles of the outer and inner glass (drsGlassArticleVisible), their
// sizes "%.0f x %.0f" (drsGlassSizeVisible); empty for a part without glass.
std::string GlassLabel(const Tgx30CustomPart& Part, const Tgx25DrawStyles& Styles);

// The text of a dimension of Distance model units: millimetres with "%.0f" when whole, else "%.1f".
std::string DimensionText(long double Distance);

}  // namespace kv
