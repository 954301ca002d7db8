#include "construction_options.h"

#include "parser_language.h"

#include <unistd.h>

#include <atomic>

#include "calc/furn_selection.h"
#include "catalogue/catalogue_files.h"

namespace kv::cli {

namespace {

std::filesystem::path TemporaryCatalogueFolder() {
  static std::atomic<int> counter{0};
  return std::filesystem::temp_directory_path() /
         ("korvent-build-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
}

}  // namespace

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
  App->add_option("--stulp", Options.Stulps, "Оси вертикальных штульпов от левого края, мм");
  App->add_option("--sash", Options.Sashes, "Номера полей со створками (поворотно-откидными)");
  App->add_flag("--turn", Options.Turn, "Створки только поворотные");
  App->add_option("--furn", Options.Furn, "Комплект фурнитуры створок (иначе первый подходящий)");
  App->add_option("--furn-sys", Options.FurnSys, "Система фурнитуры створок (комплекты переводятся в нее)");
  App->add_option("--handle-height", Options.HandleHeight, "Высота ручки от низа створки, мм (иначе по фурнитуре)")
      ->check(CLI::Range(1, 5000));
  App->add_flag("--mirror", Options.Mirror, "Зеркально отразить конструкцию (с зеркальными комплектами фурнитуры)");
  App->add_option("--glass", Options.Glass, "Артикул заполнения (иначе стекло типа конструкции)");
  App->add_option("--color", Options.Color, "Цвет профиля (иначе базовый цвет системы)");
  App->add_option("--lam-outer", Options.LamOuter, "Цвет ламинации снаружи (по прайс-листу ламинации)");
  App->add_option("--lam-inner", Options.LamInner, "Цвет ламинации изнутри (по прайс-листу ламинации)");
  App->add_option("--lam-list", Options.LamList, "Прайс-лист ламинации")->capture_default_str();
  App->add_option("--technology", Options.Technology, "Технология покрытия (TecList), цвета сторон по технологии");
  App->add_option("--outer-color", Options.OuterColor, "Цвет наружной стороны по технологии");
  App->add_option("--inner-color", Options.InnerColor, "Цвет внутренней стороны по технологии");
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
  std::unique_ptr<Tgx25Construction> construction = kv::BuildConstruction(Options);
  ApplyFurnComplects(*construction, Options.Furn);
  if (!Options.FurnSys.empty()) ApplyFurnSys(*construction, Options.FurnSys);
  if (Options.HandleHeight > 0) ApplyFurnHandleHeight(*construction, Options.HandleHeight);
  if (Options.Mirror) MirrorConstruction(*construction);
  return construction;
}

}  // namespace kv::cli
