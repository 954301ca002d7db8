#include "construction/model_points.h"

#include <cmath>
#include <utility>

#include "construction/frames.h"
#include "construction/property_text.h"
#include "geometry/point_ops.h"
#include "shell/errors.h"
#include "shell/rounding.h"

namespace kv {

namespace {

void MovePoints(const TPoint& Vector, std::initializer_list<TPoint*> Points) {
  for (TPoint* p : Points) *p = SumPoint(*p, Vector);
}

int32_t ShiftedCoordinate(int32_t Coordinate, TShiftMode Mode, long double Value) {
  switch (Mode) {
    case smXPoint:
    case smYPoint: return GetRounded(Value);
    case smXDelta:
    case smYDelta:
    case smRight:
    case smBottom: return Coordinate + GetRounded(Value);
    case smLeft:
    case smTop: return Coordinate - GetRounded(Value);
    case smXProportional:
    case smYProportional: return GetRounded(Coordinate * Value);
    case smNone: break;
  }
  return Coordinate;
}

bool ShiftsX(TShiftMode Mode) {
  return Mode == smXPoint || Mode == smXDelta || Mode == smLeft || Mode == smRight || Mode == smXProportional;
}

}  // namespace

Tgx25SimplePoint::Tgx25SimplePoint(TModelObject* Owner, const TPoint& P) : X(P.X), Y(P.Y), Owner(Owner) {}

void Tgx25SimplePoint::SetPoint(const TPoint& P) {
  X = P.X;
  Y = P.Y;
}

TPointF Tgx25SimplePoint::GetRealPoint() const { return {GetSize10(X), GetSize10(Y)}; }

void Tgx25SimplePoint::SumPoint(const TPoint& Vector) { SetPoint(kv::SumPoint(GetPoint(), Vector)); }

void Tgx25SimplePoint::DecPointInv(const TPoint& Vector) { SumPoint({-Vector.X, -Vector.Y}); }

std::unique_ptr<Tgx25Point> Tgx25Point::CreateInit(TModelObject* Owner, const TPoint& P) {
  return std::make_unique<Tgx25Point>(Owner, P);
}

std::unique_ptr<Tgx25Point> Tgx25Point::CreateInitStulp(TModelObject* Owner, const TPoint& P) {
  auto point = CreateInit(Owner, P);
  point->StulpPoint = true;
  return point;
}

void Tgx25Point::SetAnchor(Tgx25SimplePoint* P) {
  AnchorPoint = P;
  Anchored = P != nullptr;
}

void Tgx25Point::SetVerbinderSubSet(int32_t ID, const std::string& Color, const std::string& PropertyText) {
  SubSetID = ID;
  SubSetColor = Color;
  PropList = TextToStringList(PropertyText);
}

void Tgx25Point::ShiftPoint(TShiftMode Mode, long double Value) {
  if (ShiftsX(Mode))
    X = ShiftedCoordinate(X, Mode, Value);
  else
    Y = ShiftedCoordinate(Y, Mode, Value);
}

void Tgx25FramePoint::SumPoint(const TPoint& Vector) {
  Tgx25SimplePoint::SumPoint(Vector);
  MovePoints(Vector,
             {&PointW, &PointI, &PointF, &Point1, &PointW1, &PointI1, &PointF1, &Point2, &PointW2, &PointI2, &PointF2});
}

long double Tgx25FramePoint::GetWelding() const {
  return GetDistance(ExtendedPoint(GetPoint()), ExtendedPoint(PointW));
}

long double Tgx25FramePoint::GetAngle() const {
  const auto* element = dynamic_cast<const TAbstractFrame*>(Owner);
  const int index = element != nullptr ? element->IndexOfPoint(this) : -1;
  if (index < 0) throw ECreationError("Не могу найти точку в контуре!");
  return element->Angle(index);
}

void Tgx25FramePoint::ExchangeCrossPoint() {
  std::swap(Point1, Point2);
  std::swap(PointW1, PointW2);
  std::swap(PointI1, PointI2);
  std::swap(PointF1, PointF2);
  if (AngleType == atX1to2)
    AngleType = atX2to1;
  else if (AngleType == atX2to1)
    AngleType = atX1to2;
}

void Tgx25ProfilePoint::SumPoint(const TPoint& Vector) {
  Tgx25SimplePoint::SumPoint(Vector);
  MovePoints(Vector, {&PointW, &PointI, &PointF, &PointW2, &PointI2});
}

TgxCutLinePoint::TgxCutLinePoint(TModelObject* Owner, const TPoint& P, const TCutLinePointRec& Rec)
    : Tgx25Point(Owner, P),
      EnforceLen(Rec.Len),
      Delta0(Rec.D0 * Rec.DSign),
      Delta1(Rec.D1 * Rec.DSign),
      Delta2(Rec.D2 * Rec.DSign),
      AngleZ(Rec.AngleZ),
      AngleX(Rec.AngleX) {
  PropList = TextToStringList(Rec.Props);
}

}  // namespace kv
