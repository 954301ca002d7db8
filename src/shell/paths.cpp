#include "shell/paths.h"

#include <algorithm>
#include <system_error>

namespace kv {

std::filesystem::path ProgramDir() {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path();
  return exe.parent_path();
}

std::string NormalizePath(const std::string& path) {
  std::string normal = path;
  std::replace(normal.begin(), normal.end(), '\\', '/');
  return normal;
}

}  // namespace kv
