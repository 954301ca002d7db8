#pragma once
// Pricing of add-on items, attached to a construction or to a whole order: extra profiles, sills,
// drips, insect nets, roller shutters, blinds and loose materials. One piece of an item is a small
// material list (the item's own material in its size and the components of its documentation),
// priced through the material-list pricing; the piece price is written back into the item, and
// the materials of all its pieces join the owner's material list.
#include <functional>
#include <string>

#include "calc/mat_pricing.h"
#include "construction/item_lists.h"

namespace kv {

// The add-on lists of one owner.
struct TAddOnLists {
  TDopProfList& DopProfs;
  TSillList& Sills;
  TSillList& Sinks;
  TNetList& Mosquitos;
  TNetList& Rollets;
  TNetList& Jalousies;
  // Mounting materials of a construction, extra materials of an order.
  TMontageMatList& Materials;
  int MaterialGroup;
};

using TAddOnStep = std::function<void(const std::string& Text)>;

// Prices every item of the lists and adds the materials of its pieces to Into (quantities only:
// Into is priced by the caller), telling each list by its progress text ("Расчет подоконников...").
// Catalogue errors are raised to the caller.
void PriceAddOns(const TAddOnLists& Lists, const TPricingContext& Context, TMatList& Into, const TAddOnStep& Step = {});

}  // namespace kv
