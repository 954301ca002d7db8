#pragma once
// Pricing of a material list from the catalogue: the catalogue price or the price of a size-grid
// price list, the form coefficients of arched and non-standard items, the minimal price, the
// conversion into the working currency, the price group, customs duty and VAT; and the cost
// accumulators of a construction summed per material group.
#include <array>
#include <string>

#include "construction/construction.h"
#include "construction/item_lists.h"
#include "shell/money.h"

namespace kv {

// A base price as the catalogue or a price list gives it.
struct TCatalogPrice {
  TCurrency Price;
  int PriceCurrency = -1;
  TCurrency MinPrice;
  bool PricePerOne = false;
};

// What the pricing takes from the order: the working currency, the price group number and the
// VAT rate; RoundMode 1 rounds quantities up to the material's minimal trade quantity.
struct TPricingContext {
  int WorkCurrency = 0;
  int PriceGrpNo = 0;
  double NDSTax = 0;
  int RoundMode = 0;
};

// The price of the material for an item of Width x Height millimetres. "В каталоге не найден
// материал [%s]!", and the price list messages for a missing list or grid row.
TCatalogPrice GetPriceFromCat(const std::string& ID, double Width, double Height);
// Prices the item: list price, price group, cost, customs duty and VAT.
void CalculateMatListItem(Tgx25MatListItem& Item, const TPricingContext& Context);
void CalculateMatList(TMatList& List, const TPricingContext& Context);
// Cost, customs duty and VAT again from the stored prices and rates, without the catalogue.
void RefreshMatListCost(TMatList& List);

// The money values of one material group and where they sit in the construction's cost summary.
enum TCostKind { ckCost, ckCustomCost, ckNDSCost, ckTotal, ckKindCount };
inline constexpr int kMaterialGroupCount = 21;
static_assert(kMaterialGroupCount * ckKindCount == COST_SUMMARY_SIZE);

// Sums the material list of the construction per group into its cost summary.
void GatherMatCost(Tgx25Construction& Construction);
TCurrency GetGroupCost(const Tgx25Construction& Construction, int Group, TCostKind Kind);
// Adds a cost that no item carries (the laminating film) to the cost and total of a group.
void AddGroupCost(Tgx25Construction& Construction, int Group, TCurrency Cost);
// What AddGroupCost added to a group: its cost beyond the items of the material list.
TCurrency GetGroupLam(const Tgx25Construction& Construction, int Group);

}  // namespace kv
