// Recalculating the costs of a 100-position order of demo windows (every position gathered,
// priced and run through its calculation method) against loading the same order from its file:
// positions per second of each and the ratio of the recalculation to the load.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

#include "construction/demo_catalogue.h"
#include "construction/demo_windows.h"
#include "order/order.h"
#include "ratio_reporter.h"

namespace {

constexpr int kPositions = 100;

// Single windows, windows with a mullion and a sash, and three-field windows with two sashes,
// calculated and saved once; made by each benchmark, inside the session context of the run.
struct TBenchOrder {
  TBenchOrder()
      : File((std::filesystem::temp_directory_path() / ("kv-bench-" + std::to_string(getpid()) + "-calc.gxo"))
                 .string()) {
    Order.No = "B-100";
    for (int i = 0; i < kPositions; ++i) {
      std::unique_ptr<kv::Tgx25Construction> window = i % 3 == 0 ? kv::test::BuildDemoWindow(1000 + i, 1400, {}, {1})
                                                      : i % 3 == 1
                                                          ? kv::test::BuildDemoWindow(1300, 1400, {650}, {2})
                                                          : kv::test::BuildDemoWindow(2100, 1400, {700, 1400}, {1, 3});
      window->ChangeNo(std::to_string(i + 1));
      Order.Add(std::move(window));
    }
    Order.CalculatePositions();
    Order.SaveOrder(File);
  }
  ~TBenchOrder() { std::filesystem::remove(File); }
  kv::test::TDemoCatalogue Catalogue;
  kv::TOrder Order;
  std::string File;
};

void Rate(benchmark::State& state) {
  state.counters["positions_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kPositions, benchmark::Counter::kIsRate);
}

void BM_OrderCalculate(benchmark::State& state) {
  TBenchOrder bench;
  for (auto _ : state)
    if (!bench.Order.CalculatePositions()) state.SkipWithError("calculation failed");
  Rate(state);
}
BENCHMARK(BM_OrderCalculate)->Unit(benchmark::kMillisecond);

// The baseline: the same order read from its file.
void BM_OrderLoad(benchmark::State& state) {
  const TBenchOrder bench;
  for (auto _ : state) {
    kv::TOrder order;
    if (!order.LoadOrder(bench.File)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(order.Count());
  }
  Rate(state);
}
BENCHMARK(BM_OrderLoad)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return kv::bench::RunWithRatios(argc, argv, {{"BM_OrderCalculate", "BM_OrderLoad"}});
}
