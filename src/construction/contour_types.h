#pragma once
// Value records of contours and sizes: the user's description of a new frame, a derived contour
// (corners with the side that starts at each), the crossing of a new bar with a part, and the
// inputs of inserting a bar.
#include <cstdint>
#include <string>
#include <vector>

#include "construction/construction_consts.h"
#include "shell/points.h"

namespace kv {

class TFalshPart;

// A new frame as the user describes it: sizes in millimetres, the figure, the heights or offsets
// that shape it (HX, HY) and the radii of its arched side.
struct TInitialSize {
  TInitialSize() = default;
  TInitialSize(int32_t AWidth, int32_t AHeight) : Width(AWidth), Height(AHeight) {}

  int32_t Width = 0;
  int32_t Height = 0;
  TFigType Figure = figRect;
  int32_t HX = 0;
  int32_t HY = 0;
  float Radius = 0;
  float Radius2 = 0;
  TPoint LeftTop;
};

// One corner of a derived contour and the side that runs from it to the next corner: straight for
// Radius 0, otherwise an arc of that radius about Center. Radius2 is the second radius of an
// elliptic side as the user gave it (carried; the geometry follows Radius); 0 for a circular one.
struct TContourSide {
  TPoint Start;
  float Radius = 0;
  TPointF Center;
  float Radius2 = 0;
  // The second radius of the side's line: Radius2, or Radius for a circular side.
  float LineRadius2() const { return Radius2 != 0 ? Radius2 : Radius; }
  friend bool operator==(const TContourSide&, const TContourSide&) = default;
};

// A closed contour, clockwise on the screen like the part it was derived from.
using TFillContour = std::vector<TContourSide>;

// Where a new bar crosses a part: the two crossing points and the indices of the part sides they
// lie on.
struct TImpostCross {
  TPoint Point1;
  int Side1 = -1;
  TPoint Point2;
  int Side2 = -1;
};

// How SetNewImpost treats a crossing that falls on a point already standing on the side.
enum TImpostPointMode : uint8_t { ipmNewPoint = 0, ipmReusePoint = 1, ipmAskPoint = 2 };

// The inputs of inserting a bar into a part.
struct TNewImpost {
  TFalshPart* Part = nullptr;
  TPoint P1;
  TPoint P2;
  std::string Profile;
  std::string Color;
  // Nothing is inserted when a crossed side is virtual.
  bool NoVirtual = false;
  TImpostPointMode PointMode = ipmNewPoint;
  TAngleType AngleType = atImpostT;
  int32_t SubSetID = NO_SUBSET;
  std::string PropertyText;
  TkvLineType Kind = ltImpost;
};

}  // namespace kv
