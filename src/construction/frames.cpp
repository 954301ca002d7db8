#include "construction/frames.h"

#include <algorithm>

#include "construction/construction.h"
#include "construction/glass.h"
#include "construction/owned_lists.h"
#include "geometry/angles.h"
#include "geometry/point_ops.h"
#include "shell/random.h"
#include "shell/rounding.h"

namespace kv {

namespace {

bool StandsOn(const TCustomImpost& Impost, const Tgx25SimplePoint* Point) {
  return Impost.PX1 == Point || Impost.PX2 == Point;
}

}  // namespace

// --- TAbstractFrame: contour -----------------------------------------------------------------

TAbstractFrame::TAbstractFrame(TModelObject* Parent) : InternalID(GetRandomID()), Parent(Parent) {}

TAbstractFrame::~TAbstractFrame() {
  // Parts refer to lines and points, and bars to points owned by lines: free the referrers first.
  Parts.clear();
  Imposts.clear();
  Lines.clear();
}

Tgx25Point* TAbstractFrame::AddPoint(std::unique_ptr<Tgx25Point> Point) {
  Point->Owner = this;
  Points.push_back(std::move(Point));
  return Points.back().get();
}

Tgx25Line* TAbstractFrame::AddLine(std::unique_ptr<Tgx25Line> Line) {
  Line->Owner = this;
  Lines.push_back(std::move(Line));
  return Lines.back().get();
}

void TAbstractFrame::UpdateLinePointPtr() {
  const size_t count = std::min(Points.size(), Lines.size());
  for (size_t i = 0; i < count; ++i) {
    Lines[i]->PX1 = Points[i].get();
    Lines[i]->PX2 = Points[(i + 1) % Points.size()].get();
  }
}

TCustomImpost* TAbstractFrame::AddImpost(std::unique_ptr<TCustomImpost> Impost) {
  Impost->Owner = this;
  Imposts.push_back(std::move(Impost));
  return Imposts.back().get();
}

void TAbstractFrame::ClearPoints() {
  for (auto& line : Lines) line->PX1 = line->PX2 = nullptr;
  Points.clear();
}

void TAbstractFrame::ClearLines() {
  ClearParts();
  Lines.clear();
}

void TAbstractFrame::ClearImposts() {
  ClearParts();
  Imposts.clear();
}

void TAbstractFrame::ClearParts() { Parts.clear(); }

int TAbstractFrame::IndexOfPoint(const Tgx25SimplePoint* Point) const { return IndexOfOwned(Points, Point); }

int TAbstractFrame::IndexOfLine(const Tgx25Line* Line) const { return IndexOfOwned(Lines, Line); }

int TAbstractFrame::IndexOfPart(const TFalshPart* Part) const { return IndexOfOwned(Parts, Part); }

Tgx25Point* TAbstractFrame::NextPoint(int Index) const { return CyclicItem(Points, Index + 1); }

Tgx25Point* TAbstractFrame::PriorPoint(int Index) const { return CyclicItem(Points, Index - 1); }

Tgx25Line* TAbstractFrame::NextLine(int Index) const { return CyclicItem(Lines, Index + 1); }

Tgx25Line* TAbstractFrame::PriorLine(int Index) const { return CyclicItem(Lines, Index - 1); }

long double TAbstractFrame::Angle(int Index) const {
  const Tgx25Line* prior = PriorLine(Index);
  const Tgx25Line* next = CyclicItem(Lines, Index);
  if (prior == nullptr || next == nullptr || static_cast<int>(Points.size()) < MIN_CONTOUR_POINT) return -1;
  const TPointF corner = ExtendedPoint(CyclicItem(Points, Index)->GetPoint());
  return GetAngle(ExtendedPoint(PriorPoint(Index)->GetPoint()), corner, ExtendedPoint(NextPoint(Index)->GetPoint()),
                  prior->Radius, next->Radius, prior->Center, next->Center);
}

// --- TAbstractFrame: bars and parts ----------------------------------------------------------

TCustomImpost* TAbstractFrame::GetFirstCustomImpost() {
  FImpostCursor = -1;
  return GetNextCustomImpost();
}

TCustomImpost* TAbstractFrame::GetNextCustomImpost() {
  if (FImpostCursor + 1 >= static_cast<int>(Imposts.size())) return nullptr;
  return Imposts[static_cast<size_t>(++FImpostCursor)].get();
}

TCustomImpost* TAbstractFrame::FindImpostByPoint(const Tgx25SimplePoint* Point) const {
  for (const auto& impost : Imposts)
    if (StandsOn(*impost, Point)) return impost.get();
  return nullptr;
}

std::vector<TFalshPart*> TAbstractFrame::SeekDependentPart(const TCustomImpost* Impost) const {
  std::vector<TFalshPart*> parts;
  for (const auto& part : Parts)
    if (part->ImpostFound(Impost)) parts.push_back(part.get());
  return parts;
}

int TAbstractFrame::CountImpostsOnPoint(const Tgx25SimplePoint* Point, const TCustomImpost* Except) const {
  return static_cast<int>(std::count_if(Imposts.begin(), Imposts.end(), [&](const auto& impost) {
    return impost.get() != Except && StandsOn(*impost, Point);
  }));
}

bool TAbstractFrame::PointHasAnotherChild(const Tgx25SimplePoint* Point, const TCustomImpost* Impost) const {
  return CountImpostsOnPoint(Point, Impost) > 0;
}

bool TAbstractFrame::PointHasAnotherChildren(const Tgx25SimplePoint* Point, const TCustomImpost* Impost1,
                                             const TCustomImpost* Impost2) const {
  const int standing_given = (Impost2 != nullptr && Impost2 != Impost1 && StandsOn(*Impost2, Point)) ? 1 : 0;
  return CountImpostsOnPoint(Point, Impost1) > standing_given;
}

bool TAbstractFrame::PointHasManyChild(const Tgx25SimplePoint* Point) const {
  return CountImpostsOnPoint(Point, nullptr) > 1;
}

bool TAbstractFrame::PointHasBrother(const TCustomImpost* Impost) const {
  return PointHasAnotherChild(Impost->PX1, Impost) || PointHasAnotherChild(Impost->PX2, Impost);
}

TModelObject* TAbstractFrame::GetParentOrder() const {
  const auto* construction = FindModelAncestor<Tgx25Construction>(Parent);
  return construction != nullptr ? construction->Owner : nullptr;
}

TFalshPart* TAbstractFrame::GetBasePart() const { return Parts.empty() ? nullptr : Parts.back().get(); }

TFalshPart* TAbstractFrame::AddBasePart() {
  std::unique_ptr<TFalshPart> part = CreatePart();
  for (const auto& point : Points) part->AddPoint(point.get());
  for (const auto& line : Lines) part->AddLine(line.get());
  Parts.push_back(std::move(part));
  return Parts.back().get();
}

bool TAbstractFrame::FreePart(TFalshPart* Part) { return RemoveOwned(Parts, Part); }

bool TAbstractFrame::FreeImpost(TCustomImpost* Impost) {
  const int index = IndexOfOwned(Imposts, Impost);
  if (index < 0) return false;
  DeleteImpostPointsIfPossible(*Impost);
  Imposts.erase(Imposts.begin() + index);
  return true;
}

void TAbstractFrame::DeleteImpostPointsIfPossible(TCustomImpost& Impost) {
  for (Tgx25SimplePoint* end : {Impost.PX1, Impost.PX2}) {
    if (end == nullptr || PointHasAnotherChild(end, &Impost)) continue;
    if (auto* line = dynamic_cast<Tgx25Line*>(end->Owner)) line->RemovePoint(end);
  }
  Impost.PX1 = Impost.PX2 = nullptr;
}

// --- TAbstractFrame: position, parents, visits -----------------------------------------------

void TAbstractFrame::NormalizePosition(const TPoint& Vector) {
  for (auto& point : Points) point->SumPoint(Vector);
  for (auto& line : Lines) line->MoveBy(Vector);
  for (auto& impost : Imposts) impost->MoveBy(Vector);
  for (auto& part : Parts) {
    auto* custom = dynamic_cast<Tgx30CustomPart*>(part.get());
    if (custom == nullptr) continue;
    for (Tgx25Glass* glass : {custom->Glass.get(), custom->Glass2.get()}) {
      if (glass == nullptr) continue;
      if (glass->FalshFrame) glass->FalshFrame->NormalizePosition(Vector);
      if (glass->SprossFrame) glass->SprossFrame->NormalizePosition(Vector);
    }
    if (TCustomFrame* element = custom->FillElement()) element->NormalizePosition(Vector);
  }
}

int TAbstractFrame::GetParentIndex() const {
  const auto* part = dynamic_cast<const TFalshPart*>(Parent);
  if (part == nullptr || part->Parent == nullptr) return -1;
  return part->Parent->IndexOfPart(part);
}

TFrame* TAbstractFrame::GetParentFrame() const { return FindModelAncestor<TFrame>(Parent); }

TCustomFrame* TAbstractFrame::GetParentCustomFrame() const { return FindModelAncestor<TCustomFrame>(Parent); }

TContourDimensions TAbstractFrame::GetDimensions() const {
  if (Points.empty()) return {};
  return GetContourDimensions(Points, Lines);
}

void TAbstractFrame::VisitTree(const TTreeVisitor& Visitor) {
  Visitor.Element(*this);
  for (auto& point : Points) Visitor.Selectable(*point);
  const auto visit_line = [&](Tgx25Line& line) {
    Visitor.Selectable(line);
    for (auto& p : line.Points) Visitor.Selectable(*p);
    for (auto& p : line.AnkerPoints) Visitor.Selectable(*p);
    for (auto& p : line.CutPoints) Visitor.Selectable(*p);
  };
  for (auto& line : Lines) visit_line(*line);
  for (auto& impost : Imposts) visit_line(*impost);
  for (auto& part : Parts) {
    Visitor.Selectable(*part);
    if (auto* custom = dynamic_cast<Tgx30CustomPart*>(part.get())) custom->VisitContent(Visitor);
  }
}

TModelObject* TAbstractFrame::FindObjectByInternalID(int32_t ID) {
  TModelObject* found = nullptr;
  VisitTree(InternalIDSearch(ID, found));
  return found;
}

// --- TCustomFrame ----------------------------------------------------------------------------

void TCustomFrame::SetWeldAllowance(float Millimetres) {
  WeldAllowance = SetSize10F(Millimetres);
  for (auto& part : Parts)
    if (auto* custom = dynamic_cast<Tgx30CustomPart*>(part.get()))
      if (TCustomFrame* element = custom->FillElement()) element->SetWeldAllowance(Millimetres);
}

Tgx25FramePoint* TCustomFrame::GetFramePoint(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(Points.size())) return nullptr;
  return dynamic_cast<Tgx25FramePoint*>(Points[static_cast<size_t>(Index)].get());
}

