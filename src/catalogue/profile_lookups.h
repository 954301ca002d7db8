#pragma once
// Profile data by article (ProfList), the reinforcement choice by Ix and the weld allowance.
// Sizes are returned in tenths of a millimetre (the stored millimetres through SetSize10F).
#include <string>

namespace kv {

// Profile groups of ProfList.Group.
enum TProfGroup {
  pgFrame = 0,
  pgFlugel = 1,
  pgImpost = 2,
  pgStulp = 3,
  pgFalsh = 4,
  pgBead = 5,
  pgAdapter = 6,
  pgVerbinder = 7,
  pgRubber = 8,
  pgEndCap = 9,
  pgSockel = 10,
  pgSteel = 11,
  pgThreshold = 12,
  pgLining = 13,
  pgAttached = 14,
  pgKopplung = 15,
  pgSpross = 16,
  pgOther = 17,
  pgModificator = 18,
  pgAnchor = 19,
  pgStoika = 20,
  pgRiegel = 21,
  pgCommon = 22,
  pgWaterCap = 23,
  pgAuflaufbock = 24,
  pgUnknown = 25
};

// The sash parameters of the fittings selection, in catalogue millimetres.
struct TFlugelParam {
  float Width = 0;
  float Thickness = 0;
  float Chamfer = 0;
  float FalzLuft = 0;
  float FalzSize = 0;
  float FalzPos = 0;
  float DornMass = 0;
  int OpenType = 0;
};

bool ProfileExists(const std::string& profile);
// Half the width for profiles placed on their axis (mullion, meeting stile, false mullion, post,
// rail), the whole width otherwise. Missing: "В БД общих размеров профилей отсутствуют\r\nданные
// для профиля [%s]", or 0 when no_raise.
float GetProfWidth(const std::string& profile, bool no_raise = false);
float GetFrameDeltaSize(const std::string& profile, bool no_raise = false);
float GetFlugelDeltaSize(const std::string& profile, bool no_raise = false);
float GetImpostDeltaSize(const std::string& profile, bool no_raise = false);
float GetStulpDeltaSize(const std::string& profile, bool no_raise = false);
float GetFalzDeltaSize(const std::string& profile, bool no_raise = false);
float GetAdapterCorrectSize(const std::string& profile, bool no_raise = false);
// Selector 1 takes the second column (GlassSize2, BeadSize2, AdapterSize2), any other the first.
float GetGlassDeltaSize(const std::string& profile, int selector, bool no_raise = false);
float GetBeadDeltaSize(const std::string& profile, int selector, bool no_raise = false);
float GetAdapterDeltaSize(const std::string& profile, int selector, bool no_raise = false);
// Selector 2 takes ModifySize2, 3 ModifySize3, any other ModifySize.
float GetModificatorDeltaSize(const std::string& profile, int selector, bool no_raise = false);

float GetSteelFalzSize(const std::string& profile);
int GetStulpType(const std::string& profile);
TFlugelParam GetFlugelParam(const std::string& profile);
float GetChamfer(const std::string& profile);
double GetProfCoef(const std::string& profile);
float GetProfThickness(const std::string& profile);
std::string GetDefaultSteel(const std::string& profile);
bool IsDefaultSteel(const std::string& profile, const std::string& steel);
std::string GetProfOriginalArticle(const std::string& profile);
std::string GetProfColorAlternative(const std::string& profile);
// 0 when the profile is missing.
int GetProfImpostGroup(const std::string& profile);
int GetProfFlugelGroup(const std::string& profile);
int GetProfSockelGroup(const std::string& profile);
int GetProfSteelGroup(const std::string& profile);
int GetProfBeadGroup(const std::string& profile);
int GetProfListSubSetID(const std::string& profile);
// The profile group; raises when the profile is missing.
int GetProfListGroup(const std::string& profile);
bool RubberProfile(const std::string& profile);
bool IsStoika(const std::string& profile);
bool IsRiegel(const std::string& profile);
bool DoubleGlassAvailable(const std::string& profile);
bool VirtualProfile(const std::string& profile);
// The facade angle range of the profile; false (and 0, 0) when it is missing.
bool GetProfAvailableAngles(const std::string& profile, float& angle_min, float& angle_max);
// "Неопределено", "С фурнитурным пазом 12 мм", "С фурнитурным пазом 7/8", "Без фурнитурного паза".
std::string GetStulpTypeName(int stulp_type);

// The weakest profile of the group (in use, within the angle range) whose Ix is at least the
// required one; an empty profile and Ix 0 when there is none.
void GetNearestProfByIx(int group, double& ix, std::string& profile, double ix_required, double angle_min,
                        double angle_max);

// WeldAllowance of the profile scheme (TypeProf by ID and system), 0 when absent.
double GetWeldAllowanceByWinType(int id, const std::string& system);
// The allowance at a welded corner: 0 at 0 and 180 degrees, otherwise allowance / sin(angle).
double GetWeldAllowance(double angle, double allowance);

}  // namespace kv
