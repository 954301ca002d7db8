#include "order/order_costing.h"

#include <algorithm>
#include <map>
#include <vector>

#include "calc/addon_pricing.h"
#include "calc/construction_calc.h"
#include "calc/construction_calculator.h"
#include "calc/gathering.h"
#include "calc/mat_pricing.h"
#include "catalogue/catalogue.h"
#include "catalogue/currency_lookups.h"
#include "catalogue/material_lookups.h"
#include "construction/setup_values.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"
#include "shell/tokens.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

// What a section is made of in the order and in its positions, and the material groups it sums.
struct TSectionInfo {
  const char* Key;
  const char* Caption;
  bool TOrder::*Include;
  TCurrency TOrder::*Reduce;
  TNumUnit TOrder::*Unit;
  TCurrency Tgx25Construction::*FixPrice;
  TNumUnit Tgx25Construction::*PosUnit;
  std::vector<int> Groups;
};

const TSectionInfo kSections[] = {
    {"window",
     "Окна",
     &TOrder::IncludeWindow,
     &TOrder::WindowReduce,
     &TOrder::WindowRedUnit,
     &Tgx25Construction::WindowFixPrice,
     &Tgx25Construction::WindowRedUnit,
     {0, 2, 3, 4, 11}},
    {"dop_prof",
     "Доп. профили и материалы",
     &TOrder::IncludeDopProf,
     &TOrder::DopProfReduce,
     &TOrder::DopProfRedUnit,
     &Tgx25Construction::DopProfFixPrice,
     &Tgx25Construction::DopProfRedUnit,
     {1}},
    {"mont_mat",
     "Монтажные материалы",
     &TOrder::IncludeMontMat,
     &TOrder::MontMatReduce,
     &TOrder::MontMatRedUnit,
     &Tgx25Construction::MontMatFixPrice,
     &Tgx25Construction::MontMatRedUnit,
     {10}},
    {"sill",
     "Подоконники",
     &TOrder::IncludeSill,
     &TOrder::SillReduce,
     &TOrder::SillRedUnit,
     &Tgx25Construction::SillFixPrice,
     &Tgx25Construction::SillRedUnit,
     {5, 12}},
    {"sink",
     "Отливы",
     &TOrder::IncludeSink,
     &TOrder::SinkReduce,
     &TOrder::SinkRedUnit,
     &Tgx25Construction::SinkFixPrice,
     &Tgx25Construction::SinkRedUnit,
     {6, 13}},
    {"mosquito",
     "Москитные сетки",
     &TOrder::IncludeMosquito,
     &TOrder::MosquitoReduce,
     &TOrder::MosquitoRedUnit,
     &Tgx25Construction::MosquitoFixPrice,
     &Tgx25Construction::MosquitoRedUnit,
     {7, 14}},
    {"rollet",
     "Роллеты",
     &TOrder::IncludeRollet,
     &TOrder::RolletReduce,
     &TOrder::RolletRedUnit,
     &Tgx25Construction::RolletFixPrice,
     &Tgx25Construction::RolletRedUnit,
     {8, 15}},
    {"jalousie",
     "Жалюзи",
     &TOrder::IncludeJalousie,
     &TOrder::JalousieReduce,
     &TOrder::JalousieRedUnit,
     &Tgx25Construction::JalousieFixPrice,
     &Tgx25Construction::JalousieRedUnit,
     {9, 16}},
    {"order", "Заказ", nullptr, &TOrder::OrderReduce, &TOrder::OrderRedUnit, nullptr, nullptr, {}},
};

const TSectionInfo& InfoOf(TOrderSection Section) { return kSections[Section]; }

TCurrency Rounded(TCurrency Value, int Decimals) {
  RoundCurrDec(Value, Decimals);
  return Value;
}

// An amount rounded to the currency's decimals through the extended rounding.
TCurrency RoundedFloat(long double Value, int Decimals) {
  return TCurrency::FromExtended(GetRoundedFloat(TCurrency::FromExtended(Value).ToExtended(), Decimals));
}

