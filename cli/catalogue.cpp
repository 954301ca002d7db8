// `korvent-cli catalogue create|export|import`: builds the four catalogue databases from SQL
// scripts and keeps a catalogue in a spreadsheet through one CSV file per table. The demo step
// "20-catalogue" builds the demo catalogue and shows a few lookups on it.
#include <iostream>
#include <memory>

#include "catalogue/bead_lookups.h"
#include "catalogue/catalogue.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/colour_lookups.h"
#include "catalogue/combination_lookups.h"
#include "catalogue/currency_lookups.h"
#include "catalogue/material_lookups.h"
#include "catalogue/price_lookups.h"
#include "catalogue/profile_lookups.h"
#include "command_registry.h"
#include "shell/format_settings.h"
#include "shell/money_words.h"
#include "shell/rounding.h"

namespace kv::cli {

namespace {

struct TCatalogueOptions {
  std::string Dir;
  std::string From;
  std::string Folder;
};

TDatabaseDirs CatalogueDirs(const std::string& root) { return TDatabaseDirs::Below(root); }

void RunCreate(const TCatalogueOptions& options, std::ostream& out) {
  const std::filesystem::path data = DataDir();
  const std::filesystem::path from =
      options.From.empty() ? DemoCatalogueDir(data) : std::filesystem::path(options.From);
  CreateCatalogueDatabases(CatalogueDirs(options.Dir), data, from);
  for (TDatabaseAlias alias : kCatalogueAliases) {
    out << AliasName(alias) << ": " << CatalogueDirs(options.Dir)[alias] << "\n";
  }
}

void RunExport(const TCatalogueOptions& options, std::ostream& out) {
  const int files = ExportCatalogueCsv(CatalogueDirs(options.Dir), options.Folder);
  out << Format("Записано таблиц: %d в %s\n", files, options.Folder);
}

void RunImport(const TCatalogueOptions& options, std::ostream& out) {
  const int rows = ImportCatalogueCsv(options.Folder, CatalogueDirs(options.Dir), DataDir());
  out << Format("Загружено записей: %d в %s\n", rows, options.Dir);
}

void InstallCatalogue(CLI::App& app) {
  auto* catalogue = app.add_subcommand("catalogue", "Каталог: создание из SQL, выгрузка и загрузка CSV");
  catalogue->require_subcommand(1);
  // The options live as long as the parsed command line that holds the callbacks.
  auto options = std::make_shared<TCatalogueOptions>();

  auto* create = catalogue->add_subcommand("create", "Создать базы каталога в папке DIR из SQL-файлов");
  create->add_option("DIR", options->Dir, "Папка каталога (Catalog, Profile, Furniture, Accessory)")->required();
  create->add_option("--from", options->From, "Папка SQL-файлов (по умолчанию демонстрационный каталог)");
  create->callback([options] { RunCreate(*options, std::cout); });

  auto* export_command = catalogue->add_subcommand("export", "Выгрузить каждую таблицу каталога в CSV");
  export_command->add_option("DIR", options->Dir, "Папка каталога")->required();
  export_command->add_option("--to", options->Folder, "Папка для CSV-файлов")->required();
  export_command->callback([options] { RunExport(*options, std::cout); });

  auto* import_command = catalogue->add_subcommand("import", "Загрузить CSV-файлы в каталог");
  import_command->add_option("FOLDER", options->Folder, "Папка CSV-файлов")->required();
  import_command->add_option("--into", options->Dir, "Папка каталога")->required();
  import_command->callback([options] { RunImport(*options, std::cout); });
}

const TCommandRegistration registration("catalogue", InstallCatalogue);

void ShowLookups(std::ostream& out) {
  out << Format("  Ширина рамы TL-101: %.1f мм, импоста TL-301 (от оси): %.1f мм\n", GetSize10(GetProfWidth("TL-101")),
                GetSize10(GetProfWidth("TL-301")));
  out << Format("  Угол рама/рама X45 при 89,6°: SubSetID %d\n", GetFrameVerbinderID("TL-101", "TL-101", atX45, 89.6));
  out << Format("  Импост TL-302 в раму TL-101 (по группе): SubSetID %d\n",
                GetImpostVerbinderID("TL-101", "TL-302", atImpostT, 90, 0));
  out << Format("  Створка TL-202 в раме TL-101 (по группе): SubSetID %d\n", GetFlugelRubberID("TL-101", "TL-202"));
  const int64_t bead = GetAvailableBead("TL-101", 24, 1);
  out << Format("  Штапик рамы для 24 мм: комбинация %d, штапик %s\n", bead, GetBeadInfo(bead).Bead);
  out << Format("  %s: %s\n", "4M1-16-4M1", GetNameByID("4M1-16-4M1"));
  out << Format("  Цвет WH-GO: снаружи %s, внутри %s\n", GetColorName(GetFrontColor("WH-GO")),
                GetColorName(GetBackColor("WH-GO")));
  const TCurrencyList& list = Catalogue().Settings.CurrencyList;
  out << Format("  100 EUR = %s руб.\n", CurrToStr(GetConvertedCurrency(list, 1, 0, TCurrency::FromInt(100)), 2));
  out << Format("  Статистическая цена TL-101 WH-GO за метр: %s руб.\n",
                CurrToStr(GetStatisticProfPriceByArticle("TL-101", "WH-GO", 1), 2));
  double ix = 0;
  std::string steel;
  GetNearestProfByIx(pgSteel, ix, steel, 2.0, 90, 90);
  out << Format("  Армирование с Ix не менее 2,0: %s (Ix = %.2f)\n", steel, ix);
}

const TDemoStep demo_step("20-catalogue", [](const std::string& dir, std::ostream& out) {
  const std::filesystem::path root = std::filesystem::path(dir) / "catalogue";
  std::filesystem::remove_all(root);
  CreateCatalogueDatabases(CatalogueDirs(root.string()), DataDir(), DemoCatalogueDir(DataDir()));
  TOpenedCatalogue open(CatalogueDirs(root.string()));
  out << Format("== Каталог: %s (%s, %s)\n", root.string(),
                CountText(Catalogue().Catalog.Get().RecordCount(), "материал", "материала", "материалов"),
                CountText(Catalogue().ProfList.Get().RecordCount(), "профиль", "профиля", "профилей"));
  ShowLookups(out);
});

}  // namespace

}  // namespace kv::cli
