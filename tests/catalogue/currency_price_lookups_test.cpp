#include <gtest/gtest.h>

#include "catalogue/currency_lookups.h"
#include "catalogue/price_lookups.h"
#include "catalogue/small_catalogue.h"
#include "shell/errors.h"

namespace kv {
namespace {

using test::TSmallCatalogue;

using test::Money;

class CurrencyAndPrices : public ::testing::Test {
protected:
  void SetUp() override {
    cat.Catalog("Currency", {"ID", "Name", "Value", "Nominative", "Genitive", "GenitivePlural", "Gender", "Dec"},
                {{0, "руб.", 1.0, "рубль", "рубля", "рублей", 0, 2}});
    cat.Catalog("Currency", {{"ID", 1}, {"Name", "EUR"}, {"Value", 95.5}, {"Dec", 2}});
    cat.Catalog("Currency", {{"ID", 2}, {"Name", "ZERO"}, {"Value", 0.0}, {"Dec", 0}});
    cat.Catalog("CalcMeth", {{"ID", 1}, {"Name", "Стандарт"}, {"Currency", 0}});
    cat.Catalog("DustGrp", {{"GroupID", 1}, {"Dust", 5.0}, {"LamDust", 8.0}});
    cat.Catalog("PriceGrp", {{"GroupID", 2}, {"Reduce_1", -10.0}, {"Reduce_10", 15.0}});
    cat.Catalog("CustmGrp", {{"GroupID", 3}, {"Tax", 12.5}});
    cat.Profile("ProfList", {{"Profile", "F70"}, {"Group", 0}, {"OrgArticle", "F70-P"}});
    for (const auto& [id, color, price, laminating, coef] :
         {std::tuple{"F70-W", "WHITE", "10", 0, TValue()}, std::tuple{"F70-O", "OAK", "12.5", 1, TValue(2.0)}}) {
      cat.Catalog("Catalog", {"ID", "Article", "FrontColor", "Price", "Currency", "DustGrp", "Laminating", "Coef"},
                  {{id, "F70-P", color, Money(price), 1, 1, laminating, coef}});
    }
    cat.Catalog("Catalog", {{"ID", "SCREW"}, {"Article", "SCR"}, {"FrontColor", ""}, {"DustGrp", 1}, {"Integer", 1}});
    cat.Catalog("Catalog", {{"ID", "NODUST"}, {"Article", "ND"}, {"FrontColor", ""}, {"DustGrp", 0}});
    cat.Catalog("LamList", {{"ID", 1}, {"Currency", 1}, {"DblMethod", 0}, {"PriceMode", 2}});
    cat.Catalog("LamList", {{"ID", 2}, {"Currency", 0}, {"DblMethod", 1}});
    cat.Catalog("LamColor", {{"ID", 1}, {"Color", "OAK"}, {"PriceCoef", 1.2}});
    cat.Catalog("LamColor", {{"ID", 1}, {"Color", "NUT"}, {"PriceCoef", 0.0}});
    for (const auto& [list, qty, inner, outer, both] :
         {std::tuple{1, 10.0, "1", "2", "2.5"}, std::tuple{1, 50.0, "0.8", "1.5", "2"},
          std::tuple{2, 10.0, "100", "200", "250"}, std::tuple{2, 50.0, "80", "150", "210"}}) {
      cat.Catalog("LamPrice", {"ID", "Article", "Qty", "InnerPrice", "OuterPrice", "DblPrice"},
                  {{list, "F70-P", qty, Money(inner), Money(outer), Money(both)}});
    }
    cat.Open();
    cat.Catalogue.Settings.WorkCurrency = 0;
  }
  TSmallCatalogue cat;
};

TEST_F(CurrencyAndPrices, CurrenciesPriceGroupsDutyAndLaminatingPrices) {
  const TCurrencyList list = BuildCurrencyList();
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[1].ID, 1);
  EXPECT_DOUBLE_EQ(GetCurrencyValue(&list, 1), 95.5);
  EXPECT_DOUBLE_EQ(GetCurrencyValue(&list, 7), -1);
  EXPECT_DOUBLE_EQ(GetCurrencyValue(nullptr, 1), 0);
  EXPECT_EQ(FindCurrency(list, 2), 2);
  EXPECT_EQ(FindCurrency(list, 9), -1);
  EXPECT_EQ(cat.Catalogue.Settings.CurrencyList.size(), 3u) << "built when the catalogue opens";
  EXPECT_EQ(GetConvertedCurrency(list, 1, 0, Money("10")), Money("955"));
  EXPECT_EQ(GetConvertedCurrency(list, 0, 1, Money("100")), Money("1.0471")) << "rounded to 4 decimals";
  EXPECT_EQ(GetConvertedCurrency(list, 0, 2.0, Money("3")), Money("1.5"));
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetConvertedCurrency(list, 1, 2, Money("10")); }),
            "Значение текущей валюты = 0!");
  EXPECT_DOUBLE_EQ(GetGlobalCurrencyValue(5), -1);
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetCalcMethodCurrency(4); }),
            "Схема расчета стоимости 4 не найдена в справочнике!");
  EXPECT_DOUBLE_EQ(GetReduceTax(2, 1), -10);
  EXPECT_DOUBLE_EQ(GetReduceTax(2, 10), 15);
  EXPECT_DOUBLE_EQ(GetReduceTax(2, 11), 0);
  EXPECT_DOUBLE_EQ(GetCustomTax(3), 12.5);
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetReduceTax(5, 1); }),
            "В каталоге ценовых групп отсутствуют данные для группы [5]!");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetCustomTax(5); }),
            "В каталоге импортных пошлин отсутствуют данные для группы [5]!");
  EXPECT_DOUBLE_EQ(GetColorPriceCoef("OAK", 1), 1.2);
  EXPECT_DOUBLE_EQ(GetColorPriceCoef("NUT", 1), 1) << "a stored 0 counts as 1";
  EXPECT_DOUBLE_EQ(GetColorPriceCoef("RED", 1, true), 1);
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetColorPriceCoef("RED", 1); }),
            "В прайс-листе на ламинацию [1] отсутвуют данные для цвета [RED]");
  EXPECT_EQ(GetLamCurrency(1), 1);
  EXPECT_EQ(GetLamPriceMode(1), 2);
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetLamCurrency(3); }), "Не найден прайс-листе на ламинацию [3]!");
  const TLamQuantity quantity{2, 3, 4};
  // List 1 in EUR (95.5): 10 m row for 5 m, 50 m row for 20 m, the last row above 50 m.
  EXPECT_EQ(GetLamPriceCost(1, "F70-P", 5, TLamSide::lsOuter, quantity), Money("382")) << "2 x 95.5 x 2";
  EXPECT_EQ(GetLamPriceCost(1, "F70-P", 10, TLamSide::lsInner, quantity), Money("286.5")) << "1 x 95.5 x 3";
  EXPECT_EQ(GetLamPriceCost(1, "F70-P", 20, TLamSide::lsOuter, quantity), Money("286.5")) << "1.5 x 95.5 x 2";
  EXPECT_EQ(GetLamPriceCost(1, "F70-P", 80, TLamSide::lsInner, quantity), Money("229.2"));
  EXPECT_EQ(GetLamPriceCost(1, "F70-P", 5, TLamSide::lsBoth, quantity), Money("668.5")) << "per side";
  EXPECT_EQ(GetLamPriceCost(2, "F70-P", 5, TLamSide::lsBoth, quantity), Money("1000")) << "250 x 4";
  EXPECT_THROW(GetLamPriceCost(2, "X", 5, TLamSide::lsBoth, quantity), EInterfaceError);
}

