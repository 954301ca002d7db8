#include "command_registry.h"

#include <iostream>
#include <map>

#include "shell/session_context.h"

namespace kv::cli {

namespace {

std::map<std::string, TCommandInstaller>& Installers() {
  static std::map<std::string, TCommandInstaller> installers;
  return installers;
}

}  // namespace

TCommandRegistration::TCommandRegistration(std::string name, TCommandInstaller installer) {
  Installers().emplace(std::move(name), std::move(installer));
}

int RunCli(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return RunCli(args);
}

int RunCli(const std::vector<std::string>& args) {
  TOwnSessionContext context;
  CLI::App app{"korvent-cli: расчёт и проверка конструкций окон и дверей из командной строки", "korvent-cli"};
  app.require_subcommand(1);
  for (auto& [name, install] : Installers()) install(app);
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  } catch (const std::exception& e) {
    std::cerr << e.what() << std::endl;
    return 1;
  }
  return 0;
}

}  // namespace kv::cli
