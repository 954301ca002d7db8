#pragma once
// The construction sketch of printed documents: its properties as a document template keeps them
// (one boolean a drawing style, by name, and the kind of object it draws), the red caption that
// stands in for it while the template is designed, and the sketch itself when printed.
#include <cstdint>
#include <string>
#include <string_view>

#include "construction/construction.h"
#include "design/canvas.h"
#include "design/draw_styles.h"

namespace kv {

// The values of the property "droDrawingObject".
enum TDrawingObject : uint8_t { droConstruction, droFrame, droFlugel, droModificator, droGlass };

class Tgx25FRDrawView {
public:
  // The boolean properties "drsTotalSizing" to "drsIDBrushClear"; false for any other name.
  bool SetStyleProperty(std::string_view Name, bool Value);
  bool GetStyleProperty(std::string_view Name) const;
  // "droConstruction" ... "droGlass"; false for any other value.
  bool SetDrawingObject(std::string_view Value);

  // "ЭСКИЗ КОНСТРУКЦИИ", "ЭСКИЗ РАМЫ", ... by the kind of object.
  std::string DesignCaption() const;
  // The caption in red, centred in Bounds.
  void DrawDesignCaption(TCanvas& Canvas, const TPixelRect& Bounds) const;
  // A construction, frame, sash, modificator or glass fitted into Bounds with the print pen widths,
  // without regions, at zoom 1; any other object draws nothing.
  void Print(TModelObject& Object, TCanvas& Canvas, const TPixelRect& Bounds) const;

  Tgx25DrawStyles Styles;
  TDrawingObject DrawingObject = droConstruction;
};

}  // namespace kv
