#pragma once
// The fields of a frame-like element: a closed contour of references to the element's points and
// lines (sides and imposts), and for frames and sashes the filling of the field.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "construction/contour_types.h"
#include "construction/lines.h"
#include "geometry/contour_dimensions.h"
#include "geometry/geometry_types.h"

namespace kv {

class TAbstractFrame;
class TCustomFrame;
class TFrame;
class TFlugel;
class TkvModificator;
class TCustomImpost;
class Tgx25Stulp;
class Tgx25Glass;
class Tgx30CustomPart;

// Bounding rectangle in model units.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// The bounding rectangle of contour extremes.
TRect BoundRectOf(const TContourDimensions& D);

// Callbacks of a walk over every object of a tree: frame-like elements and selectable objects.
struct TTreeVisitor {
  std::function<void(TAbstractFrame&)> Element;
  std::function<void(Tgx25SelectedObject&)> Selectable;
};
// A visitor that stores in Found the first object with the identifier ID.
TTreeVisitor InternalIDSearch(int32_t ID, TModelObject*& Found);

// A corner of a part: a reference to a point of the element (a corner or a point on a line).
class Tgx25PartPoint {
public:
  explicit Tgx25PartPoint(Tgx25SimplePoint* Point = nullptr) : Point(Point) {}
  TPoint GetPoint() const { return Point != nullptr ? Point->GetPoint() : TPoint{}; }
  // The referenced point as a joint, nullptr when it is a plain point.
  Tgx25Point* GetFalshPoint() const { return dynamic_cast<Tgx25Point*>(Point); }

  Tgx25SimplePoint* Point = nullptr;
};

// A side of a part: a reference to a line of the element (a side or an impost) and the part's own
// order of its two ends (Inverted: the part runs from the line's PX2 to its PX1).
class Tgx25PartLine {
public:
  explicit Tgx25PartLine(Tgx25Line* Line = nullptr, bool Inverted = false) : Line(Line), Inverted(Inverted) {}

  Tgx25Line* GetLine() const { return Line; }
  void SetLine(Tgx25Line* NewLine, bool NewInverted);
  // The ends in the part's order.
  Tgx25SimplePoint* GetFirstPoint() const;
  Tgx25SimplePoint* GetSecondPoint() const;
  long double GetSize() const { return Line != nullptr ? Line->GetInternalSize() : -1; }
  float GetParentRadius() const { return Line != nullptr ? Line->Radius : 0; }
  // The radius of the outer edge of an arched frame side, the line's radius for other lines.
  double GetParentRadiusW() const;
  std::string GetProfile() const { return Line != nullptr ? Line->GetProfile() : ""; }
  void ExchangePointPos() { Inverted = !Inverted; }

  Tgx25Line* Line = nullptr;
  bool Inverted = false;
};

// A corner of a part's contour while the contour is rebuilt (a part divided or two joined): the
// point and the side that runs from it in the part's order.
struct TPartVertex {
  Tgx25SimplePoint* Point = nullptr;
  Tgx25Line* Line = nullptr;
  bool Inverted = false;
};

// One field of a frame-like element, bounded by its sides and imposts.
class TFalshPart : public Tgx25SelectedObject {
public:
  explicit TFalshPart(TAbstractFrame* Parent);
  ~TFalshPart() override;
  TModelObject* OwnerObject() const override;

  // Frees whatever fills the part.
  virtual void ClearObject() {}
  // The part that holds the element of this part; nullptr for a part of an outer frame.
  virtual TFalshPart* GetParentPart() const;
  // The frame (TFrame) and the frame-like element with profiles that this part belongs to.
  virtual TFrame* GetParentFrame() const;
  virtual TCustomFrame* GetParentCustomFrame() const;
  // This part or an object inside it with that identifier, nullptr when none.
  virtual TModelObject* FindObjectByInternalID(int32_t ID);
  // Each side's end order (Inverted) made to follow the order of the corners.
  virtual void SortContour();
  // The contour turned (corners and sides together) so that it starts at its bottom-left corner.
  virtual void NormalizePoints();
  // After the element's points were mirrored: the contour run the other way round (clockwise again)
  // from the same first corner, so that mirroring twice gives back the same part.
  virtual void MirrorPoints();

