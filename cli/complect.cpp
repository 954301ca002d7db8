// `korvent-cli complect new|show`: complect lists (.gxc), the delivery note of an order: its
// constructions and its loose materials with quantities and prices. The demo step "63-complect"
// makes the delivery note of the demo order.
#include <nlohmann/json.hpp>

#include <filesystem>
#include <iostream>

#include "command_registry.h"
#include "construction_options.h"
#include "json_text.h"
#include "order/document_numbers.h"
#include "order/order_complect.h"
#include "order/order_costing.h"
#include "order_files.h"
#include "parser_language.h"
#include "shell/format_settings.h"
#include "shell/money_words.h"

namespace kv::cli {

namespace {

using TJson = nlohmann::ordered_json;

struct TNewOptions {
  std::string File;
  std::string OrderFile;
  std::string No;
  std::string Representative;
  std::string Document;
  bool Furniture = false;
  bool Force = false;
  std::string CatalogueDir;
};

struct TShowOptions {
  std::string File;
  bool Json = false;
};

void RunNew(const TNewOptions& Options, std::ostream& Out) {
  for (const auto& [field, text] : {std::pair{"Номер ведомости", Options.No},
                                    {"Представитель", Options.Representative},
                                    {"Документ", Options.Document}})
    if (!CheckOrderText(field, text)) throw CLI::RuntimeError(1);
  const TBuildCatalogue catalogue(Options.CatalogueDir);
  std::unique_ptr<TOrder> order = LoadOrderFile(Options.OrderFile);
  CheckAllPositions(*order);
  Tgx25OrderComplect complect;
  complect.Furniture = Options.Furniture;
  complect.FillFromOrder(*order);
  complect.No = Options.No.empty() ? NewComplectNo(std::filesystem::absolute(Options.File).parent_path()) : Options.No;
  complect.Representative = Options.Representative;
  complect.Document = Options.Document;
  if (!complect.SaveFile(Options.File, Options.Force ? TWriteMode::wmReplace : TWriteMode::wmCreateNew))
    throw CLI::RuntimeError(1);
  Out << Format("Создана ведомость № %s по заказу № %s: %s, %s\n", complect.No, complect.Order, Options.File,
                CountText(static_cast<long long>(complect.Items.size()), "строка", "строки", "строк"));
}

// The switches by their names in the file's order.
std::vector<std::pair<const char*, bool>> Switches(const Tgx25OrderComplect& C) {
  return {{"window", C.Window},
          {"attach_prof", C.AttachProf},
          {"dop_prof", C.DopProf},
          {"other_prof", C.OtherProf},
          {"furniture", C.Furniture},
          {"sill", C.Sill},
          {"sink", C.Sink},
          {"mosquito", C.Mosquito},
          {"rollet", C.Rollet},
          {"jalousie", C.Jalousie},
          {"sill_comp", C.SillComp},
          {"sink_comp", C.SinkComp},
          {"mosquito_comp", C.MosquitoComp},
          {"rollet_comp", C.RolletComp},
          {"jalousie_comp", C.JalousieComp},
          {"mont_mat", C.MontMat}};
}

void PrintJson(const Tgx25OrderComplect& C, std::ostream& Out) {
  TJson switches = TJson::object();
  for (const auto& [name, on] : Switches(C)) switches[name] = on;
  TJson items = TJson::array();
  for (const Tgx25OrderComplectItem& item : C.Items)
    items.push_back({{"group", item.Group},
                     {"order_no", item.OrderNo},
                     {"name", item.Name},
                     {"article", item.Article},
                     {"size", item.Size},
                     {"number", item.Number},
                     {"unit", item.UnitName},
                     {"place", item.PlaceNum},
                     {"price", item.Price.ToDouble()},
                     {"cost", item.Cost.ToDouble()}});
  const TJson json = {{"no", C.No},
                      {"date", DateToStr(C.Date)},
                      {"order", C.Order},
                      {"customer", C.Customer},
                      {"representative", C.Representative},
                      {"document", C.Document},
                      {"switches", switches},
                      {"items", items}};
  Out << JsonText(json, 2) << "\n";
}

void PrintText(const Tgx25OrderComplect& C, std::ostream& Out) {
  Out << Format("Ведомость комплектации № %s от %s, заказ № %s, заказчик %s\n", C.No, DateToStr(C.Date), C.Order,
                C.Customer);
  if (!C.Representative.empty() || !C.Document.empty())
    Out << Format("Представитель: %s, документ: %s\n", C.Representative, C.Document);
  Out << "Разделы:";
  for (const auto& [name, on] : Switches(C)) Out << Format(" %s %s;", name, on ? "да" : "нет");
  Out << "\n";
  TCurrency total;
  for (const Tgx25OrderComplectItem& item : C.Items) {
    Out << Format("  [%s] %-10s %-30s %-12s %.3f %s, цена %s, стоимость %s%s\n",
                  item.Group == 0 ? std::string("Изделие") : MaterialGroupName(item.Group), item.Article, item.Name,
                  item.Size, static_cast<double>(item.Number), item.UnitName, CurrToStr(item.Price, 2),
                  CurrToStr(item.Cost, 2), item.PlaceNum.empty() ? "" : ", место " + item.PlaceNum);
    total += item.Cost;
  }
  Out << Format("Итого: %s, стоимость %s\n",
                CountText(static_cast<long long>(C.Items.size()), "строка", "строки", "строк"), CurrToStr(total, 2));
}

void RunShow(const TShowOptions& Options, std::ostream& Out) {
  Tgx25OrderComplect complect;
  if (!complect.LoadFile(Options.File)) throw CLI::RuntimeError(1);
  if (Options.Json)
    PrintJson(complect, Out);
  else
    PrintText(complect, Out);
}

void InstallComplect(CLI::App& app) {
  auto* complect = app.add_subcommand("complect", "Ведомости комплектации заказов");
  complect->require_subcommand(1);

  auto new_options = std::make_shared<TNewOptions>();
  auto* create = complect->add_subcommand("new", "Создать ведомость комплектации по рассчитанному заказу");
  create->add_option("file", new_options->File, "Файл ведомости (.gxc)")->required();
  create->add_option("--order", new_options->OrderFile, "Файл заказа (.gxo)")->required()->check(ExistingFile());
  create->add_option("--no", new_options->No, "Номер ведомости (иначе по шаблону нумерации)");
  create->add_option("--representative", new_options->Representative, "Представитель заказчика");
  create->add_option("--document", new_options->Document, "Документ (доверенность, накладная)");
  create->add_flag("--furniture", new_options->Furniture, "Фурнитура отдельными строками");
  create->add_flag("--force", new_options->Force, "Заменить существующий файл ведомости");
  create->add_option("--catalogue", new_options->CatalogueDir, "Папка каталога (иначе демонстрационный каталог)");
  create->callback([new_options] { RunNew(*new_options, std::cout); });

  auto show_options = std::make_shared<TShowOptions>();
  auto* show = complect->add_subcommand("show", "Показать ведомость комплектации");
  show->add_option("file", show_options->File, "Файл ведомости (.gxc)")->required()->check(ExistingFile());
  show->add_flag("--json", show_options->Json, "Вывести в JSON");
  show->callback([show_options] { RunShow(*show_options, std::cout); });
}

const TCommandRegistration registration("complect", InstallComplect);

const TDemoStep demo_step("63-complect", [](const std::string& dir, std::ostream& out) {
  const std::string file = (std::filesystem::path(dir) / "demo.gxc").string();
  out << "== Ведомость комплектации демонстрационного заказа\n";
  TNewOptions options;
  options.File = file;
  options.OrderFile = (std::filesystem::path(dir) / "demo.gxo").string();
  options.No = "К-001";
  options.Representative = "Петров П. П.";
  options.Force = true;
  RunNew(options, out);
  RunShow({file, false}, out);
});

}  // namespace

}  // namespace kv::cli