double RateOf(const TOrder& Order, int ID) {
  for (const Tgx25CurrencyItem& item : Order.Currencies)
    if (item.ID == ID) return item.Rate;
  const TCurrencyList& catalogue = Catalogue().Settings.CurrencyList;
  const int index = FindCurrency(catalogue, ID);
  if (index < 0) throw EKvError(Format("Курс валюты [%d] не задан ни в заказе, ни в каталоге!", ID));
  return catalogue[static_cast<size_t>(index)].Value;
}

// A cost adjusted by a discount of Unit: percent and amounts added, a fixed price instead.
TCurrency Discounted(const TOrder& Order, TCurrency Cost, TNumUnit Unit, TCurrency Value, int FixCurrency) {
  const int d = OrderDecimals(Order);
  switch (Unit) {
    case nuPercent: return Cost + RoundedFloat(Cost.ToExtended() * Value.ToExtended() / 100, d);
    case nuCurrency: return Cost + Rounded(ToOrderCurrency(Order, FixCurrency, Value), d);
    case nuFixedPrice: return Rounded(ToOrderCurrency(Order, FixCurrency, Value), d);
    default: return Cost;
  }
}

// The system a position belongs to: that of its first frame.
std::string SystemOf(const Tgx25Construction& Position) {
  return Position.FrameCount() > 0 ? Position.GetFrame(0)->ProfSys : std::string();
}

template <class Each>
void ForCheckedPositions(const TOrder& Order, Each Do) {
  for (int i = 0; i < Order.Count(); ++i)
    if (const Tgx25Construction& position = *Order.GetConstruction(i); position.Checked) Do(position);
}

TCurrency PositionsCost(const TOrder& Order, TOrderSection Section, const std::string& ProfSys) {
  TCurrency sum;
  ForCheckedPositions(Order, [&](const Tgx25Construction& position) {
    if (ProfSys.empty() || SystemOf(position) == ProfSys) sum += PositionSectionCost(Order, position, Section);
  });
  return sum;
}

template <class List>
TCurrency PieceItemsCost(const List& Items) {
  TCurrency sum;
  for (const auto& item : Items) sum += item.Money1 * item.Pieces();
  return sum;
}

// Merged services of the checked positions by identifier: each entry's price the summed cost.
std::map<int32_t, TCurrency> MergedPositionServices(const TOrder& Order, const std::string& Filter,
                                                    bool FilterExcludes) {
  std::map<int32_t, TCurrency> merged;
  ForCheckedPositions(Order, [&](const Tgx25Construction& position) {
    for (const Tgx25ServiceItem& service : position.ServiceList) {
      if (service.Ignore) continue;
      if (!Filter.empty() && FindToken(Filter, IntToStr(service.ID), ";") == FilterExcludes) continue;
      merged[service.ID] += service.Cost * position.Count;
    }
  });
  return merged;
}

const Tgx25ServiceItem* OrderServiceOf(const TOrder& Order, int32_t ID) {
  for (const Tgx25ServiceItem& entry : Order.Services)
    if (entry.ID == ID && !entry.Ignore) return &entry;
  return nullptr;
}

bool AnyPosition(const TOrder& Order, bool (*Test)(TNumUnit)) {
  bool found = false;
  ForCheckedPositions(Order, [&](const Tgx25Construction& position) {
    for (int s = 0; s < kCostedSectionCount; ++s) found = found || Test(position.*kSections[s].PosUnit);
  });
  return found;
}

// ---- material sums ----

constexpr const char* kGroupNames[] = {"Профиль основной",
                                       "Профиль дополнительный",
                                       "Стекло",
                                       "Фурнитура",
                                       "Расходные материалы",
                                       "Подоконники",
                                       "Отливы",
                                       "Моск.сетки",
                                       "Роллеты",
                                       "Жалюзи",
                                       "Монтажные материалы",
                                       "Компл.стеклопакетов",
                                       "Компл.подоконников",
                                       "Компл.отливов",
                                       "Компл.москитных сеток",
                                       "Компл.роллет",
                                       "Компл.жалюзей",
                                       "Откосы",
                                       "Прочие материалы"};
constexpr int kGroupNameCount = static_cast<int>(std::size(kGroupNames));

