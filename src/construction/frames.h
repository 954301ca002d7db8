#pragma once
// Frame-like elements: the outer or nested frame, the sash, the modificator, and the frames of
// false mullions and glazing bars laid on a glass. Each owns its corner points, its sides (line i
// from point i to point i + 1, the last back to point 0), its dividing bars and its parts.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "construction/contour_types.h"
#include "construction/furn_comp.h"
#include "construction/imposts.h"
#include "construction/item_lists.h"
#include "construction/parts.h"
#include "geometry/contour_dimensions.h"

namespace kv {

class TFrame;
class TCustomFrame;

// Every contour starts at its leftmost corner, the lowest of those: A comes before B there.
bool StartsContourBefore(const TPoint& A, const TPoint& B);

class TAbstractFrame : public TModelObject {
public:
  explicit TAbstractFrame(TModelObject* Parent);
  ~TAbstractFrame() override;
  TModelObject* OwnerObject() const override { return Parent; }

  // Contour: points and lines are appended with this element as their owner.
  Tgx25Point* AddPoint(std::unique_ptr<Tgx25Point> Point);
  Tgx25Line* AddLine(std::unique_ptr<Tgx25Line> Line);
  // Line i runs from point i to point i + 1, the last line back to point 0.
  void UpdateLinePointPtr();
  TCustomImpost* AddImpost(std::unique_ptr<TCustomImpost> Impost);
  void ClearPoints();
  void ClearLines();
  void ClearImposts();
  void ClearParts();

  int IndexOfPoint(const Tgx25SimplePoint* Point) const;
  int IndexOfLine(const Tgx25Line* Line) const;
  // Cyclic neighbours of corner / side Index.
  Tgx25Point* NextPoint(int Index) const;
  Tgx25Point* PriorPoint(int Index) const;
  Tgx25Line* NextLine(int Index) const;
  Tgx25Line* PriorLine(int Index) const;
  // The inner angle of the contour at corner Index (the sides may be arcs).
  long double Angle(int Index) const;

  // Walk over the element's own dividing bars.
  TCustomImpost* GetFirstCustomImpost();
  TCustomImpost* GetNextCustomImpost();
  // The bar that stands with an end on Point, nullptr when none.
  virtual TCustomImpost* FindImpostByPoint(const Tgx25SimplePoint* Point) const;
  // The parts whose contour runs along the bar.
  std::vector<TFalshPart*> SeekDependentPart(const TCustomImpost* Impost) const;
  // How many bars other than Except stand with an end on Point.
  int CountImpostsOnPoint(const Tgx25SimplePoint* Point, const TCustomImpost* Except) const;
  // Another bar than Impost stands on Point.
  bool PointHasAnotherChild(const Tgx25SimplePoint* Point, const TCustomImpost* Impost) const;
  // Bars other than the two given stand on Point.
  bool PointHasAnotherChildren(const Tgx25SimplePoint* Point, const TCustomImpost* Impost1,
                               const TCustomImpost* Impost2) const;
  // More than one bar stands on Point.
  bool PointHasManyChild(const Tgx25SimplePoint* Point) const;
  // Another bar shares one of the end points of Impost.
  bool PointHasBrother(const TCustomImpost* Impost) const;
  // The order (or whatever holds the construction) above this element, nullptr when none.
  TModelObject* GetParentOrder() const;
  // The last part of the list, nullptr when there is none.
  TFalshPart* GetBasePart() const;

  // Creates a part whose contour is the element's own (a copy of its points and sides) and appends it.
  virtual TFalshPart* AddBasePart();
  // Removes a part or a bar (with the end points that nothing else uses); false when not found.
  virtual bool FreePart(TFalshPart* Part);
  virtual bool FreeImpost(TCustomImpost* Impost);
  // Moves the element and everything in it by Vector.
  virtual void NormalizePosition(const TPoint& Vector);
  // Position of the element in the list that holds it (parts of the parent element, frames of the
  // construction), -1 when it is held by none.
  virtual int GetParentIndex() const;
  // The nearest frame (TFrame) and frame-like element with profiles above this element.
  virtual TFrame* GetParentFrame() const;
  virtual TCustomFrame* GetParentCustomFrame() const;

