#include "catalogue/bead_lookups.h"

#include "catalogue/catalogue.h"
#include "catalogue/profile_lookups.h"
#include "shell/format_settings.h"

namespace kv {

namespace {

const TBeadCombTable& BeadTable() { return Catalogue().BeadComb; }

int64_t IDOf(const TRecord* row) { return row ? (*row)[BeadTable().ID].AsCurrency().Raw() / TCurrency::kScale : 0; }

TKey GroupThicknessKey(const std::string& profile, int thickness) {
  return TKey().Add(int64_t{GetProfBeadGroup(profile)}).Add(int64_t{thickness});
}

const TRecord& RequireID(int64_t id) {
  const TBeadCombTable& t = BeadTable();
  const TRecord* row = t.Get().Locate(t.ByID, TKey().Add(id));
  if (!row) RaiseCatalogueError(Format("В БД комбинаций штапиков отсутствуют\r\nданные для комбинации [%d]!", id));
  return *row;
}

int64_t AvailableBead(const TKey& group_thickness, int bead_group) {
  const TBeadCombTable& t = BeadTable();
  const TRecord* row = t.Get().Locate(t.ByGroupThicknessBeadGrp, TKey(group_thickness).Add(int64_t{bead_group}));
  if (!row) row = t.Get().Locate(t.ByGroupThickness, group_thickness);
  return IDOf(row);
}

int64_t AvailableNamedBead(const TKey& group_thickness, const std::string& bead) {
  const TBeadCombTable& t = BeadTable();
  return IDOf(t.Get().Locate(t.ByGroupThicknessBead, TKey(group_thickness).Add(std::string_view(bead))));
}

}  // namespace

int64_t GetAvailableBead(const std::string& profile, int thickness, int bead_group) {
  return AvailableBead(GroupThicknessKey(profile, thickness), bead_group);
}

int64_t BeadAvailable(const std::string& profile, int thickness, const std::string& bead) {
  return AvailableNamedBead(GroupThicknessKey(profile, thickness), bead);
}

// The profile's bead group is looked up once for both searches.
int64_t GetAvailableBeadByCreteria(const std::string& profile, int thickness, int bead_group,
                                   const std::string& current_bead) {
  const TKey group_thickness = GroupThicknessKey(profile, thickness);
  if (!current_bead.empty()) {
    if (const int64_t id = AvailableNamedBead(group_thickness, current_bead)) return id;
  }
  return AvailableBead(group_thickness, bead_group);
}

std::string GetBeadByID(int64_t id) { return RequireID(id)[BeadTable().Bead].AsString(); }

TBeadInfo GetBeadInfo(int64_t id) {
  const TBeadCombTable& t = BeadTable();
  const TRecord& row = RequireID(id);
  return TBeadInfo{row[t.Bead].AsString(), row[t.Adapter].AsString(), row[t.ProfRubber].AsString(),
                   row[t.BeadRubber].AsString()};
}

int GetBeadGroup(int64_t id) { return static_cast<int>(RequireID(id)[BeadTable().BeadGrp].AsInteger()); }

std::vector<TGlassLining> GetGlassLining(int64_t id) {
  const TBeadCombTable& t = BeadTable();
  const TRecord& row = RequireID(id);
  const std::pair<int, int> columns[] = {{t.Lining_1, t.Number_1},
                                         {t.Lining_2, t.Number_2},
                                         {t.Lining_3, t.Number_3},
                                         {t.Lining_4, t.Number_4},
                                         {t.Lining_5, t.Number_5}};
  std::vector<TGlassLining> linings;
  for (const auto& [article, number] : columns) {
    if (!row[article].Text().empty()) {
      linings.push_back({row[article].AsString(), static_cast<int>(row[number].AsInteger())});
    }
  }
  return linings;
}

std::string GetBeadGroupName(int group) {
  const TBeadGrpTable& t = Catalogue().BeadGrp;
  const TRecord* row = t.Get().Locate(t.ByGroup, TKey().Add(int64_t{group}));
  return row ? (*row)[t.Name].AsString() : std::string();
}

}  // namespace kv
