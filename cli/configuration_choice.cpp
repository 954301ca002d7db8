#include "configuration_choice.h"

#include "shell/code_page.h"
#include "shell/command_line.h"
#include "shell/configuration.h"

namespace kv::cli {

CLI::Validator ConfigurationName() {
  return CLI::Validator(
      [](const std::string& name) -> std::string {
        return IsValidConfigurationName(name) ? "" : "имя конфигурации не может быть пустым или содержать \"\\\"";
      },
      "");
}

void ChooseConfiguration(const std::string& name) {
  if (!name.empty()) CommandLine().DBConfig = AnsiUpperCase(name);
}

}  // namespace kv::cli
