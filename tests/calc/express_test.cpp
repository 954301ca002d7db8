#include "calc/express.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <span>

#include "shell/error_of.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/random.h"

namespace kv {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr double kPiD = std::numbers::pi;

long double Eval(std::string_view text, long double x = 0, long double y = 0, long double z = 0) {
  TExpress express;
  express.SetExpression(text);
  return express.TheFunction(x, y, z);
}

bool Compiles(std::string_view text) {
  return test::ErrorOf<EExpressError>([&] { TExpress().SetExpression(text); }) == "no error";
}

// A text evaluated at x and y; a tolerance of 0 asks for the double nearest the value.
struct TEvalCase {
  const char* Text;
  long double X, Y;
  double Expected;
  double Tolerance = 0;
};

void ExpectEvaluated(std::span<const TEvalCase> cases) {
  for (const TEvalCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const double value = static_cast<double>(Eval(c.Text, c.X, c.Y));
    if (c.Tolerance == 0)
      EXPECT_DOUBLE_EQ(value, c.Expected);
    else
      EXPECT_NEAR(value, c.Expected, c.Tolerance);
  }
}

// Numbers take the process's decimal separator and an exponent but no sign; blanks are removed
// before compiling; names are case-sensitive.
TEST(ExpressSyntax, NumbersBlanksAndMalformedTexts) {
  const TEvalCase cases[] = {
      {"4,5*x/(y^2-1)", 2, 3, 4.5 * 2 / 8}, {"1,5e3", 0, 0, 1500}, {"2e-3*1000", 0, 0, 2}, {"x+1E+2", 1, 0, 101}};
  ExpectEvaluated(cases);
  TExpress express;
  express.SetExpression(" 1 + 2 * x ");
  EXPECT_EQ(express.Expression(), "1+2*x");
  EXPECT_TRUE(Compiles("sin(x)"));
  EXPECT_TRUE(Compiles("Pi"));
  for (const char* text :
       {"",       "(",     ")",      "(x",  "x)", "x+",      ")x(", "*x",   "x**y", "2x",      "x y",     "()",
        "sin",    "sin()", "max(x)", "x,y", "#3", "max(x,)", "x=1", "1-+2", "2*-3", "2^-1",    "min(,y)", "foo(x)",
        "Sin(x)", "X",     "PI",     "g",   "w",  "4,5x",    "1e",  "1e+",  ",",    "1e99999", "4.5*x"})
    EXPECT_FALSE(Compiles(text)) << text;
  FormatSettings().DecimalSeparator = '.';
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval("4.5*2")), 9.0);
}

// Parameters set before or after compiling; variables and parameters renamed; with "," as the
// decimal separator the first comma that leaves two valid pieces splits a function's arguments.
TEST(ExpressSyntax, VariablesParametersAndArguments) {
  TExpress express;
  express.SetParameters({1, 2, 3, 4, 5, 6});
  express.SetExpression("a+b+c+d+e+f+x+y+z");
  EXPECT_DOUBLE_EQ(static_cast<double>(express.TheFunction(10, 20, 30)), 81.0);
  express.SetParameters({3, 0, 0, 0, 0, 0});
  EXPECT_DOUBLE_EQ(static_cast<double>(express.TheFunction(5, 0, 0)), 8.0);
  express.SetVariableList("uvw");
  express.SetParameterList("ABCDEF");
  express.SetParameters({0, 0, 0, 0, 0, 7});
  express.SetExpression("u*v+F");
  EXPECT_DOUBLE_EQ(static_cast<double>(express.TheFunction(2, 3, 0)), 13.0);
  EXPECT_THROW(express.SetVariableList("uv"), EExpressError);
  const TEvalCase cases[] = {{"max(x,y)", 1, 2, 2}, {"min(max(1,2),(3))", 0, 0, 2}, {"max(1,5,2)", 0, 0, 5.2}};
  ExpectEvaluated(cases);
}

