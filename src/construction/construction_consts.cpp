#include "construction/construction_consts.h"

#include <array>

namespace kv {

std::string AngleTypeShortName(TAngleType Type) {
  static const std::array<const char*, 10> names = {"X45", "X1to2", "X2to1", "X1to2X", "X2to1X",
                                                    "T",   "X",     "TX",    "V",      "?"};
  return Type >= 0 && static_cast<size_t>(Type) < names.size() ? names[static_cast<size_t>(Type)] : "?";
}

std::string ObjTypeCaption(TObjType Type) {
  switch (Type) {
    case otxWindow: return "Окно";
    case otxDoor: return "Дверь с порогом";
    case otxFasad: return "Фасад";
  }
  return "";
}

TObjType ObjTypeOfWinType(int32_t WinType) {
  return WinType == otxDoor || WinType == otxFasad ? static_cast<TObjType>(WinType) : otxWindow;
}

}  // namespace kv
