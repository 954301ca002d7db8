#include "shell/session_context.h"

#include <iostream>
#include <stdexcept>

#include "shell/gx_setup.h"

namespace kv {

namespace {

thread_local TSessionContext* current_context = nullptr;

}  // namespace

TSessionContext::TSessionContext()
    : console_messages_(std::make_unique<TConsoleMessages>()),
      console_login_dialog_(std::make_unique<TConsoleLoginDialog>(std::cin, std::cerr)),
      console_config_list_dialog_(std::make_unique<TConsoleConfigListDialog>(std::cin, std::cerr)),
      messages_(console_messages_.get()),
      login_dialog_(console_login_dialog_.get()),
      config_list_dialog_(console_config_list_dialog_.get()) {}

TSessionContext::~TSessionContext() {
  TContextScope current(*this);
  Setup.reset();
  Catalogue.reset();
  Databases.CloseDatabases();
}

void TSessionContext::SetMessages(IUserMessages* service) { messages_ = service ? service : console_messages_.get(); }

void TSessionContext::SetLoginDialog(ILoginDialog* dialog) {
  login_dialog_ = dialog ? dialog : console_login_dialog_.get();
}

void TSessionContext::SetConfigListDialog(IConfigListDialog* dialog) {
  config_list_dialog_ = dialog ? dialog : console_config_list_dialog_.get();
}

TSessionContext& CurrentContext() {
  if (!current_context) throw std::logic_error("no session context is current on this thread");
  return *current_context;
}

TContextScope::TContextScope(TSessionContext& context) : previous_(current_context) { current_context = &context; }

TContextScope::~TContextScope() { current_context = previous_; }

// The accessors of the shell's state, each over the current context.
TCommandLine& CommandLine() { return CurrentContext().CommandLine; }
TRandomGenerator& RandomGenerator() { return CurrentContext().Random; }
TFormatSettings& FormatSettings() { return CurrentContext().Formats; }
TConfiguration& Configuration() { return CurrentContext().Configuration; }
TLoggedUser& CurrentUser() { return CurrentContext().User; }
TDatabases& DM_DB() { return CurrentContext().Databases; }
TGXSetup* GXSetup() { return CurrentContext().Setup.get(); }
float& GXOldWeldAllowance() { return CurrentContext().OldWeldAllowance; }
IUserMessages& UserMessages() { return CurrentContext().Messages(); }
void SetUserMessages(IUserMessages* service) { CurrentContext().SetMessages(service); }
ILoginDialog& LoginDialog() { return CurrentContext().LoginDialog(); }
void SetLoginDialog(ILoginDialog* dialog) { CurrentContext().SetLoginDialog(dialog); }
IConfigListDialog& ConfigListDialog() { return CurrentContext().ConfigListDialog(); }
void SetConfigListDialog(IConfigListDialog* dialog) { CurrentContext().SetConfigListDialog(dialog); }

}  // namespace kv
