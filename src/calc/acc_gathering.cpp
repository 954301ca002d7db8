#include "calc/acc_gathering.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <string_view>

#include "calc/gathering.h"
#include "catalogue/material_lookups.h"
#include "catalogue/profile_lookups.h"
#include "construction/construction.h"
#include "construction/glass.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

// What every calculator of one element is given: the owner's colours and properties.
struct TOwner {
  const TCustomFrame& Element;
  TAccCalcInputs Inputs;
};

// Property values of a property list: every whole number of each line's value ("key=value" or
// "value"); a number too long for a property value is no property.
void AddProperties(const TStringList& Lines, std::vector<int32_t>& Values) {
  for (const std::string& line : Lines) {
    const size_t equals = line.find('=');
    const std::string_view value = std::string_view(line).substr(equals == std::string::npos ? 0 : equals + 1);
    size_t at = 0;
    while ((at = value.find_first_of("0123456789", at)) != std::string_view::npos) {
      const size_t end = std::min(value.find_first_not_of("0123456789", at), value.size());
      int32_t number = 0;
      if (std::from_chars(value.data() + at, value.data() + end, number).ec == std::errc()) Values.push_back(number);
      at = end;
    }
  }
}

TOwner OwnerOf(const TCustomFrame& Element) {
  TOwner owner{Element, {}};
  const auto* own = dynamic_cast<const TFrame*>(&Element);
  if (const TFrame* frame = own != nullptr ? own : Element.GetParentFrame())
    owner.Inputs.OwnerColors = {frame->ProfColor, frame->FurnColor, frame->FlugelRubberColor, frame->ProfRubberColor,
                                frame->BeadRubberColor};
  AddProperties(Element.PropList, owner.Inputs.Properties);
  return owner;
}

// Runs a calculator and takes its results; a failed rule is shown and ends that object's rules.
void RunCalculator(Tkv30AccCalculator& Calculator, const TAccCalcInputs& Inputs, const std::string& Origin,
                   TFrame& Frame) {
  try {
    Calculator.Execute(Inputs);
  } catch (const EAccCalcError& error) {
    ShowError(error.what());
  }
  TakeAccResults(Calculator.Items, Origin, Frame.CutMap, Frame.Materials);
}

void ProfileRules(TFrame& Frame, const TOwner& Owner, const TColorProf& Profile, const std::string& Color2,
                  const TProfSize& Size, const TPieceMeasures& Measures, const TStringList& PieceProperties) {
  if (Profile.ID.empty()) return;
  const int32_t set = GetProfListSubSetID(Profile.ID);
  if (set == 0) return;
  Tkv30ProfListAccCalculator calculator;
  calculator.Create(Owner.Element);
  calculator.Measures = Measures;
  calculator.Measures.Length = GetSize10(Size.Length);
  TAccCalcInputs inputs = Owner.Inputs;
  inputs.Article = Profile.ID;
  inputs.Color = Profile.Color;
  inputs.Color2 = Color2.empty() ? Profile.Color : Color2;
  inputs.Length = GetSize10(Size.Length);
  inputs.Angle1 = Size.Angle1;
  inputs.Angle2 = Size.Angle2;
  inputs.SetID = set;
  AddProperties(PieceProperties, inputs.Properties);
  RunCalculator(calculator, inputs, Format("Профиль %s", Profile.ID), Frame);
}

// A profile piece and the reinforcement inside it.
void PieceRules(TFrame& Frame, const TOwner& Owner, const TColorProf& Profile, const std::string& Color2,
                const TProfSize& Size, const TColorProf& Steel, const TProfSize& SteelSize,
                const TPieceMeasures& Measures, const TStringList& Properties) {
  ProfileRules(Frame, Owner, Profile, Color2, Size, Measures, Properties);
  ProfileRules(Frame, Owner, Steel, "", SteelSize, Measures, Properties);
}

void SideRules(TFrame& Frame, const TOwner& Owner) {
  for (const auto& line : Owner.Element.Lines) {
    const auto* side = dynamic_cast<const Tgx25FrameLine*>(line.get());
    if (side == nullptr || side->Virtual) continue;
    PieceRules(Frame, Owner, {side->Profile.ID, side->Profile.Color}, side->Profile.ColorAttr2, side->ProfSize,
               {side->Steel.ID, ""}, side->SteelSize, SideMeasures(Owner.Element, *side), side->PropList);
  }
}

