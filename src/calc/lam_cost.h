#pragma once
// The laminating cost of a construction whose colour comes from a laminating price list: its
// profiles are priced in the base colour, and the film on the laminated faces (outer, inner or
// both, as the construction names their colours) is priced by the list per metre of each profile
// article the list knows, in the price band of the article's metres, times the price coefficient
// of the laminated colour (the outer one when the outer face is laminated). The cost of each
// profile item joins the cost and total of its material group.
#include "construction/construction.h"

namespace kv {

// Adds the laminating cost to the cost accumulators and returns it, in the working currency.
TCurrency CalculateLam(Tgx25Construction& Construction, int WorkCurrency);

}  // namespace kv
