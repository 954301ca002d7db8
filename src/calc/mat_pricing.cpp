#include "calc/mat_pricing.h"

#include <algorithm>

#include "catalogue/catalogue.h"
#include "catalogue/currency_lookups.h"
#include "catalogue/material_lookups.h"
#include "catalogue/price_lookups.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"

namespace kv {

namespace {

// Catalogue groups whose materials may be priced by a size grid.
bool GridPricedGroup(int Group) {
  return (Group >= 300 && Group <= 311) || (Group >= 600 && Group <= 602) || (Group >= 700 && Group <= 702) ||
         (Group >= 800 && Group <= 802);
}

// Material groups priced by their size: glass, sills, drips and insect nets.
bool SizedGroup(int Group) { return Group == 2 || Group == 5 || Group == 6 || Group == 7; }

const TRecord& RequireMaterial(const std::string& ID) {
  const TRecord* row = _FindByID(ID);
  if (row == nullptr) RaiseCatalogueError(Format("В каталоге не найден материал [%s]!", ID));
  return *row;
}

const TRecord* GridRowByArea(int List, double Square) {
  const TPriceGrdTable& t = Catalogue().PriceGrd;
  const TKey key = TKey().Add(int64_t{List});
  const double area = static_cast<double>(GetRoundedFloat(Square, 2));
  const TRecord* row = t.Get().FindFirst(t.ByID, key, [&](const TRecord& r) { return r[t.Size1].AsFloat() >= area; });
  return row != nullptr ? row : t.Get().LocateLast(t.ByID, key);
}

const TRecord* GridRowBySize(int List, double Width, double Height, bool Symmetric) {
  const TPriceGrdTable& t = Catalogue().PriceGrd;
  const double w = GetRounded(Width);
  const double h = GetRounded(Height);
  return t.Get().FindFirst(t.ByID, TKey().Add(int64_t{List}), [&](const TRecord& r) {
    const double s1 = r[t.Size1].AsFloat();
    const double s2 = r[t.Size2].AsFloat();
    return (s1 >= w && s2 >= h) || (Symmetric && s1 >= h && s2 >= w);
  });
}

TCatalogPrice PriceFromList(const std::string& ID, int List, double Width, double Height) {
  const TPriceLstTable& lists = Catalogue().PriceLst;
  const TRecord* list = lists.Get().Locate(lists.ByID, TKey().Add(int64_t{List}));
  if (list == nullptr)
    RaiseCatalogueError(
        Format("В справочнике не найден прайс-лист № %d,\r\nкоторый указан для материала [%s]!", List, ID));
  const double square = static_cast<double>(GetRoundedFloat(Width * Height / 1000000, 4));
  const TRecord* row = nullptr;
  if ((*list)[lists.Param].AsInteger() == 0) {
    row = GridRowByArea(List, square);
    if (row == nullptr)
      RaiseCatalogueError(
          Format("В прайс-листе № %d отсутствует цена для\r\nматериала [%s] c площадью [%.2f]", List, ID, square));
  } else {
    row = GridRowBySize(List, Width, Height, (*list)[lists.Symmetric].AsInteger() != 0);
    if (row == nullptr)
      RaiseCatalogueError(Format("В прайс-листе № %d отсутствует цена для\r\nматериала [%s] c размерами [%.0f x %.0f]",
                                 List, ID, Width, Height));
  }
  return {(*row)[Catalogue().PriceGrd.Price].AsCurrency(), static_cast<int>((*list)[lists.Currency].AsInteger()),
          (*list)[lists.MinPrice].AsCurrency(), (*list)[lists.PricePerOne].AsInteger() != 0};
}

// The catalogue coefficient of the item's form; a stored 0 counts as 1.
double FormCoef(const TRecord& Material, const Tgx25MatListItem& Item) {
  const TCatalogTable& t = Catalogue().Catalog;
  int column = -1;
  if (Item.NotStd != 0 && Item.Arc != 0)
    column = t.CombinePriceCoef;
  else if (Item.Arc != 0)
    column = t.ArcPriceCoef;
  else if (Item.NotStd != 0)
    column = t.NotStdPriceCoef;
  const double coef = column >= 0 ? Material[column].AsFloat() : 1;
  return coef == 0 ? 1 : coef;
}

TCurrency& SummaryCell(Tgx25Construction& Construction, int Group, TCostKind Kind) {
  return Construction.CostSummary[static_cast<size_t>(Group * ckKindCount + Kind)];
}

TCurrency RoundedMoney(TCurrency Value) {
  RoundCurrDec(Value, 2);
  return Value;
}

}  // namespace

TCatalogPrice GetPriceFromCat(const std::string& ID, double Width, double Height) {
  const TCatalogTable& t = Catalogue().Catalog;
  const TRecord& material = RequireMaterial(ID);
  if (material[t.PriceMethod].AsInteger() == 0 || !GridPricedGroup(static_cast<int>(material[t.Group].AsInteger())))
    return {material[t.Price].AsCurrency(), static_cast<int>(material[t.Currency].AsInteger()), {}, false};
  return PriceFromList(ID, static_cast<int>(material[t.PriceList].AsInteger()), Width, Height);
}

namespace {

// The list price of the item in the working currency: the catalogue or grid price (by the item's
// area for sized groups), raised to the list's minimal price, times the form coefficient.
TCurrency ListPrice(const TRecord& Material, const Tgx25MatListItem& Item, int WorkCurrency) {
  const bool sized = SizedGroup(Item.Group);
  TCatalogPrice base = sized ? GetPriceFromCat(Item.ID, Item.Width, Item.Height) : GetPriceFromCat(Item.ID, 0, 0);
  TCurrency price = base.Price;
  double coef = 1;
  if (sized) {
    if (!base.PricePerOne) price = price * Item.GetSquare();
    coef = FormCoef(Material, Item);
  }
  const TCurrencyList& currencies = Catalogue().Settings.CurrencyList;
  const TCurrency converted = GetConvertedCurrency(currencies, base.PriceCurrency, WorkCurrency, price);
  const TCurrency minimal = GetConvertedCurrency(currencies, base.PriceCurrency, WorkCurrency, base.MinPrice);
  return std::max(converted, minimal) * coef;
}

}  // namespace

void CalculateMatListItem(Tgx25MatListItem& Item, const TPricingContext& Context) {
  const TCatalogTable& t = Catalogue().Catalog;
  const TRecord& material = RequireMaterial(Item.ID);
  // A material made from its documentation or priced by the calculation method has no price of its
  // own: its components are items of the list and carry the cost.
  const bool by_components = material[t.CalcPrinciple].AsInteger() != 0;
  Item.OrgPrice = by_components ? TCurrency() : ListPrice(material, Item, Context.WorkCurrency);
  const int price_group = static_cast<int>(material[t.PriceGrp].AsInteger());
  Item.ReduceTax = price_group == 0 ? 0 : GetReduceTax(price_group, Context.PriceGrpNo);
  Item.CustomTax =
      material[t.GetCustom].AsInteger() == 1 ? GetCustomTax(static_cast<int>(material[t.CustomGrp].AsInteger())) : 0;
  Item.NDSTax = material[t.GetNDS].AsInteger() == 1 ? Context.NDSTax : 0;
  Item.CalcCosts();
}

void CalculateMatList(TMatList& List, const TPricingContext& Context) {
  for (Tgx25MatListItem& item : List) {
    if (Context.RoundMode == 1)
      item.Quantity = static_cast<double>(GetRoundedToPack(GetMinTradeByID(item.ID), item.Quantity));
    CalculateMatListItem(item, Context);
  }
}

void RefreshMatListCost(TMatList& List) {
  for (Tgx25MatListItem& item : List) item.CalcCosts();
}

void GatherMatCost(Tgx25Construction& Construction) {
  Construction.CostSummary.fill({});
  for (const Tgx25MatListItem& item : Construction.MatList) {
    if (item.Group < 0 || item.Group >= kMaterialGroupCount) continue;
    SummaryCell(Construction, item.Group, ckCost) += RoundedMoney(item.Cost);
    SummaryCell(Construction, item.Group, ckCustomCost) += RoundedMoney(item.CustomCost);
    SummaryCell(Construction, item.Group, ckNDSCost) += RoundedMoney(item.NDSCost);
    SummaryCell(Construction, item.Group, ckTotal) += item.GetTotal();
  }
}

TCurrency GetGroupCost(const Tgx25Construction& Construction, int Group, TCostKind Kind) {
  return Construction.CostSummary[static_cast<size_t>(Group * ckKindCount + Kind)];
}

void AddGroupCost(Tgx25Construction& Construction, int Group, TCurrency Cost) {
  SummaryCell(Construction, Group, ckCost) += Cost;
  SummaryCell(Construction, Group, ckTotal) += Cost;
}

TCurrency GetGroupLam(const Tgx25Construction& Construction, int Group) {
  TCurrency items;
  for (const Tgx25MatListItem& item : Construction.MatList)
    if (item.Group == Group) items += RoundedMoney(item.Cost);
  return GetGroupCost(Construction, Group, ckCost) - items;
}

}  // namespace kv