// The slot of each material group code 0 .. 18.
constexpr TSummaryGroup kSlotOfGroup[] = {
    sgProfile, sgDopProf,  sgGlass,   sgFurniture, sgDopMat,  sgSill,    sgSink,   sgMosquito, sgRollet,  sgJalousie,
    sgMontMat, sgGlassMat, sgSillMat, sgSinkMat,   sgMosqMat, sgRollMat, sgJalMat, sgSlope,    sgOtherMat};
constexpr int kGroupOfSlot[] = {0, 2, 3, 4, 10, 5, 6, 7, 8, 9, 1, 11, 12, 13, 14, 15, 16, 17, 18};
// Slopes and other materials are not gathered from the material list.
constexpr int kListGroupCount = 17;

bool GroupIncluded(const TOrder& Order, int Group) {
  if (Group == 17) return Order.IncludeSlope;
  if (Group == 18) return Order.IncludeOtherMat;
  for (int s = 0; s < kCostedSectionCount; ++s) {
    const TSectionInfo& info = kSections[s];
    if (std::find(info.Groups.begin(), info.Groups.end(), Group) != info.Groups.end()) return Order.*info.Include;
  }
  return false;
}

// ---- pricing of the order-level items ----

// Extra materials are listed with the consumables.
constexpr int kDopMatGroup = 4;

TPricingContext PricingOf(const TOrder& Order) {
  return {Order.CurCurrency, Order.PriceGrpNo, static_cast<double>(Order.NDSTax), 0};
}

// Into receives the items of From, the quantities and costs of the same items added up.
TMatList MergedMatLists(TMatList Into, const TMatList& From) {
  for (const Tgx25MatListItem& item : From) {
    const int found = FindMatListItem(Into, item);
    if (found < 0) {
      Into.push_back(item);
      continue;
    }
    Tgx25MatListItem& same = Into[static_cast<size_t>(found)];
    same.Quantity += item.Quantity;
    same.Cost += item.Cost;
    same.CustomCost += item.CustomCost;
    same.NDSCost += item.NDSCost;
  }
  return Into;
}

void ZeroMatList(TMatList& List) {
  for (Tgx25MatListItem& item : List) {
    item.OrgPrice = item.ReduceAmount = item.Price = item.Cost = item.CustomCost = item.NDSCost = {};
  }
}

}  // namespace

const char* SectionKey(TOrderSection Section) { return InfoOf(Section).Key; }
const char* SectionCaption(TOrderSection Section) { return InfoOf(Section).Caption; }

bool SectionIncluded(const TOrder& Order, TOrderSection Section) {
  const TSectionInfo& info = InfoOf(Section);
  return info.Include == nullptr || Order.*info.Include;
}

void SetDiscount(TOrder& Order, TOrderSection Section, TNumUnit Unit, TCurrency Value) {
  const TSectionInfo& info = InfoOf(Section);
  Order.*info.Reduce = Unit == nuNone ? TCurrency() : Value;
  Order.*info.Unit = Unit;
}

void CheckAllPositions(TOrder& Order) {
  for (int i = 0; i < Order.Count(); ++i) Order.GetConstruction(i)->Checked = true;
}

int OrderDecimals(const TOrder& Order) {
  return Catalogue().Currency.Bound() ? GetCurrencyDecimals(Order.CurCurrency) : 2;
}

TCurrency ToOrderCurrency(const TOrder& Order, int FromID, TCurrency Amount) {
  if (FromID == Order.CurCurrency || Amount == TCurrency()) return Amount;
  const double to_rate = RateOf(Order, Order.CurCurrency);
  if (to_rate == 0) throw EKvError("Значение текущей валюты = 0!");
  return TCurrency::FromExtended(Amount.ToExtended() * RateOf(Order, FromID) / to_rate);
}

TCurrency PositionSectionCost(const TOrder& Order, const Tgx25Construction& Position, TOrderSection Section) {
  const TSectionInfo& info = InfoOf(Section);
  TCurrency piece;
  if (Section == osWindow)
    piece = GetEstimateTotal(Position);
  else
    for (int group : info.Groups) piece += GetGroupCost(Position, group, ckTotal);
  piece = Discounted(Order, piece, Position.*info.PosUnit, Position.*info.FixPrice, Position.FixCurrency);
  return piece * Position.Count;
}

