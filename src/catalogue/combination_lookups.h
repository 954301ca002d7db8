#pragma once
// Profile combinations (CombList): how two profiles join at a corner, a mullion end, along a
// sash seal, a base profile or a reinforcement. Two searches exist: a filter on both articles,
// the joint type and the angle (the first passing row in table order), and a key search on the
// articles and the combination group that falls back to the second profile's group ("%" and the
// group number) when no row names the article itself.
#include <string>

namespace kv {

// Combination groups (CombList.Group).
enum TCombGroup { cgCorner = 0, cgFlugel = 1, cgImpost = 2, cgSockel = 3, cgSteel = 4 };
// Joint types (CombList.AngleType).
enum TAngleType {
  atX45 = 0,
  atX1to2 = 1,
  atX2to1 = 2,
  atX1to2X = 3,
  atX2to1X = 4,
  atImpostT = 5,
  atImpostX = 6,
  atImpostTX = 7,
  atImpostV = 8,
  atUnknown = 9
};

// "X45", "X1to2", "X2to1", "X1to2X", "X2to1X"; other types as their number.
std::string GetAngleTypeName(int angle_type);
// "Встык", "Внахлест", "Внахлест с фрезерованием", "Сварка" for the mullion end treatment 0..3.
std::string GetCrossName(int cross);

// SubSetID of the first combination of the two profiles with the joint type whose angle range
// holds the angle rounded to whole degrees.
int GetFrameVerbinderID(const std::string& profile1, const std::string& profile2, int angle_type, double angle);
// Whether the stored combination still fits the profiles, joint type and angle.
bool FrameVerbinderIDAvailable(int sub_set_id, const std::string& profile1, const std::string& profile2, int angle_type,
                               double angle);
// Whether a combination of the group with the joint type fits the angle.
bool AngleTypeAvailable(const std::string& profile1, const std::string& profile2, int group, int angle_type,
                        double angle);
// The joint type of the first combination of the group that fits the angle; atUnknown if none.
int GetFirstAvailableAngleType(const std::string& profile1, const std::string& profile2, int group, double angle);
// The mullion end joint: exact second article, then "%" with its ImpostGrp.
int GetImpostVerbinderID(const std::string& profile1, const std::string& profile2, int angle_type, double angle,
                         int cross);
bool ImpostVerbinderIDAvailable(int sub_set_id, const std::string& profile1, const std::string& profile2,
                                int angle_type, double angle, int cross);

// Sash seal combination (group 1, fallback on FlugelGrp).
int GetFlugelRubberID(const std::string& profile1, const std::string& profile2);
// Longitudinal joint delta (group 1, fallback on FlugelGrp), tenths of a millimetre.
float GetCombinProfDeltaSizeByProf_1(const std::string& profile1, const std::string& profile2);
// Base profile delta (group 3, fallback on SockelGrp), tenths of a millimetre.
float GetSockelProfDeltaSize(const std::string& profile1, const std::string& profile2);
// Whether the reinforcement fits the profile (group 4, fallback on SteelGrp).
bool SteelCombineAvailable(const std::string& profile, const std::string& steel);
// Priority of that combination (1 is chosen first); 0 when the reinforcement does not fit.
int GetSteelCombinePriority(const std::string& profile, const std::string& steel);

float GetCombinProfDeltaSizeByID_1(int sub_set_id);
float GetCombinProfDeltaSizeByID_2(int sub_set_id);
float GetCombinSteelDeltaSizeByID_1(int sub_set_id);
int GetCombinSteelAngleByID_1(int sub_set_id);
std::string GetProfCombineName(int sub_set_id);
std::string GetProfileBySubSetID(int sub_set_id);
std::string GetProfileNameBySubSetID(int sub_set_id);
std::string GetCombineNameBySubSetID(int sub_set_id);

}  // namespace kv
