#pragma once
// Lists of calculated items that model objects own (material list, cut map, add-on materials,
// accessories). Their item records belong to the calculation, which derives its list holders from
// this base; the model only owns and frees them.
#include <memory>

namespace kv {

class TItemListBase {
public:
  virtual ~TItemListBase() = default;
};

// An owned item list; empty (nullptr) until the calculation fills it.
using TItemList = std::unique_ptr<TItemListBase>;

}  // namespace kv
