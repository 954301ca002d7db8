#pragma once
// What the catalogue says about a construction type: the window type (TypeWin) with its systems
// and glass, its profile scheme (TypeProf: the frame and sash elements, the mullion and meeting
// stile with their joints, the weld allowance), and the construction elements (ConsList: the
// profile, steel and corner joint of each side).
#include <array>
#include <cstdint>
#include <string>

namespace kv {

// A window type of TypeWin with its profile scheme of TypeProf.
struct TWinTypeInfo {
  int32_t ID = 0;
  std::string Name;
  std::string Article;
  std::string ArticleName;
  std::string ProfSys;
  std::string FurnSys;
  std::string Glass;
  // What the type builds: 0 a window, 1 a door, 2 a facade element (WinType).
  int32_t WinType = 0;
  int32_t FrameID = 0;
  int32_t FlugelID = 0;
  std::string Impost;
  int32_t ImpostAT = 0;
  int32_t ImpostComb = 0;
  std::string Stulp;
  int32_t StulpAT = 0;
  int32_t StulpComb = 0;
  std::string Falsh;
  std::string Spross;
  // Millimetres.
  float WeldAllowance = 0;
};

// A construction element of ConsList: per side (left, top, right, bottom) the profile, the steel and
// the joint type of the corner where the side starts.
struct TConsElementInfo {
  int32_t ID = 0;
  std::string Name;
  std::array<std::string, 4> Prof;
  std::array<std::string, 4> Steel;
  std::array<int32_t, 4> AngleType{};
};

// "В БД отсутствуют данные для типа конструкции [%d]!" when the type or its profile scheme is
// missing (the catalogue error).
TWinTypeInfo GetWinTypeInfo(int32_t TypeWin);
// "В БД конструктивных элементов не найден элемент [%d]!" when the element is missing.
TConsElementInfo GetConsElementInfo(int32_t ConsID);

}  // namespace kv
