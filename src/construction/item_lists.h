#pragma once
// Lists of calculated and add-on items that model objects and orders own: material lists, cut
// maps, component lists of glass and accessories, add-on materials, accessories, services and
// estimate lines. Items are plain records held by value; the list owns them.
#include <vector>

#include "construction/mat_items.h"

namespace kv {

using TCustMatList = std::vector<Tgx25CustMatItem>;
using TDopProfList = std::vector<Tgx25DopProfItem>;
using TMontageMatList = std::vector<Tgx25MontageMaterial>;
// Sills and drips.
using TSillList = std::vector<Tgx25CustomSill>;
// Insect nets, roller shutters and blinds.
using TNetList = std::vector<Tgx25CustomNet>;
using TAccessoryList = std::vector<Tgx25Accessory>;
using TServiceList = std::vector<Tgx25ServiceItem>;
using TEstimateList = std::vector<Tgx25EstimateItem>;

}  // namespace kv
