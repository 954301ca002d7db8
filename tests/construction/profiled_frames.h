#pragma once
// Frames of profiles from a small catalogue for the contour tests, and the catalogue rows that let
// them be glazed.
#include <string>

#include "catalogue/small_catalogue.h"
#include "construction/construction.h"

namespace kv::test {

// A rectangular frame of W x H model units from (0, 0) whose sides carry Profile in Color (the
// cross points of a mitred 70 mm profile), with its base part.
Tgx30CustomPart& BuildProfiledFrame(TFrame& Frame, int32_t W, int32_t H, const std::string& Profile,
                                    const std::string& Color);

// Bead B18 (18 mm, white) for 24 mm glass in profiles of bead group 1, and glass G24 of 100 to
// 3000 mm.
void AddGlazingRows(TSmallCatalogue& Catalogue);

}  // namespace kv::test
