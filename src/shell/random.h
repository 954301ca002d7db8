#pragma once
// One seedable generator for every random number of the program (identifiers, private
// directory names), so a test can make a run repeatable.
#include <cstdint>
#include <random>

namespace kv {

class TRandomGenerator {
public:
  explicit TRandomGenerator(uint32_t seed = std::random_device{}()) : engine_(seed) {}
  void Seed(uint32_t seed) { engine_.seed(seed); }
  // A whole number in [0, range); 0 when range is not positive.
  int32_t Random(int32_t range);
  // A number in [0, 1).
  double RandomFloat();

private:
  std::mt19937 engine_;
};

TRandomGenerator& RandomGenerator();

// Random(213000) * 10000 + Random(9999): the identifier of a selectable model object.
int32_t GetRandomID();

}  // namespace kv
