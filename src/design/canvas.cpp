#include "design/canvas.h"

#include <array>

namespace kv {

TColor ColorFromCatalogue(int64_t Value) {
  const auto v = static_cast<uint32_t>(Value);
  return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

int FontPixels(int Points) { return (Points * 96 + 36) / 72; }

void TCanvas::SaveCanvasAttribute() { FSaved.push_back(Attributes); }

void TCanvas::ResetCanvasAttribute() {
  const int size = Attributes.Font.Size;
  Attributes = {};
  Attributes.Font.Size = size;
}

void TCanvas::RestoreCanvasAttribute() {
  if (FSaved.empty()) return;
  Attributes = FSaved.back();
  FSaved.pop_back();
}

TPoint TCanvas::ToDevice(const TPoint& P) const {
  return {P.X - WindowOrg.X + ViewportOrg.X, P.Y - WindowOrg.Y + ViewportOrg.Y};
}

std::vector<TPoint> TCanvas::ToDevice(std::span<const TPoint> Points) const {
  std::vector<TPoint> device;
  device.reserve(Points.size());
  for (const TPoint& p : Points) device.push_back(ToDevice(p));
  return device;
}

void TCanvas::Polygon(std::span<const TPoint> Points) {
  if (Points.size() >= 2) PaintPolygon(ToDevice(Points));
}

void TCanvas::Polyline(std::span<const TPoint> Points) {
  if (Points.size() >= 2) PaintPolyline(ToDevice(Points));
}

void TCanvas::Line(const TPoint& A, const TPoint& B) {
  const std::array<TPoint, 2> points{A, B};
  Polyline(points);
}

void TCanvas::Ellipse(const TPixelRect& Bounds) {
  const TPoint a = ToDevice(TPoint{Bounds.Left, Bounds.Top});
  const TPoint b = ToDevice(TPoint{Bounds.Right, Bounds.Bottom});
  PaintEllipse({a.X, a.Y, b.X, b.Y});
}

void TCanvas::Rectangle(const TPixelRect& Bounds) {
  const std::array<TPoint, 4> corners{TPoint{Bounds.Left, Bounds.Top}, TPoint{Bounds.Right, Bounds.Top},
                                      TPoint{Bounds.Right, Bounds.Bottom}, TPoint{Bounds.Left, Bounds.Bottom}};
  Polygon(corners);
}

void TCanvas::TextOut(const TPoint& P, std::string_view Text) {
  if (!Text.empty()) PaintText(ToDevice(P), Text);
}

// Without font metrics: an average glyph is 0.55 of the font's height wide.
TSize TCanvas::TextExtent(std::string_view Text) const {
  int glyphs = 0;
  for (unsigned char c : Text)
    if ((c & 0xC0) != 0x80) ++glyphs;
  const int height = FontPixels(Attributes.Font.Size);
  return {(glyphs * height * 11 + 10) / 20, height};
}

}  // namespace kv
