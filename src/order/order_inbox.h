#pragma once
// The exchange inbox: order files that other stations or the office put into the inbox folder for
// this installation to take in.
#include <filesystem>
#include <vector>

namespace kv {

// The order files (".gxo" in any letter case) lying in the folder, sorted by name; none when the
// folder is missing or cannot be read.
std::vector<std::filesystem::path> InboxOrderFiles(const std::filesystem::path& Inbox);

}  // namespace kv
