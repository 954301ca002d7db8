#include "calc/express.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "shell/error_of.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/random.h"

namespace kv {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

long double Eval(std::string_view text, long double x = 0, long double y = 0, long double z = 0) {
  TExpress express;
  express.SetExpression(text);
  return express.TheFunction(x, y, z);
}

bool Compiles(std::string_view text) {
  return test::ErrorOf<EExpressError>([&] { TExpress().SetExpression(text); }) == "no error";
}

std::vector<TExpressOpCode> Codes(std::string_view text) {
  TExpress express;
  express.SetExpression(text);
  std::vector<TExpressOpCode> codes;
  for (const auto& op : express.Parse().Operations()) codes.push_back(op.Code);
  return codes;
}

TEST(ExpressSyntax, NumbersUseTheDecimalSeparatorOfTheProcess) {
  EXPECT_TRUE(Compiles("4,5*x/(y^2-z)"));
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("4,5*x/(y^2-z)", 2, 3, 1)), 4.5 * 2 / 8);
  EXPECT_FALSE(Compiles("4,5x"));
  EXPECT_FALSE(Compiles("4.5*x"));
  FormatSettings().DecimalSeparator = '.';
  EXPECT_TRUE(Compiles("4.5*x"));
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("4.5*2")), 9.0);
}

TEST(ExpressSyntax, NumbersTakeAnExponentButNoSign) {
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("1,5e3")), 1500.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("2e-3*1000")), 2.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("x+1E+2", 1)), 101.0);
  EXPECT_FALSE(Compiles("1e"));
  EXPECT_FALSE(Compiles("1e+"));
  EXPECT_FALSE(Compiles(","));
  EXPECT_FALSE(Compiles("1e99999"));
}

TEST(ExpressSyntax, BlanksAreRemovedBeforeCompiling) {
  TExpress express;
  express.SetExpression(" 1 + 2 * x ");
  EXPECT_EQ(express.Expression(), "1+2*x");
  EXPECT_DOUBLE_EQ(static_cast<double>(express.TheFunction(3, 0, 0)), 7.0);
}

TEST(ExpressSyntax, NamesAreCaseSensitive) {
  EXPECT_TRUE(Compiles("sin(x)"));
  EXPECT_FALSE(Compiles("Sin(x)"));
  EXPECT_FALSE(Compiles("X"));
  EXPECT_TRUE(Compiles("pi"));
  EXPECT_TRUE(Compiles("Pi"));
  EXPECT_FALSE(Compiles("PI"));
}

TEST(ExpressSyntax, MalformedTextsAreRefused) {
  for (const char* text :
       {"",    "(",     ")",      "(x",      "x)",      ")x(",    "x+",  "*x", "x**y", "2x",   "x y",  "()",
        "sin", "sin()", "max(x)", "max(x,)", "min(,y)", "foo(x)", "x,y", "#3", "x=1",  "1-+2", "2*-3", "2^-1"})
    EXPECT_FALSE(Compiles(text)) << text;
}

TEST(ExpressSyntax, ThereAreThreeVariablesAndSixParameters) {
  TExpress express;
  express.SetExpression("a+b+c+d+e+f+x+y+z");
  express.SetParameters({1, 2, 3, 4, 5, 6});
  EXPECT_DOUBLE_EQ(static_cast<double>(express.TheFunction(10, 20, 30)), 81.0);
  EXPECT_FALSE(Compiles("g"));
  EXPECT_FALSE(Compiles("w"));
}

TEST(ExpressSyntax, NamesOfVariablesAndParametersCanBeChanged) {
  TExpress express;
  express.SetVariableList("uvw");
  express.SetParameterList("ABCDEF");
  express.SetParameters({0, 0, 0, 0, 0, 7});
  express.SetExpression("u*v+F");
  EXPECT_DOUBLE_EQ(static_cast<double>(express.TheFunction(2, 3, 0)), 13.0);
  EXPECT_THROW(express.SetVariableList("uv"), EExpressError);
}

TEST(ExpressSyntax, ParametersSetBeforeOrAfterCompilingAreUsed) {
  TExpress express;
  express.SetParameters({2, 0, 0, 0, 0, 0});
  express.SetExpression("a*x");
  EXPECT_DOUBLE_EQ(static_cast<double>(express.TheFunction(5, 0, 0)), 10.0);
  express.SetParameters({3, 0, 0, 0, 0, 0});
  EXPECT_DOUBLE_EQ(static_cast<double>(express.TheFunction(5, 0, 0)), 15.0);
}

TEST(ExpressSyntax, TwoArgumentFunctionsSplitAtAFittingComma) {
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("max(x,y)", 1, 2)), 2.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("min(max(1,2),(3))")), 2.0);
  // With "," as the decimal separator the first comma that leaves two valid pieces splits.
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("max(1,5,2)")), 5.2);
}

