#include "shell/paths.h"

#include <algorithm>
#include <system_error>

#include "shell/errors.h"
#include "shell/format_settings.h"

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

void CreateFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw EInOutError(Format("Не удалось создать папку [%s]\r\n(%s)", folder.string(), error.message()));
}

}  // namespace kv
