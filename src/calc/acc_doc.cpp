#include "calc/acc_doc.h"

#include <cmath>

#include "catalogue/catalogue.h"
#include "catalogue/material_lookups.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"

namespace kv {

namespace {

enum TPrinciple {
  prPerItem = 0,
  prWidth = 1,
  prHeight = 2,
  prSquare = 3,
  prPerimeter = 4,
  prFrameLine = 7,
  prCorner = 8,
  prSized = 9
};

// One evaluated result of a row before it joins the list.
struct TComponent {
  double Length = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  double Quantity = 0;
  bool Piece = false;
};

double MeasuredValue(int Param, const TAccDocMeasures& M) {
  switch (Param) {
    case 1: return M.Width;
    case 2: return M.Height;
    case 3: return M.Square;
    case 4: return M.Perimeter;
    default: return 0;
  }
}

bool RowApplies(const TRecord& Row, const TAccDocMeasures& M) {
  const TAccDocTable& t = Catalogue().AccDoc;
  const int signs[] = {t.Sign_1, t.Sign_2, t.Sign_3};
  const int firsts[] = {t.Param_11, t.Param_21, t.Param_31};
  const int seconds[] = {t.Param_12, t.Param_22, t.Param_32};
  const int consts[] = {t.Const_1, t.Const_2, t.Const_3};
  bool c[3];
  for (int k = 0; k < 3; ++k)
    c[k] = CheckCondition(static_cast<int>(Row[signs[k]].AsInteger()),
                          MeasuredValue(static_cast<int>(Row[seconds[k]].AsInteger()), M) + Row[consts[k]].AsFloat(),
                          MeasuredValue(static_cast<int>(Row[firsts[k]].AsInteger()), M));
  const bool first = Row[t.Logic_1].AsInteger() == 0 ? (c[0] && c[1]) : (c[0] || c[1]);
  return Row[t.Logic_2].AsInteger() == 0 ? (first && c[2]) : (first || c[2]);
}

// How often the row's quantity repeats: the measured value divided by the step, whole steps.
double RepeatCount(const TRecord& Row, const TAccDocMeasures& M) {
  const TAccDocTable& t = Catalogue().AccDoc;
  const int cond = static_cast<int>(Row[t.StepCond].AsInteger());
  if (cond < 1 || cond > 4) return 1;
  const double step = Row[t.Step].AsInteger() == 0 ? 1 : static_cast<double>(Row[t.Step].AsInteger());
  return std::trunc(MeasuredValue(cond, M) / step);
}

std::vector<TComponent> Evaluate(const TRecord& Row, const TAccDocMeasures& M) {
  const TAccDocTable& t = Catalogue().AccDoc;
  const int principle = static_cast<int>(Row[t.Principle].AsInteger());
  const double constant = Row[t.Const].AsFloat();
  const double number = Row[t.Number].AsFloat();
  const bool piece = Row[t.CutMap].AsInteger() == 1;
  if (principle == prSized)
    return {{0, static_cast<int32_t>(Row[t.Const_W].AsInteger() + GetRounded(M.Width)),
             static_cast<int32_t>(Row[t.Const_H].AsInteger() + GetRounded(M.Height)), number, false}};
  if (principle == prFrameLine) {
    std::vector<TComponent> lines;
    for (double line : M.FrameLines)
      lines.push_back(piece ? TComponent{constant + line, 0, 0, number, true}
                            : TComponent{0, 0, 0, number * (constant + line) / 1000, false});
    return lines;
  }
  if (piece) {
    switch (principle) {
      case prPerItem: return {{constant, 0, 0, number, true}};
      case prWidth: return {{constant + M.Width, 0, 0, number, true}};
      case prHeight: return {{constant + M.Height, 0, 0, number, true}};
      default: return {};
    }
  }
  double base = 0;
  switch (principle) {
    case prPerItem: base = constant + 1; break;
    case prWidth: base = (constant + M.Width) / 1000; break;
    case prHeight: base = (constant + M.Height) / 1000; break;
    case prSquare: base = constant + M.Square; break;
    case prPerimeter: base = constant + M.Perimeter; break;
    case prCorner: base = constant + M.Corners; break;
    default: break;
  }
  const double expense = Row[t.Expense].AsFloat() == 0 ? 1 : Row[t.Expense].AsFloat();
  return {{0, 0, 0, number * (base / expense * RepeatCount(Row, M)), false}};
}

void AddComponent(const TRecord& Row, const TComponent& C, TCustMatList& List) {
  if (C.Quantity <= 0) return;
  const TAccDocTable& t = Catalogue().AccDoc;
  const std::string id = Row[t.MatID].AsString();
  const double angle = C.Piece ? 90 : 0;
  for (Tgx25CustMatItem& item : List) {
    if (item.MatID == id && item.Width == C.Width && item.Height == C.Height && item.Length == C.Length &&
        item.Angle1 == angle && item.Angle2 == angle) {
      item.Quantity += C.Quantity;
      return;
    }
  }
  Tgx25CustMatItem item;
  item.MatID = id;
  item.DetailNo = Row[t.DetailNo].AsString();
  item.MatGroup = static_cast<int32_t>(Row[t.MatGroup].AsInteger());
  item.Printable = Row[t.Printable].AsInteger() == 1;
  item.Width = C.Width;
  item.Height = C.Height;
  item.Length = C.Length;
  item.Angle1 = angle;
  item.Angle2 = angle;
  item.Quantity = C.Quantity;
  item.Kind =
      C.Piece ? Tgx25CustMatItem::ckPiece : (C.Width != 0 ? Tgx25CustMatItem::ckSized : Tgx25CustMatItem::ckCounted);
  List.push_back(item);
}

// The rows in use that name a component of the material.
std::vector<const TRecord*> ComponentRows(const std::string& MaterialID) {
  const TAccDocTable& t = Catalogue().AccDoc;
  std::vector<const TRecord*> rows;
  for (uint32_t position : t.Get().Range(t.ByID, TKey().Add(std::string_view(MaterialID)))) {
    const TRecord& row = t.Get().Row(position);
    if (!row[t.MatID].AsString().empty() && row[t.Use].AsInteger() == 1) rows.push_back(&row);
  }
  return rows;
}

// True when the material is gathered from its documentation; raises the message when it must be
// and has no rows.
bool NeedsDocumentation(const std::string& MaterialID, const char* Missing) {
  int principle = 0;
  if (!NeedToGatherAccList(MaterialID, principle)) return false;
  if (principle == 2 && ComponentRows(MaterialID).empty()) RaiseCatalogueError(Format(Missing, MaterialID));
  return true;
}

}  // namespace

bool CheckCondition(int Sign, double Second, double First) {
  switch (Sign) {
    case 1: return First == Second;
    case 2: return First < Second;
    case 3: return First > Second;
    case 4: return First <= Second;
    case 5: return First >= Second;
    case 6: return First != Second;
    default: return true;
  }
}

TAccDocMeasures GlassMeasures(const Tgx25Glass& Glass) {
  const TSizeF size = Glass.GetRealSize();
  TAccDocMeasures m;
  m.Width = GetRounded(size.Width);
  m.Height = GetRounded(size.Height);
  m.Square = static_cast<double>(Glass.Square());
  m.Perimeter = static_cast<double>(Glass.Perimeter()) * 1000;
  for (const auto& line : Glass.GlassSizes.Lines) m.FrameLines.push_back(GetRoundedFloat(line->GetRealSize(), 1));
  m.Corners = static_cast<int>(Glass.GlassSizes.Points.size());
  return m;
}

TAccDocMeasures AccessoryMeasures(const Tgx25CustomNet& Accessory) {
  TAccDocMeasures m;
  m.Width = Accessory.Int2;
  m.Height = Accessory.Int3;
  m.Square = GetRoundedFloat(m.Width * m.Height / 1000000, 4);
  m.Perimeter = 2 * (m.Width + m.Height);
  return m;
}

void BuildMatList(const std::string& MaterialID, const TAccDocMeasures& Measures, TCustMatList& List) {
  for (const TRecord* row : ComponentRows(MaterialID)) {
    if (!RowApplies(*row, Measures)) continue;
    for (const TComponent& component : Evaluate(*row, Measures)) AddComponent(*row, component, List);
  }
}

void PrepareGlassMat(Tgx25Glass& Glass) {
  Glass.MatList.clear();
  if (NeedsDocumentation(Glass.Glass, "В документации стеклопакетов нет данных для [%s]"))
    BuildMatList(Glass.Glass, GlassMeasures(Glass), Glass.MatList);
}

void PrepareAccessoryMat(Tgx25CustomNet& Accessory) {
  Accessory.Materials.clear();
  if (NeedsDocumentation(Accessory.Text1, "В документации аксессуаров нет данных для материала [%s]!"))
    BuildMatList(Accessory.Text1, AccessoryMeasures(Accessory), Accessory.Materials);
}

}  // namespace kv
