#include "app/desktop.h"

#include <QApplication>
#include <QTimer>

#include "app/main_form.h"
#include "qt/splash_form.h"

namespace kv {

std::string DesktopHelpText() {
  return "Использование: korvent [ключи]\n"
         "  /CONFIGMENU      выбрать конфигурацию из списка перед запуском\n"
         "  /DBCONFIG:ИМЯ    работать с конфигурацией ИМЯ вместо конфигурации по умолчанию\n"
         "  /Order:ФАЙЛ      открыть файл заказа после запуска (реестр заказов и курсы валют\n"
         "                   при этом не открываются)\n"
         "  /User:ИМЯ        предложить при входе пользователя ИМЯ\n"
         "  /IgnoreUser      впустить пользователя, который уже работает на другой станции\n"
         "  --help           показать эту справку\n"
         "Ключи сравниваются без учета регистра букв. Хранилище настроек: $KORVENT_REGISTRY,\n"
         "иначе $XDG_CONFIG_HOME/korvent/registry.sqlite.\n";
}

TDesktop::TDesktop() { QApplication::setApplicationDisplayName("Korvent Technologist"); }

TDesktop::~TDesktop() { Stop(); }

bool TDesktop::Start() {
  std::unique_ptr<TSplashForm> splash;
  TStartupOptions options;
  options.Progress = [&](int percent, const std::string& label) {
    if (!splash) {
      splash = std::make_unique<TSplashForm>();
      splash->show();
    }
    splash->Progress(percent, label);
    splash_percent_ = percent;
  };
  const TStartupResult result = session_.Startup(options);
  if (!result.Started) return false;
  main_ = std::make_unique<TMainForm>(result.MessageTimerMs);
  main_->ShowWithStoredState();
  splash.reset();
  QueueDeferredActions(result);
  return true;
}

// Run once the message loop runs, in the order the start-up decided. The order register has no
// window in this program yet, so its opening is left out.
void TDesktop::QueueDeferredActions(const TStartupResult& result) {
  for (TDeferredAction action : result.DeferredActions) {
    TMainForm* main = main_.get();
    switch (action) {
      case TDeferredAction::AutoLoadOrder:
        QTimer::singleShot(
            0, main, [main] { AutoLoadOrder([main](const std::string& file) { main->OpenOrderByFileName(file); }); });
        break;
      case TDeferredAction::OpenCurrency: QTimer::singleShot(0, main, [main] { main->OpenCurrency(); }); break;
      case TDeferredAction::OpenOrderList: break;
    }
  }
}

bool TDesktop::Stop() {
  if (main_) main_->StoreWindowState();
  main_.reset();
  return session_.Shutdown();
}

}  // namespace kv