void ImpostRules(TFrame& Frame, const TOwner& Owner) {
  for (const auto& bar : Owner.Element.Imposts) {
    const auto* impost = dynamic_cast<const TInforcedImpost*>(bar.get());
    if (impost == nullptr) continue;
    PieceRules(Frame, Owner, impost->Profile, "", impost->ProfSize, impost->Steel, impost->SteelSize,
               ImpostMeasures(Owner.Element, *impost, false), impost->PropList);
    const auto* stulp = dynamic_cast<const Tgx25Stulp*>(impost);
    if (stulp == nullptr || stulp->SlaveStulp == nullptr) continue;
    const TInforcedProfile& slave = *stulp->SlaveStulp;
    PieceRules(Frame, Owner, {slave.ID, slave.Color}, "", {slave.Length, slave.Angle1, slave.Angle2}, {slave.Steel, ""},
               {slave.SteelLength, slave.SteelAngle1, slave.SteelAngle2}, ImpostMeasures(Owner.Element, *impost, true),
               impost->PropList);
  }
}

std::vector<const Tgx25Glass*> GlassesOf(const TCustomFrame& Element) {
  std::vector<const Tgx25Glass*> glasses;
  for (const auto& part : Element.Parts) {
    const auto* custom = dynamic_cast<const Tgx30CustomPart*>(part.get());
    if (custom == nullptr) continue;
    for (const auto* glass : {custom->Glass.get(), custom->Glass2.get()})
      if (glass != nullptr) glasses.push_back(glass);
  }
  return glasses;
}

void BeadRules(TFrame& Frame, const TOwner& Owner) {
  for (const Tgx25Glass* glass : GlassesOf(Owner.Element)) {
    for (const auto* bars : {&glass->AdapterSizes, &glass->BeadSizes}) {
      const std::string& color = bars == &glass->BeadSizes ? glass->Bead.Color : glass->Adapter.Color;
      for (const auto& line : bars->Lines) {
        const auto& bar = static_cast<const Tgx25ProfileLine&>(*line);
        ProfileRules(Frame, Owner, {bar.Profile, color}, "", {bar.Length, bar.Angle1, bar.Angle2},
                     BarMeasures(Owner.Element, bar), {});
      }
    }
  }
}

// The rules of the combination of one joint.
void JointRules(TFrame& Frame, const TOwner& Owner, const Tgx25Point& Joint, const Tgx25Line& Joined) {
  if (Joint.SubSetID == NO_SUBSET || Joint.SubSetID == 0) return;
  Tkv30CombListAccCalculator calculator;
  calculator.Create(Owner.Element);
  calculator.Measures = JointMeasures(Joined);
  TAccCalcInputs inputs = Owner.Inputs;
  inputs.Article = Joined.GetProfile();
  inputs.Color = Joint.SubSetColor;
  inputs.Color2 = Joint.SubSetColor;
  inputs.Length = static_cast<float>(calculator.Measures.Length);
  inputs.SetID = Joint.SubSetID;
  AddProperties(Joint.PropList, inputs.Properties);
  RunCalculator(calculator, inputs, Format("Комбинация %d", Joint.SubSetID), Frame);
}

// Corners of the contour and the ends of the dividing bars of an element (a frame, a sash, a
// modificator or the false-mullion frame of a glass); a point shared by two bars counts once.
void JointsOf(TFrame& Frame, const TOwner& Owner, const TAbstractFrame& Element) {
  std::set<const Tgx25SimplePoint*> seen;
  for (size_t i = 0; i < Element.Points.size() && i < Element.Lines.size(); ++i)
    if (seen.insert(Element.Points[i].get()).second) JointRules(Frame, Owner, *Element.Points[i], *Element.Lines[i]);
  for (const auto& bar : Element.Imposts)
    for (const Tgx25SimplePoint* end : {bar->PX1, bar->PX2})
      if (const auto* joint = dynamic_cast<const Tgx25Point*>(end); joint != nullptr && seen.insert(end).second)
        JointRules(Frame, Owner, *joint, *bar);
}

void BeadJoints(TFrame& Frame, const TOwner& Owner) {
  for (const Tgx25Glass* glass : GlassesOf(Owner.Element)) {
    for (const auto* bars : {&glass->AdapterSizes, &glass->BeadSizes})
      for (size_t i = 0; i < bars->Points.size() && i < bars->Lines.size(); ++i)
        if (const auto* joint = dynamic_cast<const Tgx25Point*>(bars->Points[i].get()))
          JointRules(Frame, Owner, *joint, static_cast<const Tgx25Line&>(*bars->Lines[i]));
    if (glass->FalshFrame != nullptr) JointsOf(Frame, Owner, *glass->FalshFrame);
  }
}