  TContourDimensions GetDimensions() const;
  // Visits this element, everything it owns and everything below it.
  void VisitTree(const TTreeVisitor& Visitor);
  TModelObject* FindObjectByInternalID(int32_t ID);

  void ClearInternalPartCounter();
  // Names the bars, parts, glasses and filling elements below this element; counters run on Root.
  // FrameTag is the frame's number among several frames, empty for a single frame. Here: the
  // bars "I.%d" and the parts "%d" of a bar frame, counted on the element itself.
  virtual void RebuildPartsIndex(TAbstractFrame& Root, const std::string& FrameTag);

  // --- contours and sizes ---
  // The element's own contour with every side moved inwards by the offset of Kind plus Extra;
  // FillProfile is the profile of what is fitted into it (for combination deltas), Selector picks the
  // column of the glass, bead and adapter deltas (the glazing contour).
  TFillContour CalcFillSize(TGetSizeInfo Kind, long double Extra, const std::string& FillProfile = "",
                            int Selector = 0) const;
  // The contour made Contour: corners moved in place when their number matches, otherwise the
  // contour is built anew and the bars and parts are cleared.
  void SetContour(const TFillContour& Contour);
  // Corner cross points with the bar sizes of the sides, then the outlines and sizes of the bars.
  virtual void UpdateXPoints();
  // Takes the contour anew from the part that holds the element (sashes, modificators, bar frames).
  virtual void UpdateContourSize() {}
  // Recalculates what fills every part.
  virtual void CheckPartObject();
  virtual void FullRecalcPartObject(TFalshPart& Part);
  // Everything below the element from its contour: cross points, bars, parts and their fillings.
  virtual void FullRecalc();
  // Divides Part along Impost (whose ends lie on two sides of the part) into two parts.
  virtual void SplitPart(TFalshPart& Part, TCustomImpost& Impost);
  // Inserts a bar into a part and divides the part; nullptr when nothing was inserted.
  virtual TCustomImpost* SetNewImpost(const TNewImpost& Params);
  // Deletes a bar and joins the two parts on its sides into one, which keeps the filling of the
  // first; the bar's end points go where nothing else stands on them; everything is recalculated.
  // ECreationError "Удаление невозможно. На импост опираются другие объекты!" when a bar stands on
  // it, "Не найден импост в разделе!" when it does not divide two parts of this element.
  virtual void Merge(TCustomImpost& Impost);
  // Every bar end put back onto the line it stands on, after the contour moved.
  void CheckImpostPointCoordinate();
  // After the contour moved: every part still runs clockwise and no two of its sides cross;
  // ECreationError "Разделы конструкции пересекаются! Новый размер недопустим." otherwise.
  void CheckPartLineCrossing() const;
  // Moves a bar: smXPoint / smYPoint to a coordinate (asking which end of a slanted bar takes it),
  // smXDelta / smYDelta by a distance, smLeft / smRight / smTop / smBottom as far as it can go; then
  // everything is recalculated. ECreationError when the move is not possible.
  void ShiftImpost(TCustomImpost& Impost, TShiftMode Mode, long double Value);
  // Resizes the contour to NewSize (millimetres), the corner points on the extremes moving as the
  // modes say; the bars follow. The construction's backup copy is taken first: when the new
  // contour cannot be derived the error propagates and the caller restores that copy.
  virtual void SetNewSize(const TSizeF& NewSize, TShiftMode XMode, TShiftMode YMode);

  // Turns the contour (corners and sides together) so that it starts at its bottom-left corner.
  // Frames with profiles do so after a change of the contour; bar frames when they are mirrored.
  virtual void NormalizePoints();
  // Mirrors the element and everything in it about the vertical line x = Axis2 / 2: the contour
  // runs clockwise again from its bottom-left corner, bars keep end 1 on the left, part contours
  // follow. Derived geometry is left to the following FullRecalc.
  virtual void MirrorPointsX(int32_t Axis2);

