#include "order/order_description.h"

#include "calc/construction_calculator.h"
#include "order/order_costing.h"

#include <charconv>
#include <cstdint>
#include <span>

#include "shell/format_settings.h"
#include "shell/rounding.h"
#include "shell/variant.h"

namespace kv {

namespace {

using TJson = TOrderJson;

TJson DateJson(TDateTime Value) { return TVariant::Date(Value).AsString(); }
TJson MoneyJson(TCurrency Value) { return static_cast<double>(Value.ToExtended()); }
// A single as the double of its shortest decimal text, so 0.1f reads 0.1 and not 0.100000001.
TJson SingleJson(float Value) {
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, Value);
  double widened = 0;
  std::from_chars(text, written.ptr, widened);
  return widened;
}

// One header field: its key in the JSON form, its caption in the text form and its value.
struct THeaderField {
  const char* Key;
  const char* Caption;
  TJson (*Value)(const TOrder&);
};

// A group of header fields, a JSON object of its own.
struct THeaderGroup {
  const char* Key;
  const char* Caption;
  std::span<const THeaderField> Fields;
};

const THeaderField kNumbers[] = {
    {"no", "Номер", [](const TOrder& o) -> TJson { return o.No; }},
    {"contract_no", "Номер договора", [](const TOrder& o) -> TJson { return o.ContractNo; }},
    {"alt_order_no", "Альтернативный номер", [](const TOrder& o) -> TJson { return o.AltOrderNo; }},
    {"customer", "Заказчик", [](const TOrder& o) -> TJson { return o.Customer; }},
    {"object", "Объект", [](const TOrder& o) -> TJson { return o.Obj; }},
    {"address", "Адрес", [](const TOrder& o) -> TJson { return o.Address; }},
    {"phone", "Телефон", [](const TOrder& o) -> TJson { return o.Phone; }},
    {"remark", "Примечание", [](const TOrder& o) -> TJson { return o.Remark; }},
    {"status", "Статус", [](const TOrder& o) -> TJson { return OrderStatusCaption(o.Status); }},
    {"status_code", "Код статуса", [](const TOrder& o) -> TJson { return o.Status; }},
    {"prod_status", "Статус производства", [](const TOrder& o) -> TJson { return o.ProdStatus; }},
};

const THeaderField kDates[] = {
    {"date", "Дата заказа", [](const TOrder& o) { return DateJson(o.Date); }},
    {"date_enabled", "Дата заказа задана", [](const TOrder& o) -> TJson { return o.DateEnabled; }},
    {"contract_date", "Дата договора", [](const TOrder& o) { return DateJson(o.ContractDate); }},
    {"measure_date", "Замер", [](const TOrder& o) { return DateJson(o.MeasureDate); }},
    {"measure_date_enabled", "Замер задан", [](const TOrder& o) -> TJson { return o.MeasureDateEnabled; }},
    {"prepare_date", "Изготовление", [](const TOrder& o) { return DateJson(o.PrepareDate); }},
    {"prepare_period", "Срок изготовления", [](const TOrder& o) -> TJson { return o.PreparePeriod; }},
    {"prepare_date_enabled", "Изготовление задано", [](const TOrder& o) -> TJson { return o.PrepareDateEnabled; }},
    {"montage_date", "Монтаж", [](const TOrder& o) { return DateJson(o.MontageDate); }},
    {"montage_period", "Срок монтажа", [](const TOrder& o) -> TJson { return o.MontagePeriod; }},
    {"montage_date_enabled", "Монтаж задан", [](const TOrder& o) -> TJson { return o.MontageDateEnabled; }},
    {"decor_date", "Отделка", [](const TOrder& o) { return DateJson(o.DecorDate); }},
    {"decor_period", "Срок отделки", [](const TOrder& o) -> TJson { return o.DecorPeriod; }},
    {"decor_date_enabled", "Отделка задана", [](const TOrder& o) -> TJson { return o.DecorDateEnabled; }},
    {"complect_date", "Комплектация", [](const TOrder& o) { return DateJson(o.ComplectDate); }},
    {"complect_date_enabled", "Комплектация задана", [](const TOrder& o) -> TJson { return o.ComplectDateEnabled; }},
    {"transport_date", "Доставка", [](const TOrder& o) { return DateJson(o.TransportDate); }},
    {"transport_period", "Срок доставки", [](const TOrder& o) -> TJson { return o.TransportPeriod; }},
    {"transport_date_enabled", "Доставка задана", [](const TOrder& o) -> TJson { return o.TransportDateEnabled; }},
};

const THeaderField kIdentity[] = {
    {"installation_ids", "Идентификаторы установки",
     [](const TOrder& o) -> TJson {
       return std::vector<int32_t>(std::begin(o.InstallationIDs), std::end(o.InstallationIDs));
     }},
    {"create_user_id", "Создал пользователь", [](const TOrder& o) -> TJson { return o.CreateUserID; }},
    {"create_station", "Станция создания", [](const TOrder& o) -> TJson { return o.CreateStationID; }},
    {"create_date", "Создан", [](const TOrder& o) { return DateJson(o.CreateDate); }},
    {"modify_user_id", "Изменил пользователь", [](const TOrder& o) -> TJson { return o.ModifyUserID; }},
    {"modify_station", "Станция изменения", [](const TOrder& o) -> TJson { return o.ModifyStationID; }},
    {"modify_date", "Изменен", [](const TOrder& o) { return DateJson(o.ModifyDate); }},
    {"modify_count", "Сохранений", [](const TOrder& o) -> TJson { return o.ModifyCount; }},
    {"reserved_text", "Резервный текст", [](const TOrder& o) -> TJson { return o.ReservedText; }},
    {"access_right", "Права доступа", [](const TOrder& o) -> TJson { return o.AccessRight; }},
    {"open_password_set", "Пароль открытия", [](const TOrder& o) -> TJson { return !o.OpenPassword.empty(); }},
    {"modify_password_set", "Пароль изменения", [](const TOrder& o) -> TJson { return !o.ModifyPassword.empty(); }},
    {"storage_lock", "Блокировка склада", [](const TOrder& o) -> TJson { return o.StorageLock; }},
};

const THeaderField kDefaults[] = {
    {"prof_sys", "Система профиля", [](const TOrder& o) -> TJson { return o.ProfSys; }},
    {"prof_color", "Цвет профиля", [](const TOrder& o) -> TJson { return o.ProfColor; }},
    {"material", "Материал", [](const TOrder& o) -> TJson { return o.Material; }},
    {"color_variant", "Вариант цвета", [](const TOrder& o) -> TJson { return o.ColorVariant; }},
    {"inner_color", "Цвет изнутри", [](const TOrder& o) -> TJson { return o.InnerColor; }},
    {"outer_color", "Цвет снаружи", [](const TOrder& o) -> TJson { return o.OuterColor; }},
    {"color_price_list", "Прайс-лист цвета", [](const TOrder& o) -> TJson { return o.ColorPriceList; }},
    {"color_technology", "Технология цвета", [](const TOrder& o) -> TJson { return o.ColorTechnology; }},
    {"color_tech_props", "Свойства технологии", [](const TOrder& o) -> TJson { return o.ColorTechPropList; }},
    {"furn_sys", "Система фурнитуры", [](const TOrder& o) -> TJson { return o.FurnSys; }},
    {"furn_color", "Цвет фурнитуры", [](const TOrder& o) -> TJson { return o.FurnColor; }},
    {"handle", "Ручка", [](const TOrder& o) -> TJson { return o.Handle; }},
    {"glass", "Стекло", [](const TOrder& o) -> TJson { return o.Glass; }},
    {"bead_group", "Группа штапиков", [](const TOrder& o) -> TJson { return o.BeadGrp; }},
    {"attach_prof", "Доборный профиль", [](const TOrder& o) -> TJson { return o.AttachProf; }},
    {"sill", "Подоконник", [](const TOrder& o) -> TJson { return o.Sill; }},
    {"sink", "Отлив", [](const TOrder& o) -> TJson { return o.Sink; }},
    {"mosquito", "Москитная сетка", [](const TOrder& o) -> TJson { return o.Mosquito; }},
    {"rollet", "Роллета", [](const TOrder& o) -> TJson { return o.Rollet; }},
    {"jalousie", "Жалюзи", [](const TOrder& o) -> TJson { return o.Jalousie; }},
    {"sill_width", "Ширина подоконника", [](const TOrder& o) -> TJson { return o.SillWidth; }},
    {"sink_width", "Ширина отлива", [](const TOrder& o) -> TJson { return o.SinkWidth; }},
    {"sill_layer_width", "Слой под подоконник", [](const TOrder& o) -> TJson { return o.SillLayerWidth; }},
    {"sink_layer_width", "Слой под отлив", [](const TOrder& o) -> TJson { return o.SinkLayerWidth; }},
    {"stucco_layer_width", "Слой штукатурки", [](const TOrder& o) -> TJson { return o.StuccoLayerWidth; }},
    {"quarter_layer_width", "Четверть", [](const TOrder& o) -> TJson { return o.QuarterLayerWidth; }},
    {"flugel_rubber_color", "Уплотнитель створки", [](const TOrder& o) -> TJson { return o.FlugelRubberColor; }},
    {"prof_rubber_color", "Уплотнитель рамы", [](const TOrder& o) -> TJson { return o.ProfRubberColor; }},
    {"bead_rubber_color", "Уплотнитель штапика", [](const TOrder& o) -> TJson { return o.BeadRubberColor; }},
    {"static_region", "Регион статики", [](const TOrder& o) -> TJson { return o.StaticRegion; }},
    {"place_type", "Тип местности", [](const TOrder& o) -> TJson { return o.PlaceType; }},
    {"load_group", "Группа ветровой нагрузки", [](const TOrder& o) -> TJson { return o.LoadGroupH; }},
};

const THeaderField kPricing[] = {
    {"window_profit", "Наценка на окна, %", [](const TOrder& o) { return SingleJson(o.WindowProfit); }},
    {"glass_profit", "Наценка на стекло, %", [](const TOrder& o) { return SingleJson(o.GlassProfit); }},
    {"furn_profit", "Наценка на фурнитуру, %", [](const TOrder& o) { return SingleJson(o.FurnProfit); }},
    {"dop_prof_profit", "Наценка на доп. профили, %", [](const TOrder& o) { return SingleJson(o.DopProfProfit); }},
    {"mont_mat_profit", "Наценка на монтажные материалы, %",
     [](const TOrder& o) { return SingleJson(o.MontMatProfit); }},
    {"sill_profit", "Наценка на подоконники, %", [](const TOrder& o) { return SingleJson(o.SillProfit); }},
    {"sink_profit", "Наценка на отливы, %", [](const TOrder& o) { return SingleJson(o.SinkProfit); }},
    {"mosquito_profit", "Наценка на москитные сетки, %", [](const TOrder& o) { return SingleJson(o.MosquitoProfit); }},
    {"rollet_profit", "Наценка на роллеты, %", [](const TOrder& o) { return SingleJson(o.RolletProfit); }},
    {"jalousie_profit", "Наценка на жалюзи, %", [](const TOrder& o) { return SingleJson(o.JalousieProfit); }},
    {"slope_profit", "Наценка на откосы, %", [](const TOrder& o) { return SingleJson(o.SlopeProfit); }},
    {"other_mat_profit", "Наценка на прочие материалы, %",
     [](const TOrder& o) { return SingleJson(o.OtherMatProfit); }},
    {"order_reduce", "Скидка на заказ", [](const TOrder& o) { return MoneyJson(o.OrderReduce); }},
    {"order_reduce_unit", "Единица скидки на заказ", [](const TOrder& o) -> TJson { return o.OrderRedUnit; }},
    {"calc_method", "Схема расчета", [](const TOrder& o) -> TJson { return o.CalcMethod; }},
    {"price_group", "Ценовая группа", [](const TOrder& o) -> TJson { return o.PriceGrpNo; }},
    {"over_tax", "Накладные расходы, %", [](const TOrder& o) { return SingleJson(o.OverTax); }},
    {"common_tax", "Общий налог, %", [](const TOrder& o) { return SingleJson(o.CommonTax); }},
    {"nds_tax", "НДС, %", [](const TOrder& o) { return SingleJson(o.NDSTax); }},
    {"total_nds", "НДС на итог", [](const TOrder& o) -> TJson { return o.GetTotalNDS; }},
    {"show_including_nds", "Показывать с НДС", [](const TOrder& o) -> TJson { return o.ShowIncludingNDS; }},
    {"include_common_service", "Общие услуги", [](const TOrder& o) -> TJson { return o.IncludeCommonService; }},
    {"cur_currency", "Валюта заказа", [](const TOrder& o) -> TJson { return o.CurCurrency; }},
    {"fix_currency", "Валюта фиксированных цен", [](const TOrder& o) -> TJson { return o.FixCurrency; }},
};

const THeaderField kNotes[] = {
    {"note", "Примечание к заказу", [](const TOrder& o) -> TJson { return o.Note; }},
    {"comm_pred_note1", "Коммерческое предложение 1", [](const TOrder& o) -> TJson { return o.CommPredNote1; }},
    {"comm_pred_note2", "Коммерческое предложение 2", [](const TOrder& o) -> TJson { return o.CommPredNote2; }},
    {"spec_note1", "Спецификация 1", [](const TOrder& o) -> TJson { return o.SpecNote1; }},
    {"spec_note2", "Спецификация 2", [](const TOrder& o) -> TJson { return o.SpecNote2; }},
};

const THeaderField kListCounts[] = {
    {"glasses", "Стекла", [](const TOrder& o) -> TJson { return o.Glasses.size(); }},
    {"dop_profs", "Доп. профили", [](const TOrder& o) -> TJson { return o.DopProfs.size(); }},
    {"dop_mats", "Доп. материалы", [](const TOrder& o) -> TJson { return o.DopMats.size(); }},
    {"sills", "Подоконники", [](const TOrder& o) -> TJson { return o.Sills.size(); }},
    {"sinks", "Отливы", [](const TOrder& o) -> TJson { return o.Sinks.size(); }},
    {"mosquitos", "Москитные сетки", [](const TOrder& o) -> TJson { return o.Mosquitos.size(); }},
    {"rollets", "Роллеты", [](const TOrder& o) -> TJson { return o.Rollets.size(); }},
    {"jalousies", "Жалюзи", [](const TOrder& o) -> TJson { return o.Jalousies.size(); }},
    {"slopes", "Откосы", [](const TOrder& o) -> TJson { return o.SlopeCount; }},
    {"other_mats", "Прочие материалы", [](const TOrder& o) -> TJson { return o.OtherMatCount; }},
    {"acc_specs", "Спецификация аксессуаров", [](const TOrder& o) -> TJson { return o.AccSpecs.size(); }},
};

const THeaderGroup kHeaderGroups[] = {
    {"numbers", "Заказ", kNumbers},         {"dates", "Даты", kDates},
    {"identity", "Файл", kIdentity},        {"defaults", "По умолчанию для новых позиций", kDefaults},
    {"pricing", "Расчет", kPricing},        {"notes", "Тексты", kNotes},
    {"list_counts", "Списки", kListCounts},
};

const TOrderSectionFields kSectionFields[] = {
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
    list.push_back(
        {{"id", item.ID}, {"group", item.Group}, {"quantity", item.Quantity}, {"total", MoneyJson(item.GetTotal())}});
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

TJson FillingsJson(TFrame& Frame) {
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
  return glasses;
}

TJson FrameJson(TFrame& Frame) {
  return {{"name", Frame.Name},
          {"type", Frame.TypeWin},
          {"kind", ObjTypeCaption(Frame.ObjType)},
          {"system", Frame.ProfSys},
          {"color", Frame.ProfColor},
          {"mat_type", Frame.MatType},
          {"static_method", Frame.StaticMethod},
          {"parts", PartsJson(Frame)},
          {"fillings", FillingsJson(Frame)},
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
          {"cost", static_cast<double>(GetEstimateTotal(Position).ToExtended())},
          {"frames", frames},
          {"materials", MaterialsJson(Position.MatList)}};
}

// Every figure of the costing, keys in the words of its operations.
TJson CostingJson(const TOrderTotals& Totals) {
  TJson json = {{"decimals", Totals.Decimals}};
  for (int s = 0; s < kCostedSectionCount; ++s) {
    const TSectionTotals& section = Totals.Sections[static_cast<size_t>(s)];
    const std::string key = SectionKey(static_cast<TOrderSection>(s));
    json[key + "_included"] = section.Included;
    json[key + "_cost"] = MoneyJson(section.Cost);
    json[key + "_reduce_str"] = section.ReduceStr;
    json[key + "_total"] = MoneyJson(section.Total);
  }
  json["order_reduce_str"] = Totals.OrderReduceStr;
  json["summary_service"] = MoneyJson(Totals.SummaryService);
  json["summary_without_nds"] = MoneyJson(Totals.SummaryWithoutNDS);
  json["summary_with_reduce"] = MoneyJson(Totals.SummaryWithReduce);
  json["nds"] = MoneyJson(Totals.NDS);
  json["summary_with_nds"] = MoneyJson(Totals.SummaryWithNDS);
  json["payment_sum"] = MoneyJson(Totals.PaymentSum);
  json["balance"] = MoneyJson(Totals.Balance);
  json["reduce_exists"] = Totals.ReduceExists;
  json["pos_reduce_exists"] = Totals.PosReduceExists;
  json["pos_fixed_price_exists"] = Totals.PosFixedPriceExists;
  return json;
}

// The material sums of the switched-on sections, one entry per group that has any.
TJson MaterialSumsJson(const TOrder& Order) {
  const TSummaryInfo summary = GatherMatCost(Order);
  TJson list = TJson::array();
  for (int g = 0; g < kSummaryGroupCount; ++g) {
    const TCostInfo& sums = summary[static_cast<size_t>(g)];
    if (sums.Total == TCurrency() && sums.Cost == TCurrency()) continue;
    list.push_back({{"group", SummaryGroupName(static_cast<TSummaryGroup>(g))},
                    {"cost", MoneyJson(sums.Cost)},
                    {"custom", MoneyJson(sums.Custom)},
                    {"nds", MoneyJson(sums.NDS)},
                    {"lam", MoneyJson(sums.Lam)},
                    {"total", MoneyJson(sums.Total)}});
  }
  return list;
}

// The totals the file holds: positions and pieces, area, materials, services and payments.
TJson TotalsJson(const TOrder& Order) {
  long double square = 0;
  int64_t pieces = 0;
  for (int i = 0; i < Order.Count(); ++i) {
    square += Order.GetConstruction(i)->GetSquare() * Order.GetConstruction(i)->Count;
    pieces += Order.GetConstruction(i)->Count;
  }
  TCurrency materials, services, payments;
  for (const auto& item : Order.Materials) materials = materials + item.GetTotal();
  for (const auto& item : Order.Services) services = services + item.Cost;
  for (const auto& item : Order.Payments) payments = payments + item.Money;
  TJson totals = {{"positions", Order.Count()},
                  {"pieces", pieces},
                  {"square", static_cast<double>(GetRoundedFloat(square, 4))},
                  {"materials", MoneyJson(materials)},
                  {"services", MoneyJson(services)},
                  {"payments", MoneyJson(payments)}};
  totals.update(CostingJson(GetOrderTotals(Order)));
  return totals;
}

TJson SectionsJson(const TOrder& Order) {
  TJson sections = TJson::array();
  for (const TOrderSectionFields& section : kSectionFields)
    sections.push_back({{"name", section.Name},
                        {"included", Order.*section.Include},
                        {"reduce", MoneyJson(Order.*section.Reduce)},
                        {"unit", Order.*section.Unit},
                        {"unit_name", UnitName(Order.*section.Unit)}});
  return sections;
}

TJson ServicesJson(const TOrder& Order) {
  TJson list = TJson::array();
  for (const Tgx25ServiceItem& item : Order.Services)
    list.push_back({{"common", item.Common},
                    {"no_delete", item.NoDelete},
                    {"id", item.ID},
                    {"name", item.Name},
                    {"quantity", item.Value},
                    {"unit", item.NumUnit},
                    {"org_price", MoneyJson(item.OrgPrice)},
                    {"reduce", MoneyJson(item.Reduce)},
                    {"price", MoneyJson(item.Price)},
                    {"cost", MoneyJson(item.Cost)},
                    {"ignore", item.Ignore}});
  return list;
}

TJson CurrenciesJson(const TOrder& Order) {
  TJson list = TJson::array();
  for (const Tgx25CurrencyItem& item : Order.Currencies) list.push_back({{"id", item.ID}, {"rate", item.Rate}});
  return list;
}

TJson PaymentsJson(const TOrder& Order) {
  TJson list = TJson::array();
  for (const Tgx25PaymentItem& item : Order.Payments)
    list.push_back(
        {{"date", DateJson(item.Date)}, {"money", MoneyJson(item.Money)}, {"form", item.PayForm}, {"note", item.Note}});
  return list;
}

// ---- the text form ----------------------------------------------------------------------------

std::string ValueText(const TJson& Value) {
  if (Value.is_boolean()) return Value.get<bool>() ? "да" : "нет";
  if (Value.is_number_integer()) return IntToStr(Value.get<long long>());
  if (Value.is_number()) return FloatToStr(Value.get<double>());
  if (Value.is_string()) return Value.get<std::string>();
  std::string joined;
  for (const TJson& item : Value) joined += (joined.empty() ? "" : "; ") + ValueText(item);
  return joined;
}

// Each field of the group with a value on a line of its own: "  caption: value".
void PrintGroup(const THeaderGroup& Group, const TJson& Description, std::string& Out) {
  Out += std::string(Group.Caption) + ":\n";
  for (const THeaderField& field : Group.Fields) {
    const std::string value = ValueText(Description[Group.Key][field.Key]);
    if (!value.empty()) Out += Format("  %s: %s\n", field.Caption, value);
  }
}

void PrintLists(const TJson& Description, std::string& Out) {
  for (const TJson& item : Description["services"])
    Out += Format(
        "Услуга %s %s: количество %s, единица %s, цена %s (исходная %s, скидка %s), стоимость %s; "
        "общая %s, неудаляемая %s, не учитывать %s\n",
        ValueText(item["id"]), ValueText(item["name"]), ValueText(item["quantity"]), ValueText(item["unit"]),
        ValueText(item["price"]), ValueText(item["org_price"]), ValueText(item["reduce"]), ValueText(item["cost"]),
        ValueText(item["common"]), ValueText(item["no_delete"]), ValueText(item["ignore"]));
  for (const TJson& item : Description["currencies"])
    Out += Format("Валюта %s: курс %s\n", ValueText(item["id"]), ValueText(item["rate"]));
  for (const TJson& item : Description["payments"])
    Out += Format("Оплата %s: %s, %s, %s\n", ValueText(item["date"]), ValueText(item["money"]), ValueText(item["form"]),
                  ValueText(item["note"]));
}

void PrintMaterials(const TJson& Items, const char* Indent, std::string& Out) {
  for (const TJson& item : Items)
    Out += Format("%sМатериал %-12s группа %d, количество %.3f, итого %.2f\n", Indent, item["id"].get<std::string>(),
                  item["group"].get<int>(), item["quantity"].get<double>(), item["total"].get<double>());
}

void PrintFrame(const TJson& Frame, std::string& Out) {
  Out +=
      Format("  Рама %s: %s, тип %d, система %s, цвет %s, метод статики %d; раскрой %d, материалы %d\n",
             Frame["name"].get<std::string>(), Frame["kind"].get<std::string>(), Frame["type"].get<int>(),
             Frame["system"].get<std::string>(), Frame["color"].get<std::string>(), Frame["static_method"].get<int>(),
             static_cast<int>(Frame["cut_map"].size()), static_cast<int>(Frame["materials"].size()));
  Out += "    Поля:";
  for (const TJson& part : Frame["parts"])
    Out += Format(" %s (%s)", part["no"].get<std::string>(), part["fill"].get<std::string>());
  Out += "\n";
  for (const TJson& glass : Frame["fillings"])
    Out += Format("    Заполнение %s: %s %.1f x %.1f мм, штапик %s\n", glass["no"].get<std::string>(),
                  glass["article"].get<std::string>(), glass["width"].get<double>(), glass["height"].get<double>(),
                  glass["bead"].get<std::string>());
  for (const TJson& bar : Frame["bars"])
    Out += Format("    Профиль %-16s %-10s %8.1f мм %5.1f° %5.1f°\n", bar["bar"].get<std::string>(),
                  bar["profile"].get<std::string>(), bar["length"].get<double>(), bar["angle1"].get<double>(),
                  bar["angle2"].get<double>());
  for (const TJson& piece : Frame["cut_map"])
    Out += Format("    Раскрой %-10s %8.1f мм %5.1f° %5.1f°, армирование %s %.1f мм\n", piece["id"].get<std::string>(),
                  piece["length"].get<double>(), piece["angle1"].get<double>(), piece["angle2"].get<double>(),
                  piece["steel"].get<std::string>(), piece["steel_length"].get<double>());
  PrintMaterials(Frame["materials"], "    ", Out);
}

void PrintPosition(const TJson& Position, std::string& Out) {
  Out += Format("Позиция %s: %d шт., %.1f x %.1f мм, %.4f м2, материалов %d, стоимость %.2f\n",
                Position["no"].get<std::string>(), Position["count"].get<int>(), Position["width"].get<double>(),
                Position["height"].get<double>(), Position["square"].get<double>(),
                static_cast<int>(Position["materials"].size()), Position["cost"].get<double>());
  for (const TJson& frame : Position["frames"]) PrintFrame(frame, Out);
  PrintMaterials(Position["materials"], "  ", Out);
}

// A money value of the JSON form as the program shows amounts ("1 234,50").
std::string MoneyText(const TJson& Value, int Decimals) {
  return CurrToStr(TCurrency::FromExtended(Value.get<double>()), Decimals);
}

// The costing: each section with its cost, discount and total, then the sums of the order.
void PrintCosting(const TJson& Totals, std::string& Out) {
  auto amount = [&](const char* Key) { return MoneyText(Totals[Key], Totals["decimals"].get<int>()); };
  Out += "Стоимость заказа:\n";
  for (int s = 0; s < kCostedSectionCount; ++s) {
    const auto section = static_cast<TOrderSection>(s);
    const std::string key = SectionKey(section);
    if (!Totals[key + "_included"].get<bool>()) continue;
    const std::string reduce = Totals[key + "_reduce_str"].get<std::string>();
    Out += Format("  %s: стоимость %s%s, итого %s\n", SectionCaption(section), amount((key + "_cost").c_str()),
                  reduce.empty() ? "" : ", скидка " + reduce, amount((key + "_total").c_str()));
  }
  Out += Format("  Услуги: %s\n", amount("summary_service"));
  Out += Format("  Сумма без НДС: %s\n", amount("summary_without_nds"));
  const std::string order_reduce = Totals["order_reduce_str"].get<std::string>();
  Out += Format("  Сумма со скидкой%s: %s\n", order_reduce.empty() ? "" : " (скидка " + order_reduce + ")",
                amount("summary_with_reduce"));
  Out += Format("  НДС: %s\n", amount("nds"));
  Out += Format("  Сумма с НДС: %s\n", amount("summary_with_nds"));
  Out += Format("  Оплачено: %s\n", amount("payment_sum"));
  Out += Format("  К оплате: %s\n", amount("balance"));
}

void PrintMaterialSums(const TJson& Sums, int Decimals, std::string& Out) {
  for (const TJson& group : Sums)
    Out += Format("  Материалы «%s»: стоимость %s, пошлина %s, НДС %s, ламинация %s, итого %s\n",
                  group["group"].get<std::string>(), MoneyText(group["cost"], Decimals),
                  MoneyText(group["custom"], Decimals), MoneyText(group["nds"], Decimals),
                  MoneyText(group["lam"], Decimals), MoneyText(group["total"], Decimals));
}

}  // namespace

TOrderJson DescribeOrder(TOrder& Order) {
  TJson description = {{"signature", Order.ProductID}, {"version", Order.Version}};
  for (const THeaderGroup& group : kHeaderGroups) {
    TJson fields = TJson::object();
    for (const THeaderField& field : group.Fields) fields[field.Key] = field.Value(Order);
    description[group.Key] = std::move(fields);
  }
  description["sections"] = SectionsJson(Order);
  description["services"] = ServicesJson(Order);
  description["currencies"] = CurrenciesJson(Order);
  description["payments"] = PaymentsJson(Order);
  description["materials"] = MaterialsJson(Order.Materials);
  description["cut_map"] = CutMapJson(Order.CutMap);
  description["totals"] = TotalsJson(Order);
  description["material_sums"] = MaterialSumsJson(Order);
  TJson positions = TJson::array();
  for (int i = 0; i < Order.Count(); ++i) positions.push_back(PositionJson(*Order.GetConstruction(i)));
  description["positions"] = std::move(positions);
  return description;
}

std::span<const TOrderSectionFields> OrderSectionFields() { return kSectionFields; }

std::string OrderTotalsText(const TOrder& Order) {
  std::string text;
  PrintCosting(CostingJson(GetOrderTotals(Order)), text);
  return text;
}

std::string OrderDescriptionText(const TOrderJson& Description) {
  const TJson& numbers = Description["numbers"];
  std::string out = Format("Заказ № %s от %s (версия файла %s), %s\n", numbers["no"].get<std::string>(),
                           Description["dates"]["date"].get<std::string>(), Description["version"].get<std::string>(),
                           numbers["status"].get<std::string>());
  for (const THeaderGroup& group : kHeaderGroups) PrintGroup(group, Description, out);
  out += "Разделы:";
  for (const TJson& section : Description["sections"])
    out += Format(" %s %s (скидка %.2f%s);", section["name"].get<std::string>(),
                  section["included"].get<bool>() ? "включен" : "не включен", section["reduce"].get<double>(),
                  section["unit_name"].get<std::string>().empty() ? "" : " " + section["unit_name"].get<std::string>());
  out += "\n";
  PrintLists(Description, out);
  PrintMaterials(Description["materials"], "", out);
  const TJson& totals = Description["totals"];
  out += Format("Итоги: позиций %d, изделий %d, площадь %.4f м2, материалы %.2f, услуги %.2f, оплачено %.2f\n",
                totals["positions"].get<int>(), totals["pieces"].get<int64_t>(), totals["square"].get<double>(),
                totals["materials"].get<double>(), totals["services"].get<double>(), totals["payments"].get<double>());
  PrintCosting(totals, out);
  PrintMaterialSums(Description["material_sums"], totals["decimals"].get<int>(), out);
  for (const TJson& position : Description["positions"]) PrintPosition(position, out);
  return out;
}

}  // namespace kv
