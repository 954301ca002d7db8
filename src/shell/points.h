#pragma once
// Stored integer points (tenths of a millimetre) and single-precision points for computation.
#include <cstdint>

namespace kv {

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TPointF {
  float X = 0;
  float Y = 0;
  friend bool operator==(const TPointF&, const TPointF&) = default;
};

}  // namespace kv
