#pragma once
// The order file as the order commands load and save it: a failed load or save has shown the
// program's message, and the command ends with a non-zero code after it.
#include <CLI/CLI.hpp>

#include <memory>
#include <string>

#include "order/order.h"

namespace kv::cli {

inline std::unique_ptr<TOrder> LoadOrderFile(const std::string& File) {
  auto order = std::make_unique<TOrder>();
  if (!order->LoadOrder(File)) throw CLI::RuntimeError(1);
  return order;
}

inline void SaveOrderFile(TOrder& Order, const std::string& File, TWriteMode Mode = TWriteMode::wmReplace) {
  if (!Order.SaveOrder(File, Mode)) throw CLI::RuntimeError(1);
}

}  // namespace kv::cli
