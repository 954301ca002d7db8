#include "construction/lines.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "catalogue/combination_lookups.h"
#include "catalogue/profile_lookups.h"
#include "construction/bar_sizes.h"
#include "construction/fill_contour.h"
#include "construction/frames.h"
#include "construction/owned_lists.h"
#include "construction/property_text.h"
#include "geometry/angles.h"
#include "geometry/intersections.h"
#include "geometry/point_ops.h"
#include "shell/rounding.h"

namespace kv {

namespace {

TPointF PointOf(const Tgx25SimplePoint* P) { return ExtendedPoint(P->GetPoint()); }

// The element of Points nearest by Distance, nullptr for an empty list.
template <class Distance>
Tgx25Point* NearestPoint(const std::vector<std::unique_ptr<Tgx25Point>>& Points, Distance distance) {
  Tgx25Point* nearest = nullptr;
  long double best = 0;
  for (const auto& p : Points) {
    const long double d = distance(*p);
    if (nearest == nullptr || d < best) {
      nearest = p.get();
      best = d;
    }
  }
  return nearest;
}

template <class List>
void MoveOwned(List& list, const TPoint& Vector) {
  for (auto& p : list) p->SumPoint(Vector);
}

}  // namespace

// --- Tgx25SimpleLine -------------------------------------------------------------------------

Tgx25SimpleLine::Tgx25SimpleLine(TModelObject* Owner, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2)
    : PX1(PX1), PX2(PX2), Owner(Owner) {}

bool Tgx25SimpleLine::FullRadius() const {
  return HasTrueRadius() && Radius == static_cast<float>(GetInternalSize() / 2);
}

void Tgx25SimpleLine::SetFullRadius() {
  Radius = Radius2 = static_cast<float>(GetInternalSize() / 2);
  if (PX1 && PX2) Center = GetLineCenter(PointOf(PX1), PointOf(PX2));
}

void Tgx25SimpleLine::SetNoRadius() {
  Radius = Radius2 = 0;
  Center = {};
}

long double Tgx25SimpleLine::GetHX() const { return RadiusToHeight(GetInternalSize(), Radius); }

void Tgx25SimpleLine::SetHX(long double HX) {
  Radius = Radius2 = static_cast<float>(HeightToRadius(GetInternalSize(), HX));
  if (PX1 && PX2 && Radius != 0) Center = GetRoundCenter(PX1->GetPoint(), PX2->GetPoint(), Radius);
}

long double Tgx25SimpleLine::GetInternalSize() const {
  if (!PX1 || !PX2) return -1;
  return GetDistance(PointOf(PX1), PointOf(PX2));
}

long double Tgx25SimpleLine::GetRealSize() const { return GetSize10(static_cast<float>(GetInternalSize())); }

long double Tgx25SimpleLine::GetRealRadius() const { return GetSize10(Radius); }

long double Tgx25SimpleLine::GetRealRadius2() const { return GetSize10(Radius2); }

long double Tgx25SimpleLine::GetRealArcLength() const {
  if (!HasRadius() || !PX1 || !PX2) return GetRealSize();
  return LeftArcLength(PointOf(PX1), PointOf(PX2), Center, Radius) / 10;
}

long double Tgx25SimpleLine::PolarAngle() const {
  if (!PX1 || !PX2) return 0;
  return GetPolarAngle(PX1->GetPoint(), PX2->GetPoint());
}

TDirection Tgx25SimpleLine::GetDirection() const {
  if (!PX1 || !PX2) return dirNone;
  return kv::GetDirection(PX1->GetPoint(), PX2->GetPoint());
}

bool Tgx25SimpleLine::MoreHorizontal() const {
  if (!PX1 || !PX2) return false;
  return std::abs(static_cast<int64_t>(PX2->X) - PX1->X) >= std::abs(static_cast<int64_t>(PX2->Y) - PX1->Y);
}

void Tgx25SimpleLine::MoveBy(const TPoint& Vector) {
  if (HasRadius()) Center = SumPointFInt(Center, Vector);
}

// --- Tgx25ProfileLine ------------------------------------------------------------------------

void Tgx25ProfileLine::CalcProfSize() {
  const auto* start = dynamic_cast<const Tgx25ProfilePoint*>(PX1);
  const auto* end = dynamic_cast<const Tgx25ProfilePoint*>(PX2);
  if (!start || !end) return;
  const std::array<TPoint, 2> start_points = {start->PointW2, start->PointI2};
  const std::array<TPoint, 2> end_points = {end->PointW, end->PointI};
  Angle1 = static_cast<float>(CutAngle(GetAngle(ExtendedPoint(start->PointI2), ExtendedPoint(start->PointW2),
                                                ExtendedPoint(end->PointW), 0, Radius, {}, Center)));
  Angle2 = static_cast<float>(CutAngle(GetAngle(ExtendedPoint(start->PointW2), ExtendedPoint(end->PointW),
                                                ExtendedPoint(end->PointI), Radius, 0, Center, {})));
  // Either edge may be the longer one: a straight bar is measured along its axis, an arc as the
  // largest angle between corresponding edge points on the line's own radius.
  Length = static_cast<float>(HasRadius() ? LargestArcLength(start_points, end_points, Center, Radius)
                                          : AxisLength(start_points, end_points, start->GetPoint(), PolarAngle()));
}

// --- Tgx25Line -------------------------------------------------------------------------------

Tgx25Line::~Tgx25Line() = default;

void Tgx25Line::MoveBy(const TPoint& Vector) {
  Tgx25SimpleLine::MoveBy(Vector);
  MoveOwned(Points, Vector);
  MoveOwned(AnkerPoints, Vector);
  MoveOwned(CutPoints, Vector);
}

Tgx25Point* Tgx25Line::AddPoint(const TPoint& P) {
  Points.push_back(Tgx25Point::CreateInit(this, P));
  return Points.back().get();
}

bool Tgx25Line::RemovePoint(const Tgx25SimplePoint* P) { return RemoveOwned(Points, P); }

Tgx25Point* Tgx25Line::FindPoint(const TPoint& P) const {
  for (const auto& point : Points)
    if (point->GetPoint() == P) return point.get();
  return nullptr;
}

bool Tgx25Line::HasPoint(const Tgx25SimplePoint* P) const {
  return std::any_of(Points.begin(), Points.end(), [&](const auto& point) { return point.get() == P; });
}

Tgx25Point* Tgx25Line::GetNearestPointX(long double X) const {
  return NearestPoint(Points, [&](const Tgx25Point& p) { return std::fabs(p.X - X); });
}

Tgx25Point* Tgx25Line::GetNearestPointY(long double Y) const {
  return NearestPoint(Points, [&](const Tgx25Point& p) { return std::fabs(p.Y - Y); });
}

Tgx25Point* Tgx25Line::GetNearestPointDirect(const TPoint& P) const {
  return NearestPoint(Points, [&](const Tgx25Point& p) { return GetDistanceInt(p.GetPoint(), P); });
}

Tgx25SimplePoint* Tgx25Line::GetAnotherPoint(const Tgx25SimplePoint* P) const {
  if (IsFirstPoint(P)) return PX2;
  if (IsSecondPoint(P)) return PX1;
  return nullptr;
}

void Tgx25Line::MergeProperty(const TStringList& Properties) { MergePropertyLines(PropList, Properties); }

TgxAnkerPoint* Tgx25Line::AddAnkerPoint(const TPoint& P) {
  AnkerPoints.push_back(std::make_unique<TgxAnkerPoint>(this, P));
  return AnkerPoints.back().get();
}

bool Tgx25Line::ClearAnkerPoint(const TgxAnkerPoint* P) { return RemoveOwned(AnkerPoints, P); }

TgxCutLinePoint* Tgx25Line::AddCutPoint(const TCutLinePointRec& Rec) {
  TPoint position = Rec.D == 0 ? TPoint{Rec.XY, 0} : TPoint{0, Rec.XY};
  if (PX1 && PX2) {
    const TPointF side = GetLineCenter(PointOf(PX1), PointOf(PX2));
    long double other = 0;
    if (Rec.D == 0 && GetLineXtoY(PointOf(PX1), PointOf(PX2), side, Rec.XY, Radius, Center, other))
      position.Y = GetRounded(other);
    else if (Rec.D != 0 && GetLineYtoX(PointOf(PX1), PointOf(PX2), side, Rec.XY, Radius, Center, other))
      position.X = GetRounded(other);
  }
  CutPoints.push_back(std::make_unique<TgxCutLinePoint>(this, position, Rec));
  TgxCutLinePoint* added = CutPoints.back().get();
  SortCutPoints();
  return added;
}

void Tgx25Line::SortCutPoints() {
  if (!PX1) return;
  const TPoint start = PX1->GetPoint();
  std::stable_sort(CutPoints.begin(), CutPoints.end(), [&](const auto& a, const auto& b) {
    return GetDistanceInt(start, a->GetPoint()) < GetDistanceInt(start, b->GetPoint());
  });
}

bool Tgx25Line::ClearCutPoint(const TgxCutLinePoint* P) { return RemoveOwned(CutPoints, P); }

void Tgx25Line::CheckCutPointCoordinate() {
  std::erase_if(CutPoints, [&](const auto& p) { return !PointOnLine(p->GetPoint()); });
  SortCutPoints();
}

bool Tgx25Line::PointOnLine(const TPoint& P) const {
  if (!PX1 || !PX2) return false;
  if (HasRadius()) return PointApplyToArc(PointOf(PX1), PointOf(PX2), Center, ExtendedPoint(P), Radius);
  return PointApplyToLine(PointOf(PX1), PointOf(PX2), ExtendedPoint(P));
}

TContourDimensions Tgx25Line::GetDimensions() const {
  if (!PX1 || !PX2) return {};
  const std::array<const Tgx25SimplePoint*, 2> ends = {PX1, PX2};
  const std::array<const Tgx25Line*, 1> self = {this};
  return GetContourDimensions(ends, self);
}

// --- Tgx25FrameLine --------------------------------------------------------------------------

Tgx25FrameLine::Tgx25FrameLine(TModelObject* Owner, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2)
    : Tgx25Line(Owner, PX1, PX2), Montage(dynamic_cast<TFrame*>(Owner) != nullptr) {}

void Tgx25FrameLine::SetProfile(const std::string& ID, const std::string& Color) {
  Profile.ID = ID;
  Profile.Color = Color;
}

void Tgx25FrameLine::SetColor(const std::string& Color) { Profile.Color = Color; }

bool Tgx25FrameLine::SetSteel(const std::string& ID) {
  if (!ID.empty() && !SteelCombineAvailable(Profile.ID, ID)) return false;
  Steel.ID = ID;
  Armed = !ID.empty();
  if (!Armed) SteelSize.Clear();
  return true;
}

void Tgx25FrameLine::SetAttachProfile(const TColorProf& NewProfile) {
  AttachProfile = NewProfile;
  Attach = !AttachProfile.ID.empty();
}

void Tgx25FrameLine::SetHandlePoint(const TPoint& P, int32_t Height) {
  HandlePoint = P;
  HandleHeight = Height;
}

void Tgx25FrameLine::ClearHandlePoint() { SetHandlePoint({}, 0); }

void Tgx25FrameLine::MoveBy(const TPoint& Vector) {
  Tgx25Line::MoveBy(Vector);
  if (HandleHeight != 0 || HandlePoint != TPoint{}) HandlePoint = kv::SumPoint(HandlePoint, Vector);
}

long double Tgx25FrameLine::GetFalzSize() const { return GetInternalSize(); }

long double Tgx25FrameLine::GetRealFalzSize() const { return GetRealSize(); }

bool Tgx25FrameLine::StdAngle() const {
  const auto standard = [](float angle) { return angle == 45 || angle == 90; };
  return standard(ProfSize.Angle1) && standard(ProfSize.Angle2);
}

const TCustomFrame* Tgx25FrameLine::OwnerFrame() const { return dynamic_cast<const TCustomFrame*>(Owner); }

void Tgx25FrameLine::CalcProfSize() {
  const auto* start = dynamic_cast<const Tgx25FramePoint*>(PX1);
  const auto* end = dynamic_cast<const Tgx25FramePoint*>(PX2);
  if (!start || !end) return;
  const std::array<TPoint, 3> start_points = {start->Point2, start->PointW2, start->PointI2};
  const std::array<TPoint, 3> end_points = {end->Point1, end->PointW1, end->PointI1};
  const long double angle1 = CutAngle(GetAngle(ExtendedPoint(start->PointW2), ExtendedPoint(start->Point2),
                                               ExtendedPoint(end->Point1), 0, Radius, {}, Center));
  const long double angle2 = CutAngle(GetAngle(ExtendedPoint(start->Point2), ExtendedPoint(end->Point1),
                                               ExtendedPoint(end->PointW1), Radius, 0, Center, {}));
  long double length = HasRadius() ? LargestArcLength(start_points, end_points, Center, Radius)
                                   : AxisLength(start_points, end_points, start->GetPoint(), PolarAngle());
  length += ConnectorAllowance(start->SubSetID, angle1) + ConnectorAllowance(end->SubSetID, angle2);
  const TCustomFrame* frame = OwnerFrame();
  const long double weld = frame != nullptr ? frame->WeldAllowance : 0;
  if (weld != 0) {
    if (start->AngleType == atX45) length += GetWeldAllowance(static_cast<double>(angle1), static_cast<double>(weld));
    if (end->AngleType == atX45) length += GetWeldAllowance(static_cast<double>(angle2), static_cast<double>(weld));
  }
  ProfSize = {static_cast<float>(length), static_cast<float>(angle1), static_cast<float>(angle2)};
  if (Attach) AttachSize = GetRounded(GetRealArcLength());
  CalcSteelSize();
}

void Tgx25FrameLine::CalcSteelSize() {
  const auto* start = dynamic_cast<const Tgx25FramePoint*>(PX1);
  const auto* end = dynamic_cast<const Tgx25FramePoint*>(PX2);
  if (!Armed || !start || !end) {
    SteelSize.Clear();
    return;
  }
  // The steel lies inside the chambers, so it is measured between the width edges of the bar: along
  // the bar, or along the arc of the inner edge (the side moved inwards by the profile's width).
  const std::array<TPoint, 1> start_points = {start->PointW2};
  const std::array<TPoint, 1> end_points = {end->PointW1};
  long double inner = 0;
  if (HasRadius()) {
    const long double radius =
        OffsetRadius(LineSide(*this, PX1->GetPoint(), PX2->GetPoint()), SideOffset(gsiWidth, this));
    inner = LeftArcLength(ExtendedPoint(start->PointW2), ExtendedPoint(end->PointW1), Center, radius);
  } else {
    inner = AxisLength(start_points, end_points, start->GetPoint(), PolarAngle());
  }
  const long double length = inner - SteelShortening(start->SubSetID) - SteelShortening(end->SubSetID);
  SteelSize = {static_cast<float>(std::max<long double>(length, 0)), static_cast<float>(SteelCutAngle(start->SubSetID)),
               static_cast<float>(SteelCutAngle(end->SubSetID))};
}

}  // namespace kv
