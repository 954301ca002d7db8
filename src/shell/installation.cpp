#include "shell/installation.h"

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

std::string Under(const std::filesystem::path& root, const char* sub) { return (root / sub).string(); }

// Every value of the configuration key: the alias databases in their folders below the root,
// the order storage in "Orders" with the usual sub-directories.
TConfiguration PlannedConfiguration(const TInstallationOptions& options) {
  const std::filesystem::path root = std::filesystem::absolute(options.Root).lexically_normal();
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

void WriteConfigurationKey(const TConfiguration& config, bool make_default) {
  TRegistry registry;
  registry.InTransaction([&] {
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
// configuration just written.
void CreateOrderTree(const std::string& name) {
  IUserMessages& messages = UserMessages();
  TOwnSessionContext own;
  own->SetMessages(&messages);
  if (!ReadConfiguration(name, Configuration())) throw EKvError(Format("Конфигурация %s не записана", name));
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
  for (TDatabaseAlias alias : kDatabaseOpenOrder) log << "  " << AliasName(alias) << ": " << dirs[alias] << "\n";
  TSystemDatabase system(config.GXSysDBDir);
  const int32_t admin = system.AddUser(options.AdminName, options.AdminPassword, {kDesignModuleRight});
  log << Format("Пользователь %s (код %d)\n", options.AdminName, admin);
}

}  // namespace

void CreateInstallation(const TInstallationOptions& options, std::ostream& log) {
  RefuseInvalidName(options.ConfigName);
  const TConfiguration config = PlannedConfiguration(options);
  RefuseExisting(config);
  log << Format("Установка конфигурации %s в %s\n", config.GXConfigName,
                std::filesystem::absolute(options.Root).lexically_normal().string());
  CreateFolder(config.EnginePrivateDir);
  CreateDatabases(config, options, log);
  WriteIniFile(config);
  log << "Файл настроек: " << config.GXIniFile << "\n";
  WriteConfigurationKey(config, options.MakeDefault);
  log << "Раздел реестра: " << ConfigurationKey(config.GXConfigName)
      << (options.MakeDefault ? " (конфигурация по умолчанию)" : "") << "\n";
  CreateOrderTree(config.GXConfigName);
  log << "Хранилище заказов: " << config.GXServerName << "\n";
}

}  // namespace kv