TEST(ExpressOperators, PrecedenceAndLeftAssociation) {
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("2^3^2")), 64.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("-2^2")), -4.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("10-4-3")), 3.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("64/8/2")), 4.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("1+2*3")), 7.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("2*3+1")), 7.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("2*3^2")), 18.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("(1+2)*3")), 9.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("-x+y", 2, 5)), 3.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("-(x+y)*2", 2, 5)), -14.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("--3")), 3.0);
}

TEST(ExpressOperators, ExponentChoice) {
  EXPECT_EQ(Codes("x^2"), std::vector<TExpressOpCode>{ocSquare});
  EXPECT_EQ(Codes("x^3"), std::vector<TExpressOpCode>{ocCube});
  EXPECT_EQ(Codes("x^(4)"), std::vector<TExpressOpCode>{ocFourth});
  EXPECT_EQ(Codes("x^5"), std::vector<TExpressOpCode>{ocIntPower});
  EXPECT_EQ(Codes("x^(-2)"), std::vector<TExpressOpCode>{ocIntPower});
  EXPECT_EQ(Codes("x^2,5"), std::vector<TExpressOpCode>{ocRealPower});
  EXPECT_EQ(Codes("x^y"), std::vector<TExpressOpCode>{ocRealPower});
  EXPECT_EQ(Codes("x^(1/3)"), (std::vector<TExpressOpCode>{ocDivide, ocRealPower}));
}

TEST(ExpressOperators, IntegerPowers) {
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("x^5", 2)), 32.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("x^0", 7)), 1.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("x^1", 7)), 7.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("x^(-2)", 2)), 0.25);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("x^(-3)", 0)), 0.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("x^5", -2)), -32.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("x^2", -3)), 9.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("x^4", -2)), 16.0);
}

TEST(ExpressOperators, RealPowers) {
  EXPECT_NEAR(static_cast<double>(Eval("x^2,5", 4)), 32.0, 1e-12);
  EXPECT_EQ(Eval("(-8)^(1/3)"), 0);
  EXPECT_EQ(Eval("0^x", 0.5), 0);
  EXPECT_NEAR(static_cast<double>(Eval("x^y", 9, 0.5)), 3.0, 1e-12);
}

TEST(ExpressNumericRules, UndefinedResultsAreZero) {
  EXPECT_EQ(Eval("1/0"), 0);
  EXPECT_EQ(Eval("x/y", 5, 0), 0);
  EXPECT_EQ(Eval("ln(0)"), 0);
  EXPECT_EQ(Eval("ln(-1)"), 0);
  EXPECT_EQ(Eval("sqrt(-1)"), 0);
  EXPECT_EQ(Eval("arcsin(2)"), 0);
  EXPECT_EQ(Eval("arccos(-1,5)"), 0);
  EXPECT_EQ(Eval("exp(100000)"), 0);  // beyond the range of extended precision
  EXPECT_EQ(Eval("x^99999999999", 10), 0);
}

TEST(ExpressNumericRules, OneArgumentFunctions) {
  EXPECT_NEAR(static_cast<double>(Eval("cos(pi)")), -1.0, 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("sin(pi/2)")), 1.0, 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("exp(1)")), std::exp(1.0), 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("ln(exp(2))")), 2.0, 1e-15);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("sqrt(16)")), 4.0);
  EXPECT_NEAR(static_cast<double>(Eval("arctan(1)")), std::numbers::pi / 4, 1e-15);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("abs(-3)")), 3.0);
  EXPECT_EQ(Eval("heav(0)"), 1);
  EXPECT_EQ(Eval("heav(-0,1)"), 0);
  EXPECT_NEAR(static_cast<double>(Eval("ph(2,5*pi)")), std::numbers::pi / 2, 1e-12);
  EXPECT_NEAR(static_cast<double>(Eval("ph(3,5*pi)")), -std::numbers::pi / 2, 1e-12);
  EXPECT_NEAR(static_cast<double>(Eval("ph(x)", 2 * kPi + 0.5L)), 0.5, 1e-12);
  EXPECT_NEAR(static_cast<double>(Eval("sinh(1)")), std::sinh(1.0), 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("cosh(1)")), std::cosh(1.0), 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("fr(2,75)")), 0.75, 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("fr(-2,75)")), -0.75, 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("tan(pi/4)")), 1.0, 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("tanh(1)")), std::tanh(1.0), 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("arcsin(1)")), std::numbers::pi / 2, 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("arcsin(-1)")), -std::numbers::pi / 2, 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("arcsin(0,5)")), std::asin(0.5), 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("arccos(0)")), std::numbers::pi / 2, 1e-15);
}

TEST(ExpressNumericRules, TwoArgumentFunctions) {
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("min(x,y)", 3, -1)), -1.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("max(x,y)", 3, -1)), 3.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("r(3,4)")), 5.0);
  EXPECT_NEAR(static_cast<double>(Eval("arg(0,-5)")), std::numbers::pi / 2, 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("arg(1,1)")), std::numbers::pi / 4, 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("arg(-1,0)")), std::numbers::pi, 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("arg(-1,-1)")), -3 * std::numbers::pi / 4, 1e-15);
  EXPECT_EQ(Eval("lt(1,2)"), 1);
  EXPECT_EQ(Eval("lt(2,2)"), 0);
  EXPECT_EQ(Eval("le(2,2)"), 1);
  EXPECT_EQ(Eval("eq(2,2)"), 1);
  EXPECT_EQ(Eval("ne(2,2)"), 0);
  EXPECT_EQ(Eval("ne(1,2)"), 1);
}

