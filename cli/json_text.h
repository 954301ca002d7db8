#pragma once
// The JSON output of the commands. Text that is not valid UTF-8 (a Windows-1251 value of an old
// registry, a stray byte in a catalogue rule) is printed with replacement characters instead of
// failing the whole output.
#include <nlohmann/json.hpp>

#include <string>

namespace kv::cli {

template <class TJsonValue>
std::string JsonText(const TJsonValue& json, int indent = -1) {
  return json.dump(indent, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace kv::cli
