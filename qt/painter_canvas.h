#pragma once
// The drawing canvas over a QPainter: the screen, raster pictures and PDF pages.
#include <QPainter>

#include "design/canvas.h"

namespace kv {

class TPainterCanvas : public TCanvas {
public:
  // Painter: an active painter on its device; Printer: the printer's font size rule applies.
  explicit TPainterCanvas(QPainter& Painter, bool Printer = false);

  TSize TextExtent(std::string_view Text) const override;
  bool Printer() const override { return FPrinter; }

protected:
  void PaintPolygon(std::span<const TPoint> Points) override;
  void PaintPolyline(std::span<const TPoint> Points) override;
  void PaintEllipse(const TPixelRect& Bounds) override;
  void PaintText(const TPoint& P, std::string_view Text) override;

private:
  // The painter takes the canvas's pen, brush or font.
  void UsePen();
  void UseBrush();
  QFont CurrentFont() const;

  QPainter& FPainter;
  bool FPrinter;
};

}  // namespace kv
