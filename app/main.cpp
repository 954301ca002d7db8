// korvent: the desktop program.
#include <QApplication>

#include <iostream>

#include "app/desktop.h"
#include "qt/config_list_dialog.h"
#include "qt/login_dialog.h"
#include "qt/qt_user_messages.h"
#include "shell/session_context.h"

namespace {

bool HelpAsked(const std::vector<std::string>& params) {
  for (const std::string& param : params)
    if (param == "--help" || param == "-h" || param == "/?") return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> params(argv + 1, argv + argc);
  if (HelpAsked(params)) {
    std::cout << kv::DesktopHelpText();
    return 0;
  }
  QApplication application(argc, argv);
  kv::TOwnSessionContext context;
  context->CommandLine = kv::ParseCommandLine(params);
  kv::TQtUserMessages messages;
  kv::TQtLoginDialog login;
  kv::TQtConfigListDialog config_list;
  context->SetMessages(&messages);
  context->SetLoginDialog(&login);
  context->SetConfigListDialog(&config_list);
  kv::TDesktop desktop;
  if (!desktop.Start()) return 1;
  const int code = QApplication::exec();
  return desktop.Stop() ? code : 1;
}