TEST(ExpressOperators, PrecedenceLeftAssociationPowersAndResultsThatAreZero) {
  const TEvalCase cases[] = {
      {"2^3^2", 0, 0, 64},     {"-2^2", 0, 0, -4},       {"10-4-3", 0, 0, 3},        {"64/8/2", 0, 0, 4},
      {"1+2*3", 0, 0, 7},      {"2*3^2", 0, 0, 18},      {"(1+2)*3", 0, 0, 9},       {"-x+y", 2, 5, 3},
      {"-(x+y)*2", 2, 5, -14}, {"--3", 0, 0, 3},         {"x^5", 2, 0, 32},          {"x^0", 7, 0, 1},
      {"x^1", 7, 0, 7},        {"x^(-2)", 2, 0, 0.25},   {"x^(-3)", 0, 0, 0},        {"x^5", -2, 0, -32},
      {"x^2", -3, 0, 9},       {"x^4", -2, 0, 16},       {"x^2,5", 4, 0, 32, 1e-12}, {"(-8)^(1/3)", 0, 0, 0},
      {"0^x", 0.5, 0, 0},      {"x^y", 9, 0.5, 3, 1e-12}};
  ExpectEvaluated(cases);
  // Undefined results are zero (exp(100000) is beyond the range of extended precision), and no
  // result is a negative zero (each of the last four is -0 in floating point).
  for (const char* text : {"1/0", "ln(0)", "ln(-1)", "sqrt(-1)", "arcsin(2)", "arccos(-1,5)", "exp(100000)"})
    EXPECT_EQ(Eval(text), 0) << text;
  EXPECT_EQ(Eval("x/y", 5, 0), 0);
  EXPECT_EQ(Eval("x^99999999999", 10), 0);
  EXPECT_FALSE(std::signbit(Eval("-x")));
  EXPECT_FALSE(std::signbit(Eval("x*y", 0, -1)));
  EXPECT_FALSE(std::signbit(Eval("fr(-2)")));
  EXPECT_FALSE(std::signbit(Eval("x", -0.0L)));
}

TEST(ExpressNumericRules, FunctionsAndRandomOnesFollowingTheSeededGenerator) {
  const TEvalCase cases[] = {{"cos(pi)", 0, 0, -1, 1e-15},
                             {"sin(pi/2)", 0, 0, 1, 1e-15},
                             {"exp(1)", 0, 0, std::exp(1.0), 1e-15},
                             {"ln(exp(2))", 0, 0, 2, 1e-15},
                             {"sqrt(16)", 0, 0, 4},
                             {"arctan(1)", 0, 0, kPiD / 4, 1e-15},
                             {"abs(-3)", 0, 0, 3},
                             {"heav(0)", 0, 0, 1},
                             {"heav(-0,1)", 0, 0, 0},
                             {"ph(2,5*pi)", 0, 0, kPiD / 2, 1e-12},
                             {"ph(3,5*pi)", 0, 0, -kPiD / 2, 1e-12},
                             {"ph(x)", 2 * kPi + 0.5L, 0, 0.5, 1e-12},
                             {"sinh(1)", 0, 0, std::sinh(1.0), 1e-15},
                             {"cosh(1)", 0, 0, std::cosh(1.0), 1e-15},
                             {"tanh(1)", 0, 0, std::tanh(1.0), 1e-15},
                             {"fr(2,75)", 0, 0, 0.75, 1e-15},
                             {"fr(-2,75)", 0, 0, -0.75, 1e-15},
                             {"tan(pi/4)", 0, 0, 1, 1e-15},
                             {"arcsin(1)", 0, 0, kPiD / 2, 1e-15},
                             {"arcsin(-1)", 0, 0, -kPiD / 2, 1e-15},
                             {"arccos(0)", 0, 0, kPiD / 2, 1e-15},
                             {"min(x,y)", 3, -1, -1},
                             {"max(x,y)", 3, -1, 3},
                             {"r(3,4)", 0, 0, 5},
                             {"arg(0,-5)", 0, 0, kPiD / 2, 1e-15},
                             {"arg(1,1)", 0, 0, kPiD / 4, 1e-15},
                             {"arg(-1,0)", 0, 0, kPiD, 1e-15},
                             {"arg(-1,-1)", 0, 0, -3 * kPiD / 4, 1e-15},
                             {"lt(1,2)", 0, 0, 1},
                             {"lt(2,2)", 0, 0, 0},
                             {"le(2,2)", 0, 0, 1},
                             {"eq(2,2)", 0, 0, 1},
                             {"ne(2,2)", 0, 0, 0},
                             {"ne(1,2)", 0, 0, 1}};
  ExpectEvaluated(cases);
  const char* piecewise = "ln(x*y)*lt(0,1,x*y)+ln(0,1)*le(x*y,0,1)";  // ln(x*y) above 0.1, ln(0.1) up to it
  EXPECT_NEAR(static_cast<double>(Eval(piecewise, 2, 3)), std::log(6.0), 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval(piecewise, 0.01L, 1)), std::log(0.1), 1e-15);
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

