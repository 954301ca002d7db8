#pragma once
// Bead combinations (BeadComb): which bead, adapter, seals and glazing packers hold a filling of
// a given thickness in a profile. A combination is identified by its ID (a whole number).
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct TBeadInfo {
  std::string Bead;
  std::string Adapter;
  std::string ProfRubber;
  std::string BeadRubber;
};

// A glazing packer (setting block) of a combination and how many of it.
struct TGlassLining {
  std::string Article;
  int Number = 0;
};

// The combination for the profile's bead group (ProfList.BeadGrp) and the thickness: with the
// bead group when such a row exists, else the first for the thickness; 0 when there is none.
int64_t GetAvailableBead(const std::string& profile, int thickness, int bead_group);
// The first combination naming the bead for the profile's group and thickness; 0 when none.
int64_t BeadAvailable(const std::string& profile, int thickness, const std::string& bead);
// Keeps the current bead when it is still available, otherwise GetAvailableBead.
int64_t GetAvailableBeadByCreteria(const std::string& profile, int thickness, int bead_group,
                                   const std::string& current_bead);

// Reads of one combination; a missing one raises "В БД комбинаций штапиков отсутствуют\r\nданные
// для комбинации [%d]!".
std::string GetBeadByID(int64_t id);
TBeadInfo GetBeadInfo(int64_t id);
int GetBeadGroup(int64_t id);
// The packers in column order (empty articles skipped).
std::vector<TGlassLining> GetGlassLining(int64_t id);
// The name of a bead group (BeadGrp); "" when unknown.
std::string GetBeadGroupName(int group);

}  // namespace kv
