#include "construction_options.h"

#include "parser_language.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>

#include "calc/furn_selection.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/window_type_lookups.h"
#include "construction/impost_insert.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/input_limits.h"
#include "shell/rounding.h"

namespace kv::cli {

namespace {

std::filesystem::path TemporaryCatalogueFolder() {
  static std::atomic<int> counter{0};
  return std::filesystem::temp_directory_path() /
         ("korvent-build-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
}

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
void CheckFigureOptions(const TBuildOptions& Options, TFigType Figure) {
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

// Inserts a mullion along the line A-B into every part of the frame it crosses inside; a bar that
// cannot be inserted is refused with its line in millimetres before the program's message.
void InsertAcross(TFrame& Frame, const TWinTypeInfo& Type, const TPoint& A, const TPoint& B) {
  bool inserted = false;
  for (size_t i = 0; i < Frame.Parts.size(); ++i) {
    TFalshPart* part = Frame.Parts[i].get();
    TImpostCross cross;
    if (!part->FindImpostCrossPoints(A, B, cross) || cross.Point1 == cross.Point2) continue;
    TNewImpost params;
    params.Part = part;
    params.P1 = A;
    params.P2 = B;
    params.Profile = Type.Impost;
    params.Color = Frame.ProfColor;
    params.PointMode = ipmReusePoint;
    params.AngleType = static_cast<TAngleType>(Type.ImpostAT);
    try {
      TCustomImpost* bar = Frame.SetNewImpost(params);
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
void CheckLengths(const TBuildOptions& Options) {
  CheckInputNumber("Ширина", Options.Width, 1, kMaxLengthMm);
  CheckInputNumber("Высота", Options.Height, 1, kMaxLengthMm);
  CheckInputNumber("HX", Options.HX, 0, kMaxLengthMm);
  CheckInputNumber("HY", Options.HY, 0, kMaxLengthMm);
  CheckInputNumber("Радиус", std::llround(Options.Radius), 0, kMaxLengthMm);
  CheckInputNumber("Второй радиус", std::llround(Options.Radius2), 0, kMaxLengthMm);
  for (int x : Options.Vertical) CheckInputNumber("Ось вертикального импоста", x, 0, kMaxLengthMm);
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

void AddBuildOptions(CLI::App* App, TBuildOptions& Options) {
  App->add_option("--type", Options.TypeWin, "Тип конструкции каталога (TypeWin)")->capture_default_str();
  App->add_option("--figure", Options.Figure, "Фигура рамы: " + WordList(FigureNames()))
      ->check(OneOf(FigureNames()))
      ->capture_default_str();
  App->add_option("--width", Options.Width, "Ширина, мм")->capture_default_str();
  App->add_option("--height", Options.Height, "Высота, мм")->capture_default_str();
  App->add_option("--hx", Options.HX, "Смещение HX фигуры, мм (dbl-trap, tri, pent-left, pent-right, six)");
  App->add_option("--hy", Options.HY,
                  "Высота HY фигуры, мм (trap-left, trap-right, dbl-trap, pent-left, pent-right, pika, mini-arc, "
                  "arc-left, arc-right)");
  App->add_option("--radius", Options.Radius, "Радиус дуги, мм (rect, balkon-left, balkon-right, mini-arc)");
  App->add_option("--radius2", Options.Radius2,
                  "Второй радиус дуги, мм (вместе с --radius: rect, balkon-left, "
                  "balkon-right)");
  App->add_option("--vertical", Options.Vertical, "Оси вертикальных импостов от левого края, мм");
  App->add_option("--horizontal", Options.Horizontal, "Оси горизонтальных импостов от верхнего края, мм");
  App->add_option("--sash", Options.Sashes, "Номера полей со створками (поворотно-откидными)");
  App->add_flag("--turn", Options.Turn, "Створки только поворотные");
  App->add_option("--furn", Options.Furn, "Комплект фурнитуры створок (иначе первый подходящий)");
  App->add_option("--glass", Options.Glass, "Артикул заполнения (иначе стекло типа конструкции)");
  App->add_option("--color", Options.Color, "Цвет профиля (иначе базовый цвет системы)");
  App->add_option("--catalogue", Options.CatalogueDir, "Папка каталога (иначе демонстрационный каталог)");
}

TBuildCatalogue::TBuildCatalogue(const std::string& CatalogueDir) {
  std::filesystem::path root = CatalogueDir;
  if (root.empty()) {
    FTemporary = TemporaryCatalogueFolder();
    root = FTemporary;
    CreateCatalogueDatabases(TDatabaseDirs::Below(root), DataDir(), DemoCatalogueDir(DataDir()));
  }
  FOpened = std::make_unique<TOpenedCatalogue>(TDatabaseDirs::Below(root));
}

TBuildCatalogue::~TBuildCatalogue() {
  FOpened.reset();
  if (!FTemporary.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(FTemporary, ignored);
  }
}

std::unique_ptr<Tgx25Construction> BuildConstruction(const TBuildOptions& Options) {
  CheckLengths(Options);
  const TWinTypeInfo type = GetWinTypeInfo(Options.TypeWin);
  auto construction = std::make_unique<Tgx25Construction>();
  construction->No = "1";
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

  const std::string glass = Options.Glass.empty() ? type.Glass : Options.Glass;
  std::vector<TFlugel*> sashes;
  for (int number : Options.Sashes) {
    Tgx30CustomPart& field = FieldOf(frame, number);
    if (field.FillType == ftFlugel) continue;
    TFlugel* sash = field.SetNewFlugel();
    sashes.push_back(sash);
    sash->BuildInitial(type.FlugelID, frame.ProfColor);
    sash->SetKipp(!Options.Turn);
    dynamic_cast<Tgx30CustomPart&>(*sash->Parts.front()).ChangeGlass(glass);
  }
  for (auto& part : frame.Parts) dynamic_cast<Tgx30CustomPart&>(*part).SetGlassIfPossible(glass);
  frame.FullRecalc();
  construction->UpdateNo();
  for (TFlugel* sash : sashes)
    if (!AutoFurnComp(*sash, Options.Furn) && !Options.Furn.empty())
      throw ECreationError(Format("Комплект фурнитуры [%s] не установлен на створку [%s]", Options.Furn, sash->Name));
  return construction;
}

}  // namespace kv::cli