// The logarithm keeps the C library's value to the last bit: over a wide random sample and on both
// sides of 1 - 0.29 and 1 + 0.29, where the library changes its method.
TEST(ExpressNumericRules, LogarithmIsTheLibrarysToTheLastBit) {
  TExpress express;
  express.SetExpression("ln(x)");
  std::vector<long double> values;
  for (const long double bound : {1 - static_cast<long double>(0.29), 1 + static_cast<long double>(0.29)})
    values.insert(values.end(), {std::nextafter(bound, 0.0L), bound, std::nextafter(bound, 2.0L)});
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> mantissa(0.5, 1);
  std::uniform_int_distribution<int> exponent(-60, 60);
  for (int i = 0; i < 100000; ++i)
    values.push_back(std::ldexp(static_cast<long double>(mantissa(random)), exponent(random)));
  for (const long double x : values) ASSERT_EQ(express.TheFunction(x, 0, 0), std::log(x)) << static_cast<double>(x);
}

// The dummy returns zero before an expression and after a failure; an operand alone; 1 + 2^-60 is
// lost in a double and kept in extended precision.
TEST(ExpressLifecycle, DummyOperandAloneAndExtendedPrecision) {
  TExpress express;
  EXPECT_EQ(express.TheFunction(1, 2, 3), 0);
  express.SetExpression("x+1");
  EXPECT_DOUBLE_EQ(static_cast<double>(express.TheFunction(1, 0, 0)), 2.0);
  EXPECT_EQ(test::ErrorOf<EExpressError>([&] { express.SetExpression("x+"); }), "Error in Expression");
  EXPECT_EQ(express.TheFunction(1, 0, 0), 0);
  EXPECT_TRUE(express.Parse().Empty());
  const TEvalCase cases[] = {{"x", 4, 0, 4}, {"((2,5))", 0, 0, 2.5}, {"pi", 0, 0, kPiD, 1e-15}};
  ExpectEvaluated(cases);
  EXPECT_GT(Eval("1+x", std::ldexp(1.0L, -60)) - 1, 0);
}

// Texts up to the limit compile, also as chains and nestings of the longest text; longer ones,
// brackets too deep and lone operators are refused.
TEST(ExpressRobustness, LongTextsDeepBracketsAndLoneOperators) {
  std::string text = "1";
  while (text.size() < TExpress::kMaxExpressionLength - 1) text += "+1";
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval(text)), 128.0);
  EXPECT_FALSE(Compiles(text + "+1"));
  EXPECT_FALSE(Compiles(std::string(100000, '1')));
  std::string huge;
  for (int i = 0; i < 50000; ++i) huge += "x+";
  EXPECT_FALSE(Compiles(huge + "x"));
  std::string chain = "x";
  while (chain.size() + 2 <= TExpress::kMaxExpressionLength) chain += "-x";
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval(chain, 1)), 1.0 - (static_cast<double>(chain.size()) - 1) / 2);
  std::string nested = "x";
  while (nested.size() + 5 <= TExpress::kMaxExpressionLength) nested = "sin(" + nested + ")";
  EXPECT_TRUE(Compiles(nested));
  EXPECT_DOUBLE_EQ(static_cast<double>(Eval(std::string(127, '(') + "x" + std::string(127, ')'), 3)), 3.0);
  EXPECT_FALSE(Compiles(std::string(200, '(') + "x"));
  EXPECT_FALSE(Compiles(std::string(100000, '(')));
  for (const char* lone : {"+", "-", "*", "/", "^", "--", "(-)", "^^", "-^2"}) EXPECT_FALSE(Compiles(lone)) << lone;
}

}  // namespace
}  // namespace kv
