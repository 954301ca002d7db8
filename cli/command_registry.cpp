#include "command_registry.h"

#include <map>

#include "parser_language.h"
#include "shell/errors.h"
#include "shell/session_context.h"
#include "shell/user_messages.h"

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
  LocaliseParser(app);
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    // Help prints itself; a failed command (RuntimeError) has shown its own message.
    if (e.get_exit_code() == 0 || dynamic_cast<const CLI::RuntimeError*>(&e)) return app.exit(e);
    ShowError(UsageErrorText(app, e));
    return e.get_exit_code();
  } catch (const std::exception& e) {
    ShowError(ErrorMessage(e));
    return 1;
  }
  return 0;
}

}  // namespace kv::cli