  int32_t InternalID = 0;
  std::string Name;
  std::vector<std::unique_ptr<Tgx25Point>> Points;
  std::vector<std::unique_ptr<Tgx25Line>> Lines;
  std::vector<std::unique_ptr<TCustomImpost>> Imposts;
  std::vector<std::unique_ptr<TFalshPart>> Parts;
  TModelObject* Parent = nullptr;
  bool DrawHidden = false;
  int32_t InternalFillTypeIndex = 0;
  int32_t InternalFramePartIndex = 0;
  int32_t InternalFlugelPartIndex = 0;
  int32_t InternalModificatorPartIndex = 0;
  int32_t InternalGlassPartIndex = 0;
  int32_t InternalGlassSetIndex = 0;
  int32_t InternalImpostPartIndex = 0;
  int32_t InternalStulpPartIndex = 0;
  int32_t InternalImpostIndex = 0;
  int32_t InternalFalshPartIndex = 0;

protected:
  // A new, empty part of the kind this element holds.
  virtual std::unique_ptr<TFalshPart> CreatePart() = 0;
  // The corner, side and bar classes of this element.
  virtual std::unique_ptr<Tgx25Point> CreateContourPoint(const TPoint& P);
  virtual std::unique_ptr<Tgx25Line> CreateContourLine();
  virtual std::unique_ptr<TCustomImpost> CreateImpost(TkvLineType Kind, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2);
  // Moves the contour and what stands on it to the new corner positions (resize).
  void MoveContour(const TFillContour& Contour);
  // Index of Part in Parts, -1 when absent.
  int IndexOfPart(const TFalshPart* Part) const;

private:
  // Deletes an end point of a removed bar from the line or bar that owns it, when no other bar uses it.
  void DeleteImpostPointsIfPossible(TCustomImpost& Impost);

  int FImpostCursor = -1;
};

// A frame-like element built of real profiles.
class TCustomFrame : public TAbstractFrame {
public:
  using TAbstractFrame::TAbstractFrame;

  // Inserts a meeting stile into a part as SetNewImpost inserts a bar (Params.Kind is ignored): the
  // two fields it divides become the fields of a pair of sashes, the upper or left one the primary
  // field; SlaveProfile, when given, is the second stile on the other sash, in the stile's colour.
  // Both stiles get their default steel. nullptr when nothing was inserted.
  Tgx25Stulp* SetNewStulp_(const TNewImpost& Params, const std::string& SlaveProfile);
  // Stores Millimetres x 10 here and in the sash, modificator and nested frame of every part.
  void SetWeldAllowance(float Millimetres);
  // The corner and side of the contour, typed.
  Tgx25FramePoint* GetFramePoint(int Index) const;
  Tgx25FrameLine* GetFrameLine(int Index) const;
  // The sides compute their bar sizes from the corner cross points.
  void CalcProfSizes();
  void RebuildPartsIndex(TAbstractFrame& Root, const std::string& FrameTag) override;
  void UpdateXPoints() override;
  // Where the prior side of corner Index moved inwards by DPrior meets the next side moved by DNext.
  TPoint CalcXPoint(int Index, long double DPrior, long double DNext) const;
  // Profile, steel and colour of every side and the joint of every corner from the catalogue's
  // construction element ConsID (sides by direction: left, top, right, bottom).
  void InitializeFrameProfiles(int32_t ConsID, const std::string& Color);

  int32_t ID = 0;
  bool DrawSelected = false;
  float WeldAllowance = 0;
  TWinAccessoryList AccList;
  TStringList PropList;

protected:
  std::unique_ptr<TFalshPart> CreatePart() override;
  std::unique_ptr<Tgx25Point> CreateContourPoint(const TPoint& P) override;
  std::unique_ptr<Tgx25Line> CreateContourLine() override;
  std::unique_ptr<TCustomImpost> CreateImpost(TkvLineType Kind, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2) override;
};

// An outer frame of the construction or a frame nested in a part.
class TFrame : public TCustomFrame {
public:
  TFrame(TModelObject* Parent, int32_t TypeWin);

