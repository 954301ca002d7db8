#include "calc_output.h"

#include "calc/construction_calc.h"
#include "calc/gathering.h"
#include "catalogue/material_lookups.h"
#include "shell/format_settings.h"
#include "shell/utilities.h"

namespace kv::cli {

namespace {

using TJson = nlohmann::ordered_json;

double Money(TCurrency Value) { return static_cast<double>(Value.ToExtended()); }

// Description lines on one line, separated by blanks.
std::string DescriptionLine(const std::string& Info) {
  std::string line = Info;
  for (size_t at = line.find("\r\n"); at != std::string::npos; at = line.find("\r\n", at)) line.replace(at, 2, " ");
  return line;
}

// The rule set an accessory comes from, after the other columns.
std::string Origin(const std::string& Text) { return Text.empty() ? "" : "  [" + Text + "]"; }

}  // namespace

TJson CalculationJson(const Tgx25Construction& Construction) {
  TJson cut_list = TJson::array();
  for (const Tgx25CutMapItem& piece : GetCutMap(Construction))
    cut_list.push_back({{"article", piece.ID},
                        {"color", piece.ColorAttr1},
                        {"length", piece.Length},
                        {"angle1", piece.Angle1},
                        {"angle2", piece.Angle2},
                        {"count", CutMapCount(piece)},
                        {"description", piece.Info},
                        {"origin", piece.Text3}});
  TJson materials = TJson::array();
  for (const Tgx25MatListItem& item : Construction.MatList)
    materials.push_back({{"id", item.ID},
                         {"article", GetArticleByID(item.ID)},
                         {"group", item.Group},
                         {"quantity", item.Quantity},
                         {"unit", GetUnitByID(item.ID)},
                         {"price", Money(item.Price)},
                         {"cost", Money(item.Cost)},
                         {"custom_cost", Money(item.CustomCost)},
                         {"nds_cost", Money(item.NDSCost)},
                         {"origin", item.Text1}});
  TJson estimate = TJson::array();
  for (const Tgx25EstimateItem& line : Construction.EstimateList)
    estimate.push_back({{"name", line.Name}, {"cost", Money(line.Cost)}});
  return {{"cut_list", cut_list},
          {"materials", materials},
          {"estimate", estimate},
          {"cost", Money(GetEstimateTotal(Construction))}};
}

void PrintCalculation(const Tgx25Construction& Construction, std::ostream& Out) {
  Out << "Раскрой (длина, мм; углы реза; количество):\n";
  for (const Tgx25CutMapItem& piece : GetCutMap(Construction))
    Out << Format("  %-10s %-6s %8.1f  %5.1f° %5.1f°  %2d шт.  %s%s\n", piece.ID, piece.ColorAttr1, piece.Length,
                  piece.Angle1, piece.Angle2, CutMapCount(piece), DescriptionLine(piece.Info), Origin(piece.Text3));
  Out << "Материалы (код, артикул, наименование, группа, количество, цена, стоимость, пошлина, НДС, правило):\n";
  for (const Tgx25MatListItem& item : Construction.MatList)
    Out << Format("  %-14s %-12s %-40s %2d %10.3f %-3s %10s %10s %8s %8s%s\n", item.ID, GetArticleByID(item.ID),
                  GetNameByID(item.ID), item.Group, item.Quantity, GetUnitByID(item.ID), CurrToStr(item.Price, 2),
                  CurrToStr(item.Cost, 2), CurrToStr(item.CustomCost, 2), CurrToStr(item.NDSCost, 2),
                  Origin(item.Text1));
  Out << "Смета:\n";
  for (const Tgx25EstimateItem& line : Construction.EstimateList)
    Out << Format("  %-50s %12s\n", line.Name, CurrToStr(line.Cost, 2));
  Out << Format("  %-50s %12s\n", "Итого", CurrToStr(GetEstimateTotal(Construction), 2));
}

}  // namespace kv::cli
