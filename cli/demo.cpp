#include <filesystem>
#include <iostream>
#include <map>
#include <memory>

#include "command_registry.h"
#include "shell/paths.h"

namespace kv::cli {

namespace {

std::map<std::string, TDemoAction>& DemoSteps() {
  static std::map<std::string, TDemoAction> steps;
  return steps;
}

void InstallDemo(CLI::App& app) {
  auto* demo = app.add_subcommand("demo", "Показать возможности программы на демонстрационных данных");
  auto dir = std::make_shared<std::string>();
  demo->add_option("--dir", *dir, "Рабочая папка демонстрации")->required();
  demo->callback([dir] {
    CreateFolder(*dir);
    for (const auto& [key, action] : DemoSteps()) action(*dir, std::cout);
  });
}

const TCommandRegistration registration("demo", InstallDemo);

}  // namespace

TDemoStep::TDemoStep(std::string order_key, TDemoAction action) {
  DemoSteps().emplace(std::move(order_key), std::move(action));
}

}  // namespace kv::cli
