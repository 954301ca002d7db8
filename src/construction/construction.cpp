#include "construction/construction.h"

#include <algorithm>

#include "construction/glass.h"
#include "construction/owned_lists.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"

namespace kv {

namespace {

template <class T>
T* As(TModelObject* Object) {
  return static_cast<T*>(Object);
}

void Widen(TContourDimensions& Total, const TContourDimensions& D) {
  if (D.Left.X < Total.Left.X) Total.Left = D.Left;
  if (D.Top.Y < Total.Top.Y) Total.Top = D.Top;
  if (D.Right.X > Total.Right.X) Total.Right = D.Right;
  if (D.Bottom.Y > Total.Bottom.Y) Total.Bottom = D.Bottom;
}

}  // namespace

Tgx25Construction::Tgx25Construction(TModelObject* Owner) : Owner(Owner) {}

Tgx25Construction::~Tgx25Construction() = default;

// --- frames ----------------------------------------------------------------------------------

TFrame* Tgx25Construction::GetFrame(int Index) const {
  if (Index < 0 || Index >= FrameCount()) return nullptr;
  return FFrames[static_cast<size_t>(Index)].get();
}

int Tgx25Construction::IndexOfFrame(const TFrame* Frame) const { return IndexOfOwned(FFrames, Frame); }

TFrame* Tgx25Construction::NewFrame(int32_t TypeWin) {
  if (FrameCount() >= MAX_FRAME_COUNT)
    throw ECreationError(Format("Изделие не может содержать более %d рам!", MAX_FRAME_COUNT));
  FFrames.push_back(std::make_unique<TFrame>(this, TypeWin));
  TFrame* frame = FFrames.back().get();
  UpdateNo();
  return frame;
}

bool Tgx25Construction::RemoveFrame(TFrame* Frame) {
  const int index = IndexOfFrame(Frame);
  if (index < 0) return false;
  FFrames.erase(FFrames.begin() + index);
  NormalizePosition();
  UpdateNo();
  return true;
}

void Tgx25Construction::ClearFrameList() { FFrames.clear(); }

void Tgx25Construction::Clear() {
  ClearFrameList();
  ClearItemLists();
}

void Tgx25Construction::ClearItemLists() {
  DopProfList.clear();
  MontMatList.clear();
  SillList.clear();
  SinkList.clear();
  MosquitoList.clear();
  RolletList.clear();
  JalousieList.clear();
  MatList.clear();
  EstimateList.clear();
  ServiceList.clear();
  AccessoryDocList.clear();
}

void Tgx25Construction::NormalizePosition() {
  if (FFrames.empty()) return;
  const TRect bounds = GetBoundRect();
  if (bounds.Left == 0 && bounds.Top == 0) return;
  const TPoint vector = {-bounds.Left, -bounds.Top};
  for (auto& frame : FFrames) frame->NormalizePosition(vector);
}

// --- measures --------------------------------------------------------------------------------

TContourDimensions Tgx25Construction::GetDimensions() const {
  TContourDimensions total;
  bool first = true;
  for (const auto& frame : FFrames) {
    if (frame->Points.empty()) continue;
    const TContourDimensions d = frame->GetDimensions();
    if (first)
      total = d;
    else
      Widen(total, d);
    first = false;
  }
  return total;
}

TRect Tgx25Construction::GetBoundRect() const { return BoundRectOf(GetDimensions()); }

TSizeF Tgx25Construction::GetSize() const {
  const TRect bounds = GetBoundRect();
  return {GetSize10(static_cast<float>(bounds.Width())), GetSize10(static_cast<float>(bounds.Height()))};
}

TSize Tgx25Construction::GetSizeInt() const {
  const TSizeF size = GetSize();
  return {GetRounded(size.Width), GetRounded(size.Height)};
}

long double Tgx25Construction::GetSquare() const {
  long double square = 0;
  for (const auto& frame : FFrames) {
    if (frame->Points.empty()) continue;
    const TRect bounds = BoundRectOf(frame->GetDimensions());
    square += static_cast<long double>(GetSize10(static_cast<float>(bounds.Width()))) *
              GetSize10(static_cast<float>(bounds.Height())) / 1000000;
  }
  return GetRoundedFloat(square, 4);
}

long double Tgx25Construction::GetPerimeter() const {
  long double perimeter = 0;
  for (const auto& frame : FFrames)
    for (const auto& line : frame->Lines) perimeter += line->GetRealArcLength();
  return perimeter / 1000;
}

// --- selection -------------------------------------------------------------------------------

void Tgx25Construction::VisitAll(const TTreeVisitor& Visitor) {
  for (auto& frame : FFrames) frame->VisitTree(Visitor);
}

void Tgx25Construction::Select(TModelObject* Object) {
  if (auto* selectable = dynamic_cast<Tgx25SelectedObject*>(Object)) selectable->DrawSelected = true;
  if (auto* element = dynamic_cast<TCustomFrame*>(Object)) element->DrawSelected = true;
}

void Tgx25Construction::UnSelectAll() {
  VisitAll({[](TAbstractFrame& element) {
              if (auto* custom = dynamic_cast<TCustomFrame*>(&element)) custom->DrawSelected = false;
            },
            [](Tgx25SelectedObject& object) { object.SetUnSelected(); }});
}

void Tgx25Construction::SetChecked(Tgx25SelectedObject* Object) {
  if (Object != nullptr) Object->Checked = true;
}

void Tgx25Construction::UnCheckAll() {
  VisitAll({[](TAbstractFrame&) {}, [](Tgx25SelectedObject& object) { object.SetUnChecked(); }});
}

void Tgx25Construction::ClearSelectedObject() {
  std::vector<Tgx30CustomPart*> selected;
  VisitAll({[](TAbstractFrame&) {},
            [&](Tgx25SelectedObject& object) {
              auto* part = dynamic_cast<Tgx30CustomPart*>(&object);
              if (part != nullptr && part->DrawSelected) selected.push_back(part);
            }});
  // A selected part inside the filling of another selected part is freed with it.
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) (*it)->ClearObject();
}

