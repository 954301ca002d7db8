#include "session/session.h"

#include <filesystem>

#include "catalogue/catalogue.h"
#include "shell/command_line.h"
#include "shell/configuration.h"
#include "shell/databases.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/gx_setup.h"
#include "shell/login.h"
#include "shell/session_context.h"
#include "shell/user_messages.h"

namespace kv {

void SetProgramFormats() {
  TFormatSettings& formats = FormatSettings();
  formats.DecimalSeparator = ',';
  formats.ThousandSeparator = " ";
  formats.ShortDateFormat = "dd.mm.yyyy";
  formats.DateSeparator = '.';
}

TSession::~TSession() { Shutdown(); }

TStartupResult TSession::Startup(const TStartupOptions& options) {
  TStartupResult result;
  const auto progress = [&](int percent, const std::string& label) {
    if (options.Progress) options.Progress(percent, label);
  };
  started_ = true;
  try {
    bool ask_flag = true;
    if (!LoadDBConfigDir(ask_flag)) return result;
    if (options.Login && !LoadUserAccessRights(kDesignModuleRight, ask_flag)) {
      Shutdown();
      return result;
    }
    progress(2, "Загрузка системы...");
    SetProgramFormats();
    databases_open_ = true;
    DM_DB().OpenDatabases(DatabaseDirsOf(Configuration()));
    progress(20, "");
    catalogue_open_ = true;
    Catalogue().OpenTables(DM_DB());
    progress(60, "");
    TSessionContext& context = CurrentContext();
    context.Setup = TGXSetup::Create();
    result.RegisterRefreshMs = context.Setup->DBUpdate * 1000;
    result.MessageTimerMs = context.Setup->SysDBUpdate * 1000;
    if (!context.Setup->Loaded) {
      ShowWarning("Не найден файл конфигурации!\r\nПроизведите установку в панели управления.");
      Shutdown();
      return result;
    }
    HandSetupToCatalogue();
    DecideDeferredActions(result);
    progress(100, "");
    result.Started = true;
  } catch (const std::exception& e) {
    ShowError(ErrorMessage(e));
    Shutdown();
    result = TStartupResult{};
  }
  return result;
}

// The catalogue's lookups follow the options that concern them.
void TSession::HandSetupToCatalogue() const {
  Catalogue().Settings.UseDust = GXSetup()->UseDust;
  Catalogue().Settings.WorkCurrency = GXSetup()->DefaultCurrency;
}

void TSession::DecideDeferredActions(TStartupResult& result) const {
  const TGXSetup& setup = *GXSetup();
  result.OrderSwitch = CommandLine().OrderFile.has_value();
  result.DeferredActions.push_back(TDeferredAction::AutoLoadOrder);
  if (setup.AutoOpenReg && !result.OrderSwitch) result.DeferredActions.push_back(TDeferredAction::OpenOrderList);
  if (setup.AutoLoadCurrency && !result.OrderSwitch && Date() > LoadLastCurrencyUpdate(setup.ServerName))
    result.DeferredActions.push_back(TDeferredAction::OpenCurrency);
}

bool TSession::Shutdown() {
  if (!started_) return true;
  started_ = false;
  bool closed = true;
  if (catalogue_open_) {
    try {
      Catalogue().CloseTables();
    } catch (const std::exception& e) {
      ShowError(ErrorMessage(e));
      closed = false;
    }
  }
  catalogue_open_ = false;
  if (databases_open_) DM_DB().CloseDatabases();
  databases_open_ = false;
  std::unique_ptr<TGXSetup>& setup = CurrentContext().Setup;
  const bool saved = !setup || setup->Destroy();
  setup.reset();
  LeaveSystemStation();
  DeleteTempDir();
  return closed && saved;
}

void AutoLoadOrder(const std::function<void(const std::string& file)>& open_order) {
  const std::optional<std::string>& file = CommandLine().OrderFile;
  if (!file || file->empty()) return;
  std::error_code error;
  if (std::filesystem::is_regular_file(*file, error))
    open_order(*file);
  else
    ShowErrorExt("Файл заказа не найден!", *file);
}

}  // namespace kv
