#include "design/svg_canvas.h"

#include <fmt/format.h>

#include "design/draw_construction.h"
#include "shell/safe_files.h"

namespace kv {

namespace {

std::string Hex(TColor Color) { return fmt::format("#{:06X}", Color & 0xFFFFFF); }

std::string PointList(std::span<const TPoint> Points) {
  std::string text;
  for (const TPoint& p : Points) text += fmt::format("{}{},{}", text.empty() ? "" : " ", p.X, p.Y);
  return text;
}

std::string Escaped(std::string_view Text) {
  std::string out;
  for (char c : Text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

const char* PatternName(TBrushStyle Style) {
  switch (Style) {
    case TBrushStyle::BDiagonal: return "bdiagonal";
    case TBrushStyle::Cross: return "cross";
    default: return "diagcross";
  }
}

// The lines of one 8 x 8 tile of a hatch.
std::string PatternLines(TBrushStyle Style) {
  const std::string back = "<path d=\"M0,8 L8,0 M-1,1 L1,-1 M7,9 L9,7\"/>";
  switch (Style) {
    case TBrushStyle::BDiagonal: return back;
    case TBrushStyle::Cross: return "<path d=\"M0,4 L8,4 M4,0 L4,8\"/>";
    default: return back + "<path d=\"M0,0 L8,8 M-1,7 L1,9 M7,-1 L9,1\"/>";
  }
}

}  // namespace

TSvgCanvas::TSvgCanvas(int Width, int Height) : FWidth(Width), FHeight(Height) {}

std::string TSvgCanvas::Fill() {
  const TBrush& brush = Attributes.Brush;
  if (brush.Style == TBrushStyle::Solid) return Hex(brush.Color);
  if (brush.Style == TBrushStyle::Clear) return "none";
  const std::string id = fmt::format("{}-{:06X}", PatternName(brush.Style), brush.Color & 0xFFFFFF);
  if (FPatterns.insert(id).second)
    FDefs += fmt::format(
        "<pattern id=\"{}\" width=\"8\" height=\"8\" patternUnits=\"userSpaceOnUse\">"
        "<g stroke=\"{}\" stroke-width=\"1\">{}</g></pattern>\n",
        id, Hex(brush.Color), PatternLines(brush.Style));
  return "url(#" + id + ")";
}

std::string TSvgCanvas::Stroke() const {
  const TPen& pen = Attributes.Pen;
  if (pen.Style == TPenStyle::Clear) return "stroke=\"none\"";
  std::string text = fmt::format("stroke=\"{}\" stroke-width=\"{}\"", Hex(pen.Color), pen.Width);
  if (pen.Style == TPenStyle::Dash) text += fmt::format(" stroke-dasharray=\"{},{}\"", 6 * pen.Width, 3 * pen.Width);
  if (pen.Style == TPenStyle::Dot) text += fmt::format(" stroke-dasharray=\"{},{}\"", pen.Width, 2 * pen.Width);
  return text;
}

void TSvgCanvas::PaintPolygon(std::span<const TPoint> Points) {
  const std::string fill = Fill();
  FBody += fmt::format("<polygon points=\"{}\" fill=\"{}\" {}/>\n", PointList(Points), fill, Stroke());
}

void TSvgCanvas::PaintPolyline(std::span<const TPoint> Points) {
  FBody += fmt::format("<polyline points=\"{}\" fill=\"none\" {}/>\n", PointList(Points), Stroke());
}

void TSvgCanvas::PaintEllipse(const TPixelRect& Bounds) {
  const std::string fill = Fill();
  FBody += fmt::format("<ellipse cx=\"{}\" cy=\"{}\" rx=\"{}\" ry=\"{}\" fill=\"{}\" {}/>\n",
                       (Bounds.Left + Bounds.Right) / 2.0, (Bounds.Top + Bounds.Bottom) / 2.0, Bounds.Width() / 2.0,
                       Bounds.Height() / 2.0, fill, Stroke());
}

// The text is laid out unturned about P and then turned about P.
void TSvgCanvas::PaintText(const TPoint& P, std::string_view Text) {
  const TFont& font = Attributes.Font;
  const TSize extent = TextExtent(Text);
  const int horizontal = Attributes.TextAlign & taCenter;
  const int left = horizontal == taCenter ? P.X - extent.Width / 2 : horizontal == taRight ? P.X - extent.Width : P.X;
  const int top = (Attributes.TextAlign & taBottom) ? P.Y - extent.Height : P.Y;
  const std::string turn =
      font.Angle != 0 ? fmt::format(" transform=\"rotate({} {} {})\"", -font.Angle, P.X, P.Y) : std::string();
  FBody += fmt::format("<g{}>", turn);
  if (Attributes.TextOpaque)
    FBody += fmt::format("<rect x=\"{}\" y=\"{}\" width=\"{}\" height=\"{}\" fill=\"#FFFFFF\"/>", left, top,
                         extent.Width, extent.Height);
  // The baseline lies a fifth of the height above the bottom of the text box.
  FBody += fmt::format(
      "<text x=\"{}\" y=\"{}\" font-family=\"sans-serif\" font-size=\"{}\"{} fill=\"{}\" "
      "textLength=\"{}\" lengthAdjust=\"spacingAndGlyphs\">{}</text></g>\n",
      left, top + extent.Height - extent.Height / 5, extent.Height, font.Bold ? " font-weight=\"bold\"" : "",
      Hex(Attributes.Pen.Color), extent.Width, Escaped(Text));
}

std::string TSvgCanvas::Text() const {
  return fmt::format(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"{0}\" height=\"{1}\" viewBox=\"0 0 {0} {1}\">\n"
      "<defs>\n{2}</defs>\n<rect width=\"{0}\" height=\"{1}\" fill=\"#FFFFFF\"/>\n{3}</svg>\n",
      FWidth, FHeight, FDefs, FBody);
}

void TSvgCanvas::SaveToFile(const std::string& FileName) const {
  const std::string text = Text();
  WriteFileAtomically(FileName, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

void SavePictureSvg(Tgx25Construction& Construction, const std::string& FileName, int Width, int Height,
                    const Tgx25DrawStyles& Styles, float Zoom) {
  TSvgCanvas canvas(Width, Height);
  DrawPicture(Construction, canvas, Width, Height, Styles, Zoom);
  canvas.SaveToFile(FileName);
}

}  // namespace kv
