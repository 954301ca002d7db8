#include "calc/construction_calc.h"

#include "calc/addon_currency.h"
#include "calc/gather_seams.h"
#include "calc/gathering.h"
#include "calc/lam_cost.h"
#include "catalogue/catalogue.h"
#include "catalogue/material_lookups.h"
#include "catalogue/window_type_lookups.h"
#include "construction/setup_values.h"
#include "shell/gx_setup.h"

namespace kv {

void AutoChangeMaterial(TMatList& List) {
  const TAutoChngTable& t = Catalogue().AutoChng;
  TMatList changed;
  for (const Tgx25MatListItem& item : List) {
    const TRecord* rule = t.Get().Locate(t.ByFromID, TKey().Add(std::string_view(item.ID)));
    const double from = rule != nullptr ? (*rule)[t.FromNumber].AsFloat() : 0;
    if (from <= 0) {
      AddMatListItem(changed, item);
      continue;
    }
    Tgx25MatListItem substitute = item;
    substitute.ID = (*rule)[t.ToID].AsString();
    substitute.Group = GetGroupByID(substitute.ID);
    substitute.Quantity = item.Quantity / from * (*rule)[t.ToNumber].AsFloat();
    AddMatListItem(changed, substitute);
  }
  List = std::move(changed);
}

void GatherMaterials(Tgx25Construction& Construction, const TPricingContext& Context) {
  Construction.MatList.clear();
  Construction.AccessoryDocList.clear();
  for (TFrame& frame : Frames(Construction)) {
    GatherFrameInfo(frame);
    GatherFrameDopMaterials(frame);
    GatherFrameTechnologies(frame);
    for (const Tgx25MatListItem& item : frame.Materials) AddMatListItem(Construction.MatList, item);
  }
  AutoChangeMaterial(Construction.MatList);
  GatherConstructionAddOns(Construction, Context);
}

bool GatherInfo(Tgx25Construction& Construction, const TConstructionCalcContext& Context) {
  CheckStatic(Construction, Context.Site, false);
  GatherMaterials(Construction, Context.Pricing);
  CalculateMatList(Construction.MatList, Context.Pricing);
  GatherMatCost(Construction);
  GatherAccessoryList(Construction);
  CalculateLam(Construction, Context.Pricing.WorkCurrency);
  Tgx25ConstructionCalculator calculator;
  const bool calculated = calculator.Execute(Context.CalcMethod, Construction, Context.Order);
  ConvertAddOnCosts(Construction, Context.Pricing.WorkCurrency, Context.Order.Currency);
  CalculateServices(Construction);
  return calculated;
}

TConstructionCalcContext StandaloneCalcContext(const Tgx25Construction& Construction) {
  TConstructionCalcContext context;
  context.Pricing.WorkCurrency = UsedSetup().DefaultCurrency;
  context.Pricing.PriceGrpNo = 1;
  context.Pricing.NDSTax = UsedSetup().DefaultNDSTax;
  context.Order.Currency = UsedSetup().DefaultCurrency;
  if (Construction.FrameCount() > 0) context.CalcMethod = GetWinTypeInfo(Construction.GetFrame(0)->TypeWin).CalcMethod;
  return context;
}

TCutMapList GetCutMap(const Tgx25Construction& Construction) {
  TCutMapList pieces;
  for (const TFrame& frame : Frames(Construction))
    pieces.insert(pieces.end(), frame.CutMap.begin(), frame.CutMap.end());
  return pieces;
}

}  // namespace kv
