#pragma once
// The calculated construction on the command line: its cut list, its priced material list and
// its estimate, as text or as JSON.
#include <nlohmann/json.hpp>

#include <ostream>

#include "construction/construction.h"

namespace kv::cli {

nlohmann::ordered_json CalculationJson(const Tgx25Construction& Construction);
void PrintCalculation(const Tgx25Construction& Construction, std::ostream& Out);

}  // namespace kv::cli