TEST_F(CurrencyAndPrices, WasteAllowanceIsAPercentageFollowingTheOptionAndTheStatisticalPrice) {
  EXPECT_DOUBLE_EQ(_GetDustTax(1, 0), 5);
  EXPECT_DOUBLE_EQ(_GetDustTax(1, 1), 8);
  EXPECT_DOUBLE_EQ(GetDustByID("F70-W"), 5) << "not laminated";
  EXPECT_DOUBLE_EQ(GetDustByID("F70-O"), 8);
  EXPECT_DOUBLE_EQ(GetDustByID("NODUST"), 0);
  EXPECT_DOUBLE_EQ(GetDustCoefByID("F70-O"), 1.08 * 2);
  EXPECT_DOUBLE_EQ(GetDustCoefByID("SCREW"), 1) << "whole pieces take no allowance";
  EXPECT_EQ(test::CatalogueErrorOf([&] { _GetDustTax(9, 0); }), "В каталоге групп отходов отсутствуют данные для [9]!");
  TDustList cache;
  EXPECT_DOUBLE_EQ(GetDustFromList(cache, "F70-O", 1), 8);
  EXPECT_DOUBLE_EQ(GetDustFromList(cache, "F70-O", 1), 8);
  EXPECT_EQ(cache.Count(), 1u);
  EXPECT_EQ(GetStatisticProfPriceByArticle("F70", "WHITE", 0), Money("1002.75")) << "955 x 1.05";
  EXPECT_EQ(GetStatisticProfPriceByArticle("F70", "OAK", 1), Money("1289.25")) << "1193.75 x 1.08";
  EXPECT_EQ(GetStatisticProfPriceByArticle("F70", "OAK", 0), Money("1253.4375"));
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetStatisticProfPriceByArticle("F70", "RED", 0); }),
            "В каталоге отсутствуют данные для [F70-P + RED]!\r\n"
            "(Поиск [Цена профиля] через [Артикул + Цвет])");
  cat.Catalogue.Settings.UseDust = false;
  EXPECT_DOUBLE_EQ(_GetDustTax(9, 0), 0) << "the option off never reads the table";
  EXPECT_DOUBLE_EQ(GetDustFromList(cache, "F70-O", 1), 0);
}

}  // namespace
}  // namespace kv
