// `korvent-cli order new|add|calc|show`: an order file made, filled with constructions built from the
// catalogue (the options of `construction build`) and shown with every header field and list and
// every position (the order's description of the order folder). The demo step "60-order" makes an
// order of several positions, saves it, loads it back and shows it.
#include <filesystem>
#include <iostream>

#include "command_registry.h"
#include "configuration_choice.h"
#include "construction_options.h"
#include "json_text.h"
#include "order/order.h"
#include "order/order_costing.h"
#include "order/order_defaults.h"
#include "order/order_description.h"
#include "order/order_saving.h"
#include "order_files.h"
#include "parser_language.h"
#include "session/session.h"
#include "shell/code_page.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/gx_setup.h"
#include "shell/input_limits.h"
#include "shell/money_words.h"
#include "shell/user_messages.h"

namespace kv::cli {

namespace {

struct TNewOptions {
  std::string File;
  std::string ConfigName;
  std::string No;
  std::string Customer;
  std::string Address;
  std::string Phone;
  bool Force = false;
};

struct TAddOptions {
  std::string File;
  std::string No;
  int Count = 1;
  TBuildOptions Build;
};

struct TCalcOptions {
  std::string File;
  std::string CatalogueDir;
};

struct TShowOptions {
  std::string File;
  bool Json = false;
  // Folder of the catalogue; empty: the demo catalogue.
  std::string CatalogueDir;
};

// Every text is checked, so that one run names every field to correct.
void CheckTexts(const std::vector<std::pair<const char*, std::string>>& Fields) {
  bool storable = true;
  for (const auto& [field, text] : Fields) storable = CheckOrderText(field, text) && storable;
  if (!storable) throw CLI::RuntimeError(1);
}

void SetHeader(TOrder& Order, const TNewOptions& Options) {
  CheckTexts({{"Номер заказа", Order.No},
              {"Заказчик", Options.Customer},
              {"Адрес", Options.Address},
              {"Телефон", Options.Phone}});
  Order.Customer = Options.Customer;
  Order.Address = Options.Address;
  Order.Phone = Options.Phone;
}

void RunNewFile(const TNewOptions& Options, std::ostream& Out) {
  if (Options.No.empty()) {
    ShowError("Не указан номер заказа!");
    throw CLI::RuntimeError(1);
  }
  TOrder order;
  order.No = Options.No;
  SetHeader(order, Options);
  SaveOrderFile(order, Options.File, Options.Force ? TWriteMode::wmReplace : TWriteMode::wmCreateNew);
  Out << Format("Создан заказ № %s: %s\n", order.No, Options.File);
}

// Without a file the order is made as the desktop program makes a new one (the options' defaults,
// the counter's number unless --no is given) and saved by the configuration's saving rules. The
// question whether to replace an existing file is answered by --force.
void RunNewByRules(const TNewOptions& Options, std::ostream& Out) {
  TConsoleMessages answers(Options.Force ? 1 : 2);
  const TUserMessagesScope scope(answers);
  ChooseConfiguration(Options.ConfigName);
  TStartupOptions startup;
  startup.Login = false;
  TSession session;
  if (!session.Startup(startup).Started) throw CLI::RuntimeError(1);
  TOrder order;
  SetOrderDefaults(order, *GXSetup(), Date());
  order.No = Options.No.empty() ? TOrderNoCounter(*GXSetup()).NewOrderNo(Date()) : Options.No;
  SetHeader(order, Options);
  TOrderDocument document;
  switch (TOrderSaver(*GXSetup()).Save(order, document)) {
    case TSaveResult::srSaved: break;
    case TSaveResult::srNeedName:
      throw EKvError(
          "Заказ не сохранен: правила конфигурации не дают имени его файлу, или такой файл уже есть (заменить его: "
          "--force)");
    case TSaveResult::srFailed: throw CLI::RuntimeError(1);
  }
  Out << Format("Создан заказ № %s: %s\n", order.No, document.FileName);
}

void RunNew(const TNewOptions& Options, std::ostream& Out) {
  if (Options.File.empty())
    RunNewByRules(Options, Out);
  else
    RunNewFile(Options, Out);
}

// The first whole number from 1 that no position carries.
std::string NextPositionNo(const TOrder& Order) {
  int number = 1;
  while (Order.PosFind(IntToStr(number)) >= 0) ++number;
  return IntToStr(number);
}

void RunAdd(const TAddOptions& Options, std::ostream& Out) {
  // Frames of old orders take the material type of their system from the catalogue on loading.
  CheckTexts({{"Номер позиции", Options.No}});
  CheckInputNumber("Количество изделий", Options.Count, 1, kMaxPieceCount);
  const TBuildCatalogue catalogue(Options.Build.CatalogueDir);
  std::unique_ptr<Tgx25Construction> construction = BuildConstruction(Options.Build);
  // The file stays held from loading to saving, so that positions added meanwhile by another
  // station are not lost.
  const TOrderFileLock lock(Options.File);
  if (!lock.Locked()) throw CLI::RuntimeError(1);
  std::unique_ptr<TOrder> order = LoadOrderFile(Options.File);
  construction->ChangeNo(Options.No.empty() ? NextPositionNo(*order) : Options.No);
  construction->Count = Options.Count;
  Tgx25Construction* added = order->Add(std::move(construction));
  SaveOrderFile(*order, Options.File);
  const TSizeF size = added->GetSize();
  Out << Format("В заказ № %s добавлена позиция %s: %.1f x %.1f мм, %d шт.\n", order->No, added->No, size.Width,
                size.Height, added->Count);
}

// Every position gathered, priced and calculated, each reported on a progress line; then saved.
// The file stays held from loading to saving like `order add`.
void RunCalc(const TCalcOptions& Options, std::ostream& Out) {
  const TBuildCatalogue catalogue(Options.CatalogueDir);
  const TOrderFileLock lock(Options.File);
  if (!lock.Locked()) throw CLI::RuntimeError(1);
  std::unique_ptr<TOrder> order = LoadOrderFile(Options.File);
  const bool calculated = order->CalculatePositions([&Out](int Done, int Total, const std::string& No) {
    Out << Format("Расчет позиций: %d из %d (позиция %s)\n", Done, Total, No);
  });
  if (!calculated) throw CLI::RuntimeError(1);
  CheckAllPositions(*order);
  GatherInfo(*order, [&Out](const std::string& Step) { Out << Step << "\n"; });
  SaveOrderFile(*order, Options.File);
  const TOrderTotals totals = GetOrderTotals(*order);
  Out << Format("Заказ № %s рассчитан: позиций %d, стоимость %s\n", order->No, order->Count(),
                CurrToStr(totals.SummaryWithNDS, totals.Decimals));
}

void RunShow(const TShowOptions& Options, std::ostream& Out) {
  const TBuildCatalogue catalogue(Options.CatalogueDir);
  std::unique_ptr<TOrder> order = LoadOrderFile(Options.File);
  CheckAllPositions(*order);
  const TOrderJson description = DescribeOrder(*order);
  if (Options.Json)
    Out << JsonText(description, 2) << "\n";
  else
    Out << OrderDescriptionText(description);
}

void InstallOrder(CLI::App& app) {
  auto* order = app.add_subcommand("order", "Заказы: создание файла заказа, добавление позиций, просмотр");
  order->require_subcommand(1);

  auto new_options = std::make_shared<TNewOptions>();
  auto* create = order->add_subcommand("new", "Создать пустой файл заказа");
  create->add_option("file", new_options->File,
                     "Файл заказа (.gxo); без него файл называется и размещается по правилам сохранения "
                     "конфигурации (папка статуса, имя по номеру, заказчику или объекту)");
  create->add_option("--config", new_options->ConfigName, "Конфигурация (без файла; иначе конфигурация по умолчанию)")
      ->check(ConfigurationName());
  create->add_option("--no", new_options->No, "Номер заказа (без файла: иначе следующий номер счетчика)");
  create->add_option("--customer", new_options->Customer, "Заказчик");
  create->add_option("--address", new_options->Address, "Адрес");
  create->add_option("--phone", new_options->Phone, "Телефон");
  create->add_flag("--force", new_options->Force, "Заменить существующий файл заказа");
  create->callback([new_options] { RunNew(*new_options, std::cout); });

  auto add_options = std::make_shared<TAddOptions>();
  auto* add = order->add_subcommand("add", "Добавить в заказ конструкцию, построенную по каталогу");
  add->add_option("file", add_options->File, "Файл заказа (.gxo)")->required();
  add->add_option("--no", add_options->No, "Номер позиции (иначе следующий свободный)");
  add->add_option("--count", add_options->Count, "Количество изделий")->check(PositiveNumber());
  AddBuildOptions(add, add_options->Build);
  add->callback([add_options] { RunAdd(*add_options, std::cout); });

  auto calc_options = std::make_shared<TCalcOptions>();
  auto* calc = order->add_subcommand("calc", "Рассчитать все позиции заказа и сохранить его");
  calc->add_option("file", calc_options->File, "Файл заказа (.gxo)")->required()->check(CLI::ExistingFile);
  calc->add_option("--catalogue", calc_options->CatalogueDir, "Папка каталога (иначе демонстрационный каталог)");
  calc->callback([calc_options] { RunCalc(*calc_options, std::cout); });

  auto show_options = std::make_shared<TShowOptions>();
  auto* show = order->add_subcommand("show", "Показать заказ: заголовок, разделы, итоги и позиции");
  show->add_option("file", show_options->File, "Файл заказа (.gxo)")->required()->check(ExistingFile());
  show->add_flag("--json", show_options->Json, "Вывести в JSON");
  show->add_option("--catalogue", show_options->CatalogueDir, "Папка каталога (иначе демонстрационный каталог)");
  show->callback([show_options] { RunShow(*show_options, std::cout); });
}

const TCommandRegistration registration("order", InstallOrder);

const TDemoStep demo_step("60-order", [](const std::string& dir, std::ostream& out) {
  const std::string file = (std::filesystem::path(dir) / "demo.gxo").string();
  const auto positions = DemoPositions();
  out << Format("== Заказ: %s, %s\n",
                CountText(static_cast<long long>(positions.size()), "позиция", "позиции", "позиций"), file);
  RunNew({file, "", "Д-001", "ООО «Демо-Окна»", "ул. Садовая, 5", "+7 000 000-00-00", true}, out);
  for (const auto& [caption, options] : positions) {
    out << "-- " << caption << "\n";
    TAddOptions add;
    add.File = file;
    add.Build = options;
    RunAdd(add, out);
  }
  out << "== Расчет заказа\n";
  RunCalc({file, ""}, out);
  out << "== Заказ, загруженный из файла\n";
  RunShow({file, false, ""}, out);
});

}  // namespace

std::vector<std::pair<std::string, TBuildOptions>> DemoPositions() {
  TBuildOptions fixed;
  fixed.LamOuter = "GO";
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
  return {{"Глухое окно, снаружи ламинация «Золотой дуб»", fixed},
          {"Окно трехстворчатое с двумя створками", three_fields},
          {"Балконная дверь, энергосберегающий стеклопакет по прайс-листу", door},
          {"Арочное окно", arched}};
}

}  // namespace kv::cli
