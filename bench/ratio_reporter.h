#pragma once
// A console reporter that also prints, after the run, the processor it ran on and how many times
// slower each measured capability is than its baseline of the same run (time per iteration, A / B;
// the medians when the runs are repeated), by real time and by processor time: on a shared machine
// the processor time is the steadier one.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
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

  // With repetitions the median, reported after the single runs, is the time that counts.
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      times_[run.run_name.str()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("processor: %s\n", ProcessorModel().c_str());
    for (const auto& [measured, baseline] : pairs_) {
      if (!times_.count(measured) || !times_.count(baseline)) continue;
      const TTimes& a = times_[measured];
      const TTimes& b = times_[baseline];
      if (b.Real == 0 || b.Cpu == 0) continue;
      std::printf("ratio %s / %s = %.2f (processor time %.2f)\n", measured.c_str(), baseline.c_str(), a.Real / b.Real,
                  a.Cpu / b.Cpu);
    }
  }

private:
  struct TTimes {
    double Real = 0;
    double Cpu = 0;
  };

  static std::string ProcessorModel() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    const std::string key = "model name";
    for (std::string line; std::getline(cpuinfo, line);)
      if (line.compare(0, key.size(), key) == 0) return line.substr(line.find(':') + 2);
    return "unknown";
  }

  std::vector<std::pair<std::string, std::string>> pairs_;
  std::map<std::string, TTimes> times_;
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
