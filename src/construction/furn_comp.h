#pragma once
// The fittings set of a sash: the chosen system, complect and components, and the list of fittings
// articles with their numbers.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "construction/construction_consts.h"
#include "construction/selectable.h"

namespace kv {

// One line of a sash's fittings list.
struct TFurnItem {
  std::string ID;
  float Length = 0;  // millimetres, 0 for counted articles
  int32_t Number = 0;
  std::string Info;  // the path of the selection
  // Number for counted articles, Number x Length / 1000 (metres) for cut ones.
  double Quantity() const;
};

// Number of component choices of a fittings scheme.
inline constexpr size_t FURN_COMPONENT_COUNT = 8;

class TFurnComp : public TModelObject {
public:
  // With Separate a new line is always added; otherwise a line with the same ID and Length takes
  // the number, or a new line is added.
  TFurnItem& AddItem(const std::string& ID, int32_t Number, const std::string& Info, bool Separate, float Length);
  // Index of the line with the ID and length / with the ID, -1 when none.
  int ItemFind(const std::string& ID, float Length) const;
  int ItemFindNoLength(const std::string& ID) const;

  // The system and complect of the set; the lines of the former complect are dropped.
  void SetValue(const std::string& System, const std::string& Complect);
  // An empty set: no system, complect, choices, properties or lines.
  void ClearValue();
  // The chosen property values keep to the complect: a value the complect does not allow for a
  // property it names gives way to the complect's default, and a property it names with a default
  // that the list lacks gets that default.
  void UpdateProperty();
  // The predefined values replace the chosen ones of the same property where the complect allows
  // them (or does not name the property at all).
  void ApplyPredefinedFrnProperty();
  // The chosen property values (the numbers after "=" of PropList).
  std::vector<int> PropertyValues() const;

  std::string FurnSys;
  std::string ID;
  // The handle, hinge, lock, cylinder, drive, latch and extra-kit choices of the fittings scheme.
  std::vector<std::string> Components = std::vector<std::string>(FURN_COMPONENT_COUNT);
  int32_t Setting = 0;
  bool Flag = false;
  // The handle height the user set, mm above the lower end of the handle side; 0: the height the
  // fittings give.
  int32_t HandleHeight = 0;
  // Values stored with the set and carried unchanged.
  std::array<int32_t, 9> CarriedValues{};
  TStringList PropList;
  TStringList PredefinedPropList;
  std::vector<TFurnItem> Items;
};

}  // namespace kv
