#pragma once
// Small profile records: an article with its colour, a profile with colour attributes and cut data,
// a computed bar size, and the owned profile objects of base profiles and second meeting stiles.
#include <string>

#include "construction/selectable.h"

namespace kv {

// An article with its colour (attached profiles, seals, caps, impost profiles).
struct TColorProf {
  std::string ID;
  std::string Color;
  bool Empty() const { return ID.empty(); }
  void Clear() { *this = {}; }
  friend bool operator==(const TColorProf&, const TColorProf&) = default;
};

// The profile or steel of a frame side: article, colour, colour attributes of the two faces and the
// bar data kept with it.
struct TCustomProf {
  std::string ID;
  std::string Color;
  std::string ColorAttr1;
  std::string ColorAttr2;
  float Length = 0;
  float Angle1 = 0;
  float Angle2 = 0;
  float Radius = 0;
  float Radius2 = 0;
  float Count = 0;
  void Clear() { *this = {}; }
  friend bool operator==(const TCustomProf&, const TCustomProf&) = default;
};

// A computed bar: length in model units and the cut angles of its two ends in degrees.
struct TProfSize {
  float Length = 0;
  float Angle1 = 0;
  float Angle2 = 0;
  void Clear() { *this = {}; }
  friend bool operator==(const TProfSize&, const TProfSize&) = default;
};

// A profile bar owned by a model object.
class TProfile : public TModelObject {
public:
  explicit TProfile(TModelObject* Owner = nullptr) : Owner(Owner) {}
  TModelObject* OwnerObject() const override { return Owner; }

  void SetValue(const std::string& NewID, const std::string& NewColor, float NewLength, float NewAngle1,
                float NewAngle2);
  void ClearValue();

  std::string ID;
  std::string Color;
  float Length = 0;
  float Angle1 = 0;
  float Angle2 = 0;
  TModelObject* Owner = nullptr;
};

// A profile with its own reinforcement (the second stile on the other sash of a meeting stile).
class TInforcedProfile : public TProfile {
public:
  using TProfile::TProfile;

  void SetSteel(const std::string& NewSteel, float Length, float Angle1, float Angle2, float Thickness);
  void ClearSteel();

  std::string Steel;
  float SteelLength = 0;
  float SteelAngle1 = 0;
  float SteelAngle2 = 0;
  float SteelThickness = 0;
};

// A base (sill-adapter) profile under a sash.
class TSockel : public TProfile {
public:
  using TProfile::TProfile;
};

}  // namespace kv
