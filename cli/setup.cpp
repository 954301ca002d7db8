// `korvent-cli setup` creates a complete installation in one folder (registry configuration, INI
// file, order storage, the eight databases); `korvent-cli config show` prints the configuration a
// run resolves and the options GXSetup loads from it.
#include <nlohmann/json.hpp>

#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_files.h"
#include "command_registry.h"
#include "configuration_choice.h"
#include "json_text.h"
#include "session/session.h"
#include "shell/code_page.h"
#include "shell/command_line.h"
#include "shell/configuration.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/gx_setup.h"
#include "shell/installation.h"
#include "shell/login.h"
#include "shell/session_context.h"
#include "shell/user_messages.h"

namespace kv::cli {

namespace {

struct TSetupOptions {
  std::string Root;
  std::string ConfigName = "Main";
  bool MakeDefault = false;
  std::string AdminPassword;
  std::string AdminPasswordFile;
  bool DefaultAdminPassword = false;
};

struct TShowOptions {
  std::string ConfigName;
  bool Json = false;
};

struct TCheckOptions {
  std::string ConfigName;
  std::string User;
  std::string Password;
  std::string PasswordFile;
};

// The first line of the file, so that a password need not stand on the command line (where
// other users of the machine see it).
std::string ReadPasswordFile(const std::string& file) {
  std::ifstream in(file);
  std::string password;
  if (!in || !std::getline(in, password)) throw EInOutError(Format("Не удалось прочитать пароль из файла [%s]", file));
  if (!password.empty() && password.back() == '\r') password.pop_back();
  return password;
}

// Reads a line from the terminal without showing it.
std::string ReadHidden(const std::string& prompt, std::ostream& out) {
  termios saved{};
  tcgetattr(STDIN_FILENO, &saved);
  termios hidden = saved;
  hidden.c_lflag &= ~static_cast<tcflag_t>(ECHO);
  tcsetattr(STDIN_FILENO, TCSANOW, &hidden);
  out << prompt << std::flush;
  std::string line;
  std::getline(std::cin, line);
  tcsetattr(STDIN_FILENO, TCSANOW, &saved);
  out << "\n";
  return line;
}

std::string PromptNewPassword(std::ostream& out) {
  if (!isatty(STDIN_FILENO))
    throw EKvError(
        "Не задан пароль администратора: укажите --admin-password-file ФАЙЛ, --admin-password ПАРОЛЬ или "
        "--default-admin-password");
  const std::string password = ReadHidden("Пароль администратора: ", out);
  if (ReadHidden("Повторите пароль: ", out) != password) throw EKvError("Пароли не совпадают");
  return password;
}

std::string AdminPassword(const TSetupOptions& options, std::ostream& out) {
  const std::string password = !options.AdminPasswordFile.empty() ? ReadPasswordFile(options.AdminPasswordFile)
                               : !options.AdminPassword.empty()   ? options.AdminPassword
                               : options.DefaultAdminPassword     ? kDefaultAdminPassword
                                                                  : PromptNewPassword(out);
  if (password.empty()) throw EKvError("Пароль администратора не может быть пустым");
  return password;
}

void RunSetup(const TSetupOptions& options, std::ostream& out) {
  TInstallationOptions installation;
  installation.Root = options.Root;
  installation.ConfigName = options.ConfigName;
  installation.MakeDefault = options.MakeDefault;
  installation.AdminPassword = AdminPassword(options, out);
  installation.CreateCatalogue = [](const TDatabaseDirs& dirs) {
    CreateCatalogueDatabases(dirs, DataDir(), DemoCatalogueDir(DataDir()));
  };
  CreateInstallation(installation, out);
  if (options.DefaultAdminPassword)
    out << Format("Пароль администратора по умолчанию: \"%s\"\n", kDefaultAdminPassword);
  out << "Готово. Настройки: korvent-cli config show --config " << options.ConfigName << "\n";
}

// The configuration as the program resolves it (the one given by name or the default one),
// with its private directory removed again when done.
class TResolvedConfiguration {
public:
  explicit TResolvedConfiguration(const std::string& name) {
    ChooseConfiguration(name);
    bool ask_flag = true;
    if (!LoadDBConfigDir(ask_flag)) throw CLI::RuntimeError(1);
  }
  ~TResolvedConfiguration() { DeleteTempDir(); }
  TResolvedConfiguration(const TResolvedConfiguration&) = delete;
  TResolvedConfiguration& operator=(const TResolvedConfiguration&) = delete;
};

using TConfigurationLines = std::vector<std::pair<std::string, std::string>>;

TConfigurationLines ConfigurationLines(const TConfiguration& config) {
  TConfigurationLines lines;
  for (const auto& value : ConfigurationValues()) lines.emplace_back(value.ValueName, config.*value.Global);
  lines.emplace_back("NetDir", config.EngineNetDir);
  lines.emplace_back("TempDir", config.EnginePrivateDir);
  lines.emplace_back("GXBDEPrivateDir", config.GXBDEPrivateDir);
  lines.emplace_back("GXStationName", config.GXStationName);
  return lines;
}

void PrintText(const TConfiguration& config, const TGXSetup& setup, std::ostream& out) {
  out << "Конфигурация " << config.GXConfigName << "\n";
  for (const auto& [name, value] : ConfigurationLines(config)) out << "  " << name << " = " << value << "\n";
  std::string current;
  setup.ListValues([&](const std::string& section, const std::string& name, const std::string& text) {
    if (section != current) out << "[" << (current = section) << "]\n";
    out << "  " << name << " = " << text << "\n";
  });
}

void PrintJson(const TConfiguration& config, const TGXSetup& setup, std::ostream& out) {
  nlohmann::ordered_json values;
  for (const auto& [name, value] : ConfigurationLines(config)) values[name] = value;
  nlohmann::ordered_json options;
  setup.ListValues([&](const std::string& section, const std::string& name, const std::string& text) {
    options[section][name] = text;
  });
  nlohmann::ordered_json document;
  document["configuration"] = {{"name", config.GXConfigName}, {"values", values}};
  document["setup"] = options;
  out << JsonText(document, 2) << "\n";
}

// Reads the options without taking ownership of the run: nothing is written back.
void RunShow(const TShowOptions& options, std::ostream& out) {
  TResolvedConfiguration resolved(options.ConfigName);
  TGXSetup setup;
  if (!setup.Load()) {
    ShowWarning("Не найден файл конфигурации!\r\nПроизведите установку в панели управления.");
    throw CLI::RuntimeError(1);
  }
  if (options.Json)
    PrintJson(Configuration(), setup, out);
  else
    PrintText(Configuration(), setup, out);
}

// Lets in the user named on the command line with the password given there.
class TBatchLogin : public ILoginDialog {
public:
  TBatchLogin(std::string user, std::string password) : user_(std::move(user)), password_(std::move(password)) {}
  bool Execute(TLogin& login) override {
    for (const auto& user : login.Users()) {
      if (!AnsiSameText(user.Name, user_)) continue;
      if (login.PasswordAccepted(user.ID, password_)) return login.Accept(user.ID, password_);
      ShowError("Неверный пароль");
      return false;
    }
    ShowError(Format("Пользователь %s не найден", user_));
    return false;
  }

private:
  std::string user_, password_;
};

const char* ActionName(TDeferredAction action) {
  switch (action) {
    case TDeferredAction::AutoLoadOrder: return "открыть заказ из командной строки";
    case TDeferredAction::OpenOrderList: return "открыть реестр заказов";
    case TDeferredAction::OpenCurrency: return "предложить обновить курсы валют";
  }
  return "?";
}

// The program's whole start-up and shut-down on the configuration, without windows: what opens,
// and which deferred actions the main window would run. It runs in a session context of its own,
// so the batch login never outlives it.
void RunCheck(const TCheckOptions& options, std::ostream& out) {
  TBatchLogin login(options.User,
                    options.PasswordFile.empty() ? options.Password : ReadPasswordFile(options.PasswordFile));
  IUserMessages& messages = UserMessages();
  TOwnSessionContext context;
  context->SetMessages(&messages);
  context->SetLoginDialog(&login);
  ChooseConfiguration(options.ConfigName);
  TStartupOptions startup;
  startup.Login = !options.User.empty();
  TSession session;
  const TStartupResult result = session.Startup(startup);
  if (!result.Started) throw CLI::RuntimeError(1);
  out << "Конфигурация " << Configuration().GXConfigName << ", станция " << Configuration().GXStationName << "\n";
  if (startup.Login) out << "Пользователь: " << CurrentUser().Name << "\n";
  for (TDatabaseAlias alias : kDatabaseOpenOrder)
    out << "  " << AliasName(alias) << (DM_DB().IsOpen(alias) ? " открыта" : " закрыта") << "\n";
  out << "Таблицы каталога " << (Catalogue().IsOpen() ? "открыты" : "не открыты") << "\n";
  out << "Отложенные действия:\n";
  for (TDeferredAction action : result.DeferredActions)
    out << "  " << static_cast<int>(action) + 1 << ": " << ActionName(action) << "\n";
  if (!session.Shutdown()) {
    out << "Работа завершена с ошибками: не все таблицы закрыты или параметры не сохранены\n";
    throw CLI::RuntimeError(1);
  }
  out << "Работа завершена: таблицы и базы закрыты, параметры сохранены\n";
}

void InstallSetup(CLI::App& app) {
  auto setup_options = std::make_shared<TSetupOptions>();
  auto* setup = app.add_subcommand("setup", "Создать готовую к работе установку в папке");
  setup->add_option("--root", setup_options->Root, "Папка установки")->required();
  setup->add_option("--config", setup_options->ConfigName, "Имя конфигурации")
      ->check(ConfigurationName())
      ->capture_default_str();
  setup->add_flag("--default", setup_options->MakeDefault, "Сделать конфигурацией по умолчанию");
  auto* password_file = setup->add_option("--admin-password-file", setup_options->AdminPasswordFile,
                                          "Файл, первая строка которого - пароль администратора");
  auto* password = setup->add_option("--admin-password", setup_options->AdminPassword,
                                     "Пароль администратора (виден другим пользователям компьютера)");
  setup
      ->add_flag("--default-admin-password", setup_options->DefaultAdminPassword,
                 Format("Пароль администратора по умолчанию (\"%s\")", kDefaultAdminPassword))
      ->excludes(password_file)
      ->excludes(password);
  password_file->excludes(password);
  setup->footer("Без пароля в параметрах он запрашивается с клавиатуры.");
  setup->callback([setup_options] { RunSetup(*setup_options, std::cout); });
}

void InstallConfig(CLI::App& app) {
  auto* config = app.add_subcommand("config", "Конфигурация баз данных и параметры программы");
  config->require_subcommand(1);
  auto show_options = std::make_shared<TShowOptions>();
  auto* show = config->add_subcommand("show", "Показать действующую конфигурацию и загруженные параметры");
  show->add_option("--config", show_options->ConfigName, "Имя конфигурации (иначе конфигурация по умолчанию)")
      ->check(ConfigurationName());
  show->add_flag("--json", show_options->Json, "Вывести в JSON");
  show->callback([show_options] { RunShow(*show_options, std::cout); });
  auto check_options = std::make_shared<TCheckOptions>();
  auto* check = config->add_subcommand("check", "Пройти запуск и завершение программы на конфигурации");
  check->add_option("--config", check_options->ConfigName, "Имя конфигурации (иначе конфигурация по умолчанию)")
      ->check(ConfigurationName());
  check->add_option("--user", check_options->User, "Войти под этим пользователем (иначе без входа)");
  auto* check_password = check->add_option("--password", check_options->Password, "Пароль пользователя");
  check->add_option("--password-file", check_options->PasswordFile, "Файл, первая строка которого - пароль")
      ->excludes(check_password);
  check->callback([check_options] { RunCheck(*check_options, std::cout); });
}

const TCommandRegistration setup_registration("setup", InstallSetup);
const TCommandRegistration config_registration("config", InstallConfig);

// The demo's own installation: the registry store lives in the demo folder, never in the
// user's settings, for this step and the steps after it.
void ShowSetup(const std::string& dir, std::ostream& out) {
  const std::filesystem::path root = std::filesystem::absolute(dir);
  setenv("KORVENT_REGISTRY", (root / "registry.sqlite").c_str(), 1);
  out << "Установка конфигурации в папке демонстрации:\n";
  if (std::filesystem::exists(root / "install"))
    out << "  уже установлена: " << (root / "install").string() << "\n";
  else
    RunSetup(TSetupOptions{(root / "install").string(), "Demo", true, kDefaultAdminPassword, "", false}, out);
  RunShow(TShowOptions{}, out);
  RunCheck(TCheckOptions{"", "Администратор", kDefaultAdminPassword, ""}, out);
}

const TDemoStep demo_step("30-setup", ShowSetup);

}  // namespace

}  // namespace kv::cli