void ElementRules(TFrame& Frame, const TOwner& Owner) {
  if (Owner.Element.ID == 0) return;
  Tkv30ConsAccCalculator calculator;
  calculator.Create(Owner.Element);
  calculator.Measures = ElementMeasures(Owner.Element);
  TAccCalcInputs inputs = Owner.Inputs;
  inputs.Article = Format("%d", Owner.Element.ID);
  if (const Tgx25FrameLine* side = Owner.Element.GetFrameLine(0)) inputs.Color = side->Profile.Color;
  inputs.Color2 = inputs.Color;
  inputs.SetID = Owner.Element.ID;
  RunCalculator(calculator, inputs, Format("Элемент %d", Owner.Element.ID), Frame);
}

void GatherElementRules(TFrame& Frame, const TCustomFrame& Element) {
  const TOwner owner = OwnerOf(Element);
  SideRules(Frame, owner);
  ImpostRules(Frame, owner);
  BeadRules(Frame, owner);
  JointsOf(Frame, owner, Element);
  BeadJoints(Frame, owner);
  ElementRules(Frame, owner);
  for (const auto& part : Element.Parts) {
    const auto* custom = dynamic_cast<const Tgx30CustomPart*>(part.get());
    if (custom == nullptr) continue;
    if (const TCustomFrame* filling = custom->FillElement()) GatherElementRules(Frame, *filling);
  }
}

const Tgx25Construction* ConstructionOf(const TFrame& Frame) {
  return FindModelAncestor<Tgx25Construction>(Frame.Parent);
}

// The technology serves the construction's base material (PVC, aluminium) or every material.
bool TechnologyServes(int32_t Technology, int32_t Material) {
  const std::vector<int32_t> materials = GetTechnologyMaterials(Technology);
  if (materials.empty() || Material == 0) return true;
  for (int32_t m : materials)
    if (m == Material) return true;
  return false;
}

}  // namespace

void TakeAccResults(const TProfCalcItems& Items, const std::string& Origin, TCutMapList& CutMap, TMatList& Materials) {
  for (const Tkv30ProfCalcItem& item : Items) {
    if (item.CutMap && item.Count > 0) {
      Tgx25CutMapItem piece = Tgx25CutMapItem::Create(Tgx25CutMapItem::cgOther, GetArticleByID(item.ID), item.Color,
                                                      GetSize10(item.Length), item.Angle1, item.Angle2, "", 0, 0, 0);
      piece.Text2 = "FR";
      piece.Text3 = Origin;
      piece.ColorAttr1 = item.ColorAttr1.empty() ? item.Color : item.ColorAttr1;
      piece.ColorAttr2 = item.ColorAttr2;
      piece.Value6 = item.Count;
      AddCutMapItem(CutMap, piece);
    }
    // Nothing to buy of a rule whose condition did not hold.
    if (item.Quantity <= 0) continue;
    Tgx25MatListItem material;
    material.Text1 = Origin;
    material.Group = item.MatGroup;
    material.ID = item.ID;
    material.ColorAttr1 = item.ColorAttr1;
    material.ColorAttr2 = item.ColorAttr2;
    material.Quantity = item.Quantity;
    AddMatListItem(Materials, material);
  }
}

void GatherAccessoryRules(TFrame& Frame) { GatherElementRules(Frame, Frame); }

void GatherTechnologyInfo(TFrame& Frame) {
  const Tgx25Construction* construction = ConstructionOf(Frame);
  if (construction == nullptr || construction->ColorVariant != kColorByTechnology) return;
  const int32_t technology = construction->ColorTechnology;
  if (technology == 0 || !TechnologyServes(technology, construction->Material)) return;
  const std::string name = GetTechnologyName(technology);
  const TCutMapList pieces = Frame.CutMap;
  for (const Tgx25CutMapItem& piece : pieces) {
    if (!ProfileExists(piece.ID)) continue;
    Tkv30TechListAccCalculator calculator;
    calculator.Create(Frame);
    calculator.TechnologyName = name;
    calculator.Measures = TechMeasures(piece.ID, MaterialCode(piece.ID, piece.ColorAttr1), piece.Length / 1000,
                                       !construction->OuterColor.empty(), !construction->InnerColor.empty());
    TAccCalcInputs inputs;
    inputs.Article = piece.ID;
    inputs.Color = construction->OuterColor;
    inputs.Color2 = construction->InnerColor;
    inputs.Length = static_cast<float>(piece.Length);
    inputs.Count = CutMapCount(piece);
    inputs.SetID = technology;
    RunCalculator(calculator, inputs, Format("Технология %s", name), Frame);
  }
}

}  // namespace kv
