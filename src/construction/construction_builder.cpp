#include "construction/construction_builder.h"

#include <algorithm>
#include <cmath>

#include "catalogue/window_type_lookups.h"
#include "construction/impost_insert.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/input_limits.h"
#include "shell/rounding.h"

namespace kv {

namespace {

// The opening kind of a sash as a property value (tens: the property, last digit: the value).
constexpr const char* kTurnSash = "Тип открывания=50";
constexpr const char* kTiltTurnSash = "Тип открывания=51";

TFigType FigureByName(const std::string& Name) {
  const auto& names = FigureNames();
  const auto found = std::find(names.begin(), names.end(), Name);
  if (found == names.end()) throw ECreationError(Format("Неизвестная фигура [%s]!", Name));
  return static_cast<TFigType>(found - names.begin());
}

// The shape options a figure takes; any other must be left out (0).
struct TFigureOptions {
  bool HX = false;
  bool HY = false;
  bool Radius = false;
};

TFigureOptions FigureOptions(TFigType Figure) {
  switch (Figure) {
    case figRect:
    case figBalkonLeft:
    case figBalkonRight: return {false, false, true};
    case figTrapLeft:
    case figTrapRight:
    case figPika:
    case figArcLeft:
    case figArcRight: return {false, true, false};
    case figDblTrap:
    case figPentLeft:
    case figPentRight: return {true, true, false};
    case figTri:
    case figSix: return {true, false, false};
    case figMiniArc: return {false, true, true};
    default: return {};
  }
}

// Refuses a shape option that the figure would not use, naming the option.
void CheckFigureOptions(const TFrameBuildOptions& Options, TFigType Figure) {
  const TFigureOptions takes = FigureOptions(Figure);
  const struct {
    const char* Name;
    bool Given;
    bool Taken;
  } options[] = {{"--hx", Options.HX != 0, takes.HX},
                 {"--hy", Options.HY != 0, takes.HY},
                 {"--radius", Options.Radius != 0, takes.Radius},
                 {"--radius2", Options.Radius2 != 0, takes.Radius && Figure != figMiniArc}};
  for (const auto& option : options)
    if (option.Given && !option.Taken)
      throw ECreationError(Format("Фигура [%s] не использует параметр %s!", Options.Figure, option.Name));
  if (Figure == figMiniArc && Options.HY != 0 && Options.Radius != 0)
    throw ECreationError("Для фигуры [mini-arc] задайте либо высоту дуги --hy, либо ее радиус --radius, но не оба!");
  if (Options.Radius2 != 0 && Options.Radius == 0)
    throw ECreationError("Второй радиус --radius2 задается только вместе с радиусом --radius!");
}

// Inserts a mullion (the type's meeting stile with Stulp) along the line A-B into every part of the
// frame it crosses inside; a bar that cannot be inserted is refused with its line in millimetres
// before the program's message.
void InsertAcross(TFrame& Frame, const TWinTypeInfo& Type, const TPoint& A, const TPoint& B, bool Stulp = false) {
  bool inserted = false;
  for (size_t i = 0; i < Frame.Parts.size(); ++i) {
    TFalshPart* part = Frame.Parts[i].get();
    TImpostCross cross;
    if (!part->FindImpostCrossPoints(A, B, cross) || cross.Point1 == cross.Point2) continue;
    TNewImpost params;
    params.Part = part;
    params.P1 = A;
    params.P2 = B;
    params.Profile = Stulp ? Type.Stulp : Type.Impost;
    params.Color = Frame.ProfColor;
    params.PointMode = ipmReusePoint;
    params.AngleType = static_cast<TAngleType>(Stulp ? Type.StulpAT : Type.ImpostAT);
    try {
      TCustomImpost* bar = Stulp ? Frame.SetNewStulp_(params, "") : Frame.SetNewImpost(params);
      if (bar != nullptr) SetImpostVerbinders(*bar);
    } catch (const EKvError& e) {
      throw ECreationError(Format("Импост (%.1f; %.1f)-(%.1f; %.1f) мм не может быть установлен:\n%s",
                                  GetSize10(static_cast<float>(A.X)), GetSize10(static_cast<float>(A.Y)),
                                  GetSize10(static_cast<float>(B.X)), GetSize10(static_cast<float>(B.Y)), e.what()));
    }
    inserted = true;
    ++i;  // the part became two; the second one lies on the other side of the new bar
  }
  if (!inserted)
    throw ECreationError(Format("Импост (%.1f,%.1f)-(%.1f,%.1f) не пересекает ни одного раздела рамы!",
                                GetSize10(static_cast<float>(A.X)), GetSize10(static_cast<float>(A.Y)),
                                GetSize10(static_cast<float>(B.X)), GetSize10(static_cast<float>(B.Y))));
}

Tgx30CustomPart& FieldOf(TFrame& Frame, int Number) {
  if (Number < 1 || Number > static_cast<int>(Frame.Parts.size()))
    throw ECreationError(Format("В раме нет поля с номером %d!", Number));
  return *dynamic_cast<Tgx30CustomPart*>(Frame.Parts[static_cast<size_t>(Number - 1)].get());
}

// Sizes past the limits would overflow the model units or the sums over a construction.
void CheckLengths(const TFrameBuildOptions& Options) {
  CheckInputNumber("Ширина", Options.Width, 1, kMaxLengthMm);
  CheckInputNumber("Высота", Options.Height, 1, kMaxLengthMm);
  CheckInputNumber("HX", Options.HX, 0, kMaxLengthMm);
  CheckInputNumber("HY", Options.HY, 0, kMaxLengthMm);
  CheckInputNumber("Радиус", std::llround(Options.Radius), 0, kMaxLengthMm);
  CheckInputNumber("Второй радиус", std::llround(Options.Radius2), 0, kMaxLengthMm);
  for (int x : Options.Vertical) CheckInputNumber("Ось вертикального импоста", x, 0, kMaxLengthMm);
  for (int x : Options.Stulps) CheckInputNumber("Ось штульпа", x, 0, kMaxLengthMm);
  for (int y : Options.Horizontal) CheckInputNumber("Ось горизонтального импоста", y, 0, kMaxLengthMm);
}

}  // namespace

const std::vector<std::string>& FigureNames() {
  static const std::vector<std::string> names = {
      "rect",     "balkon-left", "balkon-right", "trap-left",    "trap-right",   "dbl-trap", "tri",
      "tri-left", "tri-right",   "pent-left",    "pent-right",   "pika",         "six",      "mini-arc",
      "arc",      "arc-left",    "arc-right",    "arc-tri-left", "arc-tri-right"};
  return names;
}

std::unique_ptr<Tgx25Construction> BuildConstruction(const TFrameBuildOptions& Options) {
  CheckLengths(Options);
  const TWinTypeInfo type = GetWinTypeInfo(Options.TypeWin);
  auto construction = std::make_unique<Tgx25Construction>();
  construction->No = "1";
  if (!Options.LamOuter.empty() || !Options.LamInner.empty()) {
    construction->ColorVariant = kColorVariantLamPriceList;
    construction->OuterColor = Options.LamOuter;
    construction->InnerColor = Options.LamInner;
    construction->ColorPriceList = Options.LamList;
  } else if (Options.Technology != 0) {
    construction->ColorVariant = kColorByTechnology;
    construction->ColorTechnology = Options.Technology;
    construction->OuterColor = Options.OuterColor;
    construction->InnerColor = Options.InnerColor;
  }
  TFrame& frame = *construction->NewFrame(Options.TypeWin);
  frame.ProfColor = Options.Color;
  TInitialSize size;
  size.Width = Options.Width;
  size.Height = Options.Height;
  size.Figure = FigureByName(Options.Figure);
  CheckFigureOptions(Options, size.Figure);
  size.HX = Options.HX;
  size.HY = Options.HY;
  size.Radius = Options.Radius;
  size.Radius2 = Options.Radius2;
  frame.BuildInitial(size);

  const TRect box = BoundRectOf(frame.GetDimensions());
  for (int x : Options.Vertical)
    InsertAcross(frame, type, {box.Left + SetSize10(static_cast<float>(x)), box.Top},
                 {box.Left + SetSize10(static_cast<float>(x)), box.Bottom});
  for (int y : Options.Horizontal)
    InsertAcross(frame, type, {box.Left, box.Top + SetSize10(static_cast<float>(y))},
                 {box.Right, box.Top + SetSize10(static_cast<float>(y))});
  for (int x : Options.Stulps)
    InsertAcross(frame, type, {box.Left + SetSize10(static_cast<float>(x)), box.Top},
                 {box.Left + SetSize10(static_cast<float>(x)), box.Bottom}, true);

  const std::string glass = Options.Glass.empty() ? type.Glass : Options.Glass;
  for (int number : Options.Sashes) {
    Tgx30CustomPart& field = FieldOf(frame, number);
    if (field.FillType == ftFlugel) continue;
    TFlugel* sash = field.SetNewFlugel();
    sash->BuildInitial(type.FlugelID, frame.ProfColor);
    sash->SetKipp(!Options.Turn);
    sash->PropList = {Options.Turn ? kTurnSash : kTiltTurnSash};
    dynamic_cast<Tgx30CustomPart&>(*sash->Parts.front()).ChangeGlass(glass);
  }
  for (auto& part : frame.Parts) dynamic_cast<Tgx30CustomPart&>(*part).SetGlassIfPossible(glass);
  frame.FullRecalc();
  construction->UpdateNo();
  return construction;
}

}  // namespace kv
