#pragma once
// A console reporter that also prints, after the run, how many times slower each measured
// capability is than its baseline of the same run (real time per iteration, A / B).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "shell/session_context.h"

namespace kv::bench {

class TRatioReporter : public benchmark::ConsoleReporter {
public:
  // Each pair is (capability, baseline) by benchmark name.
  explicit TRatioReporter(std::vector<std::pair<std::string, std::string>> pairs) : pairs_(std::move(pairs)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& [measured, baseline] : pairs_) {
      if (!times_.count(measured) || !times_.count(baseline) || times_[baseline] == 0) continue;
      std::printf("ratio %s / %s = %.2f\n", measured.c_str(), baseline.c_str(), times_[measured] / times_[baseline]);
    }
  }

private:
  std::vector<std::pair<std::string, std::string>> pairs_;
  std::map<std::string, double> times_;
};

// main() of a benchmark program that prints the ratios of the given pairs.
inline int RunWithRatios(int argc, char** argv, std::vector<std::pair<std::string, std::string>> pairs) {
  TOwnSessionContext context;
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter(std::move(pairs));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace kv::bench
