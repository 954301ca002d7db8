#pragma once
// The glass of a glazed part: the glass article with its bead, adapter and seals, the contours of
// the glass, the bead and the adapter derived from the part, the setting blocks, and the optional
// frames of false mullions and glazing bars laid on it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "construction/contour_types.h"
#include "construction/item_lists.h"
#include "construction/lines.h"
#include "construction/parts.h"
#include "construction/profiles.h"
#include "geometry/contour_dimensions.h"
#include "geometry/geometry_types.h"

namespace kv {

class Tgx30CustomPart;
class TFalshFrame;
class Tgx25SprossFrame;

// A closed contour of plain points and lines (line i from point i to point i + 1, the last back to
// point 0). The points and lines of a glass contour are bead-corner and bead-bar objects.
class Tgx25SimpleFrame : public TModelObject {
public:
  explicit Tgx25SimpleFrame(TModelObject* Owner = nullptr) : Owner(Owner) {}
  TModelObject* OwnerObject() const override { return Owner; }

  void Clear();
  void ClearPoints();
  void ClearLines();
  Tgx25SimplePoint* NextPoint(int Index) const;
  Tgx25SimplePoint* PriorPoint(int Index) const;
  Tgx25SimpleLine* PriorLine(int Index) const;
  void UpdateLinePointPtr();
  // Starts the contour at its bottom-left corner; "Нарушен порядок в контуре GlassFrame!" when it
  // runs counter-clockwise (the offsets turned it inside out).
  void SortPoints();
  // Reverses the order of the corners (the arcs keep their circles).
  void ChangePointDirection();
  // The inner angle at corner Index; the radius of side Index.
  long double Angle(int Index) const;
  float Radius(int Index) const;
  // Same corners and same radii in the same order.
  bool EqualContour(const Tgx25SimpleFrame& Other) const;
  // The contour made Contour, with new points and lines.
  void SetContour(const TFillContour& Contour);

  TContourDimensions GetDimensions() const;
  // Width and height of the bounding box, model units.
  TSize GetInternalSize() const;

  std::vector<std::unique_ptr<Tgx25SimplePoint>> Points;
  std::vector<std::unique_ptr<Tgx25SimpleLine>> Lines;
  TModelObject* Owner = nullptr;
};

// The contour of a bead or an adapter: its bars with their cross points and sizes. The contour is
// the visible edge; each bar lies outside it by the profile's width.
class Tgx25BeadFrame : public Tgx25SimpleFrame {
public:
  using Tgx25SimpleFrame::Tgx25SimpleFrame;

  // Every corner of a bead is mitred.
  void UpdateAngleType();
  // Corner cross points with the profile's width, then the bar of every side.
  void UpdateXPoints();
  // Where the prior side of corner Index moved inwards by DPrior meets the next side moved by DNext.
  TPoint CalcXPoint(int Index, long double DPrior, long double DNext) const;
  // Bar numbers "%d" in contour order.
  void RebuildPartsIndex();

  std::string Profile;
  std::vector<std::string> BarNumbers;
};

// A glazing packer of the glass and how many of it.
struct Tgx25GlassLining {
  static Tgx25GlassLining CreateInit(const std::string& ID, int32_t Num) { return {ID, Num}; }
  std::string ID;
  int32_t Num = 0;
  friend bool operator==(const Tgx25GlassLining&, const Tgx25GlassLining&) = default;
};

// The bead group of the options (DefOrderBeadGrp), asked for when no group is given.
inline constexpr int kDefaultBeadGroup = -1;

class Tgx25Glass : public Tgx25SelectedObject {
public:
  Tgx25Glass(Tgx30CustomPart* ParentPart, int32_t Contour);
  ~Tgx25Glass() override;
  TModelObject* OwnerObject() const override;

  TFalshFrame* CreateFalshFrame();
  Tgx25SprossFrame* CreateSprossFrame();
  void ClearFalshFrame();
  void ClearSprossFrame();
  bool FalshExists() const { return FalshFrame != nullptr; }
  bool SprossExists() const { return SprossFrame != nullptr; }

