// Building a window from the demo catalogue: a frame of 1800 x 1400 mm with two mullions, sashes in
// the outer fields and glass everywhere, built and fully calculated (constructions per second);
// the full recalculation of that window alone and its stages (the sashes' contours from their
// fields, the bars with their cross points and sizes, the glass with its beads); and, as the
// baseline, a plain glazed frame.
#include <benchmark/benchmark.h>

#include "construction/demo_catalogue.h"
#include "construction/demo_windows.h"
#include "construction/glass.h"
#include "construction/walks.h"
#include "ratio_reporter.h"

namespace {

void Rate(benchmark::State& state) {
  state.counters["constructions_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_BuildThreeFieldWindow(benchmark::State& state) {
  const kv::test::TDemoCatalogue catalogue;
  for (auto _ : state) benchmark::DoNotOptimize(kv::test::BuildDemoWindow(1800, 1400, {600, 1200}, {1, 3}));
  Rate(state);
}
BENCHMARK(BM_BuildThreeFieldWindow);

void BM_FullRecalcThreeFieldWindow(benchmark::State& state) {
  const kv::test::TDemoCatalogue catalogue;
  const auto window = kv::test::BuildDemoWindow(1800, 1400, {600, 1200}, {1, 3});
  for (auto _ : state) window->GetFrame(0)->FullRecalc();
  Rate(state);
}
BENCHMARK(BM_FullRecalcThreeFieldWindow);

void BM_RecalcStageContours(benchmark::State& state) {
  const kv::test::TDemoCatalogue catalogue;
  const auto window = kv::test::BuildDemoWindow(1800, 1400, {600, 1200}, {1, 3});
  for (auto _ : state)
    for (kv::TFlugel& sash : kv::Flugels(*window)) sash.UpdateContourSize();
  Rate(state);
}
BENCHMARK(BM_RecalcStageContours);

void BM_RecalcStageBars(benchmark::State& state) {
  const kv::test::TDemoCatalogue catalogue;
  const auto window = kv::test::BuildDemoWindow(1800, 1400, {600, 1200}, {1, 3});
  for (auto _ : state) {
    window->GetFrame(0)->UpdateXPoints();
    for (kv::TFlugel& sash : kv::Flugels(*window)) sash.UpdateXPoints();
  }
  Rate(state);
}
BENCHMARK(BM_RecalcStageBars);

void BM_RecalcStageGlass(benchmark::State& state) {
  const kv::test::TDemoCatalogue catalogue;
  const auto window = kv::test::BuildDemoWindow(1800, 1400, {600, 1200}, {1, 3});
  for (auto _ : state)
    for (kv::Tgx25Glass& glass : kv::Glasses(*window)) glass.FullRecalc();
  Rate(state);
}
BENCHMARK(BM_RecalcStageGlass);

// The baseline: a frame of the same size with one glass, no mullions or sashes.
void BM_GlazedFrame(benchmark::State& state) {
  const kv::test::TDemoCatalogue catalogue;
  for (auto _ : state) benchmark::DoNotOptimize(kv::test::BuildDemoWindow(1800, 1400, {}, {}));
  Rate(state);
}
BENCHMARK(BM_GlazedFrame);

}  // namespace

int main(int argc, char** argv) {
  return kv::bench::RunWithRatios(argc, argv,
                                  {{"BM_BuildThreeFieldWindow", "BM_GlazedFrame"},
                                   {"BM_FullRecalcThreeFieldWindow", "BM_GlazedFrame"},
                                   {"BM_RecalcStageContours", "BM_FullRecalcThreeFieldWindow"},
                                   {"BM_RecalcStageBars", "BM_FullRecalcThreeFieldWindow"},
                                   {"BM_RecalcStageGlass", "BM_FullRecalcThreeFieldWindow"}});
}
