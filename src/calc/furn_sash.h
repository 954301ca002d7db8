#pragma once
// What the fittings selection measures on a sash: its size, the length, corner angle and arch of
// every side (sides counted from 1 as the sash's lines run: left, top, right, bottom for a
// rectangle), its weight, the profile's fittings parameters and the colours the items are chosen in.
#include <string>
#include <vector>

#include "catalogue/profile_lookups.h"
#include "construction/frames.h"

namespace kv {

// Arch kinds of a side: none, a half circle over the chord, another circular arc, an ellipse.
enum TFurnArcKind { fakNone = 0, fakFull = 1, fakHalf = 2, fakEllipse = 3 };

struct TFurnSashSide {
  double Length = 0;  // rebate length, mm
  double Angle = 0;   // inner angle at the side's first corner, degrees
  double Radius = 0;  // mm, 0 for a straight side
  TFurnArcKind Arc = fakNone;
};

struct TFurnSash {
  const TFlugel* Flugel = nullptr;
  std::string Name;
  int Width = 0;  // mm
  int Height = 0;
  std::vector<TFurnSashSide> Sides;
  double Weight = 0;  // kg: glass and profiles
  std::string Profile;
  TFlugelParam Param;
  int StulpType = 0;
  double ProfWidth = 0;  // mm
  std::string ProfSys;
  // The fittings colour, the sash colour and its outer and inner face colours.
  std::string FurnColor, SashColor, FrontColor, BackColor;
  // The sash beyond a meeting stile, nullptr when there is none.
  const TFlugel* Neighbour = nullptr;
  // A door sash is a T-shaped sash: its profile stands proud of the frame.
  bool TShaped = false;

  int SideCount() const { return static_cast<int>(Sides.size()); }
  // Side No counted from 1; nullptr when the sash has no such side.
  const TFurnSashSide* Side(int No) const;
};

TFurnSash MeasureFurnSash(const TFlugel& Flugel);
// The sash weight in kg: every glass by its area and catalogue weight per square metre, every
// side bar and its steel by length and catalogue weight per metre.
double GetFlugelWeight(const TFlugel& Flugel);
// The fittings system of a sash: its set's system, else the frame's.
std::string FlugelFurnSys(const TFlugel& Flugel);

}  // namespace kv
