#pragma once
// The lines of a construction: the straight or arched segment between two points, bead and glass
// frame bars, profile lines with the points that stand on them, and the sides of frames and sashes
// with their profile, steel, attached profile, seal and fittings flags.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "construction/model_points.h"
#include "construction/profiles.h"
#include "geometry/contour_dimensions.h"
#include "geometry/geometry_types.h"

namespace kv {

// A straight segment (radii 0) or an arc of a circle (Radius = Radius2) or an ellipse between two
// points. The points belong to the part, not to the line.
class Tgx25SimpleLine : public Tgx25SelectedObject {
public:
  explicit Tgx25SimpleLine(TModelObject* Owner = nullptr, Tgx25SimplePoint* PX1 = nullptr,
                           Tgx25SimplePoint* PX2 = nullptr);
  TModelObject* OwnerObject() const override { return Owner; }

  bool HasRadius() const { return Radius != 0; }
  bool HasTrueRadius() const { return Radius != 0 && Radius == Radius2; }
  bool EllipseRadius() const { return Radius != 0 && Radius2 != 0 && Radius != Radius2; }
  // A half circle over the chord.
  bool FullRadius() const;
  // Makes the side a half circle: both radii half the chord, the centre in the chord's middle.
  void SetFullRadius();
  void SetNoRadius();
  // Rise of the arc over its chord; SetHX makes the radius that gives this rise and moves the centre.
  long double GetHX() const;
  void SetHX(long double HX);

  // Distance PX1-PX2, -1 when a point is missing; GetRealSize in millimetres.
  long double GetInternalSize() const;
  long double GetRealSize() const;
  long double GetRealRadius() const;
  long double GetRealRadius2() const;
  // Length along the arc (the chord for a straight line), millimetres.
  long double GetRealArcLength() const;
  // Polar angle from PX1 to PX2, 0 when a point is missing.
  long double PolarAngle() const;
  TDirection GetDirection() const;
  bool MoreHorizontal() const;

  // Moves the line's own geometry (the arc centre and whatever the line owns) by Vector.
  virtual void MoveBy(const TPoint& Vector);

  float Radius = 0;
  float Radius2 = 0;
  TPointF Center;
  Tgx25SimplePoint* PX1 = nullptr;
  Tgx25SimplePoint* PX2 = nullptr;
  TModelObject* Owner = nullptr;
};

// A bar of a glazing bead or glass frame.
class Tgx25ProfileLine : public Tgx25SimpleLine {
public:
  using Tgx25SimpleLine::Tgx25SimpleLine;
  // Length and cut angles from the cross points of the two Tgx25ProfilePoint ends, no allowances.
  void CalcProfSize();

  std::string Profile;
  float Length = 0;
  float Angle1 = 0;
  float Angle2 = 0;
  // Two values stored with the bar and carried unchanged.
  float CarriedValue1 = 0;
  float CarriedValue2 = 0;
};

// A profile line of a part, with the points of the imposts that stand on it, its anchors and cuts.
class Tgx25Line : public Tgx25SimpleLine {
public:
  using Tgx25SimpleLine::Tgx25SimpleLine;
  ~Tgx25Line() override;

  // Article of the line's profile; empty for a line without one.
  virtual std::string GetProfile() const { return ""; }
  void MoveBy(const TPoint& Vector) override;

  // A new point owned by the line at P, appended to Points.
  Tgx25Point* AddPoint(const TPoint& P);
  // Deletes P when the line owns it; false otherwise.
  bool RemovePoint(const Tgx25SimplePoint* P);
  // The point of Points exactly at P, nullptr when none.
  Tgx25Point* FindPoint(const TPoint& P) const;
  bool HasPoint(const Tgx25SimplePoint* P) const;
  // The point of Points nearest to an abscissa, an ordinate or a position; nullptr when none.
  Tgx25Point* GetNearestPointX(long double X) const;
  Tgx25Point* GetNearestPointY(long double Y) const;
  Tgx25Point* GetNearestPointDirect(const TPoint& P) const;
  bool IsFirstPoint(const Tgx25SimplePoint* P) const { return P != nullptr && P == PX1; }
  bool IsSecondPoint(const Tgx25SimplePoint* P) const { return P != nullptr && P == PX2; }
  // The other end of the line, nullptr when P is no end.
  Tgx25SimplePoint* GetAnotherPoint(const Tgx25SimplePoint* P) const;

