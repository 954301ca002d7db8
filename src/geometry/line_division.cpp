#include "geometry/line_division.h"

#include "shell/rounding.h"

namespace kv {

std::vector<int32_t> GetLineEqualDevision(int32_t Start, int32_t Finish, int Count, long double BarWidth) {
  std::vector<int32_t> axes;
  if (Count < 1) return axes;
  const long double free = static_cast<long double>(Finish) - Start - (Count - 1) * BarWidth;
  if (free <= 0) return axes;
  const long double field = free / Count;
  axes.reserve(Count - 1);
  for (int i = 1; i < Count; ++i) axes.push_back(GetRounded(Start + i * field + (i - 0.5L) * BarWidth));
  return axes;
}

}  // namespace kv
