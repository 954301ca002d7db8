// `korvent-cli order discount|service|payment|vat`: the money parts of an order file edited from the
// command line (a section's or the order's discount, a service entry, a payment, VAT on the total),
// each followed by the order's new totals. The demo step "61-costing" gives the demo order a
// discount, a delivery service, VAT and an advance payment.
#include <filesystem>
#include <iostream>

#include "command_registry.h"
#include "order/order_costing.h"
#include "order/order_description.h"
#include "order_files.h"
#include "parser_language.h"
#include "shell/date_time.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/table_engine.h"

namespace kv::cli {

namespace {

// The largest amount typed for a discount, a service or a payment.
constexpr long double kMaxAmount = 1e12L;

const std::vector<std::string> kSectionWords = {"window",   "dopprof", "montmat",  "sill", "sink",
                                                "mosquito", "rollet",  "jalousie", "order"};
const std::vector<std::string> kUnitWords = {"none", "percent", "amount", "fixed"};

TOrderSection SectionOf(const std::string& Word) {
  const auto at = std::find(kSectionWords.begin(), kSectionWords.end(), Word);
  return static_cast<TOrderSection>(at - kSectionWords.begin());
}

// A number typed with a decimal comma or point, within [Min, Max].
TCurrency AmountOf(const std::string& Option, std::string Text, long double Min, long double Max) {
  std::string typed = Text;
  std::replace(typed.begin(), typed.end(), ',', '.');
  TCurrency value;
  if (!TryMoneyFromText(typed, value) || value.ToExtended() < Min || value.ToExtended() > Max)
    throw EKvError(Format("Неверное значение параметра %s: \"%s\"; ожидается число от %s до %s", Option, Text,
                          FloatToStr(Min), FloatToStr(Max)));
  return value;
}

void CheckText(const char* Field, const std::string& Text) {
  if (!CheckOrderText(Field, Text)) throw CLI::RuntimeError(1);
}

// Loads the order held against other stations, applies the change, saves it and shows its totals.
template <class Change>
void EditOrder(const std::string& File, std::ostream& Out, Change Apply) {
  const TOrderFileLock lock(File);
  if (!lock.Locked()) throw CLI::RuntimeError(1);
  std::unique_ptr<TOrder> order = LoadOrderFile(File);
  Out << Apply(*order) << "\n";
  SaveOrderFile(*order, File);
  CheckAllPositions(*order);
  Out << OrderTotalsText(*order);
}

struct TDiscountOptions {
  std::string File;
  std::string Section;
  std::string Percent;
  std::string Amount;
};

void RunDiscount(const TDiscountOptions& Options, std::ostream& Out) {
  if (Options.Percent.empty() == Options.Amount.empty()) throw EKvError("Укажите скидку: --percent или --amount");
  const TOrderSection section = SectionOf(Options.Section);
  const bool percent = !Options.Percent.empty();
  const TCurrency value = percent ? AmountOf("--percent", Options.Percent, -100, 1000)
                                  : AmountOf("--amount", Options.Amount, -kMaxAmount, kMaxAmount);
  const TNumUnit unit = value == TCurrency() ? nuNone : percent ? nuPercent : nuCurrency;
  EditOrder(Options.File, Out, [&](TOrder& Order) {
    SetDiscount(Order, section, unit, value);
    const std::string shown = ReduceStr(Order, section);
    return Format("Скидка «%s»: %s", SectionCaption(section), shown.empty() ? "нет" : shown);
  });
}

struct TServiceOptions {
  std::string File;
  int ID = 0;
  std::string Name;
  std::string Value;
  std::string Unit;
  bool Common = false;
  bool Delete = false;
  std::string IncludeCommon;
};

// The order's entry of the service, a new one appended when there is none.
Tgx25ServiceItem& ServiceEntry(TOrder& Order, int ID) {
  for (Tgx25ServiceItem& entry : Order.Services)
    if (entry.ID == ID) return entry;
  Tgx25ServiceItem& entry = Order.Services.emplace_back();
  entry.ID = ID;
  return entry;
}

std::string DeleteService(TOrder& Order, int ID) {
  const auto at = std::find_if(Order.Services.begin(), Order.Services.end(),
                               [ID](const Tgx25ServiceItem& entry) { return entry.ID == ID; });
  if (at == Order.Services.end()) throw EKvError(Format("В заказе нет услуги с кодом %d!", ID));
  if (at->NoDelete) throw EKvError(Format("Услугу «%s» удалять из заказа нельзя!", at->Name));
  Order.Services.erase(at);
  return Format("Услуга %d удалена из заказа", ID);
}

void RunService(const TServiceOptions& Options, std::ostream& Out) {
  CheckText("Услуга", Options.Name);
  const bool value_given = !Options.Value.empty();
  const TCurrency value = value_given ? AmountOf("--value", Options.Value, -kMaxAmount, kMaxAmount) : TCurrency();
  EditOrder(Options.File, Out, [&](TOrder& Order) {
    if (!Options.IncludeCommon.empty()) Order.IncludeCommonService = Options.IncludeCommon == "yes";
    if (Options.Delete) return DeleteService(Order, Options.ID);
    Tgx25ServiceItem& entry = ServiceEntry(Order, Options.ID);
    if (!Options.Name.empty()) entry.Name = Options.Name;
    if (value_given) entry.Value = static_cast<double>(value.ToExtended());
    if (!Options.Unit.empty())
      entry.NumUnit =
          static_cast<int32_t>(std::find(kUnitWords.begin(), kUnitWords.end(), Options.Unit) - kUnitWords.begin());
    entry.Common = entry.Common || Options.Common;
    return Format("Услуга %d «%s»: значение %s, единица %s%s", entry.ID, entry.Name, FloatToStr(entry.Value),
                  kUnitWords[static_cast<size_t>(entry.NumUnit) % kUnitWords.size()], entry.Common ? ", общая" : "");
  });
}

struct TPaymentOptions {
  std::string File;
  std::string Date;
  std::string Amount;
  std::string Form;
  std::string Note;
};

void RunPayment(const TPaymentOptions& Options, std::ostream& Out) {
  CheckText("Форма оплаты", Options.Form);
  CheckText("Примечание к оплате", Options.Note);
  Tgx25PaymentItem payment;
  if (!TryStrToDate(Options.Date, payment.Date))
    throw EKvError(
        Format("Неверное значение параметра --date: \"%s\"; ожидается дата в виде дд.мм.гггг", Options.Date));
  payment.Money = AmountOf("--amount", Options.Amount, -kMaxAmount, kMaxAmount);
  payment.PayForm = Options.Form;
  payment.Note = Options.Note;
  EditOrder(Options.File, Out, [&](TOrder& Order) {
    Order.Payments.push_back(payment);
    return Format("Оплата %s: %s, %s", DateToStr(payment.Date), CurrToStr(payment.Money, OrderDecimals(Order)),
                  payment.PayForm);
  });
}

struct TVatOptions {
  std::string File;
  std::string Rate;
  bool Off = false;
};

void RunVat(const TVatOptions& Options, std::ostream& Out) {
  if (Options.Rate.empty() != Options.Off) throw EKvError("Укажите ставку НДС (--rate) или --off");
  const TCurrency rate = Options.Rate.empty() ? TCurrency() : AmountOf("--rate", Options.Rate, 0, 100);
  EditOrder(Options.File, Out, [&](TOrder& Order) {
    Order.GetTotalNDS = !Options.Off;
    if (!Options.Rate.empty()) Order.NDSTax = static_cast<float>(rate.ToExtended());
    return Order.GetTotalNDS ? Format("НДС на итог заказа: %.2f %%", static_cast<double>(Order.NDSTax))
                             : std::string("НДС на итог заказа не начисляется");
  });
}

void InstallCosting(CLI::App& app) {
  CLI::App* order = app.get_subcommand("order");

  auto discount_options = std::make_shared<TDiscountOptions>();
  auto* discount = order->add_subcommand("discount", "Скидка (наценка) на раздел заказа или на весь заказ");
  discount->add_option("file", discount_options->File, "Файл заказа (.gxo)")->required()->check(ExistingFile());
  discount->add_option("--section", discount_options->Section, "Раздел: " + WordList(kSectionWords))
      ->required()
      ->check(OneOf(kSectionWords));
  auto* percent = discount->add_option("--percent", discount_options->Percent, "Процент (-10 снижает цену на 10 %)");
  auto* amount = discount->add_option("--amount", discount_options->Amount, "Сумма в валюте фиксации цен");
  percent->excludes(amount);
  discount->callback([discount_options] { RunDiscount(*discount_options, std::cout); });

  auto service_options = std::make_shared<TServiceOptions>();
  auto* service = order->add_subcommand("service", "Услуга заказа: добавить, изменить или удалить");
  service->add_option("file", service_options->File, "Файл заказа (.gxo)")->required()->check(ExistingFile());
  service->add_option("--id", service_options->ID, "Код услуги")->required();
  service->add_option("--name", service_options->Name, "Наименование");
  service->add_option("--value", service_options->Value,
                      "Значение: процент, сумма или цена по единице; у общей услуги её сумма");
  service->add_option("--unit", service_options->Unit, "Единица: " + WordList(kUnitWords))->check(OneOf(kUnitWords));
  service->add_flag("--common", service_options->Common, "Общая услуга заказа");
  service->add_flag("--delete", service_options->Delete, "Удалить услугу из заказа");
  service
      ->add_option("--include-common", service_options->IncludeCommon,
                   "yes: услуги позиций не суммируются, учитываются общие услуги заказа")
      ->check(OneOf({"yes", "no"}));
  service->callback([service_options] { RunService(*service_options, std::cout); });

  auto payment_options = std::make_shared<TPaymentOptions>();
  auto* payment = order->add_subcommand("payment", "Добавить оплату заказа");
  payment->add_option("file", payment_options->File, "Файл заказа (.gxo)")->required()->check(ExistingFile());
  payment->add_option("--date", payment_options->Date, "Дата оплаты (дд.мм.гггг)")->required();
  payment->add_option("--amount", payment_options->Amount, "Сумма в валюте заказа")->required();
  payment->add_option("--form", payment_options->Form, "Форма оплаты")->required();
  payment->add_option("--note", payment_options->Note, "Примечание");
  payment->callback([payment_options] { RunPayment(*payment_options, std::cout); });

  auto vat_options = std::make_shared<TVatOptions>();
  auto* vat = order->add_subcommand("vat", "НДС на итог заказа: ставка или отключение");
  vat->add_option("file", vat_options->File, "Файл заказа (.gxo)")->required()->check(ExistingFile());
  auto* rate = vat->add_option("--rate", vat_options->Rate, "Ставка НДС, %");
  auto* off = vat->add_flag("--off", vat_options->Off, "Не начислять НДС на итог");
  rate->excludes(off);
  vat->callback([vat_options] { RunVat(*vat_options, std::cout); });
}

// Installed after the order commands, whose group it extends.
const TCommandRegistration registration("order-costing", InstallCosting);

const TDemoStep demo_step("61-costing", [](const std::string& dir, std::ostream& out) {
  const std::string file = (std::filesystem::path(dir) / "demo.gxo").string();
  out << "== Стоимость заказа: скидка 5 % на окна, доставка, НДС 20 % на итог, аванс\n";
  RunDiscount({file, "window", "-5", ""}, out);
  TServiceOptions delivery;
  delivery.File = file;
  delivery.ID = 1;
  delivery.Name = "Доставка";
  delivery.Value = "1500";
  delivery.Common = true;
  RunService(delivery, out);
  RunVat({file, "20", false}, out);
  RunPayment({file, DateToStr(kv::Date()), "10000", "Наличные", "Аванс"}, out);
});

}  // namespace

}  // namespace kv::cli