  void MergeProperty(const TStringList& Properties);

  TgxAnkerPoint* AddAnkerPoint(const TPoint& P);
  void RemoveAnkerPoints() { AnkerPoints.clear(); }
  bool ClearAnkerPoint(const TgxAnkerPoint* P);

  // A cut point made from a catalogue description, placed on the line and kept sorted.
  TgxCutLinePoint* AddCutPoint(const TCutLinePointRec& Rec);
  // Cut points ordered by their distance from PX1.
  void SortCutPoints();
  void RemoveCutPoints() { CutPoints.clear(); }
  bool ClearCutPoint(const TgxCutLinePoint* P);
  // Drops the cut points that no longer lie on the line, then sorts the rest.
  void CheckCutPointCoordinate();

  // The extreme points of the line, arc included.
  TContourDimensions GetDimensions() const;
  // The bar is strong enough for the static check: the moment it has is not below the one required.
  bool StaticValid() const { return SelfIx >= NeedIx; }
  // Whether P lies on this line (segment or arc).
  bool PointOnLine(const TPoint& P) const;

  std::vector<std::unique_ptr<Tgx25Point>> Points;
  TStringList PropList;
  std::vector<std::unique_ptr<TgxAnkerPoint>> AnkerPoints;
  std::vector<std::unique_ptr<TgxCutLinePoint>> CutPoints;
  int32_t DeltaLen1 = 0;
  int32_t DeltaLen2 = 0;
  float NeedIx = 0;
  float SelfIx = 0;
  TkvLineType LineType = ltUnknown;
  std::string Thermo;
  int32_t RiegelLevel = 0;
  int32_t FalzLevel = 0;
  int32_t SubSetID = NO_SUBSET;
  std::string SubSetColor;
  bool Virtual = false;
};

class TCustomFrame;

// A side of a frame or sash contour, from corner PX1 to corner PX2 (both Tgx25FramePoint).
class Tgx25FrameLine : public Tgx25Line {
public:
  // A side of a TFrame is a mounting side from the start.
  Tgx25FrameLine(TModelObject* Owner, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2);

  std::string GetProfile() const override { return Profile.ID; }
  void SetProfile(const std::string& ID, const std::string& Color);
  void SetColor(const std::string& Color);
  // Takes the steel when the catalogue allows it with the profile (an empty ID removes the steel);
  // false when it is refused.
  bool SetSteel(const std::string& ID);
  void SetAttachProfile(const TColorProf& Profile);
  void SetHandlePoint(const TPoint& P, int32_t Height);
  void ClearHandlePoint();
  void MoveBy(const TPoint& Vector) override;

  // Rebate length: distance of the two corners; GetRealFalzSize in millimetres.
  long double GetFalzSize() const;
  long double GetRealFalzSize() const;
  // Both cut angles are 45 or 90.
  bool StdAngle() const;

  // Bar length and cut angles from the corner cross points, with connector and weld allowances;
  // then the steel bar.
  void CalcProfSize();
  // The steel bar inside the profile; cleared when the side has no steel.
  void CalcSteelSize();

  std::string No;
  double RadiusW = 0, RadiusI = 0, RadiusF = 0;
  double Radius2W = 0, Radius2I = 0, Radius2F = 0;
  TCustomProf Profile;
  TCustomProf Steel;
  bool Armed = false;
  TProfSize ProfSize;
  TProfSize SteelSize;
  TColorProf AttachProfile;
  int32_t AttachSize = 0;
  bool Attach = false;
  TColorProf Rubber;
  bool Threshold = false;
  bool Axis = false;
  int32_t RotSide = 0;
  // Fittings marks of a sash side, set when a fittings complect is applied and read by the drawing:
  // the opening lines run from this side's ends to the middle of the apex side (ApexLine is its
  // index among the sash's sides, -1 for none); HandleType 10..15 names the handle symbol.
  bool OpenMark = false;
  int32_t ApexLine = -1;
  int32_t HandleType = 0;
  bool Handled = false;
  bool Banded = false;
  bool Drived = false;
  bool Montage = false;
  int32_t HandleHeight = 0;
  TPoint HandlePoint;
  float DeltaW = 0;

private:
  // The element whose weld allowance applies, nullptr when the owner is none.
  const TCustomFrame* OwnerFrame() const;
};

}  // namespace kv
