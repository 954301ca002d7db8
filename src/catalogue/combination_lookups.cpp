#include "catalogue/combination_lookups.h"

#include <array>

#include "catalogue/catalogue.h"
#include "catalogue/profile_lookups.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"

namespace kv {

namespace {

constexpr const char* kMissingCombination = "В БД комбинаций профилей отсутствуют данные\r\nдля комбинации [%s - %s]!";
constexpr const char* kMissingSubSetID =
    "В БД комбинаций профилей отсутствуют данные для SubSetID = %d.\r\nВозможно, комбинация была "
    "удалена после проектирования данного изделия.";

const TCombListTable& CombTable() { return Catalogue().CombList; }

TKey ProfilesKey(const std::string& profile1, const std::string& profile2) {
  return TKey().Add(std::string_view(profile1)).Add(std::string_view(profile2));
}

// "%" followed by the group number: the second profile written as its group.
std::string GroupArticle(int group) { return "%" + std::to_string(group); }

// The filter of a joint: both articles, the joint type and the rounded angle within the range,
// optionally the end treatment and the stored SubSetID.
struct TJointFilter {
  int AngleType = 0;
  int Angle = 0;
  int Cross = -1;     // -1: any
  int SubSetID = -1;  // -1: any
  int Group = -1;     // -1: any
  bool AnyAngleType = false;

