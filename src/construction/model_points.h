#pragma once
// The points of a construction: contour corners and joints, frame corners with the cross points of
// their profile edges, bead corners, cut points and anchors along frame sides.
#include <cstdint>
#include <memory>
#include <string>

#include "construction/construction_consts.h"
#include "construction/selectable.h"

namespace kv {

// A corner or joint of a contour, in model units.
class Tgx25SimplePoint : public Tgx25SelectedObject {
public:
  explicit Tgx25SimplePoint(TModelObject* Owner = nullptr, const TPoint& P = {});
  TModelObject* OwnerObject() const override { return Owner; }

  TPoint GetPoint() const { return {X, Y}; }
  void SetPoint(const TPoint& P);
  // The position in millimetres.
  TPointF GetRealPoint() const;
  // Moves the point (and whatever moves with it) by Vector.
  virtual void SumPoint(const TPoint& Vector);
  // Moves the point by minus Vector.
  void DecPointInv(const TPoint& Vector);
  bool EqualTo(const Tgx25SimplePoint& Other) const { return X == Other.X && Y == Other.Y; }

  int32_t X = 0;
  int32_t Y = 0;
  TModelObject* Owner = nullptr;
};

// A joint of two profile lines.
class Tgx25Point : public Tgx25SimplePoint {
public:
  using Tgx25SimplePoint::Tgx25SimplePoint;
  static std::unique_ptr<Tgx25Point> CreateInit(TModelObject* Owner, const TPoint& P);
  // One of the two end points of a meeting stile.
  static std::unique_ptr<Tgx25Point> CreateInitStulp(TModelObject* Owner, const TPoint& P);

  // Makes this point follow P; nullptr clears the anchor.
  void SetAnchor(Tgx25SimplePoint* P);
  void RemoveAnchor() { SetAnchor(nullptr); }
  void SetVerbinderSubSet(int32_t ID, const std::string& Color, const std::string& PropertyText);
  // smXPoint / smYPoint set the coordinate to Value; smXDelta, smRight, smYDelta, smBottom add Value;
  // smLeft, smTop subtract it; the proportional modes scale the coordinate by Value (rounded).
  void ShiftPoint(TShiftMode Mode, long double Value);

  bool Anchored = false;
  Tgx25SimplePoint* AnchorPoint = nullptr;
  bool StulpPoint = false;
  TStringList PropList;
  TAngleType AngleType = atUnknown;
  int32_t SubSetID = NO_SUBSET;
  std::string SubSetColor;
  bool Virtual = false;
};

// A corner of a frame or sash contour with the cross points of the profile edges: where the width,
// impost and rebate offsets of the two sides meet, and the same edge points taken separately for the
// side that ends here (group 1) and the side that starts here (group 2).
class Tgx25FramePoint : public Tgx25Point {
public:
  using Tgx25Point::Tgx25Point;

  void SumPoint(const TPoint& Vector) override;
  // Length of the weld seam: distance from the corner to PointW.
  long double GetWelding() const;
  // The inner angle of the owning element's contour at this corner; ECreationError when the point
  // is not one of the element's corners.
  long double GetAngle() const;
  // Swaps the two edge groups and the butt joints atX1to2 / atX2to1 (the two sides change roles).
  void ExchangeCrossPoint();

  TPoint PointW, PointI, PointF;
  TPoint Point1, PointW1, PointI1, PointF1;
  TPoint Point2, PointW2, PointI2, PointF2;
};

// A corner of a bead or glass-frame contour: PointW, PointI and PointF where the outer, inner and
// seal edges of the two bars meet (the ends of the side that ends here), and PointW2, PointI2, the
// outer and inner ends of the side that starts here (equal to PointW, PointI at a mitre).
class Tgx25ProfilePoint : public Tgx25Point {
public:
  using Tgx25Point::Tgx25Point;
  void SumPoint(const TPoint& Vector) override;

  TPoint PointW, PointI, PointF, PointW2, PointI2;
};

// Description of a cut point as the catalogue rules give it: D = 0 places it at abscissa XY on the
// line, any other value at ordinate XY; the offsets are taken with the sign DSign.
struct TCutLinePointRec {
  int32_t D = 0;
  int32_t XY = 0;
  float D0 = 0;
  float D1 = 0;
  float D2 = 0;
  float Len = 0;
  std::string Props;
  int32_t DSign = 1;
  float AngleZ = 0;
  float AngleX = 0;
};

// A point on a frame side where the bar is cut into separate pieces.
class TgxCutLinePoint : public Tgx25Point {
public:
  using Tgx25Point::Tgx25Point;
  TgxCutLinePoint(TModelObject* Owner, const TPoint& P, const TCutLinePointRec& Rec);

  float EnforceLen = 0;
  float Delta0 = 0;
  float Delta1 = 0;
  float Delta2 = 0;
  float AngleZ = 0;
  float AngleX = 0;
};

// A fixing anchor on a frame side.
class TgxAnkerPoint : public Tgx25Point {
public:
  using Tgx25Point::Tgx25Point;
};

}  // namespace kv
