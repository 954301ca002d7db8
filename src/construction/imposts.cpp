#include "construction/imposts.h"

#include <array>
#include <cmath>
#include <utility>

#include "catalogue/profile_lookups.h"
#include "construction/bar_sizes.h"
#include "geometry/angles.h"
#include "geometry/point_ops.h"

namespace kv {

namespace {

// The inner angle of an outline corner, whichever way round the outline runs.
long double InnerAngle(const TPoint& A, const TPoint& B, const TPoint& C) {
  const long double angle = GetAngle(ExtendedPoint(A), ExtendedPoint(B), ExtendedPoint(C), 0, 0, {}, {});
  return angle > 180 ? 360 - angle : angle;
}

// The lengthening of a slanted end: tan(|90 - angle|) x the width reaching across the cut.
long double SlantAllowance(long double Angle, long double Across) {
  const long double a = std::fabs(90 - Angle);
  if (a == 90 || a == 270) return 0;
  return std::tan(DegToRad(a)) * Across;
}

int32_t EndSubSetID(const Tgx25SimplePoint* P) {
  const auto* joint = dynamic_cast<const Tgx25Point*>(P);
  return joint != nullptr ? joint->SubSetID : NO_SUBSET;
}

}  // namespace

// --- TCustomImpost ---------------------------------------------------------------------------

TCustomImpost::TCustomImpost(TModelObject* Owner, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2, TkvLineType Type)
    : Tgx25Line(Owner, PX1, PX2) {
  LineType = Type;
}

void TCustomImpost::MoveBy(const TPoint& Vector) {
  Tgx25Line::MoveBy(Vector);
  for (TPoint* p :
       {&XWPoint_1A, &XWPoint_1B, &XWPoint_2A, &XWPoint_2B, &XIPoint_1A, &XIPoint_1B, &XIPoint_2A, &XIPoint_2B})
    *p = SumPoint(*p, Vector);
}

void TCustomImpost::SetProfile(const std::string& ID, const std::string& Color) { Profile = {ID, Color}; }

void TCustomImpost::ClearValue() {
  Profile.Clear();
  ProfSize.Clear();
  XWPoint_1A = XWPoint_1B = XWPoint_2A = XWPoint_2B = {};
  XIPoint_1A = XIPoint_1B = XIPoint_2A = XIPoint_2B = {};
}

bool TCustomImpost::EqualTo(const TCustomImpost& Other) const {
  if (!PX1 || !PX2 || !Other.PX1 || !Other.PX2) return false;
  return Profile == Other.Profile && PX1->EqualTo(*Other.PX1) && PX2->EqualTo(*Other.PX2);
}

void TCustomImpost::ExchangeAltPoints() {
  std::swap(XWPoint_1A, XWPoint_1B);
  std::swap(XWPoint_2A, XWPoint_2B);
  std::swap(XIPoint_1A, XIPoint_1B);
  std::swap(XIPoint_2A, XIPoint_2B);
}

void TCustomImpost::SortXPoints() {
  if (!PX1 || !PX2) return;
  const bool in_order = PX1->X < PX2->X || (PX1->X == PX2->X && PX1->Y <= PX2->Y);
  if (in_order) return;
  std::swap(PX1, PX2);
  std::swap(XWPoint_1A, XWPoint_2B);
  std::swap(XWPoint_1B, XWPoint_2A);
  std::swap(XIPoint_1A, XIPoint_2B);
  std::swap(XIPoint_1B, XIPoint_2A);
}

long double TCustomImpost::GetAngle1() const { return InnerAngle(XWPoint_1B, XWPoint_1A, XWPoint_2A); }

long double TCustomImpost::GetAngle2() const { return InnerAngle(XWPoint_1A, XWPoint_2A, XWPoint_2B); }

TProfSize TCustomImpost::OutlineBarSize(long double Width, long double Delta) const {
  const long double angle1 = CutAngle(GetAngle1());
  const long double angle2 = CutAngle(GetAngle2());
  const std::array<TPoint, 4> end1 = {XWPoint_1A, XWPoint_1B, XIPoint_1A, XIPoint_1B};
  const std::array<TPoint, 4> end2 = {XWPoint_2A, XWPoint_2B, XIPoint_2A, XIPoint_2B};
  long double length = AxisLength(end1, end2, XWPoint_1A, PolarAngle());
  length += SlantAllowance(angle1, Width + Delta) + SlantAllowance(angle2, Width + Delta);
  length += ConnectorAllowance(EndSubSetID(PX1), angle1) + ConnectorAllowance(EndSubSetID(PX2), angle2);
  return {static_cast<float>(length), static_cast<float>(angle1), static_cast<float>(angle2)};
}

// --- TInforcedImpost -------------------------------------------------------------------------

void TInforcedImpost::ClearValue() {
  TCustomImpost::ClearValue();
  Steel.Clear();
  SteelSize.Clear();
}

void TInforcedImpost::SetSteel(const std::string& ID, const std::string& Color) {
  Steel = {ID, Color};
  if (Steel.Empty()) SteelSize.Clear();
}

void TInforcedImpost::SetDefaultSteel() { SetSteel(GetDefaultSteel(Profile.ID), Profile.Color); }

void TInforcedImpost::CalcSteelSize() {
  if (Steel.Empty()) {
    SteelSize.Clear();
    return;
  }
  const int32_t start = EndSubSetID(PX1);
  const int32_t end = EndSubSetID(PX2);
  const long double length = ProfSize.Length - SteelShortening(start) - SteelShortening(end);
  SteelSize = {static_cast<float>(std::max<long double>(length, 0)), static_cast<float>(SteelCutAngle(start)),
               static_cast<float>(SteelCutAngle(end))};
}

// --- the impost kinds ------------------------------------------------------------------------

TImpost::TImpost(TModelObject* Owner, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2)
    : TInforcedImpost(Owner, PX1, PX2, ltImpost) {}

void TImpost::CalcProfSize() {
  ProfSize = OutlineBarSize(GetProfWidth(Profile.ID), GetImpostDeltaSize(Profile.ID));
  CalcSteelSize();
}

Tgx25Stulp::Tgx25Stulp(TModelObject* Owner, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2)
    : TInforcedImpost(Owner, PX1, PX2, ltStulp) {}

Tgx25Stulp::~Tgx25Stulp() = default;

void Tgx25Stulp::SetDefaultSteel() {
  TInforcedImpost::SetDefaultSteel();
  if (SlaveStulp) SlaveStulp->Steel = GetDefaultSteel(SlaveStulp->ID);
}

void Tgx25Stulp::CalcProfSize() {
  ProfSize = OutlineBarSize(GetProfWidth(Profile.ID), GetStulpDeltaSize(Profile.ID));
  CalcSteelSize();
  if (!SlaveStulp || SlaveStulp->ID.empty()) return;
  const TProfSize slave = OutlineBarSize(GetProfWidth(SlaveStulp->ID), GetStulpDeltaSize(SlaveStulp->ID));
  SlaveStulp->Length = slave.Length;
  SlaveStulp->Angle1 = slave.Angle1;
  SlaveStulp->Angle2 = slave.Angle2;
}

TFalsh::TFalsh(TModelObject* Owner, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2)
    : TCustomImpost(Owner, PX1, PX2, ltFalsh) {}

void TFalsh::ClearValue() {
  TCustomImpost::ClearValue();
  BackProfile.Clear();
  BackProfSize.Clear();
}

void TFalsh::ChangeBackProfile(const std::string& ID, const std::string& Color) { BackProfile = {ID, Color}; }

void TFalsh::CalcProfSize() {
  ProfSize = OutlineBarSize(GetProfWidth(Profile.ID), 0);
  if (BackProfile.Empty())
    BackProfSize.Clear();
  else
    BackProfSize = OutlineBarSize(GetProfWidth(BackProfile.ID), 0);
}

Tgx25Spross::Tgx25Spross(TModelObject* Owner, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2)
    : TCustomImpost(Owner, PX1, PX2, ltSpross) {}

void Tgx25Spross::CalcProfSize() { ProfSize = OutlineBarSize(GetProfWidth(Profile.ID), 0); }

}  // namespace kv
