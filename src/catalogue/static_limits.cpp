#include "catalogue/static_limits.h"

#include <algorithm>
#include <cctype>

#include "catalogue/catalogue.h"
#include "catalogue/colour_lookups.h"
#include "catalogue/combination_lookups.h"
#include "catalogue/profile_lookups.h"
#include "shell/format_settings.h"

namespace kv {

namespace {

constexpr const char* kMissingType = "В БД отсутствуют данные для типа конструкции [%d]!";
constexpr const char* kMissingIx = "В каталоге профилей отсутствуют данные для [%s]!";
constexpr const char* kMissingGraph = "В БД отсутсвуют данные для профиля %s!";

const TMemTable& TableOf(TCatalogueModule& Module, const std::string& Name) {
  TTable* table = Module.Find(Name);
  if (table == nullptr) RaiseCatalogueError(Format("Таблица каталога [%s] не открыта", Name));
  return table->Data();
}

int32_t IntOf(const TMemTable& Table, const TRecord& Row, const char* Field) {
  return static_cast<int32_t>(Row[Table.FieldIndex(Field)].AsInteger());
}

TLimitSize SizeOf(const TMemTable& Table, const TRecord& Row, const char* Width, const char* Height) {
  return {IntOf(Table, Row, Width), IntOf(Table, Row, Height)};
}

const TRecord* FindProfile(const std::string& Profile) {
  const TProfListTable& t = Catalogue().ProfList;
  return t.Get().Locate(t.ByProfile, TKey().Add(std::string_view(Profile)));
}

bool AllDigits(const std::string& Text) {
  return !Text.empty() && std::all_of(Text.begin(), Text.end(), [](unsigned char c) { return std::isdigit(c); });
}

}  // namespace

void SetLimitByTypeProfScheme(TStaticLimit& Limit, int32_t TypeWin, const std::string& System) {
  const TTypeProfTable& scheme = Catalogue().TypeProf;
  const TMemTable& t = scheme.Get();
  const TRecord* row = t.Locate(scheme.ByIDSystem, TKey().Add(int64_t{TypeWin}).Add(std::string_view(System)));
  if (row == nullptr) RaiseCatalogueError(Format(kMissingType, TypeWin));
  Limit.FrameBaseMax = SizeOf(t, *row, "FBMaxWidth", "FBMaxHeight");
  Limit.FrameDekorMax = SizeOf(t, *row, "FDMaxWidth", "FDMaxHeight");
  Limit.FrameSteelBaseMin = SizeOf(t, *row, "SBMinWidth", "SBMinHeight");
  Limit.FrameSteelDekorMin = SizeOf(t, *row, "SDMinWidth", "SDMinHeight");
  Limit.ImpostMinSize = IntOf(t, *row, "ImpostMinSize");
  Limit.ImpostSteelMinSize = IntOf(t, *row, "ISteelMinSize");
  Limit.EckverMinSize = SizeOf(t, *row, "EckverMinWidth", "EckverMinHeight");
  Limit.WeldMinSize = IntOf(t, *row, "WeldMinSize");
  Limit.WeldMaxSize = IntOf(t, *row, "WeldMaxSize");
  Limit.SM = IntOf(t, *row, "StaticMethod");
  Limit.BaseColor = GetSysBaseColor(System);
  Limit.MT = GetSysMatType(System);
  Limit.ProfOptCheck = GXSetup() != nullptr ? GXSetup()->StaticOptions : TProfOptCheck{};
}

int32_t GetStaticRegionID(const std::string& Region) {
  if (AllDigits(Region)) return static_cast<int32_t>(StrToInt(Region));
  const TMemTable& cities = TableOf(Catalogue().DM_Catalog, "Stat_Cit");
  const int city = cities.FieldIndex("City");
  const TRecord* row = cities.FindFirst([&](const TRecord& r) { return r[city].AsString() == Region; });
  return row == nullptr ? 0 : IntOf(cities, *row, "RegID");
}

float GetIx(const std::string& Profile) {
  const TRecord* row = FindProfile(Profile);
  if (row == nullptr) RaiseCatalogueError(Format(kMissingIx, Profile));
  return static_cast<float>((*row)[Catalogue().ProfList.Ix].AsFloat());
}

std::vector<TSteelIx> GetAllowedSteels(const std::string& Profile) {
  const TProfListTable& t = Catalogue().ProfList;
  std::vector<TSteelIx> steels;
  for (const TRecord& row : t.Get().Rows()) {
    if (row[t.Group].AsInteger() != pgSteel || row[t.Use].AsInteger() != 1) continue;
    const std::string steel = row[t.Profile].AsString();
    if (SteelCombineAvailable(Profile, steel))
      steels.push_back({steel, static_cast<float>(row[t.Ix].AsFloat()), GetSteelCombinePriority(Profile, steel)});
  }
  std::stable_sort(steels.begin(), steels.end(), [](const TSteelIx& a, const TSteelIx& b) { return a.Ix < b.Ix; });
  return steels;
}

std::string GetFlugelLimitGraph(const TFlugelGraphKey& Key) {
  const TRecord* profile = FindProfile(Key.Profile);
  if (profile == nullptr) RaiseCatalogueError(Format(kMissingGraph, Key.Profile));
  const int64_t id = (*profile)[Catalogue().ProfList.SubSetID].AsInteger();
  const TMemTable& graphs = TableOf(Catalogue().DM_ProfDoc, "FLStatic");
  const int idField = graphs.FieldIndex("ID"), stulp = graphs.FieldIndex("Stulp");
  const int stulpSteel = graphs.FieldIndex("StulpSteel"), kipp = graphs.FieldIndex("Kipp");
  const TRecord* row = graphs.FindFirst([&](const TRecord& r) {
    return r[idField].AsInteger() == id && r[stulp].AsString() == Key.Stulp &&
           r[stulpSteel].AsString() == Key.StulpSteel && r[kipp].AsBoolean() == Key.Kipp;
  });
  if (row == nullptr) RaiseCatalogueError(Format(kMissingGraph, Key.Profile));
  const char column = static_cast<char>('A' + std::clamp(Key.LoadGroup, 1, 4) - 1);
  return (*row)[graphs.FieldIndex(std::string(Key.BaseColor ? "BG_" : "DG_") + column)].AsString();
}

}  // namespace kv
