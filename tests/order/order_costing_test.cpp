// Costing of orders worked out by hand from the rules: section costs and discounts, the share of a
// currency discount by profile system, services, the order discount, VAT, payments, and the
// pricing of the order-level items.
#include <gtest/gtest.h>

#include "calc/mat_pricing.h"
#include "catalogue/small_catalogue.h"
#include "construction/sample_constructions.h"
#include "order/order_costing.h"
#include "shell/format_settings.h"

namespace kv {
namespace {

using test::Money;

class OrderCosting : public ::testing::Test {
public:
  void SetUp() override {
    cat.Catalog("Currency", {{"ID", 1}, {"Name", "руб."}, {"Value", 1.0}, {"Dec", 2}});
    cat.Catalog("Currency", {{"ID", 2}, {"Name", "EUR"}, {"Value", 100.0}, {"Dec", 2}});
    cat.Catalog("Catalog", {{"ID", "SILL"}, {"Article", "SILL"}, {"Price", Money("1000")}, {"Currency", 1}});
    cat.Catalog("Catalog", {{"ID", "CAP"}, {"Article", "CAP"}, {"Price", Money("12.5")}, {"Currency", 1}});
    cat.Open();
    order.CurCurrency = 1;
    order.FixCurrency = 1;
  }

  // A checked position of the system whose estimate comes to Estimate a piece.
  Tgx25Construction& Position(const std::string& System, const char* Estimate, int Count = 1) {
    Tgx25Construction& c = *order.Add(test::SimpleWindow(IntToStr(order.Count() + 1), 1000, 1000));
    c.GetFrame(0)->ProfSys = System;
    c.EstimateList = {{0, 0, "Итого", Money(Estimate), ""}};
    c.Count = Count;
    c.Checked = true;
    return c;
  }