TCurrency OrderItemsCost(const TOrder& Order, TOrderSection Section) {
  switch (Section) {
    case osDopProf: {
      TCurrency sum;
      for (const Tgx25DopProfItem& item : Order.DopProfs) sum += item.Money2;
      for (const Tgx25MontageMaterial& item : Order.DopMats)
        sum += Rounded(item.Price * item.Quantity, OrderDecimals(Order));
      return sum;
    }
    case osSill: return PieceItemsCost(Order.Sills);
    case osSink: return PieceItemsCost(Order.Sinks);
    case osMosquito: return PieceItemsCost(Order.Mosquitos);
    case osRollet: return PieceItemsCost(Order.Rollets);
    case osJalousie: return PieceItemsCost(Order.Jalousies);
    default: return {};
  }
}

TCurrency WindowCost(const TOrder& Order, const std::string& ProfSys) {
  return Order.IncludeWindow ? PositionsCost(Order, osWindow, ProfSys) : TCurrency();
}

TCurrency SectionCost(const TOrder& Order, TOrderSection Section, bool WithOrderItems) {
  if (Section == osOrder || !SectionIncluded(Order, Section)) return {};
  return PositionsCost(Order, Section, "") + (WithOrderItems ? OrderItemsCost(Order, Section) : TCurrency());
}

TCurrency SectionTotal(const TOrder& Order, TOrderSection Section, bool WithOrderItems, const std::string& ProfSys) {
  const TSectionInfo& info = InfoOf(Section);
  const bool shared = Section == osWindow && !ProfSys.empty();
  const TCurrency cost = shared ? WindowCost(Order, ProfSys) : SectionCost(Order, Section, WithOrderItems);
  const TCurrency reduce = Order.*info.Reduce;
  const TNumUnit unit = Order.*info.Unit;
  if (reduce == TCurrency() || (unit != nuPercent && unit != nuCurrency)) return cost;
  if (unit == nuPercent) return Discounted(Order, cost, unit, reduce, Order.FixCurrency);
  const int d = OrderDecimals(Order);
  TCurrency discount = Rounded(ToOrderCurrency(Order, Order.FixCurrency, reduce), d);
  if (shared) {
    const TCurrency all = WindowCost(Order);
    if (all == TCurrency()) return {};
    discount = Rounded(discount * (cost.ToExtended() / all.ToExtended()), d);
  } else if (cost == TCurrency()) {
    return {};
  }
  return cost + discount;
}

std::string ReduceStr(const TOrder& Order, TOrderSection Section, std::optional<TCurrency> Shown) {
  const TSectionInfo& info = InfoOf(Section);
  const TCurrency reduce = Order.*info.Reduce;
  const int d = OrderDecimals(Order);
  if (Order.*info.Unit == nuPercent && reduce != TCurrency()) return Format("%.2f %%", reduce.ToDouble());
  if (Order.*info.Unit == nuCurrency) {
    const TCurrency amount = Shown ? *Shown : Rounded(ToOrderCurrency(Order, Order.FixCurrency, reduce), d);
    return Format("%." + IntToStr(d) + "f", amount.ToDouble());
  }
  return "";
}

TCurrency SummaryService(const TOrder& Order, bool WithOrderServices, const std::string& Filter, bool FilterExcludes) {
  const int d = OrderDecimals(Order);
  TCurrency sum;
  if (!Order.IncludeCommonService) {
    for (const auto& [id, price] : MergedPositionServices(Order, Filter, FilterExcludes)) {
      const Tgx25ServiceItem* entry = OrderServiceOf(Order, id);
      const TCurrency value = entry != nullptr ? TCurrency::FromExtended(entry->Value) : TCurrency();
      sum += Rounded(entry != nullptr
                         ? Discounted(Order, price, static_cast<TNumUnit>(entry->NumUnit), value, Order.FixCurrency)
                         : price,
                     d);
    }
  }
  if (!WithOrderServices) return sum;
  for (const Tgx25ServiceItem& entry : Order.Services) {
    if (!entry.Common || entry.Ignore) continue;
    if (!Filter.empty() && FindToken(Filter, IntToStr(entry.ID), ";") == FilterExcludes) continue;
    sum += Rounded(ToOrderCurrency(Order, Order.FixCurrency, TCurrency::FromExtended(entry.Value)), d);
  }
  return sum;
}

