// `korvent-cli order new|add|show`: an order file made, filled with constructions built from the
// catalogue (the options of `construction build`) and shown with its header, sections, stored
// totals and every position with its frames, parts, fillings, bars and material lists. The demo
// step "60-order" makes an order of several positions, saves it, loads it back and shows it.
#include <nlohmann/json.hpp>

#include <filesystem>
#include <iostream>

#include "command_registry.h"
#include "construction_options.h"
#include "order/order.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"

namespace kv::cli {

namespace {

using TJson = nlohmann::ordered_json;

struct TNewOptions {
  std::string File;
  std::string No;
  std::string Customer;
  std::string Address;
  std::string Phone;
};

struct TAddOptions {
  std::string File;
  std::string No;
  int Count = 1;
  TBuildOptions Build;
};

struct TShowOptions {
  std::string File;
  bool Json = false;
  // Folder of the catalogue; empty: the demo catalogue.
  std::string CatalogueDir;
};

// The order of the file; the load shows its own message and the command fails after it.
std::unique_ptr<TOrder> LoadOrderFile(const std::string& File) {
  auto order = std::make_unique<TOrder>();
  if (!order->LoadOrder(File)) throw CLI::RuntimeError(1);
  return order;
}

void SaveOrderFile(TOrder& Order, const std::string& File) {
  if (!Order.SaveOrder(File)) throw CLI::RuntimeError(1);
}

void RunNew(const TNewOptions& Options, std::ostream& Out) {
  TOrder order;
  order.No = Options.No;
  order.Customer = Options.Customer;
  order.Address = Options.Address;
  order.Phone = Options.Phone;
  SaveOrderFile(order, Options.File);
  Out << Format("Создан заказ № %s: %s\n", order.No, Options.File);
}

// The first whole number from 1 that no position carries.
std::string NextPositionNo(const TOrder& Order) {
  int number = 1;
  while (Order.PosFind(IntToStr(number)) >= 0) ++number;
  return IntToStr(number);
}

void RunAdd(const TAddOptions& Options, std::ostream& Out) {
  // Frames of old orders take the material type of their system from the catalogue on loading.
  const TBuildCatalogue catalogue(Options.Build.CatalogueDir);
  std::unique_ptr<TOrder> order = LoadOrderFile(Options.File);
  std::unique_ptr<Tgx25Construction> construction = BuildConstruction(Options.Build);
  construction->ChangeNo(Options.No.empty() ? NextPositionNo(*order) : Options.No);
  construction->Count = Options.Count;
  Tgx25Construction* added = order->Add(std::move(construction));
  SaveOrderFile(*order, Options.File);
  const TSizeF size = added->GetSize();
  Out << Format("В заказ № %s добавлена позиция %s: %.1f x %.1f мм, %d шт.\n", order->No, added->No, size.Width,
                size.Height, added->Count);
}

// ---- what `order show` prints -----------------------------------------------------------------

struct TSection {
  const char* Name;
  bool TOrder::*Include;
  TCurrency TOrder::*Reduce;
  TNumUnit TOrder::*Unit;
};

const TSection kSections[] = {
    {"Окна", &TOrder::IncludeWindow, &TOrder::WindowReduce, &TOrder::WindowRedUnit},
    {"Доп. профили", &TOrder::IncludeDopProf, &TOrder::DopProfReduce, &TOrder::DopProfRedUnit},
    {"Монтажные материалы", &TOrder::IncludeMontMat, &TOrder::MontMatReduce, &TOrder::MontMatRedUnit},
    {"Подоконники", &TOrder::IncludeSill, &TOrder::SillReduce, &TOrder::SillRedUnit},
    {"Отливы", &TOrder::IncludeSink, &TOrder::SinkReduce, &TOrder::SinkRedUnit},
    {"Москитные сетки", &TOrder::IncludeMosquito, &TOrder::MosquitoReduce, &TOrder::MosquitoRedUnit},
    {"Роллеты", &TOrder::IncludeRollet, &TOrder::RolletReduce, &TOrder::RolletRedUnit},
    {"Жалюзи", &TOrder::IncludeJalousie, &TOrder::JalousieReduce, &TOrder::JalousieRedUnit},
    {"Откосы", &TOrder::IncludeSlope, &TOrder::SlopeReduce, &TOrder::SlopeRedUnit},
    {"Прочие материалы", &TOrder::IncludeOtherMat, &TOrder::OtherMatReduce, &TOrder::OtherMatRedUnit},
};

std::string UnitName(TNumUnit Unit) {
  switch (Unit) {
    case nuPercent: return "%";
    case nuCurrency: return "сумма";
    case nuFixedPrice: return "фиксированная цена";
    default: return "";
  }
}

std::string FillName(TFillType Fill) {
  switch (Fill) {
    case ftGlass: return "стекло";
    case ftFlugel: return "створка";
    case ftModificator: return "модификатор";
    case ftFrame: return "рама";
    default: return "пусто";
  }
}

double Mm(float ModelUnits) { return static_cast<double>(GetSize10(ModelUnits)); }

TJson BarJson(const std::string& Bar, const std::string& Profile, const TProfSize& Size) {
  return {{"bar", Bar},
          {"profile", Profile},
          {"length", Mm(Size.Length)},
          {"angle1", Size.Angle1},
          {"angle2", Size.Angle2}};
}

std::string ElementKind(const TCustomFrame& Element) {
  if (dynamic_cast<const TFlugel*>(&Element) != nullptr) return "створка";
  if (dynamic_cast<const TkvModificator*>(&Element) != nullptr) return "модификатор";
  return "рама";
}

// Sides and dividing bars of every frame-like element with profiles below Element.
TJson BarsJson(TAbstractFrame& Element) {
  TJson bars = TJson::array();
  Element.VisitTree({[&bars](TAbstractFrame& element) {
                       const auto* custom = dynamic_cast<TCustomFrame*>(&element);
                       if (custom == nullptr) return;
                       for (size_t i = 0; i < custom->Lines.size(); ++i)
                         if (const Tgx25FrameLine* side = custom->GetFrameLine(static_cast<int>(i)))
                           bars.push_back(
                               BarJson(Format("%s %s/%d", ElementKind(*custom), custom->Name, static_cast<int>(i) + 1),
                                       side->Profile.ID, side->ProfSize));
                       for (const auto& bar : custom->Imposts)
                         bars.push_back(BarJson(bar->No, bar->Profile.ID, bar->ProfSize));
                     },
                     [](Tgx25SelectedObject&) {}});
  return bars;
}

TJson PartsJson(TAbstractFrame& Element) {
  TJson parts = TJson::array();
  for (const auto& part : Element.Parts) {
    const auto* custom = dynamic_cast<const Tgx30CustomPart*>(part.get());
    parts.push_back({{"no", part->No}, {"fill", FillName(custom != nullptr ? custom->FillType : ftNone)}});
  }
  return parts;
}

TJson MaterialsJson(const TMatList& Items) {
  TJson list = TJson::array();
  for (const Tgx25MatListItem& item : Items)
    list.push_back({{"id", item.ID},
                    {"group", item.Group},
                    {"quantity", item.Quantity},
                    {"total", static_cast<double>(item.GetTotal().ToExtended())}});
  return list;
}

TJson CutMapJson(const TCutMapList& Items) {
  TJson list = TJson::array();
  for (const Tgx25CutMapItem& item : Items)
    list.push_back({{"id", item.ID},
                    {"length", item.Length},
                    {"angle1", item.Angle1},
                    {"angle2", item.Angle2},
                    {"steel", item.SteelID},
                    {"steel_length", item.SteelLength}});
  return list;
}

TJson FrameJson(TFrame& Frame) {
  TJson glasses = TJson::array();
  Frame.VisitTree({[](TAbstractFrame&) {},
                   [&glasses](Tgx25SelectedObject& object) {
                     const auto* glass = dynamic_cast<const Tgx25Glass*>(&object);
                     if (glass == nullptr) return;
                     const TSizeF size = glass->GetRealSize();
                     glasses.push_back({{"no", glass->No},
                                        {"article", glass->Glass},
                                        {"width", static_cast<double>(size.Width)},
                                        {"height", static_cast<double>(size.Height)},
                                        {"bead", glass->Bead.ID}});
                   }});
  return {{"name", Frame.Name},
          {"type", Frame.TypeWin},
          {"kind", ObjTypeCaption(Frame.ObjType)},
          {"system", Frame.ProfSys},
          {"color", Frame.ProfColor},
          {"parts", PartsJson(Frame)},
          {"fillings", glasses},
          {"bars", BarsJson(Frame)},
          {"cut_map", CutMapJson(Frame.CutMap)},
          {"materials", MaterialsJson(Frame.Materials)}};
}

TJson PositionJson(Tgx25Construction& Position) {
  const TSizeF size = Position.GetSize();
  TJson frames = TJson::array();
  for (int i = 0; i < Position.FrameCount(); ++i) frames.push_back(FrameJson(*Position.GetFrame(i)));
  return {{"no", Position.No},
          {"count", Position.Count},
          {"width", static_cast<double>(size.Width)},
          {"height", static_cast<double>(size.Height)},
          {"square", static_cast<double>(Position.GetSquare())},
          {"frames", frames},
          {"materials", MaterialsJson(Position.MatList)}};
}

// The totals the file holds: positions and pieces, area, materials, services and payments.
TJson TotalsJson(const TOrder& Order) {
  long double square = 0;
  int pieces = 0;
  for (int i = 0; i < Order.Count(); ++i) {
    square += Order.GetConstruction(i)->GetSquare() * Order.GetConstruction(i)->Count;
    pieces += Order.GetConstruction(i)->Count;
  }
  TCurrency materials, services, payments;
  for (const auto& item : Order.Materials) materials = materials + item.GetTotal();
  for (const auto& item : Order.Services) services = services + item.Cost;
  for (const auto& item : Order.Payments) payments = payments + item.Money;
  return {{"positions", Order.Count()},
          {"pieces", pieces},
          {"square", static_cast<double>(GetRoundedFloat(square, 4))},
          {"materials", static_cast<double>(materials.ToExtended())},
          {"services", static_cast<double>(services.ToExtended())},
          {"payments", static_cast<double>(payments.ToExtended())}};
}

TJson OrderJson(TOrder& Order) {
  TJson sections = TJson::array();
  for (const TSection& section : kSections)
    sections.push_back({{"name", section.Name},
                        {"included", Order.*section.Include},
                        {"reduce", static_cast<double>((Order.*section.Reduce).ToExtended())},
                        {"unit", UnitName(Order.*section.Unit)}});
  TJson positions = TJson::array();
  for (int i = 0; i < Order.Count(); ++i) positions.push_back(PositionJson(*Order.GetConstruction(i)));
  return {{"no", Order.No},
          {"version", Order.Version},
          {"date", DateToStr(Order.Date)},
          {"customer", Order.Customer},
          {"address", Order.Address},
          {"phone", Order.Phone},
          {"status", OrderStatusCaption(Order.Status)},
          {"sections", sections},
          {"totals", TotalsJson(Order)},
          {"positions", positions}};
}

void PrintMaterials(const TJson& Items, const char* Indent, std::ostream& Out) {
  for (const TJson& item : Items)
    Out << Format("%sМатериал %-12s группа %d, количество %.3f, итого %.2f\n", Indent, item["id"].get<std::string>(),
                  item["group"].get<int>(), item["quantity"].get<double>(), item["total"].get<double>());
}

// The same content as text, line by line.
void PrintOrder(const TJson& Order, std::ostream& Out) {
  Out << Format("Заказ № %s от %s (версия файла %s), %s\n", Order["no"].get<std::string>(),
                Order["date"].get<std::string>(), Order["version"].get<std::string>(),
                Order["status"].get<std::string>());
  Out << Format("Заказчик: %s; адрес: %s; телефон: %s\n", Order["customer"].get<std::string>(),
                Order["address"].get<std::string>(), Order["phone"].get<std::string>());
  Out << "Разделы:";
  for (const TJson& section : Order["sections"])
    if (section["included"].get<bool>())
      Out << Format(" %s (скидка %.2f%s);", section["name"].get<std::string>(), section["reduce"].get<double>(),
                    section["unit"].get<std::string>().empty() ? "" : " " + section["unit"].get<std::string>());
  const TJson& totals = Order["totals"];
  Out << Format("\nИтоги: позиций %d, изделий %d, площадь %.4f м2, материалы %.2f, услуги %.2f, оплачено %.2f\n",
                totals["positions"].get<int>(), totals["pieces"].get<int>(), totals["square"].get<double>(),
                totals["materials"].get<double>(), totals["services"].get<double>(), totals["payments"].get<double>());
  for (const TJson& position : Order["positions"]) {
    Out << Format("Позиция %s: %d шт., %.1f x %.1f мм, %.4f м2, материалов %d\n", position["no"].get<std::string>(),
                  position["count"].get<int>(), position["width"].get<double>(), position["height"].get<double>(),
                  position["square"].get<double>(), static_cast<int>(position["materials"].size()));
    for (const TJson& frame : position["frames"]) {
      Out << Format("  Рама %s: %s, тип %d, система %s, цвет %s; раскрой %d, материалы %d\n",
                    frame["name"].get<std::string>(), frame["kind"].get<std::string>(), frame["type"].get<int>(),
                    frame["system"].get<std::string>(), frame["color"].get<std::string>(),
                    static_cast<int>(frame["cut_map"].size()), static_cast<int>(frame["materials"].size()));
      Out << "    Поля:";
      for (const TJson& part : frame["parts"])
        Out << Format(" %s (%s)", part["no"].get<std::string>(), part["fill"].get<std::string>());
      Out << "\n";
      for (const TJson& glass : frame["fillings"])
        Out << Format("    Заполнение %s: %s %.1f x %.1f мм, штапик %s\n", glass["no"].get<std::string>(),
                      glass["article"].get<std::string>(), glass["width"].get<double>(), glass["height"].get<double>(),
                      glass["bead"].get<std::string>());
      for (const TJson& bar : frame["bars"])
        Out << Format("    Профиль %-16s %-10s %8.1f мм %5.1f° %5.1f°\n", bar["bar"].get<std::string>(),
                      bar["profile"].get<std::string>(), bar["length"].get<double>(), bar["angle1"].get<double>(),
                      bar["angle2"].get<double>());
      for (const TJson& piece : frame["cut_map"])
        Out << Format("    Раскрой %-10s %8.1f мм %5.1f° %5.1f°, армирование %s %.1f мм\n",
                      piece["id"].get<std::string>(), piece["length"].get<double>(), piece["angle1"].get<double>(),
                      piece["angle2"].get<double>(), piece["steel"].get<std::string>(),
                      piece["steel_length"].get<double>());
      PrintMaterials(frame["materials"], "    ", Out);
    }
    PrintMaterials(position["materials"], "  ", Out);
  }
}

void RunShow(const TShowOptions& Options, std::ostream& Out) {
  const TBuildCatalogue catalogue(Options.CatalogueDir);
  std::unique_ptr<TOrder> order = LoadOrderFile(Options.File);
  const TJson json = OrderJson(*order);
  if (Options.Json)
    Out << json.dump(2) << "\n";
  else
    PrintOrder(json, Out);
}

void InstallOrder(CLI::App& app) {
  auto* order = app.add_subcommand("order", "Заказы: создание файла заказа, добавление позиций, просмотр");
  order->require_subcommand(1);

  auto new_options = std::make_shared<TNewOptions>();
  auto* create = order->add_subcommand("new", "Создать пустой файл заказа");
  create->add_option("file", new_options->File, "Файл заказа (.gxo)")->required();
  create->add_option("--no", new_options->No, "Номер заказа")->required();
  create->add_option("--customer", new_options->Customer, "Заказчик");
  create->add_option("--address", new_options->Address, "Адрес");
  create->add_option("--phone", new_options->Phone, "Телефон");
  create->callback([new_options] { RunNew(*new_options, std::cout); });

  auto add_options = std::make_shared<TAddOptions>();
  auto* add = order->add_subcommand("add", "Добавить в заказ конструкцию, построенную по каталогу");
  add->add_option("file", add_options->File, "Файл заказа (.gxo)")->required();
  add->add_option("--no", add_options->No, "Номер позиции (иначе следующий свободный)");
  add->add_option("--count", add_options->Count, "Количество изделий")->check(CLI::PositiveNumber);
  AddBuildOptions(add, add_options->Build);
  add->callback([add_options] { RunAdd(*add_options, std::cout); });

  auto show_options = std::make_shared<TShowOptions>();
  auto* show = order->add_subcommand("show", "Показать заказ: заголовок, разделы, итоги и позиции");
  show->add_option("file", show_options->File, "Файл заказа (.gxo)")->required()->check(CLI::ExistingFile);
  show->add_flag("--json", show_options->Json, "Вывести в JSON");
  show->add_option("--catalogue", show_options->CatalogueDir, "Папка каталога (иначе демонстрационный каталог)");
  show->callback([show_options] { RunShow(*show_options, std::cout); });
}

const TCommandRegistration registration("order", InstallOrder);

// The positions of the demo order: the options of each construction.
std::vector<std::pair<std::string, TBuildOptions>> DemoPositions() {
  TBuildOptions single;
  TBuildOptions three_fields;
  three_fields.Width = 2100;
  three_fields.Vertical = {700, 1400};
  three_fields.Sashes = {1, 3};
  // The balcony door type of the catalogue at its standard size: door frame with threshold, door sash.
  TBuildOptions door;
  door.TypeWin = 2;
  door.Width = 750;
  door.Height = 2150;
  door.Sashes = {1};
  TBuildOptions arched;
  arched.Figure = "arc";
  arched.Width = 1200;
  arched.Height = 1500;
  return {{"Окно одностворчатое", single},
          {"Окно трехстворчатое с двумя створками", three_fields},
          {"Балконная дверь", door},
          {"Арочное окно", arched}};
}

const TDemoStep demo_step("60-order", [](const std::string& dir, std::ostream& out) {
  const std::string file = (std::filesystem::path(dir) / "demo.gxo").string();
  out << "== Заказ из четырех позиций: " << file << "\n";
  RunNew({file, "Д-001", "ООО «Демо-Окна»", "ул. Садовая, 5", "+7 000 000-00-00"}, out);
  for (auto& [caption, options] : DemoPositions()) {
    out << "-- " << caption << "\n";
    TAddOptions add;
    add.File = file;
    add.Build = options;
    RunAdd(add, out);
  }
  out << "== Заказ, загруженный из файла\n";
  RunShow({file, false, ""}, out);
});

}  // namespace

}  // namespace kv::cli