  void NormalizePosition(const TPoint& Vector) override;
  int GetParentIndex() const override;
  void SetLeftTop(const TPoint& P) { LeftTop = P; }
  // Builds the contour of the figure from the user's sizes with the profiles and colours of the
  // catalogue construction type TypeWin (ProfColor, when empty, becomes the system's base colour).
  void BuildInitial(const TInitialSize& Size);
  // Resizes and then moves the construction back to the origin.
  void SetNewSize(const TSizeF& NewSize, TShiftMode XMode, TShiftMode YMode) override;
  // LeftTop follows the mirrored contour.
  void MirrorPointsX(int32_t Axis2) override;

  int32_t TypeWin = 0;
  TObjType ObjType = otxWindow;
  std::string Article;
  // The name stored after the article (the display number is TAbstractFrame::Name).
  std::string ArticleName;
  std::string ProfSys;
  std::string FurnSys;
  std::string ProfColor;
  std::string FurnColor;
  int32_t MatType = 0;
  int32_t StaticMethod = 0;
  TStringList Note;
  TColorProf WasserAbdeckkappe;
  TColorProf Auflaufbock;
  std::string FlugelRubberColor;
  std::string ProfRubberColor;
  std::string BeadRubberColor;
  TPoint LeftTop;
  bool Hidden = false;
  TCutMapList CutMap;
  TMatList Materials;
  TNetList Mosquitos;
  float RubberCount = 0;
  bool DoSummaryMatList = false;
};

// The insect net of a sash; empty Article without a net.
struct TAccessoryFrame {
  std::string Article;
  int32_t Width = 0;
  int32_t Height = 0;
  friend bool operator==(const TAccessoryFrame&, const TAccessoryFrame&) = default;
};

// A sash hung in a part.
class TFlugel : public TCustomFrame {
public:
  explicit TFlugel(TModelObject* Parent);
  ~TFlugel() override;

  void SetMosquito(const TAccessoryFrame& Net) { Mosquito = Net; }
  void SetKipp(bool Value) { Kipp = Value; }
  // The sash of the construction element ConsID in Color, its contour from the holding part.
  void BuildInitial(int32_t ConsID, const std::string& Color);
  void UpdateContourSize() override;
  // The rebate contour of the sash (kind gsiFlugelFalz of the holding part).
  void SetFlugelFalzSize();
  TContourDimensions GetFalzContourDimensions() const;

  // The rebate contour: the sash's size in the frame's rebate, for the fittings.
  TFillContour FalzContour;

  std::unique_ptr<TFurnComp> FurnComp;
  std::unique_ptr<TSockel> Sockel;
  TAccessoryFrame Mosquito;
  bool Kipp = false;
};

// A frame-like element of modifying profiles that fills a part in place of a sash.
class TkvModificator : public TCustomFrame {
public:
  using TCustomFrame::TCustomFrame;
  // The modificator of the construction element ConsID in Color, its contour from the holding part.
  void BuildInitial(int32_t ConsID, const std::string& Color);
  void UpdateContourSize() override;
  void SetModificatorSize();
};

// The frame of false mullions laid on one glass.
class TFalshFrame : public TAbstractFrame {
public:
  using TAbstractFrame::TAbstractFrame;
  // The contour of the glass's part inside the profile widths, with its base part.
  void BuildInitial();
  void UpdateContourSize() override;

protected:
  std::unique_ptr<TFalshPart> CreatePart() override;
  std::unique_ptr<TCustomImpost> CreateImpost(TkvLineType Kind, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2) override;
};

// The frame of glazing bars inside one glass.
class Tgx25SprossFrame : public TAbstractFrame {
public:
  using TAbstractFrame::TAbstractFrame;
  // The contour of the glass's part inside the glazing-bar frame, with its base part.
  void BuildInitial();
  void UpdateContourSize() override;

protected:
  std::unique_ptr<TFalshPart> CreatePart() override;
  std::unique_ptr<TCustomImpost> CreateImpost(TkvLineType Kind, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2) override;
};

}  // namespace kv
