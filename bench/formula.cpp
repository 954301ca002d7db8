// The formula language: one compiled formula evaluated a million times against compiling and
// evaluating it each time, and against the same formula written in C++; and rule texts evaluated
// per second, against a formula compiled and evaluated each time (the work a calculation step
// does).
#include <benchmark/benchmark.h>

#include <cmath>
#include <map>

#include "calc/express.h"
#include "calc/fr_parser.h"
#include "ratio_reporter.h"

namespace {

constexpr const char* kFormula = "4,5*x/(y^2-z)+max(a,b)*sqrt(x)-ln(x*y)*lt(0,1,x*y)";
constexpr const char* kRule = "IF((Width > 1000) AND (Color = 'white'), Width * 2 + Height MOD 7, 0)";
constexpr int kMillion = 1000000;

void BM_FormulaCompiledMillion(benchmark::State& state) {
  kv::TExpress express;
  express.SetParameters({1, 2, 0, 0, 0, 0});
  express.SetExpression(kFormula);
  long double x = 1;
  for (auto _ : state) {
    for (int i = 0; i < kMillion; ++i) {
      benchmark::DoNotOptimize(express.TheFunction(x, 3, 1));
      x += 1e-6L;
    }
  }
  state.counters["evals_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kMillion, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FormulaCompiledMillion)->Unit(benchmark::kMillisecond);

// The machine's own speed: the formula written in C++ with the same rules (every undefined or
// zero intermediate is 0, extended precision), kept from being folded into the loop.
long double Defined(long double v) { return std::isfinite(v) && v != 0 ? v : 0; }

[[gnu::noipa]] long double FormulaInCpp(long double x, long double y, long double z) {
  const long double a = 1, b = 2;
  const long double quotient = Defined(Defined(y * y) - z);
  const long double left = Defined(quotient == 0 ? 0 : Defined(4.5L * x) / quotient);
  const long double root = Defined(x < 0 ? 0 : std::sqrt(x));
  const long double sum = Defined(left + Defined(Defined(a > b ? a : b) * root));
  const long double product = Defined(x * y);
  const long double ln = Defined(product > 0 ? std::log(product) : 0);
  const long double flag = 0.1L < Defined(x * y) ? 1 : 0;
  return Defined(sum - Defined(ln * flag));
}

void BM_FormulaInCppMillion(benchmark::State& state) {
  long double x = 1;
  for (auto _ : state) {
    for (int i = 0; i < kMillion; ++i) {
      benchmark::DoNotOptimize(FormulaInCpp(x, 3, 1));
      x += 1e-6L;
    }
  }
  state.counters["evals_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kMillion, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FormulaInCppMillion)->Unit(benchmark::kMillisecond);

// The baseline: the same million evaluations, each compiling the text anew.
void BM_FormulaRecompiledMillion(benchmark::State& state) {
  kv::TExpress express;
  express.SetParameters({1, 2, 0, 0, 0, 0});
  long double x = 1;
  for (auto _ : state) {
    for (int i = 0; i < kMillion; ++i) {
      express.SetExpression(kFormula);
      benchmark::DoNotOptimize(express.TheFunction(x, 3, 1));
      x += 1e-6L;
    }
  }
  state.counters["evals_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kMillion, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FormulaRecompiledMillion)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_RuleEvaluation(benchmark::State& state) {
  const std::map<std::string, kv::TVariant> values = {
      {"WIDTH", 1200.0}, {"HEIGHT", 1400.0}, {"COLOR", std::string("white")}};
  kv::TfrParser parser;
  parser.OnGetValue = [&values](const std::string& name, kv::TVariant& value) { value = values.at(name); };
  for (auto _ : state) benchmark::DoNotOptimize(parser.Calc(kRule));
  state.counters["rules_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RuleEvaluation);

// The baseline of a rule: one formula compiled and evaluated, as one calculation step does.
void BM_FormulaStep(benchmark::State& state) {
  kv::TExpress express;
  for (auto _ : state) {
    express.SetExpression(kFormula);
    benchmark::DoNotOptimize(express.TheFunction(2, 3, 1));
  }
  state.counters["steps_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FormulaStep);

}  // namespace

int main(int argc, char** argv) {
  return kv::bench::RunWithRatios(argc, argv,
                                  {{"BM_FormulaRecompiledMillion/iterations:1", "BM_FormulaCompiledMillion"},
                                   {"BM_FormulaCompiledMillion", "BM_FormulaInCppMillion"},
                                   {"BM_RuleEvaluation", "BM_FormulaStep"}});
}
