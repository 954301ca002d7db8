#pragma once
// Gathering of a frame: every profile side, mullion, meeting stile and bead becomes a cut-list
// piece with its length, cut angles, reinforcement and production description lines; the same
// materials are summed into the frame's material list together with the seals, the glass and the
// components of the glass from its documentation.
#include <string>

#include "construction/frames.h"

namespace kv {

// Catalogue code of an article in a colour: the coloured record, else the colour-neutral one,
// else the article taken as a code; otherwise the catalogue error naming the article and colour.
std::string MaterialCode(const std::string& Article, const std::string& Color);

// Adds Item to List, or its quantity to the same item already there.
void AddMatListItem(TMatList& List, const Tgx25MatListItem& Item);
// Adds Piece to List, or its count to the same piece already there.
void AddCutMapItem(TCutMapList& List, const Tgx25CutMapItem& Piece);
// How many pieces a cut-list item stands for.
int32_t CutMapCount(const Tgx25CutMapItem& Piece);

// Clears the frame's cut list and material list and fills them from its sides, glass, sashes,
// mullions, meeting stiles and modificators.
void GatherFrameInfo(TFrame& Frame);

}  // namespace kv