  Tgx25PartPoint* AddPoint(Tgx25SimplePoint* P);
  Tgx25PartLine* AddLine(Tgx25Line* Line, bool Inverted = false);
  // Index of the part line that refers to Line, -1 when none.
  int FindLine(const Tgx25Line* Line) const;
  // Cyclic neighbours in the part's contour.
  Tgx25PartPoint* NextPoint(int Index) const;
  Tgx25PartPoint* PriorPoint(int Index) const;
  Tgx25PartLine* NextLine(int Index) const;
  Tgx25PartLine* PriorLine(int Index) const;
  // The two parts share a side or an impost.
  bool HasCommonSideWith(const TFalshPart& Other) const;
  bool ImpostFound(const TCustomImpost* Impost) const;

  TContourDimensions GetDimensions() const;
  // Width and height of the contour: model units, and millimetres.
  TSize GetInternalSize() const;
  TSizeF GetSize() const;
  TPoint GetLeftTop() const;
  TRect GetBoundRect() const { return BoundRectOf(GetDimensions()); }

  // The part's contour with every side moved inwards by the offset of Kind plus Extra (FillProfile:
  // the profile of what is fitted into the part, for combination deltas; Selector: the glazing
  // contour of the glass, bead and adapter deltas).
  TFillContour CalcFillSize(TGetSizeInfo Kind, long double Extra, const std::string& FillProfile = "",
                            int Selector = 0) const;
  // Where the line through A and B crosses the part's contour; false unless it crosses twice. A
  // crossing at a corner lies on the side that the line meets more squarely there (a straight side
  // before an arc met as squarely, else the first side).
  bool FindImpostCrossPoints(const TPoint& A, const TPoint& B, TImpostCross& Cross) const;
  // The same for the line parallel to A-B, Distance to its right-hand side (on the screen).
  bool FindParallelImpostCrossPoints(const TPoint& A, const TPoint& B, long double Distance, TImpostCross& Cross) const;
  // A bar of the contour stands with an end on Impost.
  bool DependImpostFound(const TCustomImpost* Impost) const;
  // Point is a corner of the part or stands on one of its sides.
  bool DependPointLineFound(const Tgx25SimplePoint* Point) const;
  // Width and height of the field between the profiles of its sides (the gsiWidth contour), model
  // units.
  TSize GetFalshFrameSize() const;

  std::string No;
  std::vector<std::unique_ptr<Tgx25PartPoint>> Points;
  std::vector<std::unique_ptr<Tgx25PartLine>> Lines;
  TAbstractFrame* Parent = nullptr;
};

// A field of a glazing-bar frame.
class Tgx25SprossPart : public TFalshPart {
public:
  using TFalshPart::TFalshPart;
};

// A field of a frame, sash or modificator that is filled by glass, a sash, a modificator or a frame.
class Tgx30CustomPart : public TFalshPart {
public:
  explicit Tgx30CustomPart(TAbstractFrame* Parent);
  ~Tgx30CustomPart() override;

  // Frees glass, sash, modificator and frame; the part is then empty.
  void ClearObject() override;
  TModelObject* FindObjectByInternalID(int32_t ID) override;
  // Visits the glasses (with their bar frames) and the element that fills the part.
  void VisitContent(const TTreeVisitor& Visitor);

  // Each replaces the filling by a new one of its kind.
  Tgx25Glass* SetNewGlass(int32_t Contour, bool WithSecondGlass = false);
  TFlugel* SetNewFlugel();
  TkvModificator* SetNewModificator();
  TFrame* SetNewFrame(int32_t TypeWin = 0);

  // The sash, modificator or frame that fills the part, nullptr for glass or nothing.
  TCustomFrame* FillElement() const;
  // The sash of the field on the other side of the meeting stile that bounds this field.
  TFlugel* GetAnotherStulpFlugel() const;
  // Some side of the part carries a virtual profile.
  bool VirtualFrameProfExists() const;
  // Glazes the part with the article (a new glass when it holds none) and chooses its bead (of the
  // options' bead group when BeadGroup is -1).
  void ChangeGlass(const std::string& GlassArticle, int BeadGroup = -1);
  // ChangeGlass when the part can take glass (it holds glass or nothing); false otherwise.
  bool SetGlassIfPossible(const std::string& GlassArticle);

  TFillType FillType = ftNone;
  bool StulpPart = false;
  Tgx25Stulp* StulpPtr = nullptr;
  std::unique_ptr<Tgx25Glass> Glass;
  std::unique_ptr<Tgx25Glass> Glass2;
  // The glazing contour given with the glass (handed to the glass delta lookups).
  int32_t GlassContour = 0;
  std::unique_ptr<TFlugel> Flugel;
  std::unique_ptr<TkvModificator> Modificator;
  std::unique_ptr<TFrame> Frame;
};

}  // namespace kv
