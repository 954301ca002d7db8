#include "shell/installation.h"

#include <unistd.h>

#include <vector>

#include "shell/configuration.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/gx_setup.h"
#include "shell/ini_file.h"
#include "shell/login.h"
#include "shell/paths.h"
#include "shell/registry_store.h"
#include "shell/session_context.h"

namespace kv {

namespace {

constexpr const char* kIniFileName = "korvent.ini";

std::string ConfigurationKey(const std::string& name) { return std::string(kDBConfigKey) + "\\" + name; }

void RemoveAll(const std::vector<std::filesystem::path>& paths) {
  std::error_code ignored;
  for (const auto& path : paths) std::filesystem::remove_all(path, ignored);
}

std::string Under(const std::filesystem::path& root, const char* sub) { return (root / sub).string(); }

std::filesystem::path InstallationRoot(const TInstallationOptions& options) {
  const std::filesystem::path root = std::filesystem::absolute(options.Root).lexically_normal();
  return root.has_filename() ? root : root.parent_path();
}

// The folder beside the root where the installation is built before it is moved into place.
std::filesystem::path StagingFolder(const std::filesystem::path& root) {
  return root.parent_path() / Format(".%s.setup-%d", root.filename().string(), static_cast<int>(getpid()));
}

// Every value of the configuration key: the alias databases in their folders below the root,
// the order storage in "Orders" with the usual sub-directories.
TConfiguration PlannedConfiguration(const TInstallationOptions& options, const std::filesystem::path& root) {
  const std::filesystem::path data = root / "Data";
  const TDatabaseDirs dirs = TDatabaseDirs::Below(data);
  TConfiguration config;
  config.GXConfigName = options.ConfigName;
  config.GXCatalogDir = dirs[TDatabaseAlias::GXDB_Catalog];
  config.GXProfileDir = dirs[TDatabaseAlias::GXDB_Profile];
  config.GXFurnitureDir = dirs[TDatabaseAlias::GXDB_Furniture];
  config.GXAccessoryDir = dirs[TDatabaseAlias::GXDB_Accessory];
  config.GXRegistryDir = dirs[TDatabaseAlias::GXDB_Registry];
  config.GXPrivateDir = dirs[TDatabaseAlias::GXDB_Private];
  config.GXSysDBDir = dirs[TDatabaseAlias::GXDB_SysDB];
  config.GXReportDir = dirs[TDatabaseAlias::GXDB_Report];
  config.GXStorageDir = Under(data, "Storage");
  config.GXOptiProfDir = Under(data, "OptiProf");
  config.GXMachinaryDir = Under(data, "Machinary");
  config.GXIniFile = Under(root, kIniFileName);
  const std::filesystem::path orders = root / "Orders";
  config.GXServerName = orders.string();
  config.GXWorkDir = "ORDERS\\WORK";
  config.GXCalcDir = "ORDERS\\CALC";
  config.GXCompleteDir = "ORDERS\\COMPLETE";
  config.GXClosedDir = "ORDERS\\CLOSED";
  config.GXSelectionDir = "ORDERS\\SELECT";
  config.GXTemplateDir = "TEMPLATES";
  config.GXRecycledDir = "RECYCLED";
  config.GXArchiveDir = "ARCHIVE";
  config.GXDocumentDir = Under(root, "Documents");
  config.GXOptiProfFileDir = Under(root, "OptiProf");
  config.GXExportDir = Under(orders, "EXPORT");
  config.GXMachinaryExportDir = Under(root, "Machinary");
  config.GXInboxDir = (orders / "EXCHANGE" / "INBOX").string();
  config.GXOutboxDir = (orders / "EXCHANGE" / "OUTBOX").string();
  config.GXStorageReportDir = Under(root, "Storage/Reports");
  config.GXStorageOrderDir = Under(root, "Storage/Orders");
  config.GXOptiProfOrderDir = Under(root, "OptiProf/Orders");
  config.EnginePrivateDir = Under(root, "Temp");
  return config;
}

void RefuseInvalidName(const std::string& name) {
  if (!IsValidConfigurationName(name))
    throw EKvError(Format("Недопустимое имя конфигурации [%s]: имя не может быть пустым или содержать \"\\\"", name));
}

void RefuseExisting(const TConfiguration& config) {
  TRegistry registry;
  if (registry.KeyExists(ConfigurationKey(config.GXConfigName)))
    throw EKvError(Format("Конфигурация %s уже существует", config.GXConfigName));
  for (TDatabaseAlias alias : kDatabaseOpenOrder) {
    const auto file = DatabaseFile(DatabaseDirsOf(config)[alias]);
    if (std::filesystem::exists(file)) throw EKvError(Format("Файл базы данных [%s] уже существует", file.string()));
  }
}

// Refuses a configuration of the same name that another set-up wrote meanwhile.
void WriteConfigurationKey(const TConfiguration& config, bool make_default) {
  TRegistry registry;
  registry.InTransaction([&] {
    if (registry.KeyExists(ConfigurationKey(config.GXConfigName)))
      throw EKvError(Format("Конфигурация %s уже существует", config.GXConfigName));
    registry.OpenKey(ConfigurationKey(config.GXConfigName), true);
    for (const auto& value : ConfigurationValues()) registry.WriteString(value.ValueName, config.*value.Global);
    registry.WriteString("NetDir", "");
    registry.WriteString("TempDir", config.EnginePrivateDir);
    TGXSetup().WriteConfigurationKey(registry);
    if (!make_default) return;
    registry.OpenKey(kDBConfigKey, true);
    registry.WriteString("DefaultConfig", config.GXConfigName);
  });
}

// A firm, its mark-ups and taxes and the order defaults of a small window workshop; prices in
// the catalogue's base currency (0).
void WriteIniFile(const TConfiguration& config) {
  TGXSetup setup;
  setup.FirmName = "ООО \"Светлые окна\"";
  setup.Address = "220030, г. Минск, ул. Садовая, 12, оф. 4";
  setup.JustAddress = "220030, г. Минск, ул. Садовая, 12";
  setup.ZipCode = "(017)";
  setup.Phone_1 = "200-10-10";
  setup.Phone_2 = "200-10-11";
  setup.Fax = "200-10-12";
  setup.EMail = "office@svetlye-okna.example";
  setup.Internet = "www.svetlye-okna.example";
  setup.INN = "190000001";
  setup.Account = "р/с 3012000000001 в ОАО \"Банк\"";
  setup.Director = "Петров П. П.";
  setup.BookKeeper = "Иванова И. И.";
  setup.DefaultWindowProfit = 30;
  setup.DefaultGlassProfit = 20;
  setup.DefaultFurnProfit = 25;
  setup.DefaultDopProfProfit = 25;
  setup.DefaultMontMatProfit = 15;
  setup.DefaultSillProfit = 20;
  setup.DefaultSinkProfit = 20;
  setup.DefaultMosquitoProfit = 20;
  setup.DefaultRolletProfit = 20;
  setup.DefaultJalousieProfit = 20;
  setup.DefaultNDSTax = 20;
  setup.DefOrderProfSys = "TL70";  // the profile and fittings systems of the demo catalogue
  setup.DefOrderFurnSys = "TLF";
  setup.DefaultSillCheck = true;
  setup.DefaultSinkCheck = true;
  setup.DefaultMontPeriodCheck = true;
  TIniFile ini(config.GXIniFile);
  setup.WriteIniFile(ini);
  ini.UpdateFile();
}

// The order storage tree, made as the program makes it when it loads the options of the
// configuration.
void CreateOrderTree(const TConfiguration& config) {
  IUserMessages& messages = UserMessages();
  TOwnSessionContext own;
  own->SetMessages(&messages);
  Configuration() = config;
  TGXSetup setup;
  if (!setup.Load()) throw EInOutError(Format("Не найден файл %s", Configuration().GXIniFile));
}

void CreateDatabases(const TConfiguration& config, const TInstallationOptions& options, std::ostream& log) {
  const TDatabaseDirs dirs = DatabaseDirsOf(config);
  const std::filesystem::path data = DataDir();
  for (TDatabaseAlias alias : kDatabaseOpenOrder) {
    if (IsCatalogueAlias(alias) && options.CreateCatalogue)
      CreateFolder(dirs[alias]);
    else
      CreateAliasDatabase(alias, dirs[alias], data);
  }
  if (options.CreateCatalogue) options.CreateCatalogue(dirs);
  TSystemDatabase system(config.GXSysDBDir);
  const int32_t admin = system.AddUser(options.AdminName, options.AdminPassword, {kDesignModuleRight});
  log << Format("Пользователь %s (код %d)\n", options.AdminName, admin);
}

// Everything but the registry key, in the folder `config` names.
void BuildInstallation(const TConfiguration& config, const TInstallationOptions& options, std::ostream& log) {
  CreateFolder(config.EnginePrivateDir);
  CreateDatabases(config, options, log);
  WriteIniFile(config);
  CreateOrderTree(config);
}

// Moves every entry of the staging folder into the root (created when missing) and returns what
// now stands there. Nothing is moved when one of the entries exists in the root already, and what
// was moved is removed again when a later move fails.
std::vector<std::filesystem::path> MoveIntoPlace(const std::filesystem::path& staging,
                                                 const std::filesystem::path& root) {
  if (!std::filesystem::exists(root)) {
    std::filesystem::rename(staging, root);
    return {root};
  }
  std::vector<std::filesystem::path> entries;
  for (const auto& entry : std::filesystem::directory_iterator(staging)) {
    const std::filesystem::path target = root / entry.path().filename();
    if (std::filesystem::exists(target)) throw EKvError(Format("Файл [%s] уже существует", target.string()));
    entries.push_back(target);
  }
  std::vector<std::filesystem::path> moved;
  try {
    for (const auto& target : entries) {
      std::filesystem::rename(staging / target.filename(), target);
      moved.push_back(target);
    }
  } catch (const std::filesystem::filesystem_error&) {
    RemoveAll(moved);
    throw;
  }
  std::filesystem::remove(staging);
  return moved;
}

}  // namespace

void CreateInstallation(const TInstallationOptions& options, std::ostream& log) {
  RefuseInvalidName(options.ConfigName);
  const std::filesystem::path root = InstallationRoot(options);
  const TConfiguration config = PlannedConfiguration(options, root);
  RefuseExisting(config);
  log << Format("Установка конфигурации %s в %s\n", config.GXConfigName, root.string());
  // A set-up that fails halfway leaves nothing behind: it is built beside the root, moved into
  // place, and becomes visible to the program with its registry key, written last.
  const std::filesystem::path staging = StagingFolder(root);
  std::vector<std::filesystem::path> placed;
  try {
    BuildInstallation(PlannedConfiguration(options, staging), options, log);
    placed = MoveIntoPlace(staging, root);
    WriteConfigurationKey(config, options.MakeDefault);
  } catch (...) {
    RemoveAll(placed);
    RemoveAll({staging});
    throw;
  }
  for (TDatabaseAlias alias : kDatabaseOpenOrder)
    log << "  " << AliasName(alias) << ": " << DatabaseDirsOf(config)[alias] << "\n";
  log << "Файл настроек: " << config.GXIniFile << "\n";
  log << "Раздел реестра: " << ConfigurationKey(config.GXConfigName)
      << (options.MakeDefault ? " (конфигурация по умолчанию)" : "") << "\n";
  log << "Хранилище заказов: " << config.GXServerName << "\n";
}

}  // namespace kv
