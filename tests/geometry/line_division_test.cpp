#include "geometry/line_division.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kv {
namespace {

// Clear widths of the fields between the span ends and the bars (even widths keep edges whole).
std::vector<int32_t> Fields(int32_t start, int32_t finish, const std::vector<int32_t>& axes, int32_t width) {
  std::vector<int32_t> fields;
  int32_t edge = start;
  for (int32_t axis : axes) {
    fields.push_back(axis - width / 2 - edge);
    edge = axis + width / 2;
  }
  fields.push_back(finish - edge);
  return fields;
}

TEST(EqualDivision, RemainderIsSpreadOneUnitAtATimeFieldsAndBarsFillTheSpanExactly) {
  EXPECT_EQ(GetLineEqualDevision(0, 1000, 2, 0), (std::vector<int32_t>{500}));
  const std::vector<int32_t> axes = GetLineEqualDevision(0, 1000, 3, 60);
  EXPECT_EQ(axes, (std::vector<int32_t>{323, 677}));
  EXPECT_EQ(Fields(0, 1000, axes, 60), (std::vector<int32_t>{293, 294, 293}));
  EXPECT_TRUE(GetLineEqualDevision(0, 1000, 0, 60).empty());
  EXPECT_TRUE(GetLineEqualDevision(0, 1000, 1, 60).empty());
  EXPECT_TRUE(GetLineEqualDevision(0, 100, 3, 50).empty());  // the bars fill the span
  EXPECT_TRUE(GetLineEqualDevision(100, 0, 2, 0).empty());
  for (int32_t start : {0, 37, -500}) {
    for (int32_t length : {999, 1000, 2477, 13}) {
      for (int count = 1; count <= 7; ++count) {
        for (int32_t width : {0, 2, 64, 100}) {
          const int32_t finish = start + length;
          const std::vector<int32_t> axes = GetLineEqualDevision(start, finish, count, width);
          if (length - (count - 1) * width <= 0) {
            EXPECT_TRUE(axes.empty());
            continue;
          }
          ASSERT_EQ(axes.size(), static_cast<std::size_t>(count - 1));
          const std::vector<int32_t> fields = Fields(start, finish, axes, width);
          int64_t total = (count - 1) * width;
          for (int32_t f : fields) total += f;
          EXPECT_EQ(total, length);
          const auto [low, high] = std::minmax_element(fields.begin(), fields.end());
          EXPECT_LE(*high - *low, 1) << start << ' ' << length << ' ' << count << ' ' << width;
        }
      }
    }
  }
}

}  // namespace
}  // namespace kv
