#include "construction/profiles.h"

namespace kv {

void TProfile::SetValue(const std::string& NewID, const std::string& NewColor, float NewLength, float NewAngle1,
                        float NewAngle2) {
  ID = NewID;
  Color = NewColor;
  Length = NewLength;
  Angle1 = NewAngle1;
  Angle2 = NewAngle2;
}

void TProfile::ClearValue() { SetValue("", "", 0, 0, 0); }

void TInforcedProfile::SetSteel(const std::string& NewSteel, float Length, float Angle1, float Angle2,
                                float Thickness) {
  Steel = NewSteel;
  SteelLength = Length;
  SteelAngle1 = Angle1;
  SteelAngle2 = Angle2;
  SteelThickness = Thickness;
}

void TInforcedProfile::ClearSteel() { SetSteel("", 0, 0, 0, 0); }

}  // namespace kv
