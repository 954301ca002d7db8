#include "calc/drainage.h"

#include <algorithm>
#include <cmath>

#include "construction/setup_values.h"
#include "shell/format_settings.h"
#include "shell/gx_setup.h"

namespace kv {

namespace {

// Where one kind of slot goes: its distance from a corner and from a mullion joint (0: the kind
// ignores mullions) and the largest distance between two slots.
struct TSlotRule {
  const char* Key;
  double FromCorner;
  double FromJoint;
  double Step;
};

// Slots of the span [From, To]: one near each end, evenly between them so that no gap exceeds the
// step; a span too short for two slots gets one in its middle.
void AddSpanSlots(double From, double To, double FromOffset, double ToOffset, double Step, std::vector<double>& Slots) {
  const double first = From + FromOffset;
  const double last = To - ToOffset;
  if (last <= first) {
    Slots.push_back((From + To) / 2);
    return;
  }
  const int gaps = std::max(1, static_cast<int>(std::ceil((last - first) / std::max(Step, 1.0))));
  for (int k = 0; k <= gaps; ++k) Slots.push_back(first + (last - first) * k / gaps);
}

void AddSlotLine(const TSlotRule& Rule, double Length, const std::vector<double>& Joints, TDrainage& Drainage) {
  std::vector<double> bounds = {0};
  if (Rule.FromJoint > 0) bounds.insert(bounds.end(), Joints.begin(), Joints.end());
  bounds.push_back(Length);
  std::sort(bounds.begin(), bounds.end());
  std::vector<double> slots;
  for (size_t i = 0; i + 1 < bounds.size(); ++i) {
    const double from_offset = i == 0 ? Rule.FromCorner : Rule.FromJoint;
    const double to_offset = i + 2 == bounds.size() ? Rule.FromCorner : Rule.FromJoint;
    AddSpanSlots(bounds[i], bounds[i + 1], from_offset, to_offset, Rule.Step, slots);
  }
  std::string line = std::string(Rule.Key) + "=";
  for (size_t i = 0; i < slots.size(); ++i) line += (i == 0 ? "" : ";") + Format("%.1f", slots[i]);
  Drainage.Lines.push_back(line);
  Drainage.SlotCount += static_cast<int>(slots.size());
}

}  // namespace

TDrainage GetDrainage(bool Flugel, double Length, const std::vector<double>& Joints) {
  const TGXSetup& s = UsedSetup();
  const TSlotRule outer = Flugel ? TSlotRule{"DRNC", 1.0 * s.DRNC_FalzFrame, 0, 1.0 * s.DRNC_FalzStep}
                                 : TSlotRule{"DRNA", 1.0 * s.DRNA_FalzFrame, 0, 1.0 * s.DRNA_FalzStep};
  const TSlotRule rebate =
      Flugel ? TSlotRule{"DRND", 1.0 * s.DRND_FalzFrame, 1.0 * s.DRND_FalzImpost, 1.0 * s.DRND_FalzStep}
             : TSlotRule{"DRNB", 1.0 * s.DRNB_FalzFrame, 1.0 * s.DRNB_FalzImpost, 1.0 * s.DRNB_FalzStep};
  TDrainage drainage;
  AddSlotLine(outer, Length, Joints, drainage);
  AddSlotLine(rebate, Length, Joints, drainage);
  return drainage;
}

}  // namespace kv
