#include "calc/formula_refs.h"

#include <gtest/gtest.h>

#include <map>

#include "calc/express.h"
#include "calc/fr_parser.h"
#include "shell/error_of.h"

namespace kv {
namespace {

// A calculation in progress: the results of the steps done so far, and the named calls answered
// the way the calculator answers them, through the rule expression evaluator.
class TFakeCalculation : public IFormulaRefOwner {
public:
  TFakeCalculation() {
    FArguments.OnFunction = [this](const std::string& name, const std::string& p1, const std::string& p2,
                                   const std::string& p3, TVariant& value) {
      Calls.push_back(name);
      value = FArguments.Calc(p1).AsDouble() * 100 + FArguments.Calc(p2).AsDouble() + FArguments.Calc(p3).AsDouble();
    };
  }

  int CurrentStepNo() const override { return Current; }
  TCurrency FindResult(int no) const override {
    auto it = Results.find(no);
    return it == Results.end() ? TCurrency() : it->second;
  }
  TCurrency SumResult(int from, int to) const override {
    TCurrency sum;
    for (const auto& [no, result] : Results)
      if (no >= from && no <= to) sum += result;
    return sum;
  }
  long double CurrencyFactor() const override { return Factor; }
  long double NamedValue(const std::string& call) override { return FArguments.Calc(call).AsDouble(); }

  int Current = 5;
  long double Factor = 1;
  std::map<int, TCurrency> Results = {{1, TCurrency::FromInt(10)},
                                      {2, TCurrency::FromInt(20)},
                                      {3, TCurrency::FromExtended(12.5L)},
                                      {4, TCurrency::FromInt(-4)}};
  std::vector<std::string> Calls;

private:
  TfrParser FArguments;
};

std::string Translate(std::string_view formula, TFakeCalculation& owner, TStepParameters parameters = {}) {
  return TranslateFormula(formula, parameters, owner);
}

std::string ErrorOf(std::string_view formula, TFakeCalculation& owner) {
  return test::ErrorOf<EFormulaRefError>([&] { Translate(formula, owner); });
}

TEST(FormulaRefs, RowsRangesParametersMoneyAndNamedCallsBecomeNumbersAndBadRowsRaise) {
  TFakeCalculation owner;
  TStepParameters parameters;
  parameters.Values[0] = 2;
  parameters.Decimals[0] = 0;
  EXPECT_EQ(Translate("#3+#P1", owner, parameters), "12,5000+2");
  TExpress express;
  express.SetExpression(Translate("#3+#P1", owner, parameters));
  EXPECT_DOUBLE_EQ(static_cast<double>(express.TheFunction(0, 0, 0)), 14.5);
  parameters.Values = {1.23456L, 2, 3, 4, 5, 6.5L};
  parameters.Decimals = {2, 0, 0, 0, 0, 3};
  EXPECT_EQ(Translate("#P1*#P6-#P2", owner, parameters), "1,23*6,500-2");
  EXPECT_EQ(Translate("&1..4*2", owner), "38,5000*2");  // 10 + 20 + 12.5 - 4
  EXPECT_EQ(Translate("(&2..3)", owner), "(32,5000)");
  EXPECT_EQ(Translate("(#1)^#2 -#3", owner), "(10,0000)^20,0000 -12,5000");
  EXPECT_EQ(Translate("#1a", owner), "#1a");
  EXPECT_EQ(Translate("&1..2x", owner), "&1..2x");
  EXPECT_EQ(Translate("&1.2", owner), "&1.2");
  EXPECT_EQ(Translate("#4*2", owner), "-4,0000*2") << "a negative result keeps its sign";
  owner.Results.erase(2);
  EXPECT_EQ(Translate("#2", owner), "0,0000") << "a missing step counts as zero";
  owner.Factor = 0.5L;
  EXPECT_EQ(Translate("$100,5+1", owner), "50,2500+1");
  EXPECT_EQ(Translate("$-1", owner), "$-1");  // not an amount: left for the formula check
  // A comma not followed by a digit ends the amount, and an amount has one decimal comma at most.
  EXPECT_EQ(Translate("$2,+1", owner), "1,0000,+1");
  EXPECT_EQ(Translate("$1,5,2", owner), "0,7500,2");
  owner.Factor = 1.5L;
  EXPECT_EQ(Translate("max($1,$2)", owner), "max(1,5000,3,0000)");
  express.SetExpression(Translate("max($1,$2)", owner));
  EXPECT_DOUBLE_EQ(static_cast<double>(express.TheFunction(0, 0, 0)), 3);  // max(1.5, 3)
  EXPECT_EQ(Translate("PLC_ALL(1,2,3)*2+OSC_STD(0,1+1,0)", owner), "105,000000*2+2,000000");
  EXPECT_EQ(owner.Calls, (std::vector<std::string>{"PLC_ALL", "OSC_STD"}));
  EXPECT_EQ(Translate("PLC_STD(1,0,0)+PLC_STD(2,0,0)", owner), "100,000000+200,000000");
  EXPECT_EQ(Translate("PLC_NSTD(1,0,0", owner), "PLC_NSTD(1,0,0");  // never closed: left as it is
  EXPECT_EQ(ErrorOf("#5+1", owner), kRefCurrentRow);
  EXPECT_EQ(ErrorOf("#6", owner), kRefLaterRow);
  EXPECT_EQ(ErrorOf("1+#", owner), kRefBadRowNumber);
  EXPECT_EQ(ErrorOf("# +1", owner), kRefBadRowNumber);
  EXPECT_EQ(ErrorOf("#99999999999999999999", owner), kRefBadRowNumber);
  EXPECT_EQ(ErrorOf("&..3", owner), kRefBadRowNumber);
  EXPECT_STREQ(kRefCurrentRow, "Указана ссылка на текущую строку. Результат текущий строки еще не вычислялся.");
}

}  // namespace
}  // namespace kv
