#include "shell/configuration.h"

#include <netdb.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "shell/code_page.h"
#include "shell/command_line.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/paths.h"
#include "shell/random.h"
#include "shell/registry_store.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

constexpr const char* kCurrencyMarkerFile = "Tolvared.lcu";
constexpr int32_t kPrivateDirRange = 1000000;  // "KV" + 0 .. 999999

std::string ConfigurationKey(const std::string& name) { return std::string(kDBConfigKey) + "\\" + name; }

void ShowReadError(const std::exception& e) {
  ShowError(Format("Ошибка чтения из системного реестра!\r\n(%s)", e.what()));
}

// Opens the DBConfig key, creating it; shows the message when it cannot be had.
bool OpenDBConfigKey(TRegistry& registry) {
  if (registry.OpenKey(kDBConfigKey, true)) return true;
  ShowError("Ошибка открытия системного реестра!");
  return false;
}

// Step 2 of LoadDBConfigDir: the name from the list, the switch or the default.
bool ChooseConfigurationName(std::string& name) {
  if (CommandLine().ConfigMenu) {
    TRegistry registry;
    std::vector<std::string> names;
    if (registry.OpenKey(kDBConfigKey, false)) names = registry.GetKeyNames();
    std::string default_name;
    GetDefaultDBConfig(default_name);
    return ConfigListDialog().Execute(names, default_name, name);
  }
  if (CommandLine().DBConfig) {
    name = *CommandLine().DBConfig;
    return true;
  }
  GetDefaultDBConfig(name);
  return true;
}

void LoadConfigurationValues(TRegistry& registry, TConfiguration& config) {
  for (const auto& value : ConfigurationValues()) {
    const std::string text = registry.ReadString(value.ValueName);
    config.*value.Global = value.IsDirectory ? RemoveDirLastChar(text) : NormalizePath(text);
  }
  config.GXTemplateDir = (std::filesystem::path(config.GXServerName) / config.GXTemplateDir).string();
  config.EngineNetDir = RemoveDirLastChar(registry.ReadString("NetDir"));
  config.EnginePrivateDir = RemoveDirLastChar(registry.ReadString("TempDir"));
}

// The engine's private directory of this run: a random "KV" sub-directory of the configured one,
// so that several instances on one station never share it. With neither the engine's nor the
// private database's directory set, the system's temporary directory is the parent.
void MakeEnginePrivateDir(TConfiguration& config) {
  std::filesystem::path parent = !config.EnginePrivateDir.empty() ? config.EnginePrivateDir : config.GXPrivateDir;
  if (parent.empty()) parent = std::filesystem::temp_directory_path();
  const auto dir = parent / ("KV" + IntToStr(RandomGenerator().Random(kPrivateDirRange)));
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (error) throw EInOutError(Format("Не удалось создать каталог %s\r\n(%s)", dir.string(), error.message()));
  config.GXBDEPrivateDir = dir.string();
}

std::filesystem::path CurrencyMarkerPath(const std::string& dir) {
  const std::filesystem::path base = dir.empty() ? ProgramDir() : std::filesystem::path(NormalizePath(dir));
  return base / kCurrencyMarkerFile;
}

}  // namespace

const std::vector<TConfigurationValue>& ConfigurationValues() {
  using C = TConfiguration;
  static const std::vector<TConfigurationValue> values = {
      {"GX_Catalog", &C::GXCatalogDir, true},
      {"GX_Profile", &C::GXProfileDir, true},
      {"GX_Furniture", &C::GXFurnitureDir, true},
      {"GX_Accessory", &C::GXAccessoryDir, true},
      {"GX_Storage", &C::GXStorageDir, true},
      {"GX_OptiProf", &C::GXOptiProfDir, true},
      {"GX_Machinary", &C::GXMachinaryDir, true},
      {"GX_Private", &C::GXPrivateDir, true},
      {"GX_SysDB", &C::GXSysDBDir, true},
      {"GX_Report", &C::GXReportDir, true},
      {"GX_Registry", &C::GXRegistryDir, true},
      {"IniFile", &C::GXIniFile, false},
      {"ServerName", &C::GXServerName, true},
      {"WorkDir", &C::GXWorkDir, true},
      {"CalcDir", &C::GXCalcDir, true},
      {"CompleteDir", &C::GXCompleteDir, true},
      {"ClosedDir", &C::GXClosedDir, true},
      {"SelectionDir", &C::GXSelectionDir, true},
      {"DocumentDir", &C::GXDocumentDir, true},
      {"TemplateDir", &C::GXTemplateDir, true},
      {"RecycledDir", &C::GXRecycledDir, true},
      {"ArchiveDir", &C::GXArchiveDir, true},
      {"OptiProfFileDir", &C::GXOptiProfFileDir, true},
      {"ExportDir", &C::GXExportDir, true},
      {"MachinaryExportDir", &C::GXMachinaryExportDir, true},
      {"InboxDir", &C::GXInboxDir, true},
      {"OutboxDir", &C::GXOutboxDir, true},
      {"StorageReportDir", &C::GXStorageReportDir, true},
      {"StorageOrderDir", &C::GXStorageOrderDir, true},
      {"OptiProfOrderDir", &C::GXOptiProfOrderDir, true},
  };
  return values;
}

