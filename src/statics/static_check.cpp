#include "statics/static_check.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "catalogue/catalogue.h"
#include "catalogue/material_lookups.h"
#include "catalogue/profile_lookups.h"
#include "construction/glass.h"
#include "construction/walks.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"
#include "statics/steel_choice.h"

namespace kv {

namespace {

constexpr const char* kFrameTooLarge = "Размеры рамы [%.1f x %.1f] превышают\r\nмаксимально допустимые [%d x %d]!";
constexpr const char* kImpostTooShort = "Длина импоста [%.1f] меньше минимально допустимой [%d]!";
constexpr const char* kWeldTooShort = "Длина профиля %s [%.1f] меньше минимально допустимой для сварки [%d]!";
constexpr const char* kWeldTooLong = "Длина профиля %s [%.1f] превышает максимально допустимую для сварки [%d]!";
constexpr const char* kMullionInfo =
    "Импост № %s\r\nРасчетная длина импоста = %.1f мм\r\nШирина нагрузки 1 = %d\r\nШирина нагрузки 2 = "
    "%d\r\nНеобходимый Ix = %s";
constexpr const char* kBarTooLong = "Длина профиля %s [%.1f] превышает максимальную длину хлыста [%d]!";
constexpr const char* kTooSmallForConnectors =
    "Размеры %s [%.1f x %.1f] меньше минимально допустимых для угловых соединителей [%d x %d]!";
// Two bars count as parallel within a degree.
constexpr long double kParallelSine = 0.0175L;

struct TVector {
  long double X = 0, Y = 0;
};

TVector Between(const TPoint& A, const TPoint& B) {
  return {static_cast<long double>(B.X) - A.X, static_cast<long double>(B.Y) - A.Y};
}
long double Dot(const TVector& A, const TVector& B) { return A.X * B.X + A.Y * B.Y; }
long double Cross(const TVector& A, const TVector& B) { return A.X * B.Y - A.Y * B.X; }
TVector Unit(const TVector& V) {
  const long double length = std::hypot(V.X, V.Y);
  return length == 0 ? TVector{} : TVector{V.X / length, V.Y / length};
}

// Width and height of an element's contour in millimetres.
TSizeF SizeOf(const TAbstractFrame& Element) {
  const TRect box = BoundRectOf(Element.GetDimensions());
  return {GetSize10(static_cast<float>(box.Right - box.Left)), GetSize10(static_cast<float>(box.Bottom - box.Top))};
}

// "рамы" or "створки № ..." for the messages of a size limit.
std::string ElementText(const TCustomFrame& Element) {
  if (const auto* sash = dynamic_cast<const TFlugel*>(&Element)) return Format("створки № %s", sash->Name);
  return "рамы";
}

bool IsBaseColor(const TFrame& Frame, const TStaticLimit& Limit) { return Frame.ProfColor == Limit.BaseColor; }

bool Exceeds(const TSizeF& Size, const TLimitSize& Max) {
  return (Max.Width > 0 && Size.Width > static_cast<float>(Max.Width)) ||
         (Max.Height > 0 && Size.Height > static_cast<float>(Max.Height));
}

// The default reinforcement on every side, taken off again in the direction in which the frame
// stays within the size that needs no reinforcement.
void SetFrameDefaultSteel(TFrame& Frame, const TSizeF& Size, const TLimitSize& SteelMin) {
  for (size_t i = 0; i < Frame.Lines.size(); ++i) {
    Tgx25FrameLine* side = Frame.GetFrameLine(static_cast<int>(i));
    if (side == nullptr) continue;
    const bool horizontal = side->MoreHorizontal();
    const bool unneeded = horizontal ? static_cast<float>(SteelMin.Width) >= Size.Width
                                     : static_cast<float>(SteelMin.Height) >= Size.Height;
    side->SetSteel(unneeded ? std::string() : GetDefaultSteel(side->Profile.ID));
    side->CalcSteelSize();
  }
}

// The static method of a mullion: facade posts by the mounting scheme, other facade bars fixed in
// the opening, window mullions with the 8 mm deflection limit.
int32_t MethodOf(const TImpost& Impost, const TStaticLimit& Limit) {
  if (Limit.OT != otxFasad) return smWindow;
  if (Impost.MoreHorizontal()) return smFacadeInOpening;
  if (Limit.SM == 1) return smFacadeSingleSpan;
  if (Limit.SM == 2) return smFacadeTwoSpan;
  return smFacadeInOpening;
}

// The tallest glass in the parts along the mullion (inside the sashes that fill them too).
const Tgx25Glass* TallestGlassBeside(const TCustomFrame& Element, const TImpost& Impost) {
  const Tgx25Glass* tallest = nullptr;
  const auto consider = [&tallest](const Tgx25Glass& glass) {
    if (tallest == nullptr || glass.GetRealSize().Height > tallest->GetRealSize().Height) tallest = &glass;
  };
  for (TFalshPart* part : Element.SeekDependentPart(&Impost)) {
    const auto* field = dynamic_cast<const Tgx30CustomPart*>(part);
    if (field == nullptr) continue;
    if (field->Glass) consider(*field->Glass);
    if (TCustomFrame* filling = field->FillElement())
      for (const Tgx25Glass& glass : Glasses(*filling)) consider(glass);
  }
  return tallest;
}

// The wind load on the mullion at the site of the limits.
TWindLoadInput WindLoadOf(const TMullionResult& Mullion, const TStaticLimit& Limit, const Tgx25Glass* Glass, float Y) {
  TWindLoadInput in;
  in.H = Limit.LGH;
  in.GlassMaxH = Mullion.GlassHeight;
  in.Method = Mullion.Method;
  in.Material = Limit.MT;
  in.RegionID = GetStaticRegionID(Limit.SR);
  in.Terrain = Limit.PT;
  in.GlassType = Glass != nullptr && MaterialIsSimpleGlass(Glass->Glass) ? sgtSingleGlass : sgtGlassUnit;
  in.Y = Y;
  in.L = Mullion.Length;
  in.A = Mullion.Aperture.Width1;
  in.B = Mullion.Aperture.Width2;
  return in;
}

std::vector<std::pair<TPoint, TPoint>> BoundingBars(const TCustomFrame& Element, const TImpost& Impost) {
  std::vector<std::pair<TPoint, TPoint>> bars;
  for (const auto& line : Element.Lines)
    if (line->PX1 != nullptr && line->PX2 != nullptr) bars.emplace_back(line->PX1->GetPoint(), line->PX2->GetPoint());
  for (const auto& bar : Element.Imposts)
    if (bar.get() != &Impost && dynamic_cast<const TFalsh*>(bar.get()) == nullptr)
      bars.emplace_back(bar->PX1->GetPoint(), bar->PX2->GetPoint());
  return bars;
}

void CheckSideWeld(const Tgx25FrameLine& Side, const TStaticLimit& Limit) {
  if (Side.ProfSize.Angle1 == 90 && Side.ProfSize.Angle2 == 90) return;
  const float length = GetSize10(Side.ProfSize.Length);
  const TProfOptCheck& check = Limit.ProfOptCheck;
  if (check.WeldMinSize && Limit.WeldMinSize > 0 && length < static_cast<float>(Limit.WeldMinSize))
    throw EStaticError(Format(kWeldTooShort, Side.Profile.ID, length, Limit.WeldMinSize));
  if (check.WeldMaxSize && Limit.WeldMaxSize > 0 && length > static_cast<float>(Limit.WeldMaxSize))
    throw EStaticError(Format(kWeldTooLong, Side.Profile.ID, length, Limit.WeldMaxSize));
}

// The length of the bar the profile's material is sold in, mm; 0 when the catalogue gives none.
int32_t MaxBarLength(const std::string& Profile, const std::string& Color) {
  const std::string article = GetProfOriginalArticle(Profile);
  const TRecord* row = _FindByArticleColor(article, Color);
  if (row == nullptr) row = _FindByArticle(article);
  return row == nullptr ? 0 : static_cast<int32_t>((*row)[Catalogue().Catalog.MaxLength].AsInteger());
}

void CheckBarLength(const std::string& Profile, const std::string& Color, float Length) {
  const int32_t max = MaxBarLength(Profile, Color);
  const float length = GetSize10(Length);
  if (max > 0 && length > static_cast<float>(max)) throw EStaticError(Format(kBarTooLong, Profile, length, max));
}

template <typename TVisit>
void ForEachMullion(const Tgx25Construction& Construction, const TVisit& Visit) {
  for (const TCustomImpost& bar : Imposts(Construction))
    if (const auto* mullion = dynamic_cast<const TImpost*>(&bar)) Visit(*mullion);
}

}  // namespace

TStaticReport CheckStatic(Tgx25Construction& Construction, const TStaticSite& Site, bool Force) {
  TStaticReport report;
  if (!Construction.CheckStaticOnSave && !Force) return report;
  TkvStatic statics;
  statics.Load(Catalogue());
  for (int i = 0; i < Construction.FrameCount(); ++i) CheckStatic(*Construction.GetFrame(i), Site, statics, report);
  report.Ran = true;
  return report;
}

void CheckStatic(TFrame& Frame, const TStaticSite& Site, const TkvStatic& Statics, TStaticReport& Report) {
  TStaticLimit limit;
  SetLimitByTypeProfScheme(limit, Frame.TypeWin, Frame.ProfSys);
  limit.SR = Site.Region;
  limit.PT = Site.Terrain;
  limit.LGH = Site.BuildingHeight;
  limit.OT = Frame.ObjType;
  Report.Options = limit.ProfOptCheck;
  Report.Frames.push_back(CheckFrameStatic(Frame, limit));
  CheckALUImpostStatic(Frame, limit, Statics, Site.Y, Report);
  CheckWelding(Frame, limit);
  CheckEckver(Frame, limit);
  CheckProfLen(Frame, limit);
  for (TFlugel& sash : Flugels(Frame)) {
    CheckALUImpostStatic(sash, limit, Statics, Site.Y, Report);
    SetFlugelSteel(sash, limit);
    CheckFlugelStatic(sash, limit, Site.LoadGroup, Report);
    CheckWelding(sash, limit);
    CheckEckver(sash, limit);
    CheckProfLen(sash, limit);
  }
}

bool StaticValid(const Tgx25Construction& Construction) {
  bool valid = true;
  ForEachMullion(Construction, [&valid](const TImpost& m) { valid = valid && m.StaticValid(); });
  return valid;
}

bool StaticChecked(const Tgx25Construction& Construction) {
  bool checked = true;
  ForEachMullion(Construction, [&checked](const TImpost& m) { checked = checked && m.NeedIx != 0; });
  return checked;
}

bool StaticPassed(const TStaticReport& Report) {
  return std::none_of(Report.Mullions.begin(), Report.Mullions.end(), [](const auto& m) { return m.Fails(); }) &&
         std::all_of(Report.Flugels.begin(), Report.Flugels.end(), [](const auto& f) { return f.Result == 0; });
}

std::string MullionInfoText(const TMullionResult& Mullion) {
  return Format(kMullionInfo, Mullion.Impost->No, Mullion.Length, GetRounded(Mullion.Aperture.Width1),
                GetRounded(Mullion.Aperture.Width2), Format("%.2f", Mullion.NeedIx));
}

TFrameResult CheckFrameStatic(TFrame& Frame, const TStaticLimit& Limit) {
  const bool base = IsBaseColor(Frame, Limit);
  const TSizeF size = SizeOf(Frame);
  const TFrameResult result{&Frame, size.Width, size.Height, base ? Limit.FrameBaseMax : Limit.FrameDekorMax};
  if (Limit.ProfOptCheck.FrameMaxSize && Exceeds(size, result.Max))
    throw EStaticError(Format(kFrameTooLarge, size.Width, size.Height, result.Max.Width, result.Max.Height));
  if (Limit.ProfOptCheck.FrameSteelMinSize)
    SetFrameDefaultSteel(Frame, size, base ? Limit.FrameSteelBaseMin : Limit.FrameSteelDekorMin);
  return result;
}

void CheckALUImpostStatic(TCustomFrame& Element, const TStaticLimit& Limit, const TkvStatic& Statics, float Y,
                          TStaticReport& Report) {
  if (!Limit.ProfOptCheck.ImpostMaxSize) {
    if (Limit.ProfOptCheck.ImpostSetMaxIxIfNoStatic)
      for (auto& bar : Element.Imposts)
        if (auto* mullion = dynamic_cast<TImpost*>(bar.get())) SetMaxIxSteel(*mullion, Limit);
    return;
  }
  for (auto& bar : Element.Imposts) {
    auto* mullion = dynamic_cast<TImpost*>(bar.get());
    if (mullion == nullptr) continue;
    TMullionResult result;
    result.Impost = mullion;
    result.Length = GetSize10(mullion->ProfSize.Length);
    if (Limit.ProfOptCheck.ImpostMinSize && result.Length < static_cast<float>(Limit.ImpostMinSize))
      throw EStaticError(Format(kImpostTooShort, result.Length, Limit.ImpostMinSize));
    SetMullionSteel(*mullion, result.Length, Limit);
    result.Aperture = GetImpostAperture(Element, *mullion);
    result.Method = MethodOf(*mullion, Limit);
    const Tgx25Glass* glass = TallestGlassBeside(Element, *mullion);
    result.GlassHeight = glass != nullptr ? glass->GetRealSize().Height : 0;
    const TWindLoadInput load = WindLoadOf(result, Limit, glass, Y);
    result.NeedIx = static_cast<float>(Statics.GetMomentIx(load, &result.Log));
    result.SelfIx = GetMullionIx(*mullion);
    mullion->NeedIx = result.NeedIx;
    mullion->SelfIx = result.SelfIx;
    mullion->StaticFailed = result.Fails();
    Report.Mullions.push_back(result);
  }
}

void CheckWelding(const TCustomFrame& Element, const TStaticLimit& Limit) {
  for (size_t i = 0; i < Element.Lines.size(); ++i)
    if (const Tgx25FrameLine* side = Element.GetFrameLine(static_cast<int>(i))) CheckSideWeld(*side, Limit);
}

void CheckProfLen(const TCustomFrame& Element, const TStaticLimit& Limit) {
  if (!Limit.ProfOptCheck.ProfLen) return;
  for (size_t i = 0; i < Element.Lines.size(); ++i)
    if (const Tgx25FrameLine* side = Element.GetFrameLine(static_cast<int>(i)))
      CheckBarLength(side->Profile.ID, side->Profile.Color, side->ProfSize.Length);
  for (const auto& bar : Element.Imposts)
    if (dynamic_cast<const TInforcedImpost*>(bar.get()) != nullptr)
      CheckBarLength(bar->Profile.ID, bar->Profile.Color, bar->ProfSize.Length);
}

void CheckEckver(const TCustomFrame& Element, const TStaticLimit& Limit) {
  const TSizeF size = SizeOf(Element);
  const TLimitSize& min = Limit.EckverMinSize;
  if ((min.Width > 0 && size.Width < static_cast<float>(min.Width)) ||
      (min.Height > 0 && size.Height < static_cast<float>(min.Height)))
    throw EStaticError(
        Format(kTooSmallForConnectors, ElementText(Element), size.Width, size.Height, min.Width, min.Height));
}

void SetMullionSteel(TImpost& Mullion, float Length, const TStaticLimit& Limit) {
  const TProfOptCheck& check = Limit.ProfOptCheck;
  const bool short_bar = check.ImpostSteelMinSize && Length < static_cast<float>(Limit.ImpostSteelMinSize);
  const bool enforced = check.AllwaysEnforceHImpost && Mullion.MoreHorizontal();
  if (short_bar && !enforced)
    Mullion.SetSteel("", "");
  else if ((check.ImpostSteelMinSize || enforced) && Mullion.Steel.Empty())
    Mullion.SetDefaultSteel();
  Mullion.CalcSteelSize();
}

bool SetMaxIxSteel(TImpost& Mullion, const TStaticLimit& Limit) {
  const std::optional<TSteelIx> strongest = StrongestSteel(Mullion.Profile.ID);
  if (!strongest) return false;
  Mullion.SetSteel(strongest->Steel, Mullion.Profile.Color);
  Mullion.CalcSteelSize();
  AlertMaxIx(MullionSteelSwitches(Limit.ProfOptCheck), Format("Импост № %s", Mullion.No), *strongest);
  return true;
}

TImpostAperture GetImpostAperture(const TCustomFrame& Element, const TImpost& Impost) {
  const TPoint p1 = Impost.PX1->GetPoint(), p2 = Impost.PX2->GetPoint();
  const TPoint middle{(p1.X + p2.X) / 2, (p1.Y + p2.Y) / 2};
  const TVector along = Unit(Between(p1, p2));
  const TVector across{-along.Y, along.X};
  long double side1 = std::numeric_limits<long double>::max(), side2 = side1;
  for (const auto& [a, b] : BoundingBars(Element, Impost)) {
    const TVector direction = Unit(Between(a, b));
    if (std::fabs(Cross(along, direction)) > kParallelSine) continue;
    const long double t1 = Dot(Between(middle, a), along), t2 = Dot(Between(middle, b), along);
    if (std::min(t1, t2) > 0 || std::max(t1, t2) < 0) continue;  // does not face the middle
    const long double distance = Dot(Between(middle, a), across);
    if (distance > 0) side1 = std::min(side1, distance);
    if (distance < 0) side2 = std::min(side2, -distance);
  }
  long double far1 = 0, far2 = 0;
  for (const auto& corner : Element.Points) {
    const long double distance = Dot(Between(middle, corner->GetPoint()), across);
    far1 = std::max(far1, distance);
    far2 = std::max(far2, -distance);
  }
  if (side1 == std::numeric_limits<long double>::max()) side1 = far1;
  if (side2 == std::numeric_limits<long double>::max()) side2 = far2;
  return {GetSize10(static_cast<float>(side1)), GetSize10(static_cast<float>(side2))};
}

float GetMullionIx(const TImpost& Impost) {
  return GetIx(Impost.Steel.ID.empty() ? Impost.Profile.ID : Impost.Steel.ID);
}

}  // namespace kv
