#pragma once
// Drainage slots of the bottom pieces, as production lines of the cut list. A frame's bottom piece
// gets the outer slots "DRNA=" (near both corners, then at most every DRNA_FalzStep) and the rebate
// slots "DRNB=" (near the corners and on both sides of each mullion standing on it, at most every
// DRNB_FalzStep within a field); a sash's bottom piece gets "DRNC=" and "DRND=" by the same rules
// with their own distances. Each line lists the slot positions in millimetres from the start of the
// piece, separated by ";".
#include <string>
#include <vector>

namespace kv {

struct TDrainage {
  std::vector<std::string> Lines;
  int SlotCount = 0;
};

// Length and Joints (the distances of the mullion joints from the start) in millimetres.
TDrainage GetDrainage(bool Flugel, double Length, const std::vector<double>& Joints);

}  // namespace kv
