#include "calc/furn_sash.h"

#include <cmath>

#include "calc/gathering.h"
#include "catalogue/catalogue.h"
#include "catalogue/colour_lookups.h"
#include "catalogue/material_lookups.h"
#include "construction/glass.h"
#include "construction/walks.h"
#include "shell/rounding.h"

namespace kv {

namespace {

// Catalogue weight of a material (per metre or per square metre); 0 when it is not catalogued.
double WeightOf(const std::string& Code) {
  const TRecord* row = _FindByID(Code);
  return row != nullptr ? (*row)[Catalogue().Catalog.Weight].AsFloat() : 0;
}

TFurnArcKind ArcKind(const Tgx25Line& Line) {
  if (!Line.HasRadius()) return fakNone;
  if (Line.EllipseRadius()) return fakEllipse;
  return Line.FullRadius() ? fakFull : fakHalf;
}

std::vector<TFurnSashSide> MeasureSides(const TFlugel& Flugel) {
  std::vector<TFurnSashSide> sides;
  for (size_t i = 0; i < Flugel.Lines.size(); ++i) {
    const Tgx25FrameLine* line = Flugel.GetFrameLine(static_cast<int>(i));
    if (line == nullptr) continue;
    TFurnSashSide side;
    side.Length = static_cast<double>(line->GetRealFalzSize());
    side.Angle = GetRoundedFloat(static_cast<double>(Flugel.Angle(static_cast<int>(i))), 2);
    side.Arc = ArcKind(*line);
    side.Radius = side.Arc == fakNone ? 0 : static_cast<double>(line->GetRealRadius());
    sides.push_back(side);
  }
  return sides;
}

const TFlugel* NeighbourOf(const TFlugel& Flugel) {
  const auto* part = dynamic_cast<const Tgx30CustomPart*>(Flugel.Parent);
  return part != nullptr && part->StulpPart ? part->GetAnotherStulpFlugel() : nullptr;
}

}  // namespace

const TFurnSashSide* TFurnSash::Side(int No) const {
  return No >= 1 && No <= SideCount() ? &Sides[static_cast<size_t>(No - 1)] : nullptr;
}

double GetFlugelWeight(const TFlugel& Flugel) {
  double weight = 0;
  for (const Tgx25Glass& glass : Glasses(Flugel)) weight += static_cast<double>(glass.Square()) * WeightOf(glass.Glass);
  for (size_t i = 0; i < Flugel.Lines.size(); ++i) {
    const Tgx25FrameLine* side = Flugel.GetFrameLine(static_cast<int>(i));
    if (side == nullptr || side->Profile.ID.empty()) continue;
    weight += GetSize10(side->ProfSize.Length) / 1000 * WeightOf(MaterialCode(side->Profile.ID, side->Profile.Color));
    if (!side->Steel.ID.empty())
      weight += GetSize10(side->SteelSize.Length) / 1000 * WeightOf(MaterialCode(side->Steel.ID, ""));
  }
  return GetRoundedFloat(weight, 2);
}

std::string FlugelFurnSys(const TFlugel& Flugel) {
  if (Flugel.FurnComp && !Flugel.FurnComp->FurnSys.empty()) return Flugel.FurnComp->FurnSys;
  const TFrame* frame = Flugel.GetParentFrame();
  return frame != nullptr ? frame->FurnSys : std::string();
}

TFurnSash MeasureFurnSash(const TFlugel& Flugel) {
  TFurnSash sash;
  sash.Flugel = &Flugel;
  sash.Name = Flugel.Name;
  const TRect box = BoundRectOf(Flugel.GetDimensions());
  sash.Width = static_cast<int>(std::lround(GetSize10(static_cast<float>(box.Right - box.Left))));
  sash.Height = static_cast<int>(std::lround(GetSize10(static_cast<float>(box.Bottom - box.Top))));
  sash.Sides = MeasureSides(Flugel);
  sash.Weight = GetFlugelWeight(Flugel);
  const Tgx25FrameLine* first = Flugel.GetFrameLine(0);
  sash.Profile = first != nullptr ? first->Profile.ID : std::string();
  sash.SashColor = first != nullptr ? first->Profile.Color : std::string();
  sash.Param = GetFlugelParam(sash.Profile);
  sash.StulpType = GetStulpType(sash.Profile);
  sash.ProfWidth = GetSize10(GetProfWidth(sash.Profile));
  if (const TFrame* frame = Flugel.GetParentFrame()) {
    sash.ProfSys = frame->ProfSys;
    sash.FurnColor = frame->FurnColor;
    sash.TShaped = frame->ObjType == otxDoor;
  }
  sash.FrontColor = GetFrontColor(sash.SashColor, true);
  sash.BackColor = GetBackColor(sash.SashColor, true);
  sash.Neighbour = NeighbourOf(Flugel);
  return sash;
}

}  // namespace kv
