#pragma once
// A canvas that writes an SVG document: the drawings of the command-line program, of previews and
// of the tests.
#include <set>
#include <string>

#include "design/canvas.h"

namespace kv {

class TSvgCanvas : public TCanvas {
public:
  // A white picture of Width x Height pixels.
  TSvgCanvas(int Width, int Height);

  // The whole document.
  std::string Text() const;
  // Writes the document (replacing the file whole); EInOutError naming the file when it cannot.
  void SaveToFile(const std::string& FileName) const;

protected:
  void PaintPolygon(std::span<const TPoint> Points) override;
  void PaintPolyline(std::span<const TPoint> Points) override;
  void PaintEllipse(const TPixelRect& Bounds) override;
  void PaintText(const TPoint& P, std::string_view Text) override;

private:
  // The fill attribute of the brush; a hatch is a pattern defined once per style and colour.
  std::string Fill();
  std::string Stroke() const;

  int FWidth;
  int FHeight;
  std::string FBody;
  std::set<std::string> FPatterns;
  std::string FDefs;
};

}  // namespace kv
