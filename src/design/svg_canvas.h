#pragma once
// A canvas that writes an SVG document: the drawings of the command-line program, of previews and
// of the tests.
#include <set>
#include <string>

#include "construction/construction.h"
#include "design/canvas.h"
#include "design/draw_styles.h"

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

// The construction drawn into an SVG file of Width x Height pixels as the pictures of the
// command line and of the construction viewer are (screen pens, no regions); EInOutError naming
// the file when it cannot be written.
void SavePictureSvg(Tgx25Construction& Construction, const std::string& FileName, int Width, int Height,
                    const Tgx25DrawStyles& Styles, float Zoom = 1);

}  // namespace kv
