// `korvent-cli selection new|add|delete|show`: selection files (.gxs), batches of positions from
// several orders. `show` refreshes the items from their order files and saves what changed;
// `show --materials` gathers and prices the batch's materials as one list and shows its cut
// list, what a factory orders and saws for a day's production. The demo step "62-selection" makes a
// selection of the demo order's positions and shows its batch.
#include <nlohmann/json.hpp>

#include <filesystem>
#include <iostream>

#include "command_registry.h"
#include "construction_options.h"
#include "json_text.h"
#include "order/document_numbers.h"
#include "order/order_selection.h"
#include "order_files.h"
#include "parser_language.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/money_words.h"
#include "shell/safe_files.h"

namespace kv::cli {

namespace {

using TJson = nlohmann::ordered_json;

// How long a command waits for another station's change of the same selection.
constexpr auto kSelectionPatience = std::chrono::seconds(20);

struct TNewOptions {
  std::string File;
  std::string No;
  std::string Name;
  bool Force = false;
};

struct TAddOptions {
  std::string File;
  std::string OrderFile;
  std::vector<std::string> Positions;
};

struct TDeleteOptions {
  std::string File;
  std::string OrderNo;
  std::vector<std::string> Positions;
};

struct TShowOptions {
  std::string File;
  bool Json = false;
  bool Materials = false;
  std::string Sort;
  std::string CatalogueDir;
};

// The sort orders of the items by their words on the command line.
void SortItems(Tgx25OrderSelection& Selection, const std::string& Word) {
  if (Word == "order") Selection.OrderSort();
  if (Word == "pos") Selection.PosSort();
  if (Word == "name") Selection.NameSort();
  if (Word == "file") Selection.FileNameSort();
}

Tgx25OrderSelection LoadSelectionFile(const std::string& File) {
  Tgx25OrderSelection selection;
  if (!selection.LoadSelection(File)) throw CLI::RuntimeError(1);
  return selection;
}

void SaveSelectionFile(Tgx25OrderSelection& Selection, const std::string& File,
                       TWriteMode Mode = TWriteMode::wmReplace) {
  if (!Selection.SaveSelection(File, Mode)) throw CLI::RuntimeError(1);
}

void RunNew(const TNewOptions& Options, std::ostream& Out) {
  if (!CheckOrderText("Номер выборки", Options.No) || !CheckOrderText("Наименование выборки", Options.Name))
    throw CLI::RuntimeError(1);
  Tgx25OrderSelection selection;
  selection.No =
      Options.No.empty() ? NewSelectionNo(std::filesystem::absolute(Options.File).parent_path()) : Options.No;
  selection.Name = Options.Name;
  SaveSelectionFile(selection, Options.File, Options.Force ? TWriteMode::wmReplace : TWriteMode::wmCreateNew);
  Out << Format("Создана выборка № %s: %s\n", selection.No, Options.File);
}

// The selection file is held against other stations' changes while it is read, changed and saved.
void RequireLock(const TFileLock& Lock, const std::string& File) {
  if (!Lock.Locked())
    throw EKvError(Format("Файл выборки [%s] изменяется на другой станции!\r\nПовторите попытку позже.", File));
}

void RunAdd(const TAddOptions& Options, std::ostream& Out) {
  const TFileLock lock(Options.File, kSelectionPatience);
  RequireLock(lock, Options.File);
  Tgx25OrderSelection selection = LoadSelectionFile(Options.File);
  std::unique_ptr<TOrder> order = LoadOrderFile(Options.OrderFile);
  std::vector<Tgx25Construction*> positions;
  for (const std::string& number : Options.Positions) {
    Tgx25Construction* position = order->GetPosByNo(number);
    if (position == nullptr) throw EKvError(Format("В заказе № %s нет позиции %s!", order->No, number));
    positions.push_back(position);
  }
  for (int i = 0; Options.Positions.empty() && i < order->Count(); ++i) positions.push_back(order->GetConstruction(i));
  const std::string order_file = std::filesystem::absolute(Options.OrderFile).lexically_normal().string();
  int added = 0;
  for (Tgx25Construction* position : positions) added += selection.AddPosition(*order, *position, order_file);
  SaveSelectionFile(selection, Options.File);
  Out << Format("В выборку № %s добавлено из заказа № %s: %s\n", selection.No, order->No,
                CountText(added, "позиция", "позиции", "позиций"));
}

void RunDelete(const TDeleteOptions& Options, std::ostream& Out) {
  const TFileLock lock(Options.File, kSelectionPatience);
  RequireLock(lock, Options.File);
  Tgx25OrderSelection selection = LoadSelectionFile(Options.File);
  for (const std::string& number : Options.Positions)
    if (selection.PosFind(Options.OrderNo, number) < 0)
      throw EKvError(Format("В выборке № %s нет позиции %s заказа № %s!", selection.No, number, Options.OrderNo));
  for (const std::string& number : Options.Positions) selection.Delete(Options.OrderNo, number);
  SaveSelectionFile(selection, Options.File);
  Out << Format("Из выборки № %s удалено: %s\n", selection.No,
                CountText(static_cast<long long>(Options.Positions.size()), "позиция", "позиции", "позиций"));
}

TJson ItemsJson(const Tgx25OrderSelection& Selection) {
  TJson items = TJson::array();
  for (const Tgx25OrderSelectionItem& item : Selection.Items)
    items.push_back({{"checked", item.Checked},
                     {"order_no", item.OrderNo},
                     {"pos_no", item.PosNo},
                     {"width", item.Width},
                     {"height", item.Height},
                     {"number", item.Number},
                     {"name", item.Name},
                     {"file", item.FileName},
                     {"linked", item.Construction != nullptr}});
  return items;
}

TJson StatisticsJson(const Tgx25OrderSelection& S) {
  return {{"orders", S.OrderCount},
          {"positions", S.PosCount},
          {"constructions", S.ConsCount},
          {"frames", S.FrameCount},
          {"windows", S.WinCount},
          {"doors", S.DoorCount},
          {"window_square", static_cast<double>(S.WinSquare)},
          {"door_square", static_cast<double>(S.DoorSquare)},
          {"total_square", static_cast<double>(S.TotalSquare)}};
}

TJson BatchJson(const TSelectionBatch& Batch) {
  TJson materials = TJson::array();
  for (const Tgx25MatListItem& item : Batch.Materials)
    materials.push_back({{"id", item.ID},
                         {"group", item.Group},
                         {"width", item.Width},
                         {"height", item.Height},
                         {"quantity", item.Quantity},
                         {"price", item.Price.ToDouble()},
                         {"cost", item.Cost.ToDouble()},
                         {"total", item.GetTotal().ToDouble()}});
  TJson pieces = TJson::array();
  for (const Tgx25CutMapItem& piece : Batch.CutMap)
    pieces.push_back({{"id", piece.ID},
                      {"length", piece.Length},
                      {"angle1", piece.Angle1},
                      {"angle2", piece.Angle2},
                      {"count", piece.Value6},
                      {"steel", piece.SteelID},
                      {"steel_length", piece.SteelLength}});
  return {{"materials", materials}, {"cut_map", pieces}};
}

void PrintText(const Tgx25OrderSelection& S, const TJson& Batch, std::ostream& Out) {
  Out << Format("Выборка № %s от %s%s, заказы: %s\n", S.No, DateToStr(S.Date),
                S.Name.empty() ? "" : " «" + S.Name + "»", S.GetOrderList());
  for (const Tgx25OrderSelectionItem& item : S.Items)
    Out << Format("  %s заказ %s, позиция %s: %s %.1f x %.1f мм, %d шт., %s%s\n", item.Checked ? "[x]" : "[ ]",
                  item.OrderNo, item.PosNo, item.Name, item.Width, item.Height, item.Number, item.FileName,
                  item.Construction != nullptr ? "" : " (файл заказа недоступен)");
  Out << Format(
      "Итого: заказов %d, позиций %d, изделий %d, рам %d, окон %d (%.2f м2), дверей %d (%.2f м2), "
      "площадь %.2f м2\n",
      S.OrderCount, S.PosCount, S.ConsCount, S.FrameCount, S.WinCount, static_cast<double>(S.WinSquare), S.DoorCount,
      static_cast<double>(S.DoorSquare), static_cast<double>(S.TotalSquare));
  if (Batch.is_null()) return;
  double total = 0;
  Out << "Материалы партии:\n";
  for (const TJson& item : Batch["materials"]) {
    const int width = item["width"].get<int>();
    const std::string size = width > 0 ? Format(" %d x %d", width, item["height"].get<int>()) : "";
    Out << Format("  %-12s%s группа %2d, количество %10.3f, цена %10.2f, стоимость %10.2f\n",
                  item["id"].get<std::string>(), size, item["group"].get<int>(), item["quantity"].get<double>(),
                  item["price"].get<double>(), item["cost"].get<double>());
    total += item["total"].get<double>();
  }
  Out << Format("  Итого материалов: %.2f\n", total);
  Out << "Раскрой партии:\n";
  for (const TJson& piece : Batch["cut_map"])
    Out << Format("  %-12s %8.1f мм %5.1f° %5.1f° x %d, армирование %s %.1f мм\n", piece["id"].get<std::string>(),
                  piece["length"].get<double>(), piece["angle1"].get<double>(), piece["angle2"].get<double>(),
                  piece["count"].get<int>(), piece["steel"].get<std::string>(), piece["steel_length"].get<double>());
}

void RunShow(const TShowOptions& Options, std::ostream& Out) {
  const TFileLock lock(Options.File, kSelectionPatience);
  RequireLock(lock, Options.File);
  Tgx25OrderSelection selection = LoadSelectionFile(Options.File);
  std::unique_ptr<TBuildCatalogue> catalogue;
  if (Options.Materials) catalogue = std::make_unique<TBuildCatalogue>(Options.CatalogueDir);
  if (selection.UpdateSelectionData()) SaveSelectionFile(selection, Options.File);
  SortItems(selection, Options.Sort);
  selection.GatherStatistics();
  const TJson batch = Options.Materials ? BatchJson(selection.GatherBatch()) : TJson();
  if (!Options.Json) {
    PrintText(selection, batch, Out);
    return;
  }
  TJson json = {{"signature", selection.ProductID},
                {"version", selection.Version},
                {"no", selection.No},
                {"date", DateToStr(selection.Date)},
                {"name", selection.Name},
                {"orders", selection.GetOrderList()},
                {"items", ItemsJson(selection)},
                {"statistics", StatisticsJson(selection)}};
  if (Options.Materials) json["batch"] = batch;
  Out << JsonText(json, 2) << "\n";
}

void InstallSelection(CLI::App& app) {
  auto* selection = app.add_subcommand("selection", "Выборки: партии позиций из нескольких заказов");
  selection->require_subcommand(1);

  auto new_options = std::make_shared<TNewOptions>();
  auto* create = selection->add_subcommand("new", "Создать пустую выборку");
  create->add_option("file", new_options->File, "Файл выборки (.gxs)")->required();
  create->add_option("--no", new_options->No, "Номер выборки (иначе по шаблону нумерации)");
  create->add_option("--name", new_options->Name, "Наименование");
  create->add_flag("--force", new_options->Force, "Заменить существующий файл выборки");
  create->callback([new_options] { RunNew(*new_options, std::cout); });

  auto add_options = std::make_shared<TAddOptions>();
  auto* add = selection->add_subcommand("add", "Добавить в выборку позиции заказа");
  add->add_option("file", add_options->File, "Файл выборки (.gxs)")->required()->check(ExistingFile());
  add->add_option("order", add_options->OrderFile, "Файл заказа (.gxo)")->required()->check(ExistingFile());
  add->add_option("--pos", add_options->Positions, "Номер позиции (иначе все позиции заказа)");
  add->callback([add_options] { RunAdd(*add_options, std::cout); });

  auto delete_options = std::make_shared<TDeleteOptions>();
  auto* remove = selection->add_subcommand("delete", "Удалить из выборки позиции заказа");
  remove->add_option("file", delete_options->File, "Файл выборки (.gxs)")->required()->check(ExistingFile());
  remove->add_option("--order", delete_options->OrderNo, "Номер заказа")->required();
  remove->add_option("--pos", delete_options->Positions, "Номер позиции")->required();
  remove->callback([delete_options] { RunDelete(*delete_options, std::cout); });

  auto show_options = std::make_shared<TShowOptions>();
  auto* show = selection->add_subcommand(
      "show", "Показать выборку: позиции (обновленные из файлов заказов и сохраненные), статистику, материалы партии");
  show->add_option("file", show_options->File, "Файл выборки (.gxs)")->required()->check(ExistingFile());
  show->add_flag("--json", show_options->Json, "Вывести в JSON");
  show->add_flag("--materials", show_options->Materials, "Материалы и раскрой партии (расчет по каталогу)");
  show->add_option("--sort", show_options->Sort, "Порядок позиций: order, pos, name, file")
      ->check(OneOf({"order", "pos", "name", "file"}));
  show->add_option("--catalogue", show_options->CatalogueDir, "Папка каталога (иначе демонстрационный каталог)");
  show->callback([show_options] { RunShow(*show_options, std::cout); });
}

const TCommandRegistration registration("selection", InstallSelection);

const TDemoStep demo_step("62-selection", [](const std::string& dir, std::ostream& out) {
  const std::string file = (std::filesystem::path(dir) / "demo.gxs").string();
  out << "== Выборка: позиции демонстрационного заказа одной партией\n";
  RunNew({file, "В-001", "Партия на день", true}, out);
  RunAdd({file, (std::filesystem::path(dir) / "demo.gxo").string(), {}}, out);
  RunShow({file, false, true, "order", ""}, out);
});

}  // namespace

}  // namespace kv::cli
