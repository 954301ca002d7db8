#pragma once
// The abstract canvas the drawing pass paints on: pens, brushes with hatches, fonts, the mapping
// of logical to device pixels (window and viewport origins), polygons, polylines, ellipses and
// text. A canvas keeps the current attributes; the platform canvases (SVG here, QPainter in the
// desktop program) implement the painting of device coordinates.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/geometry_types.h"
#include "shell/points.h"

namespace kv {

// 0xRRGGBB.
using TColor = uint32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0xFF0000;
inline constexpr TColor clBlue = 0x0000FF;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clMaroon = 0x800000;
inline constexpr TColor clYellow = 0xFFFF00;
inline constexpr TColor clSilver = 0xC0C0C0;
// The fill of a hidden profile.
inline constexpr TColor clHiddenFill = 0xE9E9E9;

// A colour of the catalogue is stored as the screen's 0x00BBGGRR value.
TColor ColorFromCatalogue(int64_t Value);

enum class TPenStyle : uint8_t { Solid, Dash, Dot, Clear };
enum class TBrushStyle : uint8_t { Solid, Clear, BDiagonal, Cross, DiagCross };

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = TPenStyle::Solid;
  friend bool operator==(const TPen&, const TPen&) = default;
};

// A hatch paints only its lines; what lies under it shows between them.
struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::Solid;
  friend bool operator==(const TBrush&, const TBrush&) = default;
};

// Size in points; Angle in degrees counter-clockwise.
struct TFont {
  int Size = 8;
  bool Bold = false;
  int Angle = 0;
  friend bool operator==(const TFont&, const TFont&) = default;
};

// Text alignment as a sum of one horizontal and one vertical value: left 0, right 2, centre 6;
// top 0, bottom 8 (so 14 is bottom-centre).
inline constexpr int taLeft = 0;
inline constexpr int taRight = 2;
inline constexpr int taCenter = 6;
inline constexpr int taTop = 0;
inline constexpr int taBottom = 8;

struct TPixelRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const TPixelRect&, const TPixelRect&) = default;
};

// The attributes a drawing routine changes and restores.
struct TCanvasAttributes {
  TPen Pen;
  TBrush Brush;
  TFont Font;
  int TextAlign = taLeft | taTop;
  // Text is written on a white box; false: on what lies under it.
  bool TextOpaque = true;
};

class TCanvas {
public:
  virtual ~TCanvas() = default;

  TCanvasAttributes Attributes;
  TPen& Pen() { return Attributes.Pen; }
  TBrush& Brush() { return Attributes.Brush; }
  TFont& Font() { return Attributes.Font; }

  // A copy of the attributes on a stack; Reset makes them brush solid white, pen solid black of
  // width 1, plain font of the current size; Restore takes back the last copy.
  void SaveCanvasAttribute();
  void ResetCanvasAttribute();
  void RestoreCanvasAttribute();

  // Logical point P is painted at P - WindowOrg + ViewportOrg.
  TPoint WindowOrg;
  TPoint ViewportOrg;
  TPoint ToDevice(const TPoint& P) const;

  void Polygon(std::span<const TPoint> Points);
  void Polyline(std::span<const TPoint> Points);
  void Line(const TPoint& A, const TPoint& B);
  void Ellipse(const TPixelRect& Bounds);
  void Rectangle(const TPixelRect& Bounds);
  // Text at P, aligned by TextAlign, turned by Font.Angle.
  void TextOut(const TPoint& P, std::string_view Text);
  // Width and height of the text in the current font, pixels.
  virtual TSize TextExtent(std::string_view Text) const;
  // A printer canvas takes the printer's font size rule.
  virtual bool Printer() const { return false; }

protected:
  // The painting itself, in device coordinates with the current attributes.
  virtual void PaintPolygon(std::span<const TPoint> Points) = 0;
  virtual void PaintPolyline(std::span<const TPoint> Points) = 0;
  virtual void PaintEllipse(const TPixelRect& Bounds) = 0;
  virtual void PaintText(const TPoint& P, std::string_view Text) = 0;

private:
  std::vector<TPoint> ToDevice(std::span<const TPoint> Points) const;

  std::vector<TCanvasAttributes> FSaved;
};

// Font size in points as pixels (96 pixels an inch).
int FontPixels(int Points);

}  // namespace kv
