#include "construction/parts.h"

#include <algorithm>

#include "catalogue/profile_lookups.h"
#include "construction/frames.h"
#include "construction/glass.h"
#include "construction/owned_lists.h"
#include "shell/rounding.h"

namespace kv {

namespace {

void VisitGlass(Tgx25Glass* Glass, const TTreeVisitor& Visitor) {
  if (Glass == nullptr) return;
  Visitor.Selectable(*Glass);
  if (Glass->FalshFrame) Glass->FalshFrame->VisitTree(Visitor);
  if (Glass->SprossFrame) Glass->SprossFrame->VisitTree(Visitor);
}

}  // namespace

TTreeVisitor InternalIDSearch(int32_t ID, TModelObject*& Found) {
  return {[ID, &Found](TAbstractFrame& element) {
            if (Found == nullptr && element.InternalID == ID) Found = &element;
          },
          [ID, &Found](Tgx25SelectedObject& object) {
            if (Found == nullptr && object.InternalID == ID) Found = &object;
          }};
}

TRect BoundRectOf(const TContourDimensions& D) { return {D.Left.X, D.Top.Y, D.Right.X, D.Bottom.Y}; }

// --- Tgx25PartLine ---------------------------------------------------------------------------

void Tgx25PartLine::SetLine(Tgx25Line* NewLine, bool NewInverted) {
  Line = NewLine;
  Inverted = NewInverted;
}

Tgx25SimplePoint* Tgx25PartLine::GetFirstPoint() const {
  if (Line == nullptr) return nullptr;
  return Inverted ? Line->PX2 : Line->PX1;
}

Tgx25SimplePoint* Tgx25PartLine::GetSecondPoint() const {
  if (Line == nullptr) return nullptr;
  return Inverted ? Line->PX1 : Line->PX2;
}

double Tgx25PartLine::GetParentRadiusW() const {
  if (const auto* side = dynamic_cast<const Tgx25FrameLine*>(Line)) return side->RadiusW;
  return GetParentRadius();
}

// --- TFalshPart ------------------------------------------------------------------------------

TFalshPart::TFalshPart(TAbstractFrame* Parent) : Parent(Parent) {}

TFalshPart::~TFalshPart() = default;

TModelObject* TFalshPart::OwnerObject() const { return Parent; }

TFalshPart* TFalshPart::GetParentPart() const {
  return Parent != nullptr ? dynamic_cast<TFalshPart*>(Parent->OwnerObject()) : nullptr;
}

TFrame* TFalshPart::GetParentFrame() const { return FindModelAncestor<TFrame>(Parent); }

TCustomFrame* TFalshPart::GetParentCustomFrame() const { return FindModelAncestor<TCustomFrame>(Parent); }

TModelObject* TFalshPart::FindObjectByInternalID(int32_t ID) { return InternalID == ID ? this : nullptr; }

Tgx25PartPoint* TFalshPart::AddPoint(Tgx25SimplePoint* P) {
  Points.push_back(std::make_unique<Tgx25PartPoint>(P));
  return Points.back().get();
}

Tgx25PartLine* TFalshPart::AddLine(Tgx25Line* Line, bool Inverted) {
  Lines.push_back(std::make_unique<Tgx25PartLine>(Line, Inverted));
  return Lines.back().get();
}

int TFalshPart::FindLine(const Tgx25Line* Line) const {
  const auto found =
      std::find_if(Lines.begin(), Lines.end(), [&](const auto& line) { return line->GetLine() == Line; });
  return found == Lines.end() ? -1 : static_cast<int>(found - Lines.begin());
}

Tgx25PartPoint* TFalshPart::NextPoint(int Index) const { return CyclicItem(Points, Index + 1); }

Tgx25PartPoint* TFalshPart::PriorPoint(int Index) const { return CyclicItem(Points, Index - 1); }

Tgx25PartLine* TFalshPart::NextLine(int Index) const { return CyclicItem(Lines, Index + 1); }

Tgx25PartLine* TFalshPart::PriorLine(int Index) const { return CyclicItem(Lines, Index - 1); }

bool TFalshPart::HasCommonSideWith(const TFalshPart& Other) const {
  return std::any_of(Lines.begin(), Lines.end(),
                     [&](const auto& line) { return Other.FindLine(line->GetLine()) >= 0; });
}

bool TFalshPart::ImpostFound(const TCustomImpost* Impost) const { return FindLine(Impost) >= 0; }

TContourDimensions TFalshPart::GetDimensions() const {
  if (Points.empty()) return {};
  return GetPartContourDimensions(Points, Lines);
}

TSize TFalshPart::GetInternalSize() const {
  const TRect bounds = GetBoundRect();
  return {bounds.Width(), bounds.Height()};
}

TSizeF TFalshPart::GetSize() const {
  const TSize size = GetInternalSize();
  return {GetSize10(static_cast<float>(size.Width)), GetSize10(static_cast<float>(size.Height))};
}

TPoint TFalshPart::GetLeftTop() const {
  const TRect bounds = GetBoundRect();
  return {bounds.Left, bounds.Top};
}

// --- Tgx30CustomPart -------------------------------------------------------------------------

Tgx30CustomPart::Tgx30CustomPart(TAbstractFrame* Parent) : TFalshPart(Parent) {}

Tgx30CustomPart::~Tgx30CustomPart() = default;

void Tgx30CustomPart::ClearObject() {
  Glass.reset();
  Glass2.reset();
  Flugel.reset();
  Modificator.reset();
  Frame.reset();
  FillType = ftNone;
}

TModelObject* Tgx30CustomPart::FindObjectByInternalID(int32_t ID) {
  TModelObject* found = TFalshPart::FindObjectByInternalID(ID);
  if (found == nullptr) VisitContent(InternalIDSearch(ID, found));
  return found;
}

void Tgx30CustomPart::VisitContent(const TTreeVisitor& Visitor) {
  VisitGlass(Glass.get(), Visitor);
  VisitGlass(Glass2.get(), Visitor);
  if (TCustomFrame* element = FillElement()) element->VisitTree(Visitor);
}

Tgx25Glass* Tgx30CustomPart::SetNewGlass(int32_t Contour, bool WithSecondGlass) {
  ClearObject();
  GlassContour = Contour;
  Glass = std::make_unique<Tgx25Glass>(this, Contour);
  if (WithSecondGlass) Glass2 = std::make_unique<Tgx25Glass>(this, Contour);
  FillType = ftGlass;
  return Glass.get();
}

TFlugel* Tgx30CustomPart::SetNewFlugel() {
  ClearObject();
  Flugel = std::make_unique<TFlugel>(this);
  FillType = ftFlugel;
  return Flugel.get();
}

TkvModificator* Tgx30CustomPart::SetNewModificator() {
  ClearObject();
  Modificator = std::make_unique<TkvModificator>(this);
  FillType = ftModificator;
  return Modificator.get();
}

TFrame* Tgx30CustomPart::SetNewFrame(int32_t TypeWin) {
  ClearObject();
  Frame = std::make_unique<TFrame>(this, TypeWin);
  FillType = ftFrame;
  return Frame.get();
}

TCustomFrame* Tgx30CustomPart::FillElement() const {
  switch (FillType) {
    case ftFlugel: return Flugel.get();
    case ftModificator: return Modificator.get();
    case ftFrame: return Frame.get();
    default: return nullptr;
  }
}

TFlugel* Tgx30CustomPart::GetAnotherStulpFlugel() const {
  if (StulpPtr == nullptr) return nullptr;
  const Tgx30CustomPart* other = StulpPtr->PrimaryPartPtr == this ? StulpPtr->SlavePartPtr : StulpPtr->PrimaryPartPtr;
  return other != nullptr && other != this ? other->Flugel.get() : nullptr;
}

bool Tgx30CustomPart::VirtualFrameProfExists() const {
  return std::any_of(Lines.begin(), Lines.end(), [](const auto& line) {
    const std::string profile = line->GetProfile();
    return !profile.empty() && VirtualProfile(profile);
  });
}

}  // namespace kv
