#pragma once
// Equal division of a span for the automatic grids of mullions, stiles, false mullions and glazing bars.
#include <cstdint>
#include <vector>

namespace kv {

// Axis positions of Count - 1 bars of width BarWidth that divide the free span from Start to Finish
// into Count equal fields. Every axis is rounded on its own from its exact position, so the fields
// differ by at most one unit and, with the bars, fill the span exactly. Empty when Count < 1 or the
// bars leave no room for the fields.
std::vector<int32_t> GetLineEqualDevision(int32_t Start, int32_t Finish, int Count, long double BarWidth);

}  // namespace kv
