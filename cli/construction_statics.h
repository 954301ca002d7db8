#pragma once
// The static check of a built construction as `construction build --statics` prints it.
#include <nlohmann/json.hpp>

#include <ostream>
#include <string>

#include "construction/construction.h"

namespace kv::cli {

struct TStaticsOptions {
  bool Enabled = false;
  // Wind region: a number of the region table or a city.
  std::string Region = "1";
  float BuildingHeight = 10;
  // Each mullion's calculation log is printed too.
  bool Log = false;
};

// Checks the construction (whatever its own switch says) and writes the results: per mullion its
// length, load widths, required and available Ix and verdict, the sash graphs, the frame limits,
// the verdict of the whole and the proposed reinforcement. A broken size limit is shown as the
// program's message and the construction fails.
void PrintStatics(Tgx25Construction& Construction, const TStaticsOptions& Options, std::ostream& Out);
nlohmann::ordered_json StaticsJson(Tgx25Construction& Construction, const TStaticsOptions& Options);

}  // namespace kv::cli
