#pragma once
// Windows of the demo catalogue's type 1 (TL70) built through the model operations, for the tests
// and the benchmarks: a mullion inserted into a part, a sash of the type in a field, glass.
#include <memory>
#include <vector>

#include "construction/construction.h"

namespace kv::test {

// A mullion TL-301 along the line P1-P2 in part Part of the frame, with its connectors.
TImpost* InsertDemoMullion(TFrame& Frame, int Part, const TPoint& P1, const TPoint& P2);
// The tilt-and-turn sash of the type (element 2) in the field, glazed.
TFlugel* InsertDemoSash(Tgx30CustomPart& Field, const std::string& Glass);

// A frame of Width x Height mm with vertical mullions at the given axes (mm from the left), sashes
// in the fields numbered from 1, glass 4M1-16-4M1 everywhere, fully calculated and numbered.
std::unique_ptr<Tgx25Construction> BuildDemoWindow(int Width, int Height, const std::vector<int>& Mullions,
                                                   const std::vector<int>& Sashes);

}  // namespace kv::test
