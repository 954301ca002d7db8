#pragma once
// The bounds of the numbers a user types, checked where they enter the program, so that no size or
// count reaches the model or a sum that it cannot hold.
#include <string>

namespace kv {

// Pieces of one position of an order.
inline constexpr long long kMaxPieceCount = 99999;
// Any length of a construction (sizes, figure heights, radii, bar axes), millimetres.
inline constexpr long long kMaxLengthMm = 30000;

// Raises EKvError naming the value when it lies outside [Min, Max].
void CheckInputNumber(const std::string& Name, long long Value, long long Min, long long Max);

}  // namespace kv
