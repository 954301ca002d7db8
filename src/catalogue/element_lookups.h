#pragma once
// Single-table reads: construction elements (ConsList), additional-profile sets (DpList), property
// names (SysProp) and fittings complects (FrnComp).
#include <array>
#include <cstdint>
#include <string>

namespace kv {

// A construction element of ConsList: per side (left, top, right, bottom) the profile, the steel and
// the joint type of the corner where the side starts.
struct TConsElementInfo {
  int32_t ID = 0;
  std::string Name;
  std::array<std::string, 4> Prof;
  std::array<std::string, 4> Steel;
  std::array<int32_t, 4> AngleType{};
};

// "Неизвестно" when the element is absent.
std::string GetConsName(int id);
// 0 when the element is absent.
int GetModificatorGroup(int id);
int GetStulpFlugelGroup(int id);
// "В БД конструктивных элементов не найден элемент [%d]!" when absent.
bool ConstructionInverseColor(int id);
// "В БД конструктивных элементов не найден элемент [%d]!" when absent.
TConsElementInfo GetConsElementInfo(int32_t id);
// "В каталоге дополнительных профилей отсутствуют данные для комплекта [%d]!"; quiet gives
// "Неизвестный комплект".
std::string GetDpListNameByID(int id, bool quiet = false);
// "" when the value is absent.
std::string GetSysPropPrintName(int id);

// Reads of a fittings complect; 0 or "" when it is absent.
int GetFurnCompGroup(const std::string& id);
int GetFurnCompSubGroup(const std::string& id);
int GetFurnDispColor(const std::string& id);
int GetFurnImage(const std::string& id);
int GetFurnKipp(const std::string& id);
int GetDispHingeNum(const std::string& id);
std::string GetComplectName(const std::string& id);
// PrintName when the complect is printable, else "".
std::string GetComplectPrintName(const std::string& id);

}  // namespace kv
