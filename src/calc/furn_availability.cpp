#include "calc/furn_availability.h"

#include "shell/format_settings.h"

namespace kv {

namespace {

// A limit pair of FrnSide: a maximum of 0 leaves the value unlimited above.
bool WithinLimits(double Value, double Min, double Max) { return Value >= Min && (Max <= 0 || Value <= Max); }

bool ArcAllowed(const TFurnSideRow& Row, TFurnArcKind Arc) {
  switch (Arc) {
    case fakFull: return Row.FullRadius;
    case fakHalf: return Row.HalfRadius;
    case fakEllipse: return Row.EllipseRadius;
    case fakNone: return true;
  }
  return false;
}

std::string SideUnfitReason(const TFurnSideRow& Row, const TFurnSash& Sash) {
  const TFurnSashSide* side = Sash.Side(Row.Side);
  if (side == nullptr) return Format("у створки нет стороны %d", Row.Side);
  if (!WithinLimits(side->Length, Row.MinSize, Row.MaxSize))
    return Format("сторона %d: длина %.0f мм вне пределов %d..%d мм", Row.Side, side->Length, Row.MinSize, Row.MaxSize);
  if (!ArcAllowed(Row, side->Arc)) return Format("сторона %d: дуга этого вида не допускается", Row.Side);
  if (side->Arc != fakNone && !WithinLimits(side->Radius, Row.MinRadius, Row.MaxRadius))
    return Format("сторона %d: радиус %.0f мм вне пределов %d..%d мм", Row.Side, side->Radius, Row.MinRadius,
                  Row.MaxRadius);
  if (!WithinLimits(side->Angle, Row.MinAngle, Row.MaxAngle))
    return Format("сторона %d: угол %.2f° вне пределов %.2f..%.2f°", Row.Side, side->Angle, Row.MinAngle, Row.MaxAngle);
  return "";
}

}  // namespace

std::string FurnComplectUnfitReason(const TFurnComplect& Complect, const TFurnSash& Sash) {
  if (!GetFurnSysP(Sash.ProfSys, Complect.MultiSysID))
    return Format("система фурнитуры %s не применяется с профильной системой %s", Complect.MultiSysID, Sash.ProfSys);
  if (Sash.TShaped && !Complect.TFlugelAvailable) return "комплект не допускается на T-образную створку";
  if (Complect.MaxWeight > 0 && Sash.Weight > Complect.MaxWeight)
    return Format("масса створки %.1f кг больше допустимой %d кг", Sash.Weight, Complect.MaxWeight);
  for (const TFurnSideRow& row : GetFurnSides(Complect.ID))
    if (std::string reason = SideUnfitReason(row, Sash); !reason.empty()) return reason;
  return "";
}

bool FurnComplectAvailable(const std::string& Complect, const TFlugel& Flugel) {
  const std::optional<TFurnComplect> complect = FindFurnComplect(Complect);
  return complect && FurnComplectUnfitReason(*complect, MeasureFurnSash(Flugel)).empty();
}

bool FurnComplectAvailableBySideCount(const std::string& Complect, int SideCount) {
  for (const TFurnSideRow& row : GetFurnSides(Complect))
    if (row.Side < 1 || row.Side > SideCount) return false;
  return true;
}

std::string FirstAvailableComplect(const TFlugel& Flugel, bool Kipp) {
  const TFurnSash sash = MeasureFurnSash(Flugel);
  const std::string system = FlugelFurnSys(Flugel);
  const std::vector<TFurnComplect> complects = GetSystemComplects(system);
  std::vector<const TFurnComplect*> order;
  if (const TFrame* frame = Flugel.GetParentFrame()) {
    const std::string scheme = GetSchemeComplect(frame->TypeWin, system, frame->ProfSys, Kipp);
    for (const TFurnComplect& complect : complects)
      if (complect.ID == scheme) order.push_back(&complect);
  }
  for (bool same_tilt : {true, false})
    for (const TFurnComplect& complect : complects)
      if ((complect.Kipp == Kipp) == same_tilt) order.push_back(&complect);
  for (const TFurnComplect* complect : order)
    if (FurnComplectUnfitReason(*complect, sash).empty()) return complect->ID;
  return "";
}

}  // namespace kv