TCurrency SummaryWithoutNDS(const TOrder& Order, bool WithOrderItems) {
  TCurrency sum = SummaryService(Order, WithOrderItems);
  for (int s = 0; s < kCostedSectionCount; ++s)
    if (SectionIncluded(Order, static_cast<TOrderSection>(s)))
      sum += SectionTotal(Order, static_cast<TOrderSection>(s), WithOrderItems);
  return sum;
}

TCurrency SummaryWithReduce(const TOrder& Order, bool WithOrderItems) {
  const TCurrency sum = SummaryWithoutNDS(Order, WithOrderItems);
  if (Order.OrderReduce == TCurrency()) return sum;
  const int d = OrderDecimals(Order);
  if (Order.OrderRedUnit == nuPercent)
    return sum + RoundedFloat(sum.ToExtended() * Order.OrderReduce.ToExtended() / 100, d);
  if (Order.OrderRedUnit == nuCurrency)
    return sum + Rounded(ToOrderCurrency(Order, Order.FixCurrency, Order.OrderReduce), d);
  return sum;
}

TCurrency NDS(const TOrder& Order, bool WithOrderItems) {
  if (!Order.GetTotalNDS) return {};
  return TCurrency::FromExtended(SummaryWithReduce(Order, WithOrderItems).ToExtended() * Order.NDSTax / 100);
}

TCurrency SummaryWithNDS(const TOrder& Order, bool WithOrderItems) {
  return SummaryWithReduce(Order, WithOrderItems) + NDS(Order, WithOrderItems);
}

TCurrency GetPaymentSum(const TOrder& Order) {
  TCurrency sum;
  for (const Tgx25PaymentItem& payment : Order.Payments) sum += payment.Money;
  return sum;
}

bool ReduceExists(const TOrder& Order) {
  for (const TSectionInfo& info : kSections)
    if (Order.*info.Reduce != TCurrency() && (Order.*info.Unit == nuPercent || Order.*info.Unit == nuCurrency))
      return true;
  return false;
}

bool PosReduceExists(const TOrder& Order) {
  return AnyPosition(Order, [](TNumUnit unit) { return unit == nuPercent || unit == nuCurrency; });
}

bool PosFixedPriceExists(const TOrder& Order) {
  return AnyPosition(Order, [](TNumUnit unit) { return unit == nuFixedPrice; });
}

TOrderTotals GetOrderTotals(const TOrder& Order, bool WithOrderItems) {
  TOrderTotals totals;
  totals.Decimals = OrderDecimals(Order);
  for (int s = 0; s < kCostedSectionCount; ++s) {
    const auto section = static_cast<TOrderSection>(s);
    totals.Sections[static_cast<size_t>(s)] = {SectionIncluded(Order, section),
                                               SectionCost(Order, section, WithOrderItems),
                                               SectionTotal(Order, section, WithOrderItems), ReduceStr(Order, section)};
  }
  totals.OrderReduceStr = ReduceStr(Order, osOrder);
  totals.SummaryService = SummaryService(Order, WithOrderItems);
  totals.SummaryWithoutNDS = SummaryWithoutNDS(Order, WithOrderItems);
  totals.SummaryWithReduce = SummaryWithReduce(Order, WithOrderItems);
  totals.NDS = NDS(Order, WithOrderItems);
  totals.SummaryWithNDS = totals.SummaryWithReduce + totals.NDS;
  totals.PaymentSum = GetPaymentSum(Order);
  totals.Balance = totals.SummaryWithNDS - totals.PaymentSum;
  totals.ReduceExists = ReduceExists(Order);
  totals.PosReduceExists = PosReduceExists(Order);
  totals.PosFixedPriceExists = PosFixedPriceExists(Order);
  return totals;
}

std::string MaterialGroupName(int Group) {
  return Group >= 0 && Group < kGroupNameCount ? kGroupNames[Group] : "Неизвестный тип";
}

std::string SummaryGroupName(TSummaryGroup Slot) { return MaterialGroupName(kGroupOfSlot[Slot]); }

