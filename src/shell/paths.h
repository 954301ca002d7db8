#pragma once
// File-system helpers: the program's own directory and the normalisation of configured paths.
#include <filesystem>
#include <string>

namespace kv {

// The directory of the running program.
std::filesystem::path ProgramDir();
// A path written with backslashes (as in the configuration) with the platform's separators.
std::string NormalizePath(const std::string& path);
// Creates the folder with its parents; a folder that cannot be made raises EInOutError naming it.
void CreateFolder(const std::filesystem::path& folder);

}  // namespace kv
