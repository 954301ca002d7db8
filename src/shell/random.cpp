#include "shell/random.h"

namespace kv {

int32_t TRandomGenerator::Random(int32_t range) {
  if (range <= 0) return 0;
  return std::uniform_int_distribution<int32_t>(0, range - 1)(engine_);
}

double TRandomGenerator::RandomFloat() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

int32_t GetRandomID() {
  const int32_t high = RandomGenerator().Random(213000);
  return high * 10000 + RandomGenerator().Random(9999);
}

}  // namespace kv
