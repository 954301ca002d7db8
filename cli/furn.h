#pragma once
// The fittings of a calculated construction on the command line: every sash with its complect and
// the lines of its set with their selection path, as text or as JSON.
#include <nlohmann/json.hpp>

#include <ostream>

#include "construction/construction.h"

namespace kv::cli {

nlohmann::ordered_json FittingsJson(const Tgx25Construction& Construction);
void PrintFittings(const Tgx25Construction& Construction, std::ostream& Out);

}  // namespace kv::cli
