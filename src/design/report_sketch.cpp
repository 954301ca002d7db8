#include "design/report_sketch.h"

#include <array>

#include "design/draw_construction.h"

namespace kv {

namespace {

constexpr std::array<std::string_view, 5> kDrawingObjects{"droConstruction", "droFrame", "droFlugel", "droModificator",
                                                          "droGlass"};

// Styles past drsIDBrushClear are no properties of the sketch.
std::optional<Tgx25DrawStyle> StyleProperty(std::string_view Name) {
  const std::optional<Tgx25DrawStyle> style = DrawStyleByName(Name);
  if (!style || *style > drsIDBrushClear) return std::nullopt;
  return style;
}

}  // namespace

bool Tgx25FRDrawView::SetStyleProperty(std::string_view Name, bool Value) {
  const std::optional<Tgx25DrawStyle> style = StyleProperty(Name);
  if (!style) return false;
  Value ? Styles.Include(*style) : Styles.Exclude(*style);
  return true;
}

bool Tgx25FRDrawView::GetStyleProperty(std::string_view Name) const {
  const std::optional<Tgx25DrawStyle> style = StyleProperty(Name);
  return style && Styles.Contains(*style);
}

bool Tgx25FRDrawView::SetDrawingObject(std::string_view Value) {
  for (size_t i = 0; i < kDrawingObjects.size(); ++i)
    if (kDrawingObjects[i] == Value) {
      DrawingObject = static_cast<TDrawingObject>(i);
      return true;
    }
  return false;
}

std::string Tgx25FRDrawView::DesignCaption() const {
  switch (DrawingObject) {
    case droConstruction: return "ЭСКИЗ КОНСТРУКЦИИ";
    case droFrame: return "ЭСКИЗ РАМЫ";
    case droFlugel: return "ЭСКИЗ СТВОРКИ";
    case droModificator: return "ЭСКИЗ МОДИФИКАТОРА";
    case droGlass: return "ЭСКИЗ СТЕКЛОПАКЕТА";
    default: return "ЭСКИЗ";
  }
}

void Tgx25FRDrawView::DrawDesignCaption(TCanvas& Canvas, const TPixelRect& Bounds) const {
  Canvas.SaveCanvasAttribute();
  Canvas.Pen().Color = clRed;
  Canvas.Attributes.TextOpaque = false;
  Canvas.Attributes.TextAlign = taCenter | taTop;
  const std::string caption = DesignCaption();
  Canvas.TextOut(
      {(Bounds.Left + Bounds.Right) / 2, (Bounds.Top + Bounds.Bottom - Canvas.TextExtent(caption).Height) / 2},
      caption);
  Canvas.RestoreCanvasAttribute();
}

void Tgx25FRDrawView::Print(TModelObject& Object, TCanvas& Canvas, const TPixelRect& Bounds) const {
  TDrawPlacement placement;
  TDrawView view;
  const TPenWidths pens = PrintPenWidth();
  if (auto* construction = dynamic_cast<Tgx25Construction*>(&Object))
    DrawConstruction(*construction, Canvas, Bounds, pens, Styles, false, 1, placement, view);
  else if (auto* element = dynamic_cast<TCustomFrame*>(&Object))
    DrawConstruction(*element, Canvas, Bounds, pens, Styles, false, 1, placement, view);
  else if (auto* glass = dynamic_cast<Tgx25Glass*>(&Object))
    DrawConstruction(*glass, Canvas, Bounds, pens, Styles, false, 1, placement, view);
}

}  // namespace kv
