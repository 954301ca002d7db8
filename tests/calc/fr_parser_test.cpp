#include "calc/fr_parser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <span>

#include "shell/error_of.h"
#include "shell/format_settings.h"

namespace kv {
namespace {

TVariant Calc(std::string_view text) { return TfrParser().Calc(text); }
double Number(std::string_view text) { return Calc(text).AsDouble(); }
bool IsNull(const TVariant& value) { return value.VarType() == varNull; }

using TNumberCase = std::pair<const char*, double>;

void ExpectNumbers(std::span<const TNumberCase> cases) {
  for (const auto& [text, expected] : cases) EXPECT_DOUBLE_EQ(Number(text), expected) << text;
}

TEST(RuleOperators, ArithmeticPrioritiesAndIntegerComparisons) {
  // Division by zero gives zero.
  const TNumberCase cases[] = {{"1+2*3", 7},     {"(1+2)*3", 9}, {"10-4-3", 3},  {"64/8/2", 4},
                               {"2+3 MOD 2", 3}, {"-2*3", -6},   {"1 - -2", 3},  {"+4", 4},
                               {"7/2", 3.5},     {"7/0", 0},     {"7/(1-1)", 0}, {"7 MOD 0", 0}};
  ExpectNumbers(cases);
  EXPECT_EQ(Calc("(2>1)+(3>1)"), TVariant(int32_t{2}));
  EXPECT_EQ(Calc("2>=2"), TVariant(int32_t{1}));
  EXPECT_EQ(Calc("2<=1"), TVariant(int32_t{0}));
  EXPECT_EQ(Calc("2=2,0"), TVariant(int32_t{1}));
  EXPECT_EQ(Calc("'abc'<'abd'"), TVariant(int32_t{1}));
  EXPECT_EQ(Calc("'10'=10"), TVariant(int32_t{1}));
}

TEST(RuleOperators, AndOrBindLikeMultiplicationNotIntFracRoundStr) {
  // "1>0 AND 0" is 1 > (0 AND 0); AND and OR are bitwise on integers.
  const TNumberCase cases[] = {
      {"1>0 AND 0", 1}, {"(1>0) and (2<1)", 0}, {"(1>0) OR (2<1)", 1}, {"6 AND 3", 2}, {"6 OR 3", 7}};
  ExpectNumbers(cases);
  EXPECT_EQ(Calc("TRUE AND FALSE"), TVariant(false));
  EXPECT_EQ(Calc("true or FALSE"), TVariant(true));
  EXPECT_DOUBLE_EQ(Number("TRUE + 1"), 0);  // a boolean counts as -1 in arithmetic, as any variant does
  EXPECT_DOUBLE_EQ(Number("IF(TRUE, 1, 2)"), 1);
  // ROUND goes to even; INT and FRAC see 2.99999999999 as 3; INT binds tighter than *.
  const TNumberCase functions[] = {{"NOT 0", 1},
                                   {"NOT 5", 0},
                                   {"ROUND(2.5)", 2},
                                   {"ROUND(3.5)", 4},
                                   {"ROUND(-2.5)", -2},
                                   {"INT(-2.7)", -2},
                                   {"INT(2.99999999999)", 3},
                                   {"FRAC(2.25)", 0.25},
                                   {"FRAC(1.99999999999)", 0},
                                   {"INT 2.7 * 2", 4}};
  ExpectNumbers(functions);
  EXPECT_EQ(Calc("STR(2.5)"), TVariant(std::string("2,5")));
  // The nearest integer of -0.4 and its integer part are 0, never a negative zero; nor is 0 * -1.
  for (const char* zero : {"ROUND(-0.4)", "INT(-0.4)", "0.0 * -1", "-0.0", "0.0 / -5", "FRAC(-1.0)"})
    EXPECT_FALSE(std::signbit(Number(zero))) << zero;
  EXPECT_EQ(Calc("STR(ROUND(-0.4))"), TVariant(std::string("0")));
  EXPECT_EQ(Calc("STR 3 + 'x'"), TVariant(std::string("3x")));
}

// A semicolon ends the text, blanks are skipped.
TEST(RuleValues, NumbersStringsQuotesSquareBracketsAndDatesMovingByDays) {
  const TNumberCase cases[] = {{"2.5", 2.5}, {"2,5", 2.5}, {".5", 0.5}, {"1.5e3", 1500}};
  ExpectNumbers(cases);
  EXPECT_THROW(Calc("1.2.3"), EConvertError);
  EXPECT_THROW(Calc("12abc"), EConvertError);
  EXPECT_EQ(Calc("'abc' + 'def'"), TVariant(std::string("abcdef")));
  EXPECT_EQ(Calc("'it''s'"), TVariant(std::string("it's")));
  EXPECT_EQ(Calc("''"), TVariant(std::string()));
  EXPECT_DOUBLE_EQ(Number("'2' * 3"), 6);
  EXPECT_THROW(Calc("'abc' * 3"), EConvertError);
  EXPECT_THROW(Calc("-'abc'"), EConvertError);
  EXPECT_DOUBLE_EQ(Number("[[2]*[3]]+1"), 7);
  EXPECT_EQ(Calc("['a' + ']']"), TVariant(std::string("a]")));
  EXPECT_DOUBLE_EQ(Number("5;7"), 5);
  EXPECT_DOUBLE_EQ(Number(" \r\n 1 +\r\n 2 "), 3);
  EXPECT_TRUE(IsNull(Calc("")));
  EXPECT_TRUE(IsNull(Calc(";1")));
  const TVariant date = Calc("STRTODATE('01.03.2024') - 1");
  ASSERT_EQ(date.VarType(), varDate);
  EXPECT_EQ(date.AsString(), "29.02.2024");
  EXPECT_DOUBLE_EQ(Number("STRTODATE('10.01.2024') - STRTODATE('01.01.2024')"), 9);
  EXPECT_EQ(Calc("STRTODATE('10.01.2024') > STRTODATE('01.01.2024')"), TVariant(int32_t{1}));
  EXPECT_DOUBLE_EQ(Number("STRTOTIME('06:00:00') * 24"), 6);
  // A date with a time keeps the time as text; a time alone (on day 0) is just the time.
  EXPECT_EQ(Calc("STR(STRTOTIME('12:30'))"), TVariant(std::string("12:30:00")));
  EXPECT_EQ(Calc("STR(STRTODATE('01.03.2024') + 0.25)"), TVariant(std::string("01.03.2024 6:00:00")));  // 1/4 day
  EXPECT_THROW(Calc("STRTODATE('31.02.2024')"), EConvertError);
  EXPECT_THROW(Calc("STRTOTIME('25:00')"), EConvertError);
}

TEST(RuleFunctions, IfEvaluatesOnlyTheBranchTakenAndCopyCountsCharacters) {
  TfrParser parser;
  std::vector<std::string> asked;
  parser.OnGetValue = [&asked](const std::string& name, TVariant& value) {
    asked.push_back(name);
    value = int32_t{10};
  };
  EXPECT_DOUBLE_EQ(parser.Calc("IF(1>2, A, 20)").AsDouble(), 20);
  EXPECT_TRUE(asked.empty());
  EXPECT_DOUBLE_EQ(parser.Calc("if(0.5, 1, 2)").AsDouble(), 2);  // the integer part decides
  EXPECT_DOUBLE_EQ(parser.Calc("IF(2>1, B, 20)").AsDouble(), 10);
  EXPECT_EQ(asked, std::vector<std::string>{"B"});
  EXPECT_EQ(parser.Calc("IF(1, 'a,b', 'c')"), TVariant(std::string("a,b")));
  EXPECT_EQ(Calc("COPY('abcdef', 2, 3)"), TVariant(std::string("bcd")));
  EXPECT_EQ(Calc("COPY('abc', 0, 2)"), TVariant(std::string("ab")));
  EXPECT_EQ(Calc("COPY('abc', 5, 1)"), TVariant(std::string()));
  EXPECT_EQ(Calc("COPY('abc', 1, -1)"), TVariant(std::string()));
  EXPECT_EQ(Calc("COPY('Рама белая', 6, 5)"), TVariant(std::string("белая")));
  EXPECT_THROW(Calc("COPY('abc', 1.5, 1)"), EConvertError);
  EXPECT_THROW(Calc("COPY('abc', 'x', 1)"), EConvertError);
}

TEST(RuleCallbacks, NamesAreUpperCasedAndAskedOfTheOwnerFunctionsGetTheirArgumentTexts) {
  TfrParser parser;
  const std::map<std::string, TVariant> values = {{"WIDTH", 1200.0}, {"COLOR", std::string("white")}};
  parser.OnGetValue = [&values](const std::string& name, TVariant& value) {
    if (auto it = values.find(name); it != values.end()) value = it->second;
  };
  EXPECT_DOUBLE_EQ(parser.Calc("width / 2").AsDouble(), 600);
  EXPECT_DOUBLE_EQ((parser.Calc("(Width > 1000) AND (Color = 'white')")).AsDouble(), 1);
  EXPECT_TRUE(IsNull(parser.Calc("Unknown")));
  TVariant asked;
  parser.OnGetValue = [&asked](const std::string& name, TVariant& value) { asked = name; };
  parser.Calc("ширина_рамы");
  EXPECT_EQ(asked, TVariant("ШИРИНА_РАМЫ"));
  EXPECT_TRUE(IsNull(parser.Calc("Unknown + 1")));
  EXPECT_DOUBLE_EQ(parser.Calc("Unknown = Unknown").AsDouble(), 1);
  std::vector<std::string> seen;
  parser.OnFunction = [&](const std::string& name, const std::string& p1, const std::string& p2, const std::string& p3,
                          TVariant& value) {
    seen = {name, p1, p2, p3};
    value = parser.Calc(p1).AsDouble() + parser.Calc(p2).AsDouble();
  };
  EXPECT_DOUBLE_EQ((parser.Calc("plc_all(1+1, (2,5), 'x,y', 9) * 2")).AsDouble(), 9);
  EXPECT_EQ(seen, (std::vector<std::string>{"PLC_ALL", "1+1", "(2,5)", "'x,y'"}));
  EXPECT_DOUBLE_EQ((parser.Calc("F(F(1,2),3)")).AsDouble(), 6);
  EXPECT_TRUE(IsNull(TfrParser().Calc("NOHANDLER(1)")));
}

TEST(RuleRobustness, MalformedTextsDeepNestingLongTextsHugeNumbersAndRecursingHandlers) {
  EXPECT_DOUBLE_EQ(Number(std::string(100000, '(') + "1" + std::string(100000, ')')), 1);
  EXPECT_THROW(Calc(std::string(100000, '(')), EfrParserError);
  std::string nested = "1";
  for (int i = 0; i < 10000; ++i) nested = "[" + nested + "]";
  EXPECT_THROW(Calc(nested), EfrParserError);
  std::string ifs = "1";
  for (int i = 0; i < 1000; ++i) ifs = "IF(1," + ifs + ",0)";
  EXPECT_THROW(Calc(ifs), EfrParserError);
  std::string sum = "1";
  while (sum.size() < 100000) sum += "+1";
  EXPECT_DOUBLE_EQ(Number(sum), static_cast<double>(sum.size() + 1) / 2);
  const std::string message = test::ErrorOf<EfrParserError>([] { Calc(std::string(100000, '*')); });
  EXPECT_NE(message, "no error");
  EXPECT_LT(message.size(), 200u);
  EXPECT_THROW(Calc("1e99999"), EConvertError);
  EXPECT_THROW(Calc("1e300 MOD 7"), EConvertError);
  EXPECT_DOUBLE_EQ(Number("9223372036854775807 * 0"), 0);
  EXPECT_EQ(Calc("-(1 + 2)"), TVariant(-3.0));
  TfrParser parser;
  parser.OnGetValue = [&parser](const std::string& name, TVariant& value) { value = parser.Calc(name); };
  EXPECT_THROW(parser.Calc("LOOP"), EfrParserError);
  EXPECT_DOUBLE_EQ(parser.Calc("[2]").AsDouble(), 2);  // the nesting count is restored after the failure
  for (const char* text : {"1+", "*2", "1 2", "(1", "1)", "((1)", "'abc", "[1+2", "F(1", "AND 1", "1 NOT 2", "1 # 2",
                           ")", "+", "-", "MOD", "1 < > 2", "IF(1,2"}) {
    const std::string message = test::ErrorOf([&] { Calc(text); });
    EXPECT_NE(message, "no error") << text;
    EXPECT_NE(message, "") << text;
  }
  EXPECT_EQ(test::ErrorOf<EfrParserError>([] { Calc("(1+2"); }), "Не закрыта скобка в выражении [(1+2]");
}

}  // namespace
}  // namespace kv
