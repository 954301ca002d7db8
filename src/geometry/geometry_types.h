#pragma once
// Value records of the geometry: sizes, stored part coordinates and the octant direction codes.
#include <cstdint>

#include "shell/points.h"

namespace kv {

struct TSize {
  int32_t Width = 0;
  int32_t Height = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TSizeF {
  float Width = 0;
  float Height = 0;
  friend bool operator==(const TSizeF&, const TSizeF&) = default;
};

// Stored ends of a straight part.
struct TCoord {
  int32_t X1 = 0;
  int32_t Y1 = 0;
  int32_t X2 = 0;
  int32_t Y2 = 0;
  friend bool operator==(const TCoord&, const TCoord&) = default;
};

struct TAbsFrameCoord {
  TPoint P1, P2, P3, P4, P5, P6;
  friend bool operator==(const TAbsFrameCoord&, const TAbsFrameCoord&) = default;
};

struct TAbsImpostCoord {
  TPoint P1, P2;
  friend bool operator==(const TAbsImpostCoord&, const TAbsImpostCoord&) = default;
};

// Octant of one point seen from another (y grows downwards, so "up" means a smaller y).
using TDirection = uint8_t;
inline constexpr TDirection dirNone = 0;
inline constexpr TDirection dirRightUp = 1;
inline constexpr TDirection dirRight = 2;
inline constexpr TDirection dirRightDown = 3;
inline constexpr TDirection dirDown = 4;
inline constexpr TDirection dirLeftDown = 5;
inline constexpr TDirection dirLeft = 6;
inline constexpr TDirection dirLeftUp = 7;
inline constexpr TDirection dirUp = 8;

}  // namespace kv