  // The glass article with its thickness from the catalogue, the bead chosen for it in the colour
  // of the parent frame, and the contours.
  void SetValue(const std::string& GlassArticle, int BeadGroup = kDefaultBeadGroup);
  // The bead chosen anew (the current one kept while the catalogue still allows it), the contours,
  // the size check, the bar frames resized, the packers.
  void UpdateGlass(int BeadGroup = kDefaultBeadGroup);
  // The same with the bar frames fully recalculated.
  void FullRecalc(int BeadGroup = kDefaultBeadGroup);
  // The contours and the size check with the bead kept; the bar frames resized.
  void UpdateSize();
  void ChangeGlass(const std::string& GlassArticle, int BeadGroup = kDefaultBeadGroup) {
    SetValue(GlassArticle, BeadGroup);
  }
  // Bead, adapter and seals in the colour (or the bead's catalogue substitute).
  void ApplyNewColor(const std::string& Color);
  void SetAdapterSize();
  void SetGlassSize();
  void SetBeadSize();
  // EInterfaceError when the glass contour exceeds the catalogue's largest size or does not exceed
  // its smallest (strict comparisons, the glass may be turned).
  void CheckGlassSize(const std::string& GlassArticle) const;
  void SetGlassLining(int64_t CombID);
  void RecalcFalsh();
  void RecalcSpross();

  // Becomes a copy of Source through its stream record, staying in its own part; a record that
  // cannot be copied raises "Ошибка копирования заполнения!" with the reason.
  void Assign(const Tgx25Glass& Source);

  // The profile of the element the glass sits in, and its colour.
  std::string GetFrameProfile() const;
  std::string GetFrameColor() const;

  // Measures of the glass contour.
  TContourDimensions GetDimensions() const { return GlassSizes.GetDimensions(); }
  TSize GetInternalSize() const { return GlassSizes.GetInternalSize(); }
  // Millimetres; GetSizeInt rounded to whole millimetres.
  TSizeF GetRealSize() const;
  TSize GetSizeInt() const;
  TPoint GetLeftTop() const;
  TRect GetBoundRect() const;
  // Square metres of the bounding rectangle (4 decimals); metres of the side chords.
  long double Square() const;
  long double Perimeter() const;
  bool StdGlass() const;
  int GetStdAngleCount() const;
  int GetNotStdAngleCount() const;
  int GetArcCount() const;
  int GetFalshPartCount() const;
  int GetFalshCount() const;
  int GetStdFalshCount() const;
  int GetNotStdFalshCount() const;
  int GetSprossPartCount() const;
  int GetSprossCount() const;
  int GetStdSprossCount() const;
  int GetNotStdSprossCount() const;
  // Panes of the article: 1 for a single glass, else the glass layers of the unit's formula
  // ("4M1-16-4M1" has two).
  int GetSimpleGlassCount() const;
  // "R[%d] = %.1f" (and "R2[%d] = %.1f") per arched side, joined by "\r\n".
  std::string GetRadiusInfo() const;
  // The glazing bars as "%d x %s" per profile, joined by "\r\n".
  std::string GetSprossInfo() const;
  bool EqualSizeContour(const Tgx25Glass& Other) const;
  bool EqualSprossContour(const Tgx25Glass& Other) const;

  // The glass's number in the drawings ("G.%d%s"), the first string stored with the glass.
  std::string No;
  std::string Glass;
  int64_t CombineID = 0;
  int32_t Thickness = 0;
  int32_t Contour = 0;
  TColorProf Bead;
  TColorProf Adapter;
  TColorProf ProfRubber;
  TColorProf BeadRubber;
  Tgx25SimpleFrame GlassSizes{this};
  Tgx25BeadFrame BeadSizes{this};
  Tgx25BeadFrame AdapterSizes{this};
  // The two strings stored after the contours, carried unchanged.
  std::string CarriedText1;
  std::string CarriedText2;
  std::vector<Tgx25GlassLining> Linings;
  TCustMatList MatList;
  std::unique_ptr<Tgx25SprossFrame> SprossFrame;
  std::unique_ptr<TFalshFrame> FalshFrame;
  Tgx30CustomPart* ParentPart = nullptr;

private:
  void ChooseBead(int BeadGroup);
};

}  // namespace kv