  bool Passes(const TCombListTable& t, const TRecord& row) const {
    return (AnyAngleType || row[t.AngleType].AsInteger() == AngleType) && row[t.MinAngle].AsInteger() <= Angle &&
           row[t.MaxAngle].AsInteger() >= Angle && (Cross < 0 || row[t.Cross].AsInteger() == Cross) &&
           (SubSetID < 0 || row[t.SubSetID].AsInteger() == SubSetID) &&
           (Group < 0 || row[t.Group].AsInteger() == Group);
  }
};

const TRecord* FilterJoint(const std::string& profile1, const std::string& profile2, const TJointFilter& filter) {
  const TCombListTable& t = CombTable();
  return t.Get().FindFirst(t.ByProfiles, ProfilesKey(profile1, profile2),
                           [&](const TRecord& row) { return filter.Passes(t, row); });
}

// Locate Profile1;Profile2;Group with the exact second article, then with the second
// profile's group; nullptr when neither exists.
const TRecord* LocateWithGroupFallback(const std::string& profile1, const std::string& profile2, int comb_group,
                                       int second_group) {
  const TCombListTable& t = CombTable();
  const TRecord* row = t.Get().Locate(t.ByProfilesGroup, ProfilesKey(profile1, profile2).Add(int64_t{comb_group}));
  if (row) return row;
  return t.Get().Locate(t.ByProfilesGroup, ProfilesKey(profile1, GroupArticle(second_group)).Add(int64_t{comb_group}));
}

const TRecord& RequireWithGroupFallback(const std::string& profile1, const std::string& profile2, int comb_group,
                                        int second_group, const std::string& message) {
  const TRecord* row = LocateWithGroupFallback(profile1, profile2, comb_group, second_group);
  if (!row) RaiseCatalogueError(message);
  return *row;
}

const TRecord& RequireSubSetID(int sub_set_id) {
  const TCombListTable& t = CombTable();
  const TRecord* row = t.Get().Locate(t.BySubSetID, TKey().Add(int64_t{sub_set_id}));
  if (!row) RaiseCatalogueError(Format(kMissingSubSetID, sub_set_id));
  return *row;
}

float DeltaOf(const TRecord& row, int column) { return SetSize10F(static_cast<float>(row[column].AsFloat())); }

// " при сопряжении встык в T-образном соединении" and the like.
std::string ImpostJointText(int angle_type, int cross) {
  static const std::array<const char*, 4> kCross = {" при сопряжении встык", " при сопряжении внахлест",
                                                    " при сопряжении внахлест с фрезерованием",
                                                    " при вварном сопряжении"};
  const std::string treatment = cross >= 0 && cross < 4 ? kCross[cross] : "";
  const bool crossing = angle_type == atImpostX || angle_type == atImpostTX;
  return treatment + " " + (crossing ? "в X-образном соединении" : "в T-образном соединении");
}

}  // namespace

std::string GetAngleTypeName(int angle_type) {
  static const std::array<const char*, 5> kNames = {"X45", "X1to2", "X2to1", "X1to2X", "X2to1X"};
  return angle_type >= 0 && angle_type < 5 ? kNames[angle_type] : std::to_string(angle_type);
}

std::string GetCrossName(int cross) {
  static const std::array<const char*, 4> kNames = {"Встык", "Внахлест", "Внахлест с фрезерованием", "Сварка"};
  return cross >= 0 && cross < 4 ? kNames[cross] : std::string();
}

int GetFrameVerbinderID(const std::string& profile1, const std::string& profile2, int angle_type, double angle) {
  const int rounded = GetRounded(angle);
  const TRecord* row = FilterJoint(profile1, profile2, {.AngleType = angle_type, .Angle = rounded});
  if (!row) {
    RaiseCatalogueError(
        Format("В БД комбинаций профилей отсутствуют данные\r\nдля комбинации [%s - %s]\r\n"
               "при соединении угла [%s]\r\nи угле [%d °]!",
               profile1, profile2, GetAngleTypeName(angle_type), rounded));
  }
  return static_cast<int>((*row)[CombTable().SubSetID].AsInteger());
}

bool FrameVerbinderIDAvailable(int sub_set_id, const std::string& profile1, const std::string& profile2, int angle_type,
                               double angle) {
  return FilterJoint(profile1, profile2,
                     {.AngleType = angle_type, .Angle = GetRounded(angle), .SubSetID = sub_set_id}) != nullptr;
}

bool AngleTypeAvailable(const std::string& profile1, const std::string& profile2, int group, int angle_type,
                        double angle) {
  return FilterJoint(profile1, profile2, {.AngleType = angle_type, .Angle = GetRounded(angle), .Group = group}) !=
         nullptr;
}

int GetFirstAvailableAngleType(const std::string& profile1, const std::string& profile2, int group, double angle) {
  const TRecord* row =
      FilterJoint(profile1, profile2, {.Angle = GetRounded(angle), .Group = group, .AnyAngleType = true});
  return row ? static_cast<int>((*row)[CombTable().AngleType].AsInteger()) : atUnknown;
}

int GetImpostVerbinderID(const std::string& profile1, const std::string& profile2, int angle_type, double angle,
                         int cross) {
  const int rounded = GetRounded(angle);
  const TJointFilter filter{.AngleType = angle_type, .Angle = rounded, .Cross = cross};
  const TRecord* row = FilterJoint(profile1, profile2, filter);
  if (!row) row = FilterJoint(profile1, GroupArticle(GetProfImpostGroup(profile2)), filter);
  if (!row) {
    RaiseCatalogueError(
        Format("В БД комбинаций профилей отсутствуют данные\r\nдля комбинации [%s - %s]\r\n"
               "при обработке торца под [%d °] %s!",
               profile1, profile2, rounded, ImpostJointText(angle_type, cross)));
  }
  return static_cast<int>((*row)[CombTable().SubSetID].AsInteger());
}

bool ImpostVerbinderIDAvailable(int sub_set_id, const std::string& profile1, const std::string& profile2,
                                int angle_type, double angle, int cross) {
  const TJointFilter filter{
      .AngleType = angle_type, .Angle = GetRounded(angle), .Cross = cross, .SubSetID = sub_set_id};
  return FilterJoint(profile1, profile2, filter) ||
         FilterJoint(profile1, GroupArticle(GetProfImpostGroup(profile2)), filter);
}

int GetFlugelRubberID(const std::string& profile1, const std::string& profile2) {
  const TRecord& row = RequireWithGroupFallback(profile1, profile2, cgFlugel, GetProfFlugelGroup(profile2),
                                                Format(kMissingCombination, profile1, profile2));
  return static_cast<int>(row[CombTable().SubSetID].AsInteger());
}

float GetCombinProfDeltaSizeByProf_1(const std::string& profile1, const std::string& profile2) {
  const TRecord& row = RequireWithGroupFallback(
      profile1, profile2, cgFlugel, GetProfFlugelGroup(profile2),
      Format("В БД комбинаций профилей отсутствуют данные для продольного сопряжения профилей %s с %s.", profile1,
             profile2));
  return DeltaOf(row, CombTable().ProfDeltaSize);
}

float GetSockelProfDeltaSize(const std::string& profile1, const std::string& profile2) {
  const TRecord& row = RequireWithGroupFallback(profile1, profile2, cgSockel, GetProfSockelGroup(profile2),
                                                Format(kMissingCombination, profile1, profile2));
  return DeltaOf(row, CombTable().ProfDeltaSize);
}

bool SteelCombineAvailable(const std::string& profile, const std::string& steel) {
  return LocateWithGroupFallback(profile, steel, cgSteel, GetProfSteelGroup(steel)) != nullptr;
}

int GetSteelCombinePriority(const std::string& profile, const std::string& steel) {
  const TRecord* row = LocateWithGroupFallback(profile, steel, cgSteel, GetProfSteelGroup(steel));
  return row ? static_cast<int>((*row)[CombTable().Get().FieldIndex("Priority")].AsInteger()) : 0;
}

float GetCombinProfDeltaSizeByID_1(int sub_set_id) {
  return DeltaOf(RequireSubSetID(sub_set_id), CombTable().ProfDeltaSize);
}

float GetCombinProfDeltaSizeByID_2(int sub_set_id) {
  return DeltaOf(RequireSubSetID(sub_set_id), CombTable().ProfDeltaSize2);
}

float GetCombinSteelDeltaSizeByID_1(int sub_set_id) {
  return DeltaOf(RequireSubSetID(sub_set_id), CombTable().SteelDeltaSize);
}

int GetCombinSteelAngleByID_1(int sub_set_id) {
  return static_cast<int>(RequireSubSetID(sub_set_id)[CombTable().SteelAngle].AsInteger());
}

std::string GetProfCombineName(int sub_set_id) { return RequireSubSetID(sub_set_id)[CombTable().Name].AsString(); }

std::string GetProfileBySubSetID(int sub_set_id) {
  return RequireSubSetID(sub_set_id)[CombTable().Profile2].AsString();
}

std::string GetProfileNameBySubSetID(int sub_set_id) {
  const std::string profile = GetProfileBySubSetID(sub_set_id);
  const TProfListTable& t = Catalogue().ProfList;
  const TRecord* row = t.Get().Locate(t.ByProfile, TKey().Add(std::string_view(profile)));
  return row ? (*row)[t.Name].AsString() : profile;
}

std::string GetCombineNameBySubSetID(int sub_set_id) { return GetProfCombineName(sub_set_id); }

}  // namespace kv
