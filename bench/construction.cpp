// Walking a construction: the glass walk of the model (the range over the frames, each frame's tree
// collected depth first, and the first/next functions over the same walk) against a hand-written
// loop over the same tree, on 64 frames with a mullion, two sashes and two glasses each.
#include <benchmark/benchmark.h>

#include "construction/glass.h"
#include "construction/model_builders.h"
#include "ratio_reporter.h"

namespace {

constexpr int kFrames = 64;

std::unique_ptr<kv::Tgx25Construction> BuildWindows() {
  auto construction = std::make_unique<kv::Tgx25Construction>();
  for (int i = 0; i < kFrames; ++i) {
    kv::TFrame* frame = construction->NewFrame(1);
    kv::test::BuildRectContour(*frame, {i * 12000, 0}, 12000, 14000, 700);
    frame->AddBasePart();
    kv::test::AddVerticalImpost(*frame, i * 12000 + 6000, 820);
    kv::test::AddFlugel(*kv::test::CustomPart(*frame, 0), 100, 770);
    kv::test::AddFlugel(*kv::test::CustomPart(*frame, 1), 100, 770);
  }
  return construction;
}

// Glasses walked per second: two a frame.
void SetGlassRate(benchmark::State& state) {
  state.counters["glasses_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 2 * kFrames, benchmark::Counter::kIsRate);
}

void BM_GlassWalk(benchmark::State& state) {
  const std::unique_ptr<const kv::Tgx25Construction> construction = BuildWindows();
  for (auto _ : state) {
    int count = 0;
    for ([[maybe_unused]] const kv::Tgx25Glass& glass : kv::Glasses(*construction)) ++count;
    benchmark::DoNotOptimize(count);
  }
  SetGlassRate(state);
}
BENCHMARK(BM_GlassWalk);

void BM_GlassFirstNext(benchmark::State& state) {
  const auto construction = BuildWindows();
  for (auto _ : state) {
    int count = 0;
    for (kv::Tgx25Glass* glass = construction->GetFirstGlass(); glass; glass = construction->GetNextGlass()) ++count;
    benchmark::DoNotOptimize(count);
  }
  SetGlassRate(state);
}
BENCHMARK(BM_GlassFirstNext);

// The baseline: the same glasses reached by nested loops that know the shape of the tree.
void BM_GlassLoop(benchmark::State& state) {
  const auto construction = BuildWindows();
  for (auto _ : state) {
    int count = 0;
    for (int f = 0; f < construction->FrameCount(); ++f)
      for (auto& part : construction->GetFrame(f)->Parts) {
        auto* custom = static_cast<kv::Tgx30CustomPart*>(part.get());
        if (!custom->Flugel) continue;
        for (auto& inner : custom->Flugel->Parts)
          if (static_cast<kv::Tgx30CustomPart*>(inner.get())->Glass) ++count;
      }
    benchmark::DoNotOptimize(count);
  }
  SetGlassRate(state);
}
BENCHMARK(BM_GlassLoop);

}  // namespace

int main(int argc, char** argv) {
  return kv::bench::RunWithRatios(argc, argv,
                                  {{"BM_GlassWalk", "BM_GlassLoop"}, {"BM_GlassFirstNext", "BM_GlassLoop"}});
}
