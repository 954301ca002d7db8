#pragma once
// The order described for a reader: every header field and list of the file and every position with
// its frames, parts, fillings, bars, cut maps and materials. The JSON form is complete enough for a
// script to read an order without this program; the text form shows the same for a person. The
// command-line program and the desktop program both show orders through it.
#include <nlohmann/json.hpp>

#include <span>
#include <string>

#include "order/order.h"

namespace kv {

using TOrderJson = nlohmann::ordered_json;

// Numbers are numbers (money in the currency's units), flags booleans, dates the program's date
// text ("dd.mm.yyyy", with the time when there is one), string lists arrays of lines. Passwords are
// told only as set or not.
TOrderJson DescribeOrder(TOrder& Order);

// The costing of the order (checked positions) as lines of text: each switched-on section with its
// cost, discount and total, the services, the sums without and with VAT, the payments and the
// balance.
// The switch, discount and discount unit of each section of an order, in the order of the file.
struct TOrderSectionFields {
  const char* Name;
  bool TOrder::*Include;
  TCurrency TOrder::*Reduce;
  TNumUnit TOrder::*Unit;
};
std::span<const TOrderSectionFields> OrderSectionFields();

std::string OrderTotalsText(const TOrder& Order);

// The description as lines of text with Russian captions.
std::string OrderDescriptionText(const TOrderJson& Description);

}  // namespace kv