TEST(ExpressNumericRules, PiecewiseDefinitionWithComparisons) {
  const char* text = "ln(x*y)*lt(0,1,x*y)+ln(0,1)*le(x*y,0,1)";
  EXPECT_NEAR(static_cast<double>(Eval(text, 2, 3)), std::log(6.0), 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval(text, 0.01L, 1)), std::log(0.1), 1e-15);
}

TEST(ExpressNumericRules, RandomFunctionsFollowTheSeededGenerator) {
  RandomGenerator().Seed(7);
  int hits = 0;
  TExpress express;
  express.SetExpression("rn(4,2)");
  for (int i = 0; i < 4000; ++i) hits += static_cast<int>(express.TheFunction(0, 0, 0));
  EXPECT_GT(hits, 800);
  EXPECT_LT(hits, 1200);
  EXPECT_EQ(Eval("rn(70000,1)"), 0);
  EXPECT_EQ(Eval("rn(4,-3)"), 0);
  EXPECT_EQ(Eval("rn(1,0)"), 1);  // the only draw from 0 up to 1 is 0
  express.SetExpression("rm(10,2)");
  long double sum = 0;
  for (int i = 0; i < 4000; ++i) sum += express.TheFunction(0, 0, 0);
  EXPECT_NEAR(static_cast<double>(sum / 4000), 10.0, 0.2);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("rm(5,0)")), 5.0);
}

TEST(ExpressLifecycle, TheDummyReturnsZeroBeforeAndAfterAFailure) {
  TExpress express;
  EXPECT_EQ(express.TheFunction(1, 2, 3), 0);
  express.SetExpression("x+1");
  EXPECT_DOUBLE_EQ(static_cast<double>(express.TheFunction(1, 0, 0)), 2.0);
  EXPECT_EQ(test::ErrorOf<EExpressError>([&] { express.SetExpression("x+"); }), "Error in Expression");
  EXPECT_EQ(express.TheFunction(1, 0, 0), 0);
  EXPECT_TRUE(express.Parse().Empty());
  express.SetExpression("x*3");
  EXPECT_DOUBLE_EQ(static_cast<double>(express.TheFunction(2, 0, 0)), 6.0);
}

TEST(ExpressLifecycle, AnOperandAloneIsEvaluatedToo) {
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("x", 4)), 4.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("((2,5))")), 2.5);
  EXPECT_NEAR(static_cast<double>(Eval("pi")), std::numbers::pi, 1e-15);
}

TEST(ExpressLifecycle, ExtendedPrecisionIsKept) {
  // 1 + 2^-60 is lost in a double and kept in extended precision.
  EXPECT_GT(Eval("1+x", std::ldexp(1.0L, -60)) - 1, 0);
}

TEST(ExpressLifecycle, VersionAndSyntaxText) {
  EXPECT_STREQ(TExpress::Version(), "2.5 August 99");
  ASSERT_FALSE(TExpress::SyntaxText().empty());
  EXPECT_EQ(TExpress::SyntaxText().front(), "Enter Expressions for functions of up to 3 variables:");
}

TEST(ExpressRobustness, TextsLongerThanTheLimitAreRefused) {
  std::string text = "1";
  while (text.size() < TExpress::kMaxExpressionLength - 1) text += "+1";
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval(text)), 128.0);
  EXPECT_FALSE(Compiles(text + "+1"));
  EXPECT_FALSE(Compiles(std::string(100000, '1')));
  std::string huge;
  for (int i = 0; i < 50000; ++i) huge += "x+";
  EXPECT_FALSE(Compiles(huge + "x"));
}

TEST(ExpressRobustness, DeepBracketsAndLoneOperators) {
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval(std::string(127, '(') + "x" + std::string(127, ')'), 3)), 3.0);
  EXPECT_FALSE(Compiles(std::string(200, '(') + "x"));
  EXPECT_FALSE(Compiles(std::string(100000, '(')));
  for (const char* text : {"+", "-", "*", "/", "^", "--", "(-)", "^^", "-^2"}) EXPECT_FALSE(Compiles(text)) << text;
}

TEST(ExpressRobustness, ChainsOfTheLongestTextCompile) {
  // Every piece of the text is examined once, so a full-length chain of operators compiles.
  std::string text = "x";
  while (text.size() + 2 <= TExpress::kMaxExpressionLength) text += "-x";
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval(text, 1)), 1.0 - (static_cast<double>(text.size()) - 1) / 2);
  std::string nested = "x";
  while (nested.size() + 5 <= TExpress::kMaxExpressionLength) nested = "sin(" + nested + ")";
  EXPECT_TRUE(Compiles(nested));
}

}  // namespace
}  // namespace kv
