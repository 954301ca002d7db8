#pragma once
// The money of an order: per section the cost of the checked positions and of the order-level
// items, the section totals after their discounts, the service sum, the sum without VAT, the
// order discount, VAT, the sum with VAT, the payments and the display strings of the discounts;
// the material sums per material group; the pricing of the order-level items (sills, drips, nets,
// shutters, blinds, extra profiles and materials) through the material-list pricing.
//
// Every amount is in the order currency. A discount is added to the cost: -10 % lowers the price,
// +10 % raises it. Amounts in the fixing currency (currency discounts, common services, fixed
// prices of positions) are converted at the rates of the order's currency list.
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "order/order.h"

namespace kv {

// The costed sections, in the order of their switches and discounts in the order file; osOrder
// names the discount of the whole order.
enum TOrderSection : uint8_t {
  osWindow,
  osDopProf,
  osMontMat,
  osSill,
  osSink,
  osMosquito,
  osRollet,
  osJalousie,
  osOrder
};
inline constexpr int kCostedSectionCount = 8;

// "window", "dop_prof", ... "order": the key of a section in the JSON output.
const char* SectionKey(TOrderSection Section);
// "Окна", "Доп. профили и материалы", ... "Заказ".
const char* SectionCaption(TOrderSection Section);
bool SectionIncluded(const TOrder& Order, TOrderSection Section);
// Sets the discount of a section (or of the order): nuNone, nuPercent or nuCurrency.
void SetDiscount(TOrder& Order, TOrderSection Section, TNumUnit Unit, TCurrency Value);

// Checks every position (the whole order is costed, printed and batched).
void CheckAllPositions(TOrder& Order);

// Decimals of the order currency (2 while the catalogue is not open).
int OrderDecimals(const TOrder& Order);
// An amount of currency FromID in the order currency at the rates of the order (the catalogue's
// rate stands in for a currency the order's list lacks). An unknown currency or a zero rate raises
// EKvError with the program's message.
TCurrency ToOrderCurrency(const TOrder& Order, int FromID, TCurrency Amount);

// ---- section costs and totals ----
// One position's cost in a section, its quantity included; fixed prices and discounts of the
// position applied.
TCurrency PositionSectionCost(const TOrder& Order, const Tgx25Construction& Position, TOrderSection Section);
// What the order-level items of a section cost (extra profiles and materials, sills, drips, nets,
// shutters, blinds; nothing for windows and mounting materials).
TCurrency OrderItemsCost(const TOrder& Order, TOrderSection Section);
// The window section of the checked positions, all of them or those of one profile system (the
// system of a position's first frame).
TCurrency WindowCost(const TOrder& Order, const std::string& ProfSys = "");
// 0 when the section is off; else the checked positions' costs plus, with WithOrderItems, the
// order-level items of the section.
TCurrency SectionCost(const TOrder& Order, TOrderSection Section, bool WithOrderItems = true);
// The section cost with the section discount; ProfSys restricts the window section to one system,
// which takes its share of a currency discount by cost.
TCurrency SectionTotal(const TOrder& Order, TOrderSection Section, bool WithOrderItems = true,
                       const std::string& ProfSys = "");
// "-10,00 %" or the converted amount with the currency's decimals; empty without a discount.
// Shown replaces the converted amount of a currency discount.
std::string ReduceStr(const TOrder& Order, TOrderSection Section, std::optional<TCurrency> Shown = std::nullopt);

// ---- order sums ----
// Filter: ";"-separated service identifiers, taken only (or, with FilterExcludes, skipped).
TCurrency SummaryService(const TOrder& Order, bool WithOrderServices = true, const std::string& Filter = "",
                         bool FilterExcludes = false);
TCurrency SummaryWithoutNDS(const TOrder& Order, bool WithOrderItems = true);
TCurrency SummaryWithReduce(const TOrder& Order, bool WithOrderItems = true);
TCurrency NDS(const TOrder& Order, bool WithOrderItems = true);
TCurrency SummaryWithNDS(const TOrder& Order, bool WithOrderItems = true);
TCurrency GetPaymentSum(const TOrder& Order);
bool ReduceExists(const TOrder& Order);
bool PosReduceExists(const TOrder& Order);
bool PosFixedPriceExists(const TOrder& Order);

// Every figure of the order at once, for the order window, the reports and the command line.
struct TSectionTotals {
  bool Included = false;
  TCurrency Cost;
  TCurrency Total;
  std::string ReduceStr;
};

struct TOrderTotals {
  int Decimals = 2;
  std::array<TSectionTotals, kCostedSectionCount> Sections;
  std::string OrderReduceStr;
  TCurrency SummaryService;
  TCurrency SummaryWithoutNDS;
  TCurrency SummaryWithReduce;
  TCurrency NDS;
  TCurrency SummaryWithNDS;
  TCurrency PaymentSum;
  // What is left to pay: the sum with VAT less the payments.
  TCurrency Balance;
  bool ReduceExists = false;
  bool PosReduceExists = false;
  bool PosFixedPriceExists = false;
};
TOrderTotals GetOrderTotals(const TOrder& Order, bool WithOrderItems = true);

// ---- material sums ----
struct TCostInfo {
  TCurrency Cost, Custom, NDS, Lam, Total;
};

// The slots of the material sums, in their order.
enum TSummaryGroup : uint8_t {
  sgProfile,
  sgGlass,
  sgFurniture,
  sgDopMat,
  sgMontMat,
  sgSill,
  sgSink,
  sgMosquito,
  sgRollet,
  sgJalousie,
  sgDopProf,
  sgGlassMat,
  sgSillMat,
  sgSinkMat,
  sgMosqMat,
  sgRollMat,
  sgJalMat,
  sgSlope,
  sgOtherMat
};
inline constexpr int kSummaryGroupCount = 19;
using TSummaryInfo = std::array<TCostInfo, kSummaryGroupCount>;

// "Профиль основной", ... for the material group codes 0 .. 18, "Неизвестный тип" otherwise.
std::string MaterialGroupName(int Group);
// The name of a slot: that of its material group.
std::string SummaryGroupName(TSummaryGroup Slot);
// The items of the order's summary material list, and the film of the checked positions' laminated
// profiles (a cost that no item carries: in Lam, Cost and Total), each in the slot of its group when
// the group's section is on.
TSummaryInfo GatherMatCost(const TOrder& Order);

// ---- pricing of the order-level items ----
using TGatherProgress = std::function<void(const std::string& Text)>;
// Prices every order-level item (its price written back), telling each step, and returns their
// materials, priced. Catalogue errors are raised to the caller.
TMatList PriceOrderItems(TOrder& Order, const TGatherProgress& Progress = {});
// The summary material list of the order: the materials of the order-level items and those of the
// checked positions times their quantities, priced again as one list, into Materials; with the
// option CheckZeroMatCost a warning lists the materials that cost nothing. Catalogue errors are
// raised to the caller.
void GatherInfo(TOrder& Order, const TGatherProgress& Progress = {});
// The checked positions' materials times their quantities, priced as the positions hold them.
TMatList PositionsMatList(const TOrder& Order);
// Clears every price and cost of the order-level items, the material lists and the services.
void ZeroAllPrices(TOrder& Order);
// "ID\t\tName - unit" for each material of the summary list whose cost is zero.
std::vector<std::string> CheckZeroMatCost(const TOrder& Order);
// Prices each item of the order's material list again, except glass, nets, shutters and blinds.
void CalculateMaterials(TOrder& Order);

}  // namespace kv
