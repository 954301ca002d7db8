#include "calc/acc_named_values.h"

#include <cmath>
#include <initializer_list>
#include <string_view>

#include "catalogue/material_lookups.h"
#include "catalogue/profile_lookups.h"
#include "catalogue/rule_tables.h"
#include "construction/construction.h"
#include "shell/code_page.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"

namespace kv {

namespace {

bool NameIs(const std::string& Name, std::initializer_list<std::string_view> Names) {
  for (std::string_view name : Names)
    if (Name == name) return true;
  return false;
}

long double Arg(const std::vector<long double>& Args, size_t Index) { return Index < Args.size() ? Args[Index] : 0; }

// Angles compared as whole degrees, like the angle ranges of the combination table.
int32_t WholeDegrees(long double Angle) { return GetRounded(Angle) % 360; }

// Whether the angle lies in [From, To], running counter-clockwise from From (so 315 .. 45 spans 0).
bool AngleBetween(long double Angle, long double From, long double To) {
  const int32_t a = WholeDegrees(Angle), from = WholeDegrees(From), to = WholeDegrees(To);
  return from <= to ? a >= from && a <= to : a >= from || a <= to;
}

long double Flag(bool Value) { return Value ? 1 : 0; }

long double Millimetres(long double ModelUnits) { return ModelUnits / 10; }

long double PolarAngleOf(const Tgx25SimpleLine& Line) {
  const long double angle = Line.PolarAngle();
  return angle < 0 ? angle + 360 : angle;
}

bool FasadOf(const TCustomFrame& Element) {
  const TFrame* frame = Element.GetParentFrame();
  return frame != nullptr && frame->ObjType == otxFasad;
}

TPieceMeasures LineMeasures(const TCustomFrame& Element, const Tgx25SimpleLine& Line, const std::string& Profile,
                            long double Length) {
  TPieceMeasures m;
  m.Length = Length;
  m.RotAngle = PolarAngleOf(Line);
  m.AxisLength = Line.GetRealSize();
  m.PlateAllowance = GetProfPressurePlateAllowance(Profile);
  m.CoverAllowance = GetProfDecorCoverAllowance(Profile);
  m.Fasad = FasadOf(Element);
  return m;
}

// The sash the stile is fitted on lies to the left of the stile's middle.
bool PrimaryOnLeft(const Tgx25Stulp& Stulp) {
  if (Stulp.PrimaryPartPtr == nullptr || Stulp.PX1 == nullptr || Stulp.PX2 == nullptr) return false;
  const TRect box = Stulp.PrimaryPartPtr->GetBoundRect();
  return static_cast<int64_t>(box.Left) + box.Right < static_cast<int64_t>(Stulp.PX1->X) + Stulp.PX2->X;
}

}  // namespace

bool RoundValue(const std::string& Name, const std::vector<long double>& Args, long double& Value) {
  if (!NameIs(Name, {"ROUND", "ОКР", "ОКРУГ", "ОКРУГЛИТЬ"})) return false;
  Value = Args.size() > 1 ? GetRoundedFloat(Arg(Args, 0), static_cast<int>(Arg(Args, 1))) : GetRounded(Arg(Args, 0));
  return true;
}

bool TPieceMeasures::Value(const std::string& Name, const std::vector<long double>& Args, long double& Result) const {
  if (NameIs(Name, {"LEN", "ДЛИНА"}))
    Result = Length;
  else if (NameIs(Name, {"ROTANGLE", "ПОВОРОТ"}))
    Result = RotAngle;
  else if (NameIs(Name, {"ROTANGLE_BETWEEN", "ПОВОРОТ_МЕЖДУ"}))
    Result = Flag(AngleBetween(RotAngle, Arg(Args, 0), Arg(Args, 1)));
  else if (NameIs(Name, {"ROTANGLE_NOT_BETWEEN", "ПОВОРОТ_НЕ_МЕЖДУ"}))
    Result = Flag(!AngleBetween(RotAngle, Arg(Args, 0), Arg(Args, 1)));
  else if (NameIs(Name, {"ROTANGLE_EQUAL", "ПОВОРОТ_РАВЕН"}))
    Result = Flag(WholeDegrees(RotAngle) == WholeDegrees(Arg(Args, 0)));
  else if (NameIs(Name, {"ROTANGLE_NOT_EQUAL", "ПОВОРОТ_НЕ_РАВЕН"}))
    Result = Flag(WholeDegrees(RotAngle) != WholeDegrees(Arg(Args, 0)));
  else if (NameIs(Name, {"LEN_OS_D1", "ДЛИНА_ОСЬ_ПРИЖИМ_ПЛАНКИ", "LEN_OS_D2", "ДЛИНА_ОСЬ_ДЕКОР_НАКЛАДКИ"}))
    Result = AxisLength;
  else if (NameIs(Name, {"LEN_D1", "ДЛИНА_ПРИЖИМ_ПЛАНКИ"}))
    Result = AxisLength - 2 * PlateAllowance;
  else if (NameIs(Name, {"LEN_D2", "ДЛИНА_ДЕКОР_НАКЛАДКИ"}))
    Result = AxisLength - 2 * CoverAllowance;
  else if (NameIs(Name, {"STULP_LEFT", "ШТУЛЬП_ЛЕВЫЙ"}))
    Result = Flag(StulpLeft);
  else if (NameIs(Name, {"STULP_RIGHT", "ШТУЛЬП_ПРАВЫЙ"}))
    Result = Flag(StulpRight);
  else if (NameIs(Name, {"FASAD", "ФАСАД"}))
    Result = Flag(Fasad);
  else
    return RoundValue(Name, Args, Result);
  return true;
}

bool TJointMeasures::Value(const std::string& Name, const std::vector<long double>& Args, long double& Result) const {
  if (NameIs(Name, {"LEN", "ДЛИНА"}))
    Result = Length;
  else if (NameIs(Name, {"LEN_Z", "ДЛИНА_ЗАКЛАДНОЙ"}))
    Result = EmbeddedLength;
  else
    return RoundValue(Name, Args, Result);
  return true;
}

std::string TElementMeasures::SockelLengthList() const {
  std::string list;
  for (long double length : SockelLengths) list += (list.empty() ? "" : ";") + Format("%.1f", length);
  return list;
}

bool TElementMeasures::Value(const std::string& Name, long double ListLength, long double& Result) const {
  long double total = 0;
  for (long double length : SockelLengths) total += length;
  if (NameIs(Name, {"FL_COUNT", "КОЛ_СТВОРОК"}))
    Result = FlugelCount;
  else if (NameIs(Name, {"WIDTH", "ШИРИНА"}))
    Result = Width;
  else if (NameIs(Name, {"HEIGHT", "ВЫСОТА"}))
    Result = Height;
  else if (NameIs(Name, {"WOOD_SOCKEL_COUNT", "КОЛ_ПОДСТАВОЧНЫХ"}))
    Result = static_cast<long double>(SockelLengths.size());
  else if (NameIs(Name, {"WOOD_SOCKEL_LEN", "ДЛИНА_ПОДСТАВОЧНЫХ"}))
    Result = total;
  else if (NameIs(Name, {"WOOD_SOCKEL_LEN_LIST", "СПИСОК_ДЛИН_ПОДСТАВОЧНЫХ"}))
    Result = ListLength < 0 ? 0 : ListLength;
  else
    return false;
  return true;
}

bool ReadsSockelLengthList(const std::string& Text) {
  const std::string upper = AnsiUpperCase(Text);
  return upper.find("WOOD_SOCKEL_LEN_LIST") != std::string::npos ||
         upper.find("СПИСОК_ДЛИН_ПОДСТАВОЧНЫХ") != std::string::npos;
}

bool TTechMeasures::Value(const std::string& Name, long double& Result) const {
  const struct {
    std::initializer_list<std::string_view> Names;
    TTechPartKind Kind;
  } kinds[] = {{{"FRAME", "FR", "РАМА", "РМ"}, TTechPartKind::Frame},
               {{"FLUGEL", "FL", "СТВОРКА", "СТВ"}, TTechPartKind::Flugel},
               {{"IMPOST", "IM", "ИМПОСТ", "ИМ"}, TTechPartKind::Impost},
               {{"STULP", "ST", "ШТУЛЬП", "ШТЛ"}, TTechPartKind::Stulp},
               {{"BEAD", "BD", "ШТАПИК", "ШТ"}, TTechPartKind::Bead},
               {{"FALSH", "FS", "ФАЛЬШ", "ФЛ"}, TTechPartKind::Falsh},
               {{"SPROSS", "SP", "ШПРОСС", "ШПР"}, TTechPartKind::Spross}};
  for (const auto& kind : kinds) {
    if (NameIs(Name, kind.Names)) {
      Result = Flag(Kind == kind.Kind);
      return true;
    }
  }
  const long double outer = OuterPainted ? OuterArea : 0;
  const long double inner = InnerPainted ? InnerArea : 0;
  if (NameIs(Name, {"PROFILE", "PR", "ПРОФИЛЬ", "ПР"}))
    Result = 1;
  else if (NameIs(Name, {"SINGLECOLOR", "SNGL", "ОДНОСТОРОННИЙ", "ОДНСТР"}))
    Result = Flag(OuterPainted != InnerPainted);
  else if (NameIs(Name, {"DOUBLECOLOR", "DBL", "ДВУСТОРОННИЙ", "ДВУСТР"}))
    Result = Flag(OuterPainted && InnerPainted);
  else if (NameIs(Name, {"SQ_COLOR", "ПЛОЩАДЬ_ПОКРАС"}))
    Result = outer + inner;
  else if (NameIs(Name, {"SQ_OUTERCOLOR", "ПЛОЩАДЬ_ПОКРАС_НАРУЖ"}))
    Result = outer;
  else if (NameIs(Name, {"SQ_INNERCOLOR", "ПЛОЩАДЬ_ПОКРАС_ВНУТ"}))
    Result = inner;
  else
    return false;
  return true;
}

bool ReadsInnerArea(const std::string& Text) {
  const std::string upper = AnsiUpperCase(Text);
  return upper.find("SQ_INNERCOLOR") != std::string::npos || upper.find("ПЛОЩАДЬ_ПОКРАС_ВНУТ") != std::string::npos;
}

TPieceMeasures SideMeasures(const TCustomFrame& Element, const Tgx25FrameLine& Side) {
  return LineMeasures(Element, Side, Side.Profile.ID, Millimetres(Side.ProfSize.Length));
}

TPieceMeasures ImpostMeasures(const TCustomFrame& Element, const TCustomImpost& Impost, bool Slave) {
  const auto* stulp = dynamic_cast<const Tgx25Stulp*>(&Impost);
  const bool slave_piece = Slave && stulp != nullptr && stulp->SlaveStulp != nullptr;
  TPieceMeasures m = LineMeasures(Element, Impost, slave_piece ? stulp->SlaveStulp->ID : Impost.Profile.ID,
                                  Millimetres(slave_piece ? stulp->SlaveStulp->Length : Impost.ProfSize.Length));
  if (stulp != nullptr && stulp->PrimaryPartPtr != nullptr) {
    // The second stile sits on the other sash, so it is on the other side.
    m.StulpLeft = PrimaryOnLeft(*stulp) != slave_piece;
    m.StulpRight = !m.StulpLeft;
  }
  return m;
}

TPieceMeasures BarMeasures(const TCustomFrame& Element, const Tgx25ProfileLine& Bar) {
  return LineMeasures(Element, Bar, Bar.Profile, Millimetres(Bar.Length));
}

TJointMeasures JointMeasures(const Tgx25Line& Joined) {
  TJointMeasures m;
  m.Length = Joined.GetRealSize();
  // A bar placed on its axis reports half its width; the embedded part crosses the whole of it.
  const long double width = Millimetres(GetProfWidth(Joined.GetProfile(), true));
  m.EmbeddedLength = dynamic_cast<const TCustomImpost*>(&Joined) != nullptr ? 2 * width : width;
  return m;
}

TElementMeasures ElementMeasures(const TCustomFrame& Element) {
  TElementMeasures m;
  const TContourDimensions d = Element.GetDimensions();
  const TRect box = BoundRectOf(d);
  m.Width = Millimetres(box.Width());
  m.Height = Millimetres(box.Height());
  for (const auto& part : Element.Parts) {
    const auto* custom = dynamic_cast<const Tgx30CustomPart*>(part.get());
    if (custom == nullptr || custom->Flugel == nullptr) continue;
    ++m.FlugelCount;
    if (custom->Flugel->Sockel != nullptr) m.SockelLengths.push_back(Millimetres(custom->Flugel->Sockel->Length));
  }
  if (const auto* sash = dynamic_cast<const TFlugel*>(&Element); sash != nullptr && sash->Sockel != nullptr)
    m.SockelLengths.push_back(Millimetres(sash->Sockel->Length));
  return m;
}

TTechPartKind TechPartKind(const std::string& Profile) {
  switch (GetProfListGroup(Profile)) {
    case 0: return TTechPartKind::Frame;
    case 1: return TTechPartKind::Flugel;
    case 2: return TTechPartKind::Impost;
    case 3: return TTechPartKind::Stulp;
    case 4: return TTechPartKind::Falsh;
    case 5: return TTechPartKind::Bead;
    case 16: return TTechPartKind::Spross;
    default: return TTechPartKind::Other;
  }
}

TTechMeasures TechMeasures(const std::string& Profile, const std::string& Code, long double Metres, bool OuterPainted,
                           bool InnerPainted) {
  TTechMeasures m;
  m.Kind = TechPartKind(Profile);
  m.OuterPainted = OuterPainted;
  m.InnerPainted = InnerPainted;
  double outer = 0, inner = 0, full = 0;
  GetLamSquareByID(Code, outer, inner, full);
  // A catalogue that gives only the whole painted surface per metre has it split evenly.
  if (outer == 0) outer = full / 2;
  if (inner == 0) inner = full / 2;
  m.OuterArea = GetRoundedFloat(Metres * outer, 4);
  m.InnerArea = GetRoundedFloat(Metres * inner, 4);
  return m;
}

}  // namespace kv
