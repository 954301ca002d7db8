#include "construction/furn_comp.h"

#include <algorithm>

namespace kv {

double TFurnItem::Quantity() const { return Length == 0 ? Number : Number * static_cast<double>(Length) / 1000; }

TFurnItem& TFurnComp::AddItem(const std::string& ID, int32_t Number, const std::string& Info, bool Separate,
                              float Length) {
  if (!Separate) {
    const auto same = std::find_if(Items.begin(), Items.end(),
                                   [&](const TFurnItem& item) { return item.ID == ID && item.Length == Length; });
    if (same != Items.end()) {
      same->Number += Number;
      return *same;
    }
  }
  Items.push_back({ID, Length, Number, Info});
  return Items.back();
}

}  // namespace kv
