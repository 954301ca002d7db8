// The value stream against plain memcpy of the same bytes, and the cascade rounding rate.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>

#include "ratio_reporter.h"
#include "shell/rounding.h"
#include "shell/value_stream.h"

namespace {

constexpr int kValues = 1'000'000;

kv::TVariant MixedValue(int i) {
  switch (i % 5) {
    case 0: return kv::TVariant(int32_t{i});
    case 1: return kv::TVariant(i * 0.5);
    case 2: return kv::TVariant(kv::TCurrency::FromRaw(i));
    case 3: return kv::TVariant(i % 2 == 0);
    default: return kv::TVariant("Рама 70");
  }
}

void BM_StreamWriteRead(benchmark::State& state) {
  std::vector<kv::TVariant> values;
  for (int i = 0; i < kValues; ++i) values.push_back(MixedValue(i));
  size_t bytes = 0;
  for (auto _ : state) {
    kv::TSpecStream stream;
    for (const auto& v : values) stream.WriteTo(v);
    stream.SetPosition(0);
    for (const auto& v : values) benchmark::DoNotOptimize(stream.ReadFrom(v));
    bytes = stream.Size();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes * 2));
  state.counters["values_per_s"] = benchmark::Counter(2.0 * kValues * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StreamWriteRead)->Unit(benchmark::kMillisecond);

// The baseline: the same number of bytes copied in and out with memcpy, value by value.
void BM_MemcpyBaseline(benchmark::State& state) {
  std::vector<std::vector<uint8_t>> chunks;
  size_t total = 0;
  for (int i = 0; i < kValues; ++i) {
    kv::TSpecStream one;
    one.WriteTo(MixedValue(i));
    chunks.emplace_back(one.Bytes().begin(), one.Bytes().end());
    total += one.Size();
  }
  std::vector<uint8_t> buffer(total);
  std::vector<uint8_t> back(32);
  for (auto _ : state) {
    size_t at = 0;
    for (const auto& c : chunks) {
      std::memcpy(buffer.data() + at, c.data(), c.size());
      at += c.size();
    }
    at = 0;
    for (const auto& c : chunks) {
      std::memcpy(back.data(), buffer.data() + at, c.size());
      at += c.size();
      benchmark::DoNotOptimize(back.data());
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * total * 2));
  state.counters["values_per_s"] = benchmark::Counter(2.0 * kValues * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MemcpyBaseline)->Unit(benchmark::kMillisecond);

// Rounds the same walk of values over 0..1e6 with Round, call after call.
template <typename TRound>
void RoundValues(benchmark::State& state, TRound Round) {
  long double x = 0.0001L;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Round(x));
    x += 0.3337L;
    if (x > 1e6L) x = 0.0001L;
  }
  state.counters["calls_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_GetRounded(benchmark::State& state) {
  RoundValues(state, [](long double x) { return kv::GetRounded(x); });
}
BENCHMARK(BM_GetRounded);

// The baseline of the rounding: the processor's own rounding of the same values.
void BM_NearbyintBaseline(benchmark::State& state) {
  RoundValues(state, [](long double x) { return std::nearbyint(x); });
}
BENCHMARK(BM_NearbyintBaseline);

}  // namespace

int main(int argc, char** argv) {
  return kv::bench::RunWithRatios(
      argc, argv, {{"BM_StreamWriteRead", "BM_MemcpyBaseline"}, {"BM_GetRounded", "BM_NearbyintBaseline"}});
}
