// Elements that take their contour from the part that holds them: sashes (outer contour and rebate
// contour), modificators and the frames of false mullions and glazing bars on a glass; glazing a
// part; the full recalculation of an element and what fills its parts.
#include "catalogue/element_lookups.h"
#include "catalogue/profile_lookups.h"
#include "construction/fill_contour.h"
#include "construction/frames.h"
#include "construction/glass.h"
#include "shell/errors.h"

namespace kv {

namespace {

const TFalshPart& HoldingPart(const TAbstractFrame& Element) {
  const auto* part = dynamic_cast<const TFalshPart*>(Element.Parent);
  if (part == nullptr) throw ECreationError("Не найден раздел для заполнения!");
  return *part;
}

// The first profile of a construction element (its sides are alike for sashes and modificators).
std::string ElementProfile(int32_t ConsID) {
  for (const std::string& profile : GetConsElementInfo(ConsID).Prof)
    if (!profile.empty()) return profile;
  return "";
}

// The profile and colour of an element's first side.
std::string SideProfile(const TCustomFrame& Element) {
  return Element.Lines.empty() ? "" : Element.Lines[0]->GetProfile();
}

std::string SideColor(const TCustomFrame& Element) {
  const Tgx25FrameLine* side = Element.GetFrameLine(0);
  return side != nullptr ? side->Profile.Color : "";
}

// An element filling a part: its contour of kind Kind, its profiles, the weld allowance of the
// element above it, a base part, the corner cross points.
void BuildFilling(TCustomFrame& Element, TGetSizeInfo Kind, int32_t ConsID, const std::string& Color) {
  const std::string profile = ElementProfile(ConsID);
  Element.SetContour(HoldingPart(Element).CalcFillSize(Kind, 0, profile));
  Element.InitializeFrameProfiles(ConsID, Color);
  if (const TCustomFrame* above = Element.GetParentCustomFrame()) Element.WeldAllowance = above->WeldAllowance;
  if (Element.Parts.empty()) Element.AddBasePart();
}

// The contour taken anew from the holding part; a part that changed its number of corners gives
// the element anew.
void RefreshFilling(TCustomFrame& Element, TGetSizeInfo Kind) {
  const TFillContour contour = HoldingPart(Element).CalcFillSize(Kind, 0, SideProfile(Element));
  if (contour.size() == Element.Points.size()) {
    Element.SetContour(contour);
    return;
  }
  BuildFilling(Element, Kind, Element.ID, SideColor(Element));
}

const Tgx30CustomPart& GlassPart(const TAbstractFrame& Frame) {
  const auto* glass = dynamic_cast<const Tgx25Glass*>(Frame.Parent);
  if (glass == nullptr || glass->ParentPart == nullptr) throw ECreationError("Не найден раздел для заполнения!");
  return *glass->ParentPart;
}

void BuildBarFrame(TAbstractFrame& Frame, const TFillContour& Contour) {
  Frame.SetContour(Contour);
  if (Frame.Parts.empty()) Frame.AddBasePart();
}

}  // namespace

// --- sash ------------------------------------------------------------------------------------

void TFlugel::BuildInitial(int32_t ConsID, const std::string& Color) {
  BuildFilling(*this, gsiFlugel, ConsID, Color);
  SetFlugelFalzSize();
  UpdateXPoints();
}

void TFlugel::UpdateContourSize() {
  RefreshFilling(*this, gsiFlugel);
  SetFlugelFalzSize();
}

void TFlugel::SetFlugelFalzSize() {
  FalzContour = HoldingPart(*this).CalcFillSize(gsiFlugelFalz, 0, SideProfile(*this));
}

TContourDimensions TFlugel::GetFalzContourDimensions() const {
  TContourExtent extent;
  for (size_t i = 0; i < FalzContour.size(); ++i) {
    const TContourSide& side = FalzContour[i];
    extent.AddPoint(ExtendedPoint(side.Start));
    if (side.Radius != 0)
      extent.AddArc({ExtendedPoint(side.Start), ExtendedPoint(FalzContour[(i + 1) % FalzContour.size()].Start),
                     side.Center, side.Radius});
  }
  return extent.Result();
}

// --- modificator -----------------------------------------------------------------------------

void TkvModificator::BuildInitial(int32_t ConsID, const std::string& Color) {
  BuildFilling(*this, gsiModificator, ConsID, Color);
  UpdateXPoints();
}

void TkvModificator::UpdateContourSize() { SetModificatorSize(); }

void TkvModificator::SetModificatorSize() { RefreshFilling(*this, gsiModificator); }

// --- bar frames on a glass -------------------------------------------------------------------

void TFalshFrame::BuildInitial() { UpdateContourSize(); }

void TFalshFrame::UpdateContourSize() { BuildBarFrame(*this, GlassPart(*this).CalcFillSize(gsiWidth, 0)); }

void Tgx25SprossFrame::BuildInitial() { UpdateContourSize(); }

void Tgx25SprossFrame::UpdateContourSize() {
  // Glazing bars lie inside the glass unit, within its spacer frame.
  const Tgx30CustomPart& part = GlassPart(*this);
  BuildBarFrame(*this, part.CalcFillSize(gsiGlass, SideOffset(gsiSpross, nullptr), "", part.GlassContour));
}

// --- glazing a part --------------------------------------------------------------------------

void Tgx30CustomPart::ChangeGlass(const std::string& GlassArticle, int BeadGroup) {
  if (FillType != ftGlass || !Glass) SetNewGlass(GlassContour);
  Glass->SetValue(GlassArticle, BeadGroup);
}

bool Tgx30CustomPart::SetGlassIfPossible(const std::string& GlassArticle) {
  if (FillType != ftGlass && FillType != ftNone) return false;
  ChangeGlass(GlassArticle);
  return true;
}

// --- recalculation ---------------------------------------------------------------------------

void TAbstractFrame::FullRecalcPartObject(TFalshPart& Part) {
  auto* part = dynamic_cast<Tgx30CustomPart*>(&Part);
  if (part == nullptr) return;
  for (Tgx25Glass* glass : {part->Glass.get(), part->Glass2.get()})
    if (glass != nullptr && !glass->Glass.empty()) glass->FullRecalc();
  if (TCustomFrame* element = part->FillElement()) {
    element->UpdateContourSize();
    element->FullRecalc();
  }
}

void TAbstractFrame::CheckPartObject() {
  for (auto& part : Parts) FullRecalcPartObject(*part);
}

void TAbstractFrame::FullRecalc() {
  UpdateXPoints();
  CheckPartObject();
}

}  // namespace kv