TModelObject* Tgx25Construction::FindObjectByInternalID(int32_t ID) {
  for (auto& frame : FFrames)
    if (TModelObject* found = frame->FindObjectByInternalID(ID)) return found;
  return nullptr;
}

void Tgx25Construction::SetHidden() {
  for (auto& frame : FFrames) frame->Hidden = true;
}

void Tgx25Construction::SetVisible() {
  for (auto& frame : FFrames) frame->Hidden = false;
}

// --- walks -----------------------------------------------------------------------------------

TModelObject* Tgx25Construction::FirstOfWalk(TWalkKind Kind) {
  return FWalkCursors[static_cast<size_t>(Kind)].First(*this, Kind);
}

TModelObject* Tgx25Construction::NextOfWalk(TWalkKind Kind) {
  return FWalkCursors[static_cast<size_t>(Kind)].Next(*this, Kind);
}

TFrame* Tgx25Construction::GetFirstFrame() {
  InternalFrameIndex = 0;
  return GetFrame(InternalFrameIndex);
}

TFrame* Tgx25Construction::GetNextFrame() {
  if (InternalFrameIndex >= FrameCount()) return nullptr;
  return GetFrame(++InternalFrameIndex);
}

TFlugel* Tgx25Construction::GetFirstFlugel() { return As<TFlugel>(FirstOfWalk(TWalkKind::Flugel)); }
TFlugel* Tgx25Construction::GetNextFlugel() { return As<TFlugel>(NextOfWalk(TWalkKind::Flugel)); }
TkvModificator* Tgx25Construction::GetFirstModificator() {
  return As<TkvModificator>(FirstOfWalk(TWalkKind::Modificator));
}
TkvModificator* Tgx25Construction::GetNextModificator() {
  return As<TkvModificator>(NextOfWalk(TWalkKind::Modificator));
}
Tgx25Glass* Tgx25Construction::GetFirstGlass() { return As<Tgx25Glass>(FirstOfWalk(TWalkKind::Glass)); }
Tgx25Glass* Tgx25Construction::GetNextGlass() { return As<Tgx25Glass>(NextOfWalk(TWalkKind::Glass)); }
Tgx30CustomPart* Tgx25Construction::GetFirstGlassAvailableEmptyPart() {
  return As<Tgx30CustomPart>(FirstOfWalk(TWalkKind::GlassAvailableEmptyPart));
}
Tgx30CustomPart* Tgx25Construction::GetNextGlassAvailableEmptyPart() {
  return As<Tgx30CustomPart>(NextOfWalk(TWalkKind::GlassAvailableEmptyPart));
}
TCustomImpost* Tgx25Construction::GetFirstImpost() { return As<TCustomImpost>(FirstOfWalk(TWalkKind::Impost)); }
TCustomImpost* Tgx25Construction::GetNextImpost() { return As<TCustomImpost>(NextOfWalk(TWalkKind::Impost)); }
TCustomImpost* Tgx25Construction::GetFirstFrameImpost() {
  return As<TCustomImpost>(FirstOfWalk(TWalkKind::FrameImpost));
}
TCustomImpost* Tgx25Construction::GetNextFrameImpost() { return As<TCustomImpost>(NextOfWalk(TWalkKind::FrameImpost)); }
TCustomImpost* Tgx25Construction::GetFirstFlugelImpost() {
  return As<TCustomImpost>(FirstOfWalk(TWalkKind::FlugelImpost));
}
TCustomImpost* Tgx25Construction::GetNextFlugelImpost() {
  return As<TCustomImpost>(NextOfWalk(TWalkKind::FlugelImpost));
}
Tgx25Stulp* Tgx25Construction::GetFirstStulp() { return As<Tgx25Stulp>(FirstOfWalk(TWalkKind::Stulp)); }
Tgx25Stulp* Tgx25Construction::GetNextStulp() { return As<Tgx25Stulp>(NextOfWalk(TWalkKind::Stulp)); }
TFalsh* Tgx25Construction::GetFirstFalsh() { return As<TFalsh>(FirstOfWalk(TWalkKind::Falsh)); }
TFalsh* Tgx25Construction::GetNextFalsh() { return As<TFalsh>(NextOfWalk(TWalkKind::Falsh)); }
TFurnComp* Tgx25Construction::GetFirstFurnComp() { return As<TFurnComp>(FirstOfWalk(TWalkKind::FurnComp)); }
TFurnComp* Tgx25Construction::GetNextFurnComp() { return As<TFurnComp>(NextOfWalk(TWalkKind::FurnComp)); }
Tgx30CustomPart* Tgx25Construction::GetFirstPart() { return As<Tgx30CustomPart>(FirstOfWalk(TWalkKind::Part)); }
Tgx30CustomPart* Tgx25Construction::GetNextPart() { return As<Tgx30CustomPart>(NextOfWalk(TWalkKind::Part)); }
Tgx30CustomPart* Tgx25Construction::GetFirstFixPart() { return As<Tgx30CustomPart>(FirstOfWalk(TWalkKind::FixPart)); }
Tgx30CustomPart* Tgx25Construction::GetNextFixPart() { return As<Tgx30CustomPart>(NextOfWalk(TWalkKind::FixPart)); }

}  // namespace kv
