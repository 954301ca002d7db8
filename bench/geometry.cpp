// Segment crossing and rotation of the geometry (long double, with the model's tolerances and
// rounding) against plain double arithmetic of the same formulas.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "geometry/intersections.h"
#include "geometry/point_ops.h"
#include "geometry/transforms.h"
#include "ratio_reporter.h"

namespace {

struct TSegmentPair {
  kv::TPointF A1, A2, B1, B2;
};

std::vector<TSegmentPair> CrossingPairs() {
  std::vector<TSegmentPair> pairs;
  for (int i = 0; i < 1000; ++i) {
    const float s = static_cast<float>(i % 97);
    pairs.push_back({kv::PointF(0, s), kv::PointF(2000, 1500 - s), kv::PointF(100 + s, 0), kv::PointF(1900 - s, 1400)});
  }
  return pairs;
}

void BM_LineLineCrossPoint(benchmark::State& state) {
  const std::vector<TSegmentPair> pairs = CrossingPairs();
  for (auto _ : state) {
    for (const TSegmentPair& p : pairs) {
      kv::TPointF cross;
      benchmark::DoNotOptimize(kv::GetLineLineCrossPoint(p.A1, p.A2, p.B1, p.B2, false, cross));
      benchmark::DoNotOptimize(cross);
    }
  }
  state.counters["crossings_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations() * pairs.size()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LineLineCrossPoint);

// The baseline: the crossing of the two infinite lines by Cramer's rule in double.
void BM_PlainCrossBaseline(benchmark::State& state) {
  const std::vector<TSegmentPair> pairs = CrossingPairs();
  for (auto _ : state) {
    for (const TSegmentPair& p : pairs) {
      const double a1 = p.A2.Y - p.A1.Y, b1 = p.A2.X - p.A1.X, c1 = a1 * p.A1.X - b1 * p.A1.Y;
      const double a2 = p.B2.Y - p.B1.Y, b2 = p.B2.X - p.B1.X, c2 = a2 * p.B1.X - b2 * p.B1.Y;
      const double det = a1 * b2 - a2 * b1;
      double x = (b2 * c1 - b1 * c2) / det, y = (a2 * c1 - a1 * c2) / det;
      benchmark::DoNotOptimize(x);
      benchmark::DoNotOptimize(y);
    }
  }
  state.counters["crossings_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations() * pairs.size()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlainCrossBaseline);

void BM_TurnPointX(benchmark::State& state) {
  const kv::TPointF centre = kv::PointF(500, 500);
  kv::TPointF p = kv::PointF(1234.5, 678.25);
  for (auto _ : state) {
    p = kv::TurnPointX(p, centre, 1.5);
    benchmark::DoNotOptimize(p);
  }
}
BENCHMARK(BM_TurnPointX);

// The baseline: the same rotation in double without the rounding to four decimals.
void BM_PlainTurnBaseline(benchmark::State& state) {
  const double cx = 500, cy = 500;
  double x = 1234.5, y = 678.25, degrees = 1.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(degrees);  // keeps the sine and cosine from being folded away
    const double t = degrees * M_PI / 180, dx = x - cx, dy = y - cy;
    x = std::cos(t) * dx + std::sin(t) * dy + cx;
    y = -std::sin(t) * dx + std::cos(t) * dy + cy;
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(y);
  }
}
BENCHMARK(BM_PlainTurnBaseline);

}  // namespace

int main(int argc, char** argv) {
  return kv::bench::RunWithRatios(
      argc, argv, {{"BM_LineLineCrossPoint", "BM_PlainCrossBaseline"}, {"BM_TurnPointX", "BM_PlainTurnBaseline"}});
}
