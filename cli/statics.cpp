// `korvent-cli statics ix|transom`: the manual static calculator. `ix` gives the moment of inertia a
// mullion needs under the wind load of the site, `transom` the one a transom needs under the weight
// of its glass; both with the calculation log the technologist checks by hand.
#include <nlohmann/json.hpp>

#include <iostream>
#include <map>
#include <memory>

#include "catalogue/catalogue.h"
#include "command_registry.h"
#include "construction_options.h"
#include "shell/format_settings.h"
#include "statics/kv_static.h"

namespace kv::cli {

namespace {

using TJson = nlohmann::ordered_json;

const std::map<std::string, int32_t> kMaterials = {{"pvc", smtPVC}, {"alu", smtALU}, {"wood", smtWood}};
const std::map<std::string, int32_t> kTerrains = {{"A", ttA}, {"B", ttB}, {"C", ttC}};
const std::map<std::string, int32_t> kGlassTypes = {{"unit", sgtGlassUnit}, {"single", sgtSingleGlass}};

struct TStaticsCommand {
  TWindLoadInput Wind;
  TGlassWeightInput Weight;
  std::string CatalogueDir;
  bool Log = false;
  bool Json = false;
};

void AddCommonOptions(CLI::App* App, TStaticsCommand& Command, int32_t& Material, int32_t& GlassType) {
  App->add_option("--material", Material, "Материал: pvc, alu, wood")
      ->transform(CLI::CheckedTransformer(kMaterials))
      ->capture_default_str();
  App->add_option("--glass", GlassType, "Заполнение: unit (стеклопакет), single (стекло)")
      ->transform(CLI::CheckedTransformer(kGlassTypes))
      ->capture_default_str();
  App->add_option("--catalogue", Command.CatalogueDir, "Папка каталога (иначе демонстрационный каталог)");
  App->add_flag("--log", Command.Log, "Вывести ход расчета");
  App->add_flag("--json", Command.Json, "Вывести в JSON");
}

void PrintResult(const TStaticsCommand& Command, const char* Caption, long double Value, const TStaticLog& Log) {
  if (Command.Json) {
    std::cout << TJson{{"ix", static_cast<double>(Value)}, {"log", Log}}.dump(2) << "\n";
    return;
  }
  if (Command.Log)
    for (const std::string& line : Log) std::cout << line << "\n";
  std::cout << Format(Caption, Value) << "\n";
}

// The static tables of the chosen catalogue (the demo catalogue when none is named).
TkvStatic LoadStatic(const std::string& CatalogueDir) {
  const TBuildCatalogue catalogue(CatalogueDir);
  TkvStatic statics;
  statics.Load(Catalogue());
  return statics;
}

void RunIx(const TStaticsCommand& Command) {
  TStaticLog log;
  const long double ix = LoadStatic(Command.CatalogueDir).GetMomentIx(Command.Wind, &log);
  PrintResult(Command, " ТРЕБУЕМЫЙ Ix = %.2f [см4]", ix, log);
}

void RunTransom(const TStaticsCommand& Command) {
  TStaticLog log;
  const long double iy = LoadStatic(Command.CatalogueDir).GetGlassWeightIx(Command.Weight, &log);
  PrintResult(Command, " ТРЕБУЕМЫЙ Iy = %.2f [см4]", iy, log);
}

std::string JoinNames(const std::vector<std::string>& Names) {
  std::string text;
  for (const std::string& name : Names) text += (text.empty() ? "" : "; ") + name;
  return text;
}

// "0 - first; 1 - second; ...".
std::string NumberedNames(const std::vector<std::string>& Names) {
  std::vector<std::string> numbered;
  for (size_t i = 0; i < Names.size(); ++i) numbered.push_back(Format("%d - %s", static_cast<int>(i), Names[i]));
  return JoinNames(numbered);
}

void InstallStatics(CLI::App& app) {
  auto* statics = app.add_subcommand("statics", "Расчет на статику");
  statics->require_subcommand(1);
  auto command = std::make_shared<TStaticsCommand>();
  TWindLoadInput& wind = command->Wind;
  auto* ix = statics->add_subcommand("ix", "Ветровая нагрузка: требуемый момент инерции стойки");
  AddCommonOptions(ix, *command, wind.Material, wind.GlassType);
  ix->add_option("--method", wind.Method, "Метод расчета статики: " + NumberedNames(StaticMethodNames()))
      ->check(CLI::Range(smWindow, smFacadeTwoSpan))
      ->capture_default_str();
  ix->add_option("--region", wind.RegionID, "Ветровой район")->capture_default_str();
  ix->add_option("--terrain", wind.Terrain, "Тип местности: " + JoinNames(TerrainTypeNames()))
      ->transform(CLI::CheckedTransformer(kTerrains))
      ->capture_default_str();
  ix->add_option("--height", wind.H, "Высота крепления конструкции в здании H, м")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
  ix->add_option("--span", wind.L, "Расстояние между точками крепления L, мм")->required()->check(CLI::PositiveNumber);
  ix->add_option("--a", wind.A, "Расстояние до соседней стойки A, мм")->required()->check(CLI::NonNegativeNumber);
  ix->add_option("--b", wind.B, "Расстояние до соседней стойки B, мм")->required()->check(CLI::NonNegativeNumber);
  ix->add_option("--glass-height", wind.GlassMaxH, "Максимальная высота стекла / стеклопакета, мм")
      ->check(CLI::NonNegativeNumber);
  ix->add_option("--y", wind.Y, "Коэффициент надежности по ветровой нагрузке")->capture_default_str();
  ix->add_option("--edge", wind.EdgeColumn,
                 "Коэффициент для расчета нагрузки по кромке стекла: столбец K1..K4 таблицы, 0 без поправки")
      ->check(CLI::Range(0, 4))
      ->capture_default_str();
  ix->callback([command] { RunIx(*command); });

  TGlassWeightInput& weight = command->Weight;
  auto* transom = statics->add_subcommand("transom", "Нагрузка от веса: требуемый момент инерции ригеля");
  AddCommonOptions(transom, *command, weight.Material, weight.GlassType);
  transom->add_option("--profile-weight", weight.ProfileWeight, "Вес ригеля, кг/мп")
      ->required()
      ->check(CLI::NonNegativeNumber);
  transom->add_option("--glass-weight", weight.GlassWeight, "Вес заполнения, кг/м2")
      ->required()
      ->check(CLI::NonNegativeNumber);
  transom->add_option("--pad", weight.PadDistance, "Расстояние от края ригеля до оси установки подкладок, мм")
      ->required()
      ->check(CLI::NonNegativeNumber);
  transom->add_option("--glass-height", weight.GlassHeight, "Высота заполнения, мм")
      ->required()
      ->check(CLI::NonNegativeNumber);
  transom->add_option("--span", weight.Span, "Ширина заполнения, мм")->required()->check(CLI::PositiveNumber);
  transom->callback([command] { RunTransom(*command); });
}

const TCommandRegistration registration("statics", InstallStatics);

}  // namespace

}  // namespace kv::cli
