// Saving and loading an order of 500 positions against writing and reading the same number of raw
// bytes to and from a file: MB/s of each and the ratio of the order file to its raw baseline. A save
// is also set against the raw bytes written as safely as a save writes them (on the disk before
// they replace the file), which the plain write is not.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "construction/sample_constructions.h"
#include "order/order.h"
#include "ratio_reporter.h"
#include "shell/safe_files.h"

namespace {

constexpr int kPositions = 500;

// Every fifth position carries every kind of content; the others are single windows.
std::unique_ptr<kv::TOrder> BenchOrder() {
  auto order = std::make_unique<kv::TOrder>();
  order->No = "B-500";
  for (int i = 0; i < kPositions; ++i) {
    const std::string number = std::to_string(i + 1);
    order->Add(i % 5 == 0 ? kv::test::RichConstruction(number, i) : kv::test::SimpleWindow(number, 1000 + i, 1400));
  }
  return order;
}

std::string BenchFile(const std::string& Name) {
  return (std::filesystem::temp_directory_path() / ("kv-bench-" + std::to_string(getpid()) + "-" + Name)).string();
}

// The order, saved once, and its size in bytes.
struct TBenchOrder {
  TBenchOrder() : Order(BenchOrder()), File(BenchFile("order.gxo")) {
    Order->SaveOrder(File);
    Size = std::filesystem::file_size(File);
  }
  ~TBenchOrder() { std::filesystem::remove(File); }
  std::unique_ptr<kv::TOrder> Order;
  std::string File;
  size_t Size = 0;
};

TBenchOrder& Bench() {
  static TBenchOrder bench;
  return bench;
}

void Report(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["MB_per_s"] =
      benchmark::Counter(static_cast<double>(bytes) * state.iterations() / 1e6, benchmark::Counter::kIsRate);
}

void BM_OrderSave(benchmark::State& state) {
  TBenchOrder& bench = Bench();
  for (auto _ : state)
    if (!bench.Order->SaveOrder(bench.File)) state.SkipWithError("save failed");
  Report(state, bench.Size);
}
BENCHMARK(BM_OrderSave)->Unit(benchmark::kMillisecond);

void BM_OrderLoad(benchmark::State& state) {
  TBenchOrder& bench = Bench();
  for (auto _ : state) {
    kv::TOrder order;
    if (!order.LoadOrder(bench.File)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(order.Count());
  }
  Report(state, bench.Size);
}
BENCHMARK(BM_OrderLoad)->Unit(benchmark::kMillisecond);

// The baselines: the same number of bytes written to a file and read back, nothing interpreted.
void BM_RawWrite(benchmark::State& state) {
  const std::vector<char> bytes(Bench().Size, 'x');
  const std::string file = BenchFile("raw.bin");
  for (auto _ : state) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::filesystem::remove(file);
  Report(state, bytes.size());
}
BENCHMARK(BM_RawWrite)->Unit(benchmark::kMillisecond);

// The same bytes written the way a document must be: to a temporary file, onto the disk, then in
// the file's place. What a save costs beyond it is the order's own work.
void BM_RawWriteSafely(benchmark::State& state) {
  const std::vector<uint8_t> bytes(Bench().Size, 'x');
  const std::string file = BenchFile("raw-safe.bin");
  for (auto _ : state) kv::WriteFileAtomically(file, bytes);
  std::filesystem::remove(file);
  Report(state, bytes.size());
}
BENCHMARK(BM_RawWriteSafely)->Unit(benchmark::kMillisecond);

void BM_RawRead(benchmark::State& state) {
  TBenchOrder& bench = Bench();
  std::vector<char> bytes(bench.Size);
  for (auto _ : state) {
    std::ifstream in(bench.File, std::ios::binary);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    benchmark::DoNotOptimize(bytes.data());
  }
  Report(state, bytes.size());
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return kv::bench::RunWithRatios(
      argc, argv,
      {{"BM_OrderSave", "BM_RawWrite"}, {"BM_OrderSave", "BM_RawWriteSafely"}, {"BM_OrderLoad", "BM_RawRead"}});
}
