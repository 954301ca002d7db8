#include "construction/furn_comp.h"

#include <algorithm>

#include "catalogue/furn_lookups.h"

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

int TFurnComp::ItemFind(const std::string& ID, float Length) const {
  for (size_t i = 0; i < Items.size(); ++i)
    if (Items[i].ID == ID && Items[i].Length == Length) return static_cast<int>(i);
  return -1;
}

int TFurnComp::ItemFindNoLength(const std::string& ID) const {
  for (size_t i = 0; i < Items.size(); ++i)
    if (Items[i].ID == ID) return static_cast<int>(i);
  return -1;
}

void TFurnComp::SetValue(const std::string& System, const std::string& Complect) {
  FurnSys = System;
  ID = Complect;
  Items.clear();
}

void TFurnComp::ClearValue() {
  SetValue("", "");
  Components.assign(FURN_COMPONENT_COUNT, "");
  PropList.clear();
  PredefinedPropList.clear();
}

namespace {

// Replaces the value of the same property in the list, or appends it.
void PutProperty(TStringList& List, int Value) {
  for (std::string& line : List) {
    if (PropertyValue(line) / 10 == Value / 10) {
      line = PropertyLine(Value);
      return;
    }
  }
  List.push_back(PropertyLine(Value));
}

}  // namespace

void TFurnComp::UpdateProperty() {
  TStringList kept;
  for (int value : PropertyValues())
    if (!FrnPropertyNamed(ID, value / 10) || FrnPropertyAllowed(ID, value)) kept.push_back(PropertyLine(value));
  for (const std::string& line : GetDefaultComplectProperty(ID)) {
    const int value = PropertyValue(line);
    const bool present = std::any_of(kept.begin(), kept.end(),
                                     [value](const std::string& own) { return PropertyValue(own) / 10 == value / 10; });
    if (!present) kept.push_back(line);
  }
  PropList = kept;
}

void TFurnComp::ApplyPredefinedFrnProperty() {
  for (const std::string& line : PredefinedPropList) {
    const int value = PropertyValue(line);
    if (value != 0 && (!FrnPropertyNamed(ID, value / 10) || FrnPropertyAllowed(ID, value)))
      PutProperty(PropList, value);
  }
}

std::vector<int> TFurnComp::PropertyValues() const {
  std::vector<int> values;
  for (const std::string& line : PropList)
    if (const int value = PropertyValue(line); value != 0) values.push_back(value);
  return values;
}

}  // namespace kv
