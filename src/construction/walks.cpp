#include "construction/walks.h"

#include "construction/frames.h"
#include "construction/glass.h"

namespace kv {

namespace {

template <class Visit>
void ForEachCustomPart(TAbstractFrame& Element, Visit visit) {
  for (auto& part : Element.Parts)
    if (auto* custom = dynamic_cast<Tgx30CustomPart*>(part.get())) visit(*custom);
}

void AddGlasses(Tgx30CustomPart& Part, std::vector<TModelObject*>& Objects) {
  if (Part.FillType != ftGlass) return;
  if (Part.Glass) Objects.push_back(Part.Glass.get());
  if (Part.Glass2) Objects.push_back(Part.Glass2.get());
}

void AddFalshBars(Tgx30CustomPart& Part, std::vector<TModelObject*>& Objects) {
  if (Part.FillType != ftGlass) return;
  for (Tgx25Glass* glass : {Part.Glass.get(), Part.Glass2.get()})
    if (glass != nullptr && glass->FalshFrame)
      for (auto& bar : glass->FalshFrame->Imposts) Objects.push_back(bar.get());
}

// Whether a bar of Element belongs to the walk.
bool ImpostOfWalk(TAbstractFrame& Element, TCustomImpost& Impost, TWalkKind Kind) {
  switch (Kind) {
    case TWalkKind::Impost: return true;
    case TWalkKind::FrameImpost: return dynamic_cast<TFrame*>(&Element) != nullptr;
    case TWalkKind::FlugelImpost: return dynamic_cast<TFlugel*>(&Element) != nullptr;
    case TWalkKind::Stulp: return dynamic_cast<Tgx25Stulp*>(&Impost) != nullptr;
    default: return false;
  }
}

// Whether a part of Element belongs to the walk itself.
bool PartOfWalk(TAbstractFrame& Element, Tgx30CustomPart& Part, TWalkKind Kind) {
  switch (Kind) {
    case TWalkKind::Part: return true;
    case TWalkKind::GlassAvailableEmptyPart: return Part.FillType == ftNone;
    case TWalkKind::FixPart: return Part.FillType == ftGlass && dynamic_cast<TFlugel*>(&Element) == nullptr;
    default: return false;
  }
}

// What a part holds that belongs to the walk.
void AddPartContent(Tgx30CustomPart& Part, TWalkKind Kind, std::vector<TModelObject*>& Objects) {
  switch (Kind) {
    case TWalkKind::Flugel:
      if (Part.FillType == ftFlugel && Part.Flugel) Objects.push_back(Part.Flugel.get());
      break;
    case TWalkKind::Modificator:
      if (Part.FillType == ftModificator && Part.Modificator) Objects.push_back(Part.Modificator.get());
      break;
    case TWalkKind::Glass: AddGlasses(Part, Objects); break;
    case TWalkKind::Falsh: AddFalshBars(Part, Objects); break;
    default: break;
  }
}

void AddOwnObjects(TAbstractFrame& Element, TWalkKind Kind, std::vector<TModelObject*>& Objects) {
  if (Kind == TWalkKind::FurnComp) {
    auto* sash = dynamic_cast<TFlugel*>(&Element);
    if (sash != nullptr && sash->FurnComp) Objects.push_back(sash->FurnComp.get());
  }
  for (auto& impost : Element.Imposts)
    if (ImpostOfWalk(Element, *impost, Kind)) Objects.push_back(impost.get());
  ForEachCustomPart(Element, [&](Tgx30CustomPart& part) {
    if (PartOfWalk(Element, part, Kind)) Objects.push_back(&part);
    AddPartContent(part, Kind, Objects);
  });
}

void CollectInto(TAbstractFrame& Element, TWalkKind Kind, std::vector<TModelObject*>& Objects) {
  AddOwnObjects(Element, Kind, Objects);
  ForEachCustomPart(Element, [&](Tgx30CustomPart& part) {
    if (TCustomFrame* filling = part.FillElement()) CollectInto(*filling, Kind, Objects);
  });
}

}  // namespace

std::vector<TModelObject*> CollectWalk(TAbstractFrame& Element, TWalkKind Kind) {
  std::vector<TModelObject*> objects;
  CollectInto(Element, Kind, objects);
  return objects;
}

TModelObject* TWalkCursor::First(TAbstractFrame& Element, TWalkKind Kind) {
  FObjects = CollectWalk(Element, Kind);
  FPosition = 0;
  return Next();
}

TModelObject* TWalkCursor::Next() {
  if (FPosition >= FObjects.size()) return nullptr;
  return FObjects[FPosition++];
}

}  // namespace kv
