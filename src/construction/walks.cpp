#include "construction/walks.h"

#include "construction/construction.h"
#include "construction/frames.h"
#include "construction/glass.h"

namespace kv {

namespace {

template <class Visit>
void ForEachCustomPart(const TAbstractFrame& Element, Visit visit) {
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
bool ImpostOfWalk(const TAbstractFrame& Element, const TCustomImpost& Impost, TWalkKind Kind) {
  switch (Kind) {
    case TWalkKind::Impost: return true;
    case TWalkKind::FrameImpost: return dynamic_cast<const TFrame*>(&Element) != nullptr;
    case TWalkKind::FlugelImpost: return dynamic_cast<const TFlugel*>(&Element) != nullptr;
    case TWalkKind::Stulp: return dynamic_cast<const Tgx25Stulp*>(&Impost) != nullptr;
    default: return false;
  }
}

// Whether a part of Element belongs to the walk itself.
bool PartOfWalk(const TAbstractFrame& Element, const Tgx30CustomPart& Part, TWalkKind Kind) {
  switch (Kind) {
    case TWalkKind::Part: return true;
    case TWalkKind::GlassAvailableEmptyPart: return Part.FillType == ftNone;
    case TWalkKind::FixPart: return Part.FillType == ftGlass && dynamic_cast<const TFlugel*>(&Element) == nullptr;
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

void AddOwnObjects(const TAbstractFrame& Element, TWalkKind Kind, std::vector<TModelObject*>& Objects) {
  if (Kind == TWalkKind::FurnComp) {
    const auto* sash = dynamic_cast<const TFlugel*>(&Element);
    if (sash != nullptr && sash->FurnComp) Objects.push_back(sash->FurnComp.get());
  }
  for (auto& impost : Element.Imposts)
    if (ImpostOfWalk(Element, *impost, Kind)) Objects.push_back(impost.get());
  ForEachCustomPart(Element, [&](Tgx30CustomPart& part) {
    if (PartOfWalk(Element, part, Kind)) Objects.push_back(&part);
    AddPartContent(part, Kind, Objects);
  });
}

void CollectInto(const TAbstractFrame& Element, TWalkKind Kind, std::vector<TModelObject*>& Objects) {
  AddOwnObjects(Element, Kind, Objects);
  ForEachCustomPart(Element, [&](Tgx30CustomPart& part) {
    if (TCustomFrame* filling = part.FillElement()) CollectInto(*filling, Kind, Objects);
  });
}

}  // namespace

std::vector<TModelObject*> CollectWalk(const TAbstractFrame& Element, TWalkKind Kind) {
  std::vector<TModelObject*> objects;
  CollectInto(Element, Kind, objects);
  return objects;
}

std::vector<TModelObject*> CollectWalk(const Tgx25Construction& Construction, TWalkKind Kind) {
  std::vector<TModelObject*> objects;
  for (int i = 0; i < Construction.FrameCount(); ++i) CollectInto(*Construction.GetFrame(i), Kind, objects);
  return objects;
}

std::vector<TModelObject*> CollectFrames(const Tgx25Construction& Construction) {
  std::vector<TModelObject*> frames;
  for (int i = 0; i < Construction.FrameCount(); ++i) frames.push_back(Construction.GetFrame(i));
  return frames;
}

TModelObject* TWalkCursor::First(const Tgx25Construction& Construction, TWalkKind Kind) {
  FFrame = -1;
  FObjects.clear();
  FPosition = 0;
  return Next(Construction, Kind);
}

TModelObject* TWalkCursor::Next(const Tgx25Construction& Construction, TWalkKind Kind) {
  while (FPosition >= FObjects.size()) {
    if (FFrame + 1 >= Construction.FrameCount()) return nullptr;
    FObjects.clear();
    FPosition = 0;
    CollectInto(*Construction.GetFrame(++FFrame), Kind, FObjects);
  }
  return FObjects[FPosition++];
}

}  // namespace kv
