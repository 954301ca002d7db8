#pragma once
// What the catalogue says for the static check: the static limits of a window type's profile
// scheme (TypeProf), the wind region of a city (Stat_Cit), the moments of inertia of profiles and
// reinforcements (ProfList), the reinforcements a profile takes, and the sash limit graphs
// (FLStatic).
#include <cstdint>
#include <string>
#include <vector>

#include "shell/gx_setup.h"

namespace kv {

// Largest or smallest width x height, mm; 0 means no limit.
struct TLimitSize {
  int32_t Width = 0;
  int32_t Height = 0;
};

// The static limits of the current profile scheme.
struct TStaticLimit {
  std::string SR;  // static region: a city of Stat_Cit or a region number
  int32_t PT = 1;  // terrain type, 0 = A, 1 = B, 2 = C
  float LGH = 10;  // fixing height in the building, m
  int32_t MT = 0;  // material: 0 PVC, 1 aluminium, 2 timber
  int32_t SM = 0;  // mounting scheme: 1 single-span, 2 two-span
  int32_t OT = 0;  // object type; 2 = facade
  std::string BaseColor;
  TLimitSize FrameBaseMax, FrameDekorMax;
  TLimitSize FrameSteelBaseMin, FrameSteelDekorMin;
  int32_t ImpostMinSize = 0;
  int32_t ImpostSteelMinSize = 0;
  TLimitSize EckverMinSize;
  int32_t WeldMinSize = 0;
  int32_t WeldMaxSize = 0;
  TProfOptCheck ProfOptCheck;
};

// The limits of the window type's scheme in its profile system, the base colour and material of
// the system, and the switches of the options object (their defaults outside a session). Region,
// terrain and height stay as they are. "В БД отсутствуют данные для типа конструкции [%d]!" when
// the scheme is missing.
void SetLimitByTypeProfScheme(TStaticLimit& Limit, int32_t TypeWin, const std::string& System);

// The wind region: Stat_Cit's region of the city, or the number written; 0 when neither.
int32_t GetStaticRegionID(const std::string& Region);

// Ix of a profile or reinforcement, cm4; "В каталоге профилей отсутствуют данные для [%s]!".
float GetIx(const std::string& Profile);

struct TSteelIx {
  std::string Steel;
  float Ix = 0;
  int Priority = 0;  // of its combination with the profile, 1 first
};
// The reinforcements in use that the profile takes, weakest first.
std::vector<TSteelIx> GetAllowedSteels(const std::string& Profile);

// Which sash limit graph applies: the sash profile, its meeting stile and that stile's steel
// (empty without one), tilt, base or decorative colour, load group 1..4 (columns A..D).
struct TFlugelGraphKey {
  std::string Profile;
  std::string Stulp;
  std::string StulpSteel;
  bool Kipp = false;
  bool BaseColor = true;
  int32_t LoadGroup = 1;
};
// The graph text "x:y;x:y..." of FLStatic: its row is located by the profile's SubSetID, the stile,
// its steel and the tilt; "В БД отсутсвуют данные для профиля %s!" when there is none.
std::string GetFlugelLimitGraph(const TFlugelGraphKey& Key);

}  // namespace kv
