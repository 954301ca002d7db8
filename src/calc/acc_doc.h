#pragma once
// The accessory documentation of composite materials: a glass unit is made of panes, spacer
// frames, corner pieces, sealant and desiccant; a custom accessory of its profile, caps and
// fixings. The rows of AccDoc for the material, with their size conditions and quantity
// principles, become the component items of the glass or accessory.
#include <string>

#include "construction/glass.h"
#include "construction/item_lists.h"

namespace kv {

// What the rows measure on one item: millimetres, square metres, and the spacer frame of a
// glass (the length of every side, millimetres; empty for an accessory).
struct TAccDocMeasures {
  double Width = 0;
  double Height = 0;
  double Square = 0;
  double Perimeter = 0;
  std::vector<double> FrameLines;
  int Corners = 0;
};

// Comparison Sign (0 always, 1 =, 2 <, 3 >, 4 <=, 5 >=, 6 <>) applied as First ? Second.
bool CheckCondition(int Sign, double Second, double First);

TAccDocMeasures GlassMeasures(const Tgx25Glass& Glass);
TAccDocMeasures AccessoryMeasures(const Tgx25CustomNet& Accessory);

// Evaluates the documentation rows of the material into component items appended to List (the
// quantities of equal components are added up).
void BuildMatList(const std::string& MaterialID, const TAccDocMeasures& Measures, TCustMatList& List);
// The components of the glass into its MatList, when its material is priced by documentation or
// by the calculation method; "В документации стеклопакетов нет данных для [%s]" when a material of
// the calculation method has no rows.
void PrepareGlassMat(Tgx25Glass& Glass);
// The same for a custom accessory: "В документации аксессуаров нет данных для материала [%s]!".
void PrepareAccessoryMat(Tgx25CustomNet& Accessory);

}  // namespace kv
