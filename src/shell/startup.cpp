#include "shell/startup.h"

#include <filesystem>

#include "shell/command_line.h"
#include "shell/configuration.h"
#include "shell/format_settings.h"
#include "shell/gx_setup.h"
#include "shell/login.h"
#include "shell/user_messages.h"

namespace kv {

TDatabaseDirs DatabaseDirsOf(const TConfiguration& config) {
  TDatabaseDirs dirs;
  dirs[TDatabaseAlias::GXDB_Catalog] = config.GXCatalogDir;
  dirs[TDatabaseAlias::GXDB_Profile] = config.GXProfileDir;
  dirs[TDatabaseAlias::GXDB_Furniture] = config.GXFurnitureDir;
  dirs[TDatabaseAlias::GXDB_Accessory] = config.GXAccessoryDir;
  dirs[TDatabaseAlias::GXDB_Registry] = config.GXRegistryDir;
  dirs[TDatabaseAlias::GXDB_Private] = config.GXPrivateDir;
  dirs[TDatabaseAlias::GXDB_SysDB] = config.GXSysDBDir;
  dirs[TDatabaseAlias::GXDB_Report] = config.GXReportDir;
  return dirs;
}

void SetProgramFormats() {
  TFormatSettings& formats = FormatSettings();
  formats.DecimalSeparator = ',';
  formats.ThousandSeparator = " ";
  formats.ShortDateFormat = "dd.mm.yyyy";
  formats.DateSeparator = '.';
}

TSession::~TSession() { Shutdown(); }

TStartupResult TSession::Startup(const TStartupHooks& hooks) {
  TStartupResult result;
  hooks_ = hooks;
  const auto progress = [&](int percent, const std::string& label) {
    if (hooks_.Progress) hooks_.Progress(percent, label);
  };
  started_ = true;
  try {
    bool ask_flag = true;
    if (!LoadDBConfigDir(ask_flag)) return result;
    if (hooks_.Login && !LoadUserAccessRights(kDesignModuleRight, ask_flag)) {
      Shutdown();
      return result;
    }
    progress(2, "Загрузка системы...");
    SetProgramFormats();
    databases_open_ = true;
    DM_DB().OpenDatabases(DatabaseDirsOf(Configuration()));
    progress(20, "");
    if (hooks_.OpenCatalogueTables) {
      catalogue_open_ = true;
      hooks_.OpenCatalogueTables();
    }
    progress(60, "");
    setup_ = TGXSetup::Create();
    SetGXSetup(setup_.get());
    result.RegisterRefreshMs = setup_->DBUpdate * 1000;
    result.MessageTimerMs = setup_->SysDBUpdate * 1000;
    if (!setup_->Loaded) {
      ShowWarning("Не найден файл конфигурации!\r\nПроизведите установку в панели управления.");
      Shutdown();
      return result;
    }
    if (hooks_.SetupLoaded) hooks_.SetupLoaded(*setup_);
    DecideDeferredActions(result);
    progress(100, "");
    result.Started = true;
  } catch (const std::exception& e) {
    ShowError(e.what());
    Shutdown();
    result = TStartupResult{};
  }
  return result;
}

void TSession::DecideDeferredActions(TStartupResult& result) const {
  std::string order;
  result.OrderSwitch = FindParamStr(kSwitchOrder, order);
  result.PostedMessages.push_back(kMsgAutoLoadOrder);
  if (setup_->AutoOpenReg && !result.OrderSwitch) result.PostedMessages.push_back(kMsgOpenOrderList);
  if (setup_->AutoLoadCurrency && !result.OrderSwitch && Date() > LoadLastCurrencyUpdate(setup_->ServerName))
    result.PostedMessages.push_back(kMsgOpenCurrency);
}

void TSession::Shutdown() {
  if (!started_) return;
  started_ = false;
  if (catalogue_open_ && hooks_.CloseCatalogueTables) {
    try {
      hooks_.CloseCatalogueTables();
    } catch (const std::exception& e) {
      ShowError(e.what());
    }
  }
  catalogue_open_ = false;
  if (databases_open_) DM_DB().CloseDatabases();
  databases_open_ = false;
  if (GXSetup() == setup_.get()) SetGXSetup(nullptr);
  setup_.reset();  // saves the registry values when they were loaded
  LeaveSystemStation();
  DeleteTempDir();
}

void AutoLoadOrder(const std::function<void(const std::string& file)>& open_order) {
  std::string file;
  if (!FindParamText(kSwitchOrder, file) || file.empty()) return;
  std::error_code error;
  if (std::filesystem::is_regular_file(file, error))
    open_order(file);
  else
    ShowErrorExt("Файл заказа не найден!", file);
}

}  // namespace kv
