#include "calc/gathering.h"

#include <cmath>

#include "calc/acc_doc.h"
#include "calc/drainage.h"
#include "calc/gather_seams.h"
#include "catalogue/catalogue.h"
#include "catalogue/material_lookups.h"
#include "catalogue/price_lookups.h"
#include "catalogue/profile_lookups.h"
#include "construction/glass.h"
#include "construction/imposts.h"
#include "construction/setup_values.h"
#include "shell/format_settings.h"
#include "shell/gx_setup.h"
#include "shell/rounding.h"

namespace kv {

namespace {

// Production group lines of the description: frame, sash and mullion pieces.
constexpr const char* kGroupFrame = "GRP=0";
constexpr const char* kGroupFlugel = "GRP=1";
constexpr const char* kGroupImpost = "GRP=3";
constexpr const char* kSideNames[] = {"DIR=Левая", "DIR=Верхняя", "DIR=Правая", "DIR=Нижняя"};
constexpr int kBottomSide = 3;

// The cut list and material list being filled for one frame.
struct TGathering {
  TCutMapList& CutMap;
  TMatList& Materials;
};

std::string JoinLines(const std::vector<std::string>& Lines) {
  std::string text;
  for (const std::string& line : Lines) text += (text.empty() ? "" : "\r\n") + line;
  return text;
}

// The material item of a catalogue code: metres with the waste allowance for bars, pieces else.
void AddMaterial(TGathering& G, const std::string& Code, double Quantity, int32_t Group = -1) {
  if (Code.empty() || Quantity <= 0) return;
  Tgx25MatListItem item;
  item.ID = Code;
  item.Group = Group >= 0 ? Group : GetGroupByID(Code);
  item.Quantity = Quantity;
  AddMatListItem(G.Materials, item);
}

void AddBar(TGathering& G, const std::string& Article, const std::string& Color, double Millimetres) {
  if (Article.empty()) return;
  const std::string code = MaterialCode(Article, Color);
  AddMaterial(G, code, Millimetres / 1000 * GetDustCoefByID(code));
}

// A piece of a bar with its steel, added to the cut list and, by length, to the materials. Slots
// milled into the piece keep it apart from otherwise equal pieces.
void AddPiece(TGathering& G, int32_t CutGroup, const std::string& Article, const std::string& Color,
              const TProfSize& Size, const std::string& Steel, const TProfSize& SteelSize,
              const std::vector<std::string>& Lines, int Slots = 0) {
  if (Article.empty()) return;
  const double length = GetRoundedFloat(GetSize10(Size.Length), 1);
  const double steel_length = Steel.empty() ? 0 : GetRoundedFloat(GetSize10(SteelSize.Length), 1);
  Tgx25CutMapItem piece = Tgx25CutMapItem::Create(CutGroup, Article, Color, length, Size.Angle1, Size.Angle2, Steel,
                                                  steel_length, SteelSize.Angle1, SteelSize.Angle2, JoinLines(Lines));
  piece.ColorAttr1 = Color;
  piece.Value6 = 1;
  piece.Value14 = Slots;
  AddCutMapItem(G.CutMap, piece);
  AddBar(G, Article, Color, length);
  if (!Steel.empty()) AddBar(G, Steel, "", steel_length);
}

bool Rectangular(const TCustomFrame& Element) {
  if (Element.Points.size() != 4) return false;
  for (int i = 0; i < 4; ++i)
    if (std::fabs(Element.Angle(i) - 90) > 0.01L) return false;
  return true;
}

// The weld allowance of a corner in millimetres; 0 for a butt joint or when welding takes none.
double CornerWeld(const TCustomFrame& Element, int Corner, float Angle) {
  const auto* point = Element.GetFramePoint(Corner);
  if (!UsedSetup().MachinaryUseWeldAllowance || point == nullptr || point->AngleType != atX45) return 0;
  return GetWeldAllowance(Angle, Element.WeldAllowance) / 10;
}

// Reinforcement rounded down to whole centimetres when the options ask for it.
TProfSize SteelOf(const Tgx25FrameLine& Side, bool Round) {
  TProfSize size = Side.SteelSize;
  if (Round) size.Length = std::floor(size.Length / 100) * 100;
  return size;
}

// A mullion standing on a side and the distance of its joint from the start of the side, in millimetres.
struct TImpostJoint {
  const TCustomImpost* Impost;
  double Distance;
};

std::vector<TImpostJoint> ImpostJoints(const TCustomFrame& Element, const Tgx25FrameLine& Side) {
  std::vector<TImpostJoint> joints;
  for (const auto& point : Side.Points) {
    const TCustomImpost* impost = Element.FindImpostByPoint(point.get());
    if (impost == nullptr || Side.PX1 == nullptr) continue;
    const TPoint a = Side.PX1->GetPoint();
    const TPoint b = point->GetPoint();
    joints.push_back({impost, std::hypot(static_cast<double>(b.X - a.X), static_cast<double>(b.Y - a.Y)) / 10});
  }
  return joints;
}

// The standard the frame is made to, from the catalogue record of its first side's profile.
std::string FrameGost(const TCustomFrame& Element) {
  const Tgx25FrameLine* side = Element.GetFrameLine(0);
  if (dynamic_cast<const TFrame*>(&Element) == nullptr || side == nullptr || side->Profile.ID.empty()) return "";
  return GetCatalogFieldByID(MaterialCode(side->Profile.ID, side->Profile.Color), "GOST").AsString();
}

// The production lines of one side piece; Slots receives the number of drainage slots milled into it.
std::vector<std::string> SideLines(const TCustomFrame& Element, int Side, const char* GroupLine,
                                   const std::string& Gost, int& Slots) {
  const Tgx25FrameLine& side = *Element.GetFrameLine(Side);
  const bool rectangular = Rectangular(Element);
  const int count = static_cast<int>(Element.Lines.size());
  std::vector<std::string> lines = {GroupLine};
  if (Side == 0 && !Gost.empty()) lines.push_back("GOST=" + Gost);
  lines.push_back(Format("WLD=%.1f;%.1f", CornerWeld(Element, Side, side.ProfSize.Angle1),
                         CornerWeld(Element, (Side + 1) % count, side.ProfSize.Angle2)));
  if (rectangular) lines.push_back(kSideNames[Side]);
  std::vector<double> distances;
  for (const TImpostJoint& joint : ImpostJoints(Element, side)) {
    lines.push_back(Format("IMP=%s;%s;%.1f", joint.Impost->No, joint.Impost->Profile.ID, joint.Distance));
    distances.push_back(joint.Distance);
  }
  Slots = 0;
  if (rectangular && Side == kBottomSide) {
    const bool flugel = dynamic_cast<const TFlugel*>(&Element) != nullptr;
    const TDrainage drainage = GetDrainage(flugel, GetSize10(side.ProfSize.Length), distances);
    lines.insert(lines.end(), drainage.Lines.begin(), drainage.Lines.end());
    Slots = drainage.SlotCount;
  }
  if (side.Handled) lines.push_back(Format("HND=%s;%.1f", side.No, GetSize10(static_cast<float>(side.HandleHeight))));
  return lines;
}

void GatherSides(TGathering& G, const TCustomFrame& Element, int32_t CutGroup, const char* GroupLine, bool RoundSteel) {
  const std::string gost = FrameGost(Element);
  for (int i = 0; i < static_cast<int>(Element.Lines.size()); ++i) {
    const Tgx25FrameLine* side = Element.GetFrameLine(i);
    if (side == nullptr || side->Virtual) continue;
    int slots = 0;
    const std::vector<std::string> lines = SideLines(Element, i, GroupLine, gost, slots);
    AddPiece(G, CutGroup, side->Profile.ID, side->Profile.Color, side->ProfSize, side->Steel.ID,
             SteelOf(*side, RoundSteel), lines, slots);
    if (!side->Rubber.Empty()) AddBar(G, side->Rubber.ID, side->Rubber.Color, GetSize10(side->ProfSize.Length));
  }
}

std::string ImpostDirection(const TCustomImpost& Impost) {
  if (!Impost.PX1 || !Impost.PX2) return "DIR=Нестандартный";
  if (Impost.PX1->GetPoint().X == Impost.PX2->GetPoint().X) return "DIR=Вертикальный";
  if (Impost.PX1->GetPoint().Y == Impost.PX2->GetPoint().Y) return "DIR=Горизонтальный";
  return "DIR=Нестандартный";
}

// "IMPL=" / "IMPR=": the line an end of the mullion stands on and the distance along it.
std::string EndJoint(const char* Key, const TAbstractFrame& Element, const Tgx25SimplePoint* End) {
  for (size_t i = 0; i < Element.Lines.size(); ++i) {
    const Tgx25Line& line = *Element.Lines[i];
    if (!line.HasPoint(End) || line.PX1 == nullptr) continue;
    const TPoint a = line.PX1->GetPoint();
    const TPoint b = End->GetPoint();
    const double distance = std::hypot(static_cast<double>(b.X - a.X), static_cast<double>(b.Y - a.Y)) / 10;
    return Format("%s=%s;%s;%.1f", Key, Format("A.%d", static_cast<int>(i) + 1), line.GetProfile(), distance);
  }
  for (const auto& impost : Element.Imposts)
    if (impost->HasPoint(End)) return Format("%s=%s;%s;%.1f", Key, impost->No, impost->Profile.ID, 0.0);
  return "";
}

void GatherImposts(TGathering& G, const TCustomFrame& Element) {
  for (const auto& bar : Element.Imposts) {
    const auto* impost = dynamic_cast<const TInforcedImpost*>(bar.get());
    if (impost == nullptr) continue;
    std::vector<std::string> lines = {kGroupImpost, ImpostDirection(*impost)};
    for (const std::string& joint : {EndJoint("IMPL", Element, impost->PX1), EndJoint("IMPR", Element, impost->PX2)})
      if (!joint.empty()) lines.push_back(joint);
    AddPiece(G, Tgx25CutMapItem::cgImpost, impost->Profile.ID, impost->Profile.Color, impost->ProfSize,
             impost->Steel.ID, impost->SteelSize, lines);
    if (const auto* stulp = dynamic_cast<const Tgx25Stulp*>(impost); stulp != nullptr && stulp->SlaveStulp) {
      const TInforcedProfile& slave = *stulp->SlaveStulp;
      AddPiece(G, Tgx25CutMapItem::cgImpost, slave.ID, slave.Color, {slave.Length, slave.Angle1, slave.Angle2},
               slave.Steel, {slave.SteelLength, slave.SteelAngle1, slave.SteelAngle2}, lines);
    }
  }
}

// Bead or adapter bars of a glass, and the seal that runs along them.
void GatherBeadFrame(TGathering& G, const Tgx25BeadFrame& Bars, const std::string& Color, const TColorProf& Rubber) {
  for (const auto& line : Bars.Lines) {
    const auto& bar = static_cast<const Tgx25ProfileLine&>(*line);
    AddPiece(G, Tgx25CutMapItem::cgBead, bar.Profile, Color, {bar.Length, bar.Angle1, bar.Angle2}, "", {}, {});
    if (!Rubber.Empty()) AddBar(G, Rubber.ID, Rubber.Color, GetSize10(bar.Length));
  }
}

// Glazing bars inside a glass unit, or false mullions on the glass with the bar on its other face.
void GatherGlassBars(TGathering& G, const TAbstractFrame* Bars, int32_t CutGroup) {
  if (Bars == nullptr) return;
  for (const auto& bar : Bars->Imposts) {
    const std::vector<std::string> lines = {ImpostDirection(*bar)};
    AddPiece(G, CutGroup, bar->Profile.ID, bar->Profile.Color, bar->ProfSize, "", {}, lines);
    if (const auto* falsh = dynamic_cast<const TFalsh*>(bar.get()); falsh != nullptr && !falsh->BackProfile.Empty())
      AddPiece(G, CutGroup, falsh->BackProfile.ID, falsh->BackProfile.Color, falsh->BackProfSize, "", {}, lines);
  }
}

// The glass unit itself by its size, and its components from the documentation.
void GatherGlass(TGathering& G, Tgx25Glass& Glass) {
  PrepareGlassMat(Glass);
  const TSize size = Glass.GetSizeInt();
  Tgx25MatListItem item;
  item.ID = Glass.Glass;
  item.Group = 2;
  item.Width = size.Width;
  item.Height = size.Height;
  item.NotStd = Glass.StdGlass() ? 0 : 1;
  item.Arc = Glass.GetArcCount() > 0 ? 1 : 0;
  item.Quantity = 1;
  AddMatListItem(G.Materials, item);
  for (const Tgx25CustMatItem& component : Glass.MatList) {
    if (component.Kind == Tgx25CustMatItem::ckPiece) {
      Tgx25CutMapItem piece =
          Tgx25CutMapItem::Create(Tgx25CutMapItem::cgGlassFrame, component.MatID, "", component.Length,
                                  component.Angle1, component.Angle2, "", 0, 0, 0);
      piece.Value6 = static_cast<int32_t>(std::lround(component.Quantity));
      AddCutMapItem(G.CutMap, piece);
      AddMaterial(G, component.MatID, component.Quantity * component.Length / 1000, component.MatGroup);
    } else {
      AddMaterial(G, component.MatID, component.Quantity, component.MatGroup);
    }
  }
  for (const Tgx25GlassLining& lining : Glass.Linings) AddMaterial(G, lining.ID, lining.Num);
  GatherBeadFrame(G, Glass.AdapterSizes, Glass.Adapter.Color, {});
  GatherBeadFrame(G, Glass.BeadSizes, Glass.Bead.Color, Glass.BeadRubber);
  GatherGlassBars(G, Glass.SprossFrame.get(), Tgx25CutMapItem::cgSpross);
  GatherGlassBars(G, Glass.FalshFrame.get(), Tgx25CutMapItem::cgFalsh);
  if (!Glass.ProfRubber.Empty()) AddBar(G, Glass.ProfRubber.ID, Glass.ProfRubber.Color, Glass.Perimeter() * 1000);
}

void GatherElement(TGathering& G, TCustomFrame& Element, int32_t CutGroup, const char* GroupLine, bool RoundSteel) {
  GatherSides(G, Element, CutGroup, GroupLine, RoundSteel);
  std::vector<TCustomFrame*> fillings;
  for (const auto& part : Element.Parts) {
    auto* custom = dynamic_cast<Tgx30CustomPart*>(part.get());
    if (custom == nullptr) continue;
    if (custom->Glass) GatherGlass(G, *custom->Glass);
    if (custom->Glass2) GatherGlass(G, *custom->Glass2);
    if (TCustomFrame* filling = custom->FillElement()) fillings.push_back(filling);
  }
  for (TCustomFrame* filling : fillings) {
    if (auto* sash = dynamic_cast<TFlugel*>(filling)) {
      GatherElement(G, *sash, Tgx25CutMapItem::cgFlugel, kGroupFlugel, UsedSetup().RoundFlugelSteel);
      GatherFlugelNet(*sash, G.Materials);
      GatherFlugelFittings(*sash, G.Materials);
    }
  }
  GatherImposts(G, Element);
  for (TCustomFrame* filling : fillings) {
    if (dynamic_cast<TkvModificator*>(filling) != nullptr)
      GatherElement(G, *filling, Tgx25CutMapItem::cgModificator, kGroupFrame, UsedSetup().RoundFrameSteel);
    else if (dynamic_cast<TFrame*>(filling) != nullptr)
      GatherElement(G, *filling, Tgx25CutMapItem::cgFrame, kGroupFrame, UsedSetup().RoundFrameSteel);
  }
}

}  // namespace

std::string MaterialCode(const std::string& Article, const std::string& Color) {
  const TCatalogTable& t = Catalogue().Catalog;
  const TRecord* row = _FindByArticleColor(Article, Color);
  if (row == nullptr) row = _FindByArticleColor(Article, "");
  if (row == nullptr) row = _FindByID(Article);
  return row != nullptr ? (*row)[t.ID].AsString() : GetIDByArticle(Article, Color);
}

void AddMatListItem(TMatList& List, const Tgx25MatListItem& Item) {
  const int found = FindMatListItem(List, Item);
  if (found < 0)
    List.push_back(Item);
  else
    List[static_cast<size_t>(found)].Quantity += Item.Quantity;
}

int32_t CutMapCount(const Tgx25CutMapItem& Piece) { return Piece.Value6; }

void AddCutMapItem(TCutMapList& List, const Tgx25CutMapItem& Piece) {
  for (Tgx25CutMapItem& item : List) {
    if (item.Group == Piece.Group && item.EqualTo(Piece, true, false)) {
      item.Value6 += Piece.Value6;
      return;
    }
  }
  List.push_back(Piece);
}

void GatherFrameInfo(TFrame& Frame) {
  Frame.CutMap.clear();
  Frame.Materials.clear();
  TGathering g{Frame.CutMap, Frame.Materials};
  GatherElement(g, Frame, Tgx25CutMapItem::cgFrame, kGroupFrame, UsedSetup().RoundFrameSteel);
}

}  // namespace kv
