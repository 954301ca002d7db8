#pragma once
// The money of a construction's add-on items (accessories, additional profiles, mounting materials,
// sills, drips, insect nets, roller shutters and blinds) is priced in the working currency; the
// order shows those sections in its own currency, so the last step of the calculation converts
// them, rounded to the decimals of the order currency. Gathering prices those items afresh in every
// run, so each run converts them once.
#include "construction/construction.h"

namespace kv {

void ConvertAddOnCosts(Tgx25Construction& Construction, int WorkCurrency, int OrderCurrency);

}  // namespace kv