bool TConsoleConfigListDialog::Execute(const std::vector<std::string>& names, const std::string& default_name,
                                       std::string& chosen) {
  out_ << "Конфигурации:\n";
  for (size_t i = 0; i < names.size(); ++i)
    out_ << "  " << i + 1 << ". " << names[i] << (AnsiSameText(names[i], default_name) ? " *" : "") << "\n";
  out_ << "Номер или имя конфигурации (пустая строка - отмена): " << std::flush;
  std::string answer;
  if (!std::getline(in_, answer) || answer.empty()) return false;
  long long number = 0;
  if (TryStrToInt(answer, number) && number >= 1 && number <= static_cast<long long>(names.size())) {
    chosen = names[number - 1];
    return true;
  }
  for (const auto& name : names) {
    if (!AnsiSameText(name, answer)) continue;
    chosen = name;
    return true;
  }
  return false;
}

std::string RemoveDirLastChar(const std::string& path) {
  std::string normal = NormalizePath(path);
  if (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  return normal;
}

void GetDefaultDBConfig(std::string& name) {
  name.clear();
  try {
    TRegistry registry;
    if (!OpenDBConfigKey(registry)) return;
    name = registry.ReadString("DefaultConfig");
  } catch (const std::exception& e) {
    ShowReadError(e);
  }
}

int GetDefaultUser() {
  try {
    TRegistry registry;
    if (!OpenDBConfigKey(registry)) return 0;
    return registry.ValueExists("DefaultUser") ? registry.ReadInteger("DefaultUser") : 0;
  } catch (const std::exception& e) {
    ShowReadError(e);
    return 0;
  }
}

void SetDefaultUser(int user_id) {
  try {
    TRegistry registry;
    if (!OpenDBConfigKey(registry)) return;
    registry.WriteInteger("DefaultUser", user_id);
  } catch (const std::exception& e) {
    ShowError(Format("Ошибка записи в системный реестр!\r\n(%s)", ErrorMessage(e)));
  }
}

bool LoadDBConfigDir(bool& ask_flag) {
  TConfiguration config;
  config.GXStationName = LoadStationProperty();
  ask_flag = true;
  Configuration() = config;
  std::string name;
  if (!ChooseConfigurationName(name)) {
    ask_flag = false;
    return false;
  }
  if (name.empty()) {
    ShowError(
        "В системе не установлены пути доступа к базам данных!\r\nОткройте Control Panel, настройте пути "
        "доступа и\r\nустановите конфигурацию по умолчанию!");
    return false;
  }
  try {
    if (!ReadConfiguration(name, config)) {
      ShowError(
          Format("Ошибка открытия конфигурации %s!\r\nУказанная конфигурация не числиться в списке.\r\nОткройте "
                 "Control Panel и установите по умолчанию\r\nдругую конфигурацию.",
                 name));
      return false;
    }
    ask_flag = false;
  } catch (const ERegistryError& e) {
    ShowReadError(e);
    return false;
  }
  MakeEnginePrivateDir(config);
  Configuration() = config;
  return true;
}

bool IsValidConfigurationName(const std::string& name) { return !name.empty() && name.find('\\') == std::string::npos; }

bool ReadConfiguration(const std::string& name, TConfiguration& config) {
  TRegistry registry;
  if (!IsValidConfigurationName(name) || !registry.OpenKey(ConfigurationKey(name), false)) return false;
  LoadConfigurationValues(registry, config);
  config.GXConfigName = name;
  return true;
}

void DeleteTempDir() {
  std::string& dir = Configuration().GXBDEPrivateDir;
  if (dir.empty()) return;
  std::error_code error;
  if (std::filesystem::is_directory(dir, error) && std::filesystem::is_empty(dir, error) &&
      std::filesystem::remove(dir, error))
    dir.clear();
}

std::string LoadStationProperty() {
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0) return "????";
  addrinfo hints{};
  hints.ai_flags = AI_CANONNAME;
  addrinfo* found = nullptr;
  if (getaddrinfo(host, nullptr, &hints, &found) != 0 || !found) return "????";
  const std::string name = found->ai_canonname ? found->ai_canonname : "????";
  freeaddrinfo(found);
  return name;
}

TDateTime LoadLastCurrencyUpdate(const std::string& dir) {
  std::ifstream in(CurrencyMarkerPath(dir), std::ios::binary);
  double value = 0;
  // A file too short to hold a date, or holding no date, counts as no update at all.
  if (!in.read(reinterpret_cast<char*>(&value), sizeof value) || !std::isfinite(value)) return Date() - 1;
  return value;
}

void SaveLastCurrencyUpdate(const std::string& dir, TDateTime value) {
  const auto path = CurrencyMarkerPath(dir);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const double stored = value;
  out.write(reinterpret_cast<const char*>(&stored), sizeof stored);
  out.close();
  if (!out) throw EInOutError(Format("Ошибка записи файла %s", path.string()));
}

}  // namespace kv