TSummaryInfo GatherMatCost(const TOrder& Order) {
  TSummaryInfo summary{};
  for (const Tgx25MatListItem& item : Order.Materials) {
    if (item.Group < 0 || item.Group >= kListGroupCount || !GroupIncluded(Order, item.Group)) continue;
    TCostInfo& slot = summary[kSlotOfGroup[item.Group]];
    slot.Cost += item.Cost;
    slot.Custom += item.CustomCost;
    slot.NDS += item.NDSCost;
    slot.Total += item.GetTotal();
  }
  // The items of the positions are in the list; the film of laminated profiles is not.
  ForCheckedPositions(Order, [&](const Tgx25Construction& position) {
    for (int group = 0; group < kGroupNameCount; ++group) {
      if (!GroupIncluded(Order, group)) continue;
      const TCurrency lam = GetGroupLam(position, group) * position.Count;
      TCostInfo& slot = summary[kSlotOfGroup[group]];
      slot.Lam += lam;
      slot.Cost += lam;
      slot.Total += lam;
    }
  });
  return summary;
}

TMatList PriceOrderItems(TOrder& Order, const TGatherProgress& Progress) {
  TMatList materials;
  PriceAddOns({Order.DopProfs, Order.Sills, Order.Sinks, Order.Mosquitos, Order.Rollets, Order.Jalousies, Order.DopMats,
               kDopMatGroup},
              PricingOf(Order), materials, Progress);
  RefreshMatListCost(materials);
  return materials;
}

void GatherInfo(TOrder& Order, const TGatherProgress& Progress) {
  Order.Materials = MergedMatLists(PriceOrderItems(Order, Progress), PositionsMatList(Order));
  if (Progress) Progress("Расчет стоимости материалов");
  CalculateMatList(Order.Materials, PricingOf(Order));
  if (!UsedSetup().CheckZeroMatCost) return;
  std::string zero;
  for (const std::string& line : CheckZeroMatCost(Order)) zero += "\r\n" + line;
  if (!zero.empty()) ShowWarning("Материалы с нулевой стоимостью:" + zero);
}

TMatList PositionsMatList(const TOrder& Order) {
  TMatList list;
  ForCheckedPositions(Order, [&list](const Tgx25Construction& position) {
    for (Tgx25MatListItem item : position.MatList) {
      item.Quantity *= position.Count;
      item.Cost = item.Cost * position.Count;
      item.CustomCost = item.CustomCost * position.Count;
      item.NDSCost = item.NDSCost * position.Count;
      list = MergedMatLists(std::move(list), {item});
    }
  });
  return list;
}

void ZeroAllPrices(TOrder& Order) {
  for (auto* list : {&Order.Sills, &Order.Sinks})
    for (Tgx25CustomSill& item : *list) item.Money1 = {};
  for (auto* list : {&Order.Mosquitos, &Order.Rollets, &Order.Jalousies})
    for (Tgx25CustomNet& item : *list) item.Money1 = {};
  for (Tgx25DopProfItem& item : Order.DopProfs) item.Money1 = item.Money2 = {};
  for (Tgx25MontageMaterial& item : Order.DopMats) item.Price = {};
  for (Tgx25ServiceItem& item : Order.Services) item.OrgPrice = item.Reduce = item.Price = item.Cost = {};
  ZeroMatList(Order.Materials);
  for (int i = 0; i < Order.Count(); ++i) {
    Tgx25Construction& position = *Order.GetConstruction(i);
    ZeroMatList(position.MatList);
    position.CostSummary.fill({});
    position.EstimateList.clear();
  }
}

std::vector<std::string> CheckZeroMatCost(const TOrder& Order) {
  std::vector<std::string> lines;
  for (const Tgx25MatListItem& item : Order.Materials)
    if (item.Cost == TCurrency())
      lines.push_back(item.ID + "\t\t" + GetNameByID(item.ID) + " - " + GetUnitByID(item.ID));
  return lines;
}

void CalculateMaterials(TOrder& Order) {
  const TPricingContext context = PricingOf(Order);
  for (Tgx25MatListItem& item : Order.Materials)
    if (item.Group != 2 && item.Group != 7 && item.Group != 8 && item.Group != 9) CalculateMatListItem(item, context);
}

}  // namespace kv
