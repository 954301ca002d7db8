#pragma once
// A new order takes the defaults of the options object: its sections, mark-ups and taxes, currency,
// the catalogue choices for new positions and the planned dates counted from today.
#include "order/order.h"
#include "shell/gx_setup.h"

namespace kv {

void SetOrderDefaults(TOrder& Order, const TGXSetup& Setup, TDateTime Today);

}  // namespace kv