  test::TSmallCatalogue cat;
  TOrder order;
};

TEST_F(OrderCosting, FullOrderWithTwoCurrenciesFixedPriceServiceAndPayments) {
  // The order's own EUR rate (95.5) stands before the catalogue's (100).
  order.Currencies = {{1, 1.0}, {2, 95.5}};
  order.FixCurrency = 2;
  Tgx25Construction& first = Position("A", "1234.56", 2);
  Tgx25Construction& fixed = Position("A", "999");
  fixed.WindowRedUnit = nuFixedPrice;
  fixed.WindowFixPrice = Money("10");
  fixed.FixCurrency = 2;
  first.ServiceList = {{false, false, 7, "Монтаж", 1, 0, {}, {}, {}, Money("100"), false},
                       {false, false, 8, "Вывоз", 1, 0, {}, {}, {}, Money("30"), false}};
  fixed.ServiceList = {{false, false, 7, "Монтаж", 1, 0, {}, {}, {}, Money("55.5"), false}};
  order.Services = {{false, false, 7, "Монтаж", -10, nuPercent, {}, {}, {}, {}, false},
                    {false, false, 8, "Вывоз", 0.5, nuFixedPrice, {}, {}, {}, {}, false},
                    {true, false, 9, "Доставка", 12, nuNone, {}, {}, {}, {}, false}};
  order.IncludeSill = true;
  order.Sills.emplace_back().Int1 = 3;
  order.Sills[0].Money1 = Money("150.25");
  SetDiscount(order, osWindow, nuPercent, Money("-5"));
  SetDiscount(order, osSill, nuCurrency, Money("-2"));
  SetDiscount(order, osOrder, nuPercent, Money("3"));
  order.GetTotalNDS = true;
  order.NDSTax = 20;
  order.Payments = {{45000, Money("2000"), "Наличные", ""}, {45001, Money("1000.5"), "Банк", ""}};

  const TOrderTotals t = GetOrderTotals(order);
  // Windows: 1234.56 x 2 + the fixed 10 EUR x 95.5 = 2469.12 + 955.00 = 3424.12;
  // -5 %: -171.206 -> -171.21, total 3252.91.
  EXPECT_EQ(t.Sections[osWindow].Cost, Money("3424.12"));
  EXPECT_EQ(t.Sections[osWindow].Total, Money("3252.91"));
  EXPECT_EQ(t.Sections[osWindow].ReduceStr, "-5,00 %");
  // Sills: 150.25 x 3 = 450.75; -2 EUR = -191.00; total 259.75.
  EXPECT_EQ(t.Sections[osSill].Cost, Money("450.75"));
  EXPECT_EQ(t.Sections[osSill].Total, Money("259.75"));
  EXPECT_EQ(t.Sections[osSill].ReduceStr, "-191,00");
  // Services: 7 merged 100 x 2 + 55.5 = 255.50, -10 % = 229.95; 8 fixed 0.5 EUR = 47.75;
  // common 9: 12 EUR = 1146.00. Sum 1423.70.
  EXPECT_EQ(t.SummaryService, Money("1423.70"));
  EXPECT_EQ(SummaryService(order, true, "8", true), Money("1375.95"));
  EXPECT_EQ(SummaryService(order, false, "7"), Money("229.95"));
  // 3252.91 + 259.75 + 1423.70 = 4936.36; +3 % = 148.0908 -> 148.09: 5084.45; VAT 20 % 1016.89.
  EXPECT_EQ(t.SummaryWithoutNDS, Money("4936.36"));
  EXPECT_EQ(t.OrderReduceStr, "3,00 %");
  EXPECT_EQ(t.SummaryWithReduce, Money("5084.45"));
  EXPECT_EQ(t.NDS, Money("1016.89"));
  EXPECT_EQ(t.SummaryWithNDS, Money("6101.34"));
  EXPECT_EQ(t.PaymentSum, Money("3000.50"));
  EXPECT_EQ(t.Balance, Money("3100.84"));
  EXPECT_TRUE(t.ReduceExists);
  EXPECT_TRUE(t.PosFixedPriceExists);
  EXPECT_FALSE(t.PosReduceExists);
}

TEST_F(OrderCosting, EdgeCases) {
  // A switched-off section adds nothing although it has positions.
  Position("A", "1000");
  order.IncludeWindow = false;
  EXPECT_EQ(SectionTotal(order, osWindow), TCurrency());
  EXPECT_EQ(SummaryWithNDS(order), TCurrency());
  order.IncludeWindow = true;
  // 1000 - 10 % and + 10 %.
  SetDiscount(order, osWindow, nuPercent, Money("-10"));
  EXPECT_EQ(SummaryWithNDS(order), Money("900"));
  SetDiscount(order, osWindow, nuPercent, Money("10"));
  EXPECT_EQ(SectionTotal(order, osWindow), Money("1100"));
  EXPECT_EQ(SummaryWithNDS(order), Money("1100"));
  // VAT off: the sum with VAT is the sum with the discount (50 off 1000).
  SetDiscount(order, osWindow, nuNone, {});
  order.NDSTax = 20;
  SetDiscount(order, osOrder, nuCurrency, Money("-50"));
  EXPECT_EQ(SectionTotal(order, osWindow), Money("1000"));
  EXPECT_EQ(SummaryWithReduce(order), Money("950"));
  EXPECT_EQ(SummaryWithNDS(order), Money("950"));
  // An empty order.
  order.Clear();
  SetDiscount(order, osOrder, nuNone, {});
  EXPECT_EQ(SummaryWithReduce(order), TCurrency());
  EXPECT_EQ(SummaryWithNDS(order), TCurrency());
}

TEST_F(OrderCosting, CurrencyDiscountIsSharedBySystemCost) {
  Position("A", "600");
  Position("B", "200", 2);
  SetDiscount(order, osWindow, nuCurrency, Money("-100"));
  // 600 of 1000 takes 60 % of the discount, 400 the other 40 %.
  EXPECT_EQ(SectionTotal(order, osWindow, true, "A"), Money("540"));
  EXPECT_EQ(SectionTotal(order, osWindow, true, "B"), Money("360"));
  EXPECT_EQ(SectionTotal(order, osWindow), Money("900"));
}

TEST_F(OrderCosting, OrderItemsArePricedThroughTheMaterialList) {
  order.IncludeSill = order.IncludeDopProf = true;
  Tgx25CustomSill& sill = order.Sills.emplace_back();
  sill.Text1 = "SILL";
  sill.Int1 = 2;
  sill.Int2 = 1500;
  sill.Int3 = 300;
  sill.Materials = {{"CAP", "", 0, 0, 0, 0, 0, 0, 2, 0, {}, true, Tgx25CustMatItem::ckCounted, 0}};
  order.DopMats.emplace_back().ID = "CAP";
  order.DopMats[0].Quantity = 3;
  std::vector<std::string> steps;
  GatherInfo(order, [&steps](const std::string& text) { steps.push_back(text); });
  // A piece: 1.5 x 0.3 m = 0.45 m2 at 1000 = 450 and two caps at 12.50 = 25: 475; two pieces 950.
  EXPECT_EQ(sill.Money1, Money("475"));
  EXPECT_EQ(SectionCost(order, osSill), Money("950"));
  // Three caps at 12.50.
  EXPECT_EQ(SectionCost(order, osDopProf), Money("37.5"));
  ASSERT_EQ(order.Materials.size(), 3u);  // the sill, its caps, the extra caps
  EXPECT_EQ(order.Materials[1].Quantity, 4);
  EXPECT_EQ(GatherMatCost(order)[sgSillMat].Total, Money("50"));
  EXPECT_EQ(steps.front(), "Расчет подоконников...");
  EXPECT_EQ(steps.back(), "Расчет стоимости материалов");
  ZeroAllPrices(order);
  EXPECT_EQ(SectionCost(order, osSill), TCurrency());
  EXPECT_EQ(CheckZeroMatCost(order).size(), 3u);
  // Priced again from the catalogue: the sills 2 x 450.
  CalculateMaterials(order);
  EXPECT_EQ(GatherMatCost(order)[sgSill].Cost, Money("900"));
}

TEST_F(OrderCosting, SummaryListHoldsPositionsAndOrderItemsOnceAndTheFilmApart) {
  // Two pieces of a position with two caps (25) and 10 of film on its profiles that no item carries.
  Tgx25Construction& c = Position("A", "0", 2);
  c.MatList.emplace_back().ID = "CAP";
  c.MatList[0].Group = 4;
  c.MatList[0].Quantity = 2;
  c.MatList[0].Cost = Money("25");
  const auto cell = [&c](int Group, TCostKind Kind) -> TCurrency& { return c.CostSummary[Group * ckKindCount + Kind]; };
  cell(0, ckCost) = cell(0, ckTotal) = Money("10");
  cell(4, ckCost) = cell(4, ckTotal) = Money("25");
  order.DopMats.emplace_back().ID = "CAP";
  order.DopMats[0].Quantity = 3;
  GatherInfo(order);
  // 3 caps of the order and 2 x 2 of the position: one line of 7 caps at 12.50 = 87.50.
  ASSERT_EQ(order.Materials.size(), 1u);
  EXPECT_EQ(order.Materials[0].Quantity, 7);
  const TSummaryInfo sums = GatherMatCost(order);
  EXPECT_EQ(sums[sgDopMat].Total, Money("87.5"));
  // The film of both pieces: 2 x 10.
  EXPECT_EQ(sums[sgProfile].Lam, Money("20"));
  EXPECT_EQ(sums[sgProfile].Total, Money("20"));
  EXPECT_EQ(sums[sgDopMat].Lam, TCurrency());
}

}  // namespace
}  // namespace kv
