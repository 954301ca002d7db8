// Moving a dividing bar: the room each end has on its line, the checks and the question of a
// slanted bar, and the move itself.
#include <algorithm>
#include <cmath>
#include <limits>

#include "catalogue/profile_lookups.h"
#include "construction/frames.h"
#include "geometry/intersections.h"
#include "geometry/point_ops.h"
#include "shell/errors.h"
#include "shell/rounding.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

bool MovesAlongX(TShiftMode Mode) {
  return Mode == smXPoint || Mode == smXDelta || Mode == smLeft || Mode == smRight || Mode == smXProportional;
}

long double HalfWidth(const std::string& Profile) { return Profile.empty() ? 0 : GetProfWidth(Profile); }

long double Coordinate(const Tgx25SimplePoint& P, bool AlongX) { return AlongX ? P.X : P.Y; }

// The width that keeps a bar away from the end Corner of Line: the profile of the side that meets
// Line there (a contour corner), or of the line a bar's end stands on.
long double CornerWidth(const Tgx25Line& Line, const Tgx25SimplePoint& Corner) {
  if (const auto* under = dynamic_cast<const Tgx25Line*>(Corner.Owner)) return HalfWidth(under->GetProfile());
  const auto* element = dynamic_cast<const TAbstractFrame*>(Corner.Owner);
  if (element == nullptr) return 0;
  const int index = element->IndexOfPoint(&Corner);
  if (index < 0) return 0;
  const Tgx25Line* before = element->PriorLine(index);
  const Tgx25Line* other = before != &Line ? before : element->Lines[static_cast<size_t>(index)].get();
  return HalfWidth(other->GetProfile());
}

[[noreturn]] void RaiseDirection() { throw ECreationError("Невозможно сместить импост в заданном направлении!"); }

// The shift that brings one end of a slanted bar to Value: the nearer end when the user agrees.
long double ShiftOfNearerEnd(const TCustomImpost& Impost, long double Value, bool AlongX) {
  const long double first = Coordinate(*Impost.PX1, AlongX);
  const long double second = Coordinate(*Impost.PX2, AlongX);
  const bool first_nearer = std::fabs(Value - first) <= std::fabs(Value - second);
  const bool nearer = ShowConfirm(std::string(AlongX ? "Импост не вертикальный." : "Импост не горизотальный.") +
                                  "\r\nУстановить новую координату для ближайшей точки?"
                                  "\r\n(В случае отказа будет взята дальняя точка)");
  return Value - (nearer == first_nearer ? first : second);
}

}  // namespace

long double TCustomImpost::GetPointAvailableShift(const Tgx25SimplePoint* End, bool AlongX, int Sign) const {
  const auto* line = End != nullptr ? dynamic_cast<const Tgx25Line*>(End->Owner) : nullptr;
  if (line == nullptr || line->PX1 == nullptr || line->PX2 == nullptr) return 0;
  const auto* element = dynamic_cast<const TAbstractFrame*>(Owner);
  const long double own = HalfWidth(Profile.ID);
  long double room = std::numeric_limits<long double>::max();
  const auto obstacle = [&](const Tgx25SimplePoint& P, long double Width) {
    const long double distance = (Coordinate(P, AlongX) - Coordinate(*End, AlongX)) * Sign;
    if (distance > 0) room = std::min(room, distance - own - Width);
  };
  for (const Tgx25SimplePoint* corner : {line->PX1, line->PX2}) obstacle(*corner, CornerWidth(*line, *corner));
  for (const auto& point : line->Points) {
    if (point.get() == End) continue;
    const TCustomImpost* other = element != nullptr ? element->FindImpostByPoint(point.get()) : nullptr;
    obstacle(*point, other != nullptr ? HalfWidth(other->Profile.ID) : 0);
  }
  return room == std::numeric_limits<long double>::max() ? 0 : std::max<long double>(room, 0);
}

long double TCustomImpost::GetAvailableShift(TShiftMode Mode) const {
  const bool along_x = MovesAlongX(Mode);
  const int sign = (Mode == smLeft || Mode == smTop) ? -1 : 1;
  return std::min(GetPointAvailableShift(PX1, along_x, sign), GetPointAvailableShift(PX2, along_x, sign));
}

bool TCustomImpost::ShiftAvailable(TShiftMode Mode, long double Value) const {
  if (Value == 0) return true;
  const bool along_x = MovesAlongX(Mode);
  const int sign = Value > 0 ? 1 : -1;
  const long double room =
      std::min(GetPointAvailableShift(PX1, along_x, sign), GetPointAvailableShift(PX2, along_x, sign));
  return std::fabs(Value) <= room;
}

bool TCustomImpost::CrossLineValid(const TPoint& A, const TPoint& B) const {
  const auto* element = dynamic_cast<const TAbstractFrame*>(Owner);
  if (element == nullptr) return true;
  const TPointF a = ExtendedPoint(A);
  const TPointF b = ExtendedPoint(B);
  for (const auto& bar : element->Imposts) {
    if (bar.get() == this || bar->PX1 == nullptr || bar->PX2 == nullptr) continue;
    TPointF crossing;
    if (GetLineLineCrossPoint(a, b, ExtendedPoint(bar->PX1->GetPoint()), ExtendedPoint(bar->PX2->GetPoint()), false,
                              crossing) == 0 &&
        !EqualPoint(crossing, a) && !EqualPoint(crossing, b))
      return false;
  }
  return true;
}

void TAbstractFrame::ShiftImpost(TCustomImpost& Impost, TShiftMode Mode, long double Value) {
  if (Impost.PX1 == nullptr || Impost.PX2 == nullptr) RaiseDirection();
  const TDirection direction = Impost.GetDirection();
  const bool horizontal = direction == dirRight || direction == dirLeft;
  const bool vertical = direction == dirUp || direction == dirDown;
  if (((Mode == smXPoint || Mode == smXDelta) && horizontal) || ((Mode == smYPoint || Mode == smYDelta) && vertical))
    RaiseDirection();
  long double shift = 0;
  switch (Mode) {
    case smXPoint: shift = vertical ? Value - Impost.PX1->X : ShiftOfNearerEnd(Impost, Value, true); break;
    case smYPoint: shift = horizontal ? Value - Impost.PX1->Y : ShiftOfNearerEnd(Impost, Value, false); break;
    case smXDelta:
    case smYDelta: shift = Value; break;
    case smLeft:
    case smTop: shift = -Impost.GetAvailableShift(Mode); break;
    case smRight:
    case smBottom: shift = Impost.GetAvailableShift(Mode); break;
    default: RaiseDirection();
  }
  const bool along_x = MovesAlongX(Mode);
  if (!Impost.ShiftAvailable(along_x ? smXDelta : smYDelta, shift))
    throw ECreationError(Mode == smXDelta || Mode == smYDelta ? "Невозможно сместить импост на заданное расстояние!"
                                                              : "Невозможно сместить импост в заданную точку!");
  const int32_t step = GetRounded(shift);
  const TPoint vector = along_x ? TPoint{step, 0} : TPoint{0, step};
  Impost.PX1->SumPoint(vector);
  Impost.PX2->SumPoint(vector);
  Impost.MoveBy(vector);
  CheckImpostPointCoordinate();
  FullRecalc();
}

}  // namespace kv
