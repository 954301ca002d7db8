#pragma once
// What the catalogue says about a window type: the type itself (TypeWin: its position article,
// systems and glass) with its profile scheme in the type's profile system (TypeProf: the frame and
// sash elements, the mullion and meeting stile with their joints, the false mullion and glazing
// bar, the weld allowance).
#include <cstdint>
#include <string>

namespace kv {

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
  // The calculation method that prices the type (CalcMeth).
  int32_t CalcMethod = 0;
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

// The type of TypeWin by ID with its TypeProf row of (ID, FixedProfSys); "В БД отсутствуют
// данные для типа конструкции [%d]!" when either is missing.
TWinTypeInfo GetWinTypeInfo(int32_t type_win);

// StaticMethod of the profile scheme of the type in the system (TypeProf by ID and System), the
// static check's method for frames stored before the frame kept its own; the message of
// GetWinTypeInfo when the system has no scheme for the type.
int32_t GetProfTypeStaticMethod(int32_t type_win, const std::string& system);

}  // namespace kv
