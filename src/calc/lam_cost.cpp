#include "calc/lam_cost.h"

#include "calc/mat_pricing.h"
#include "catalogue/catalogue.h"
#include "catalogue/currency_lookups.h"
#include "catalogue/material_lookups.h"
#include "catalogue/price_lookups.h"
#include "shell/rounding.h"

namespace kv {

namespace {

bool ProfileGroup(int Group) { return Group == 0 || Group == 1; }

// The film of one profile item, in the catalogue's working currency.
TCurrency ItemLamCost(const Tgx25Construction& C, const Tgx25MatListItem& Item) {
  const bool outer = !C.OuterColor.empty();
  const bool inner = !C.InnerColor.empty();
  const double metres = Item.Quantity;
  const TLamSide side = outer && inner ? TLamSide::lsBoth : outer ? TLamSide::lsOuter : TLamSide::lsInner;
  const TLamQuantity laminated{outer ? metres : 0, inner ? metres : 0, metres};
  const TCurrency cost = GetLamPriceCost(C.ColorPriceList, GetArticleByID(Item.ID), metres, side, laminated);
  return cost * GetColorPriceCoef(outer ? C.OuterColor : C.InnerColor, C.ColorPriceList);
}

}  // namespace

TCurrency CalculateLam(Tgx25Construction& Construction, int WorkCurrency) {
  if (Construction.ColorVariant != kColorVariantLamPriceList || Construction.ColorPriceList == 0 ||
      (Construction.OuterColor.empty() && Construction.InnerColor.empty()))
    return {};
  const TCatalogueSettings& settings = Catalogue().Settings;
  TCurrency total;
  for (const Tgx25MatListItem& item : Construction.MatList) {
    if (!ProfileGroup(item.Group) || !LamPriceExists(Construction.ColorPriceList, GetArticleByID(item.ID))) continue;
    TCurrency cost = GetConvertedCurrency(settings.CurrencyList, settings.WorkCurrency, WorkCurrency,
                                          ItemLamCost(Construction, item));
    RoundCurrDec(cost, 2);
    AddGroupCost(Construction, item.Group, cost);
    total += cost;
  }
  return total;
}

}  // namespace kv