Tgx25FrameLine* TCustomFrame::GetFrameLine(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(Lines.size())) return nullptr;
  return dynamic_cast<Tgx25FrameLine*>(Lines[static_cast<size_t>(Index)].get());
}

void TCustomFrame::CalcProfSizes() {
  for (auto& line : Lines)
    if (auto* side = dynamic_cast<Tgx25FrameLine*>(line.get())) side->CalcProfSize();
}

std::unique_ptr<TFalshPart> TCustomFrame::CreatePart() { return std::make_unique<Tgx30CustomPart>(this); }

// --- TFrame, TFlugel, bar frames -------------------------------------------------------------

TFrame::TFrame(TModelObject* Parent, int32_t TypeWin) : TCustomFrame(Parent), TypeWin(TypeWin) {}

void TFrame::NormalizePosition(const TPoint& Vector) {
  TCustomFrame::NormalizePosition(Vector);
  LeftTop = SumPoint(LeftTop, Vector);
}

int TFrame::GetParentIndex() const {
  if (const auto* construction = dynamic_cast<const Tgx25Construction*>(Parent))
    return construction->IndexOfFrame(this);
  return TCustomFrame::GetParentIndex();
}

TFlugel::TFlugel(TModelObject* Parent) : TCustomFrame(Parent) {}

TFlugel::~TFlugel() = default;

std::unique_ptr<TFalshPart> TFalshFrame::CreatePart() { return std::make_unique<TFalshPart>(this); }

std::unique_ptr<TFalshPart> Tgx25SprossFrame::CreatePart() { return std::make_unique<Tgx25SprossPart>(this); }

}  // namespace kv
