#include "calc/express_native.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "calc/express.h"

namespace kv {
namespace {

// Random formula texts over every operation but the random ones, with operands that make the
// undefined cases (division by zero, roots and logarithms of negatives, overflow) frequent.
class TFormulaTexts {
public:
  explicit TFormulaTexts(uint64_t seed) : FRandom(seed) {}

  std::string Next(int depth = 4) {
    if (depth == 0 || Pick(4) == 0) return Leaf();
    static const char* const kOne[] = {"cos", "sin",  "exp",  "ln", "arctan", "sqrt", "abs",    "heav",
                                       "ph",  "sinh", "cosh", "fr", "tan",    "tanh", "arcsin", "arccos"};
    static const char* const kTwo[] = {"min", "max", "arg", "r", "lt", "le", "eq", "ne"};
    static const char* const kOperators[] = {"+", "-", "*", "/"};
    static const char* const kExponents[] = {"2", "3", "4", "7", "(-2)", "0,5", "x", "99"};
    switch (Pick(5)) {
      case 0: return std::string(kOne[Pick(16)]) + "(" + Next(depth - 1) + ")";
      case 1: return std::string(kTwo[Pick(8)]) + "(" + Next(depth - 1) + "," + Next(depth - 1) + ")";
      case 2: return "(" + Next(depth - 1) + ")^" + kExponents[Pick(8)];
      case 3: return "(-(" + Next(depth - 1) + "))";
      default: return "(" + Next(depth - 1) + kOperators[Pick(4)] + Next(depth - 1) + ")";
    }
  }

private:
  std::string Leaf() {
    static const char* const kLeaves[] = {"x", "y", "z", "a", "b", "0", "1", "2,5", "0,8", "1e4000", "pi"};
    return kLeaves[Pick(11)];
  }
  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(FRandom); }

  std::mt19937_64 FRandom;
};

bool SameBits(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }

TEST(NativeFormula, GivesTheListsResultsToTheLastBit) {
  TExpress probe;
  probe.SetExpression("x+1");
  for (int i = 0; i < 40; ++i) probe.TheFunction(i, 0, 0);
  if (!probe.Native().Ready()) GTEST_SKIP() << "this processor or system runs no translated code";
  const long double kSpecial[] = {0,
                                  -0.0L,
                                  1,
                                  -1,
                                  0.71L,
                                  1.29L,
                                  3,
                                  -2.5L,
                                  1e-4000L,
                                  1e2500L,
                                  std::numeric_limits<long double>::infinity(),
                                  -std::numeric_limits<long double>::infinity(),
                                  std::numeric_limits<long double>::quiet_NaN()};
  TFormulaTexts texts(2026);
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> ordinary(-1000, 1000);
  auto value = [&] {
    const size_t i = std::uniform_int_distribution<size_t>(0, std::size(kSpecial) * 2)(random);
    return i < std::size(kSpecial) ? kSpecial[i] : static_cast<long double>(ordinary(random));
  };
  int translated = 0;
  const int kFormulas = 3000;
  for (int f = 0; f < kFormulas; ++f) {
    const std::string text = texts.Next();
    if (text.size() > TExpress::kMaxExpressionLength) continue;
    SCOPED_TRACE(text);
    const std::array<long double, 6> parameters = {value(), value(), 0, 0, 0, 0};
    TExpress often, listed;
    for (TExpress* express : {&often, &listed}) {
      express->SetParameters(parameters);
      express->SetExpression(text);
    }
    for (int i = 0; i < 40; ++i) often.TheFunction(value(), value(), value());
    if (!often.Native().Ready()) continue;
    ++translated;
    for (int i = 0; i < 20; ++i) {  // fewer than it takes to switch over
      const long double x = value(), y = value(), z = value();
      const long double expected = listed.TheFunction(x, y, z);
      ASSERT_TRUE(SameBits(often.TheFunction(x, y, z), expected))
          << static_cast<double>(x) << ", " << static_cast<double>(y) << ", " << static_cast<double>(z) << ": "
          << static_cast<double>(expected);
    }
  }
  // Only formulas nesting deeper than the registers allow stay with the list.
  EXPECT_GT(translated, kFormulas * 9 / 10);
}

TEST(NativeFormula, RandomOperationsStayWithTheList) {
  TExpress express;
  express.SetExpression("x+rn(10,3)");  // the generator may raise, which translated code must not
  for (int i = 0; i < 40; ++i) express.TheFunction(i, 0, 0);
  EXPECT_FALSE(express.Native().Ready());
}

}  // namespace
}  // namespace kv
