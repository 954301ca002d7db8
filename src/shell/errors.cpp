#include "shell/errors.h"

#include <filesystem>
#include <new>

#include "shell/format_settings.h"

namespace kv {

std::string ErrorMessage(const std::exception& error) {
  if (dynamic_cast<const EKvError*>(&error)) return error.what();
  if (const auto* file_error = dynamic_cast<const std::filesystem::filesystem_error*>(&error)) {
    std::string paths = "[" + file_error->path1().string() + "]";
    if (!file_error->path2().empty()) paths += " [" + file_error->path2().string() + "]";
    return Format("Ошибка работы с файлом или папкой %s\r\n(%s)", paths, file_error->code().message());
  }
  if (dynamic_cast<const std::bad_alloc*>(&error)) return "Недостаточно памяти для выполнения операции";
  return Format("Внутренняя ошибка программы\r\n(%s)", error.what());
}

}  // namespace kv
