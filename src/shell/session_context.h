#pragma once
// Everything a run of the program keeps between calls: the command line, the configuration, the
// logged-in user, the databases, the catalogue, the options object, the formats, the random
// generator and the services that talk to the user. The program's entry point, a batch job or a
// test makes one context and makes it current for its thread; the familiar accessors
// (Configuration(), DM_DB(), GXSetup(), Catalogue(), UserMessages(), ...) read the current one, so
// nothing else is global and several calculations can run side by side on their own threads.
#include <memory>

#include "shell/command_line.h"
#include "shell/configuration.h"
#include "shell/databases.h"
#include "shell/format_settings.h"
#include "shell/login.h"
#include "shell/random.h"
#include "shell/user_messages.h"

namespace kv {

class TCatalogue;
class TGXSetup;

class TSessionContext {
public:
  TSessionContext();
  // Frees the options object (which saves its registry values), the catalogue and the databases
  // with this context current, so their shut-down work sees its own session.
  ~TSessionContext();
  TSessionContext(const TSessionContext&) = delete;
  TSessionContext& operator=(const TSessionContext&) = delete;

  TCommandLine CommandLine;
  TRandomGenerator Random;
  TFormatSettings Formats;
  TConfiguration Configuration;
  TLoggedUser User;
  TDatabases Databases;
  // The catalogue tables; the catalogue layer creates them on first use.
  std::shared_ptr<TCatalogue> Catalogue;
  // The options object: created by the start-up, freed by the shut-down; nullptr outside a run.
  std::unique_ptr<TGXSetup> Setup;
  // The weld allowance of the old profile documentation (INI ProfDoc, WeldLimit.Allowance).
  float OldWeldAllowance = 0;
  // Reading a construction gives its objects new identifiers (inserting a copy of a position).
  bool GenNewBarCode = false;

  IUserMessages& Messages() const { return *messages_; }
  ILoginDialog& LoginDialog() const { return *login_dialog_; }
  IConfigListDialog& ConfigListDialog() const { return *config_list_dialog_; }
  // nullptr restores the console service or dialog; the object must outlive its use here.
  void SetMessages(IUserMessages* service);
  void SetLoginDialog(ILoginDialog* dialog);
  void SetConfigListDialog(IConfigListDialog* dialog);

private:
  std::unique_ptr<IUserMessages> console_messages_;
  std::unique_ptr<ILoginDialog> console_login_dialog_;
  std::unique_ptr<IConfigListDialog> console_config_list_dialog_;
  IUserMessages* messages_;
  ILoginDialog* login_dialog_;
  IConfigListDialog* config_list_dialog_;
};

// The context current on this thread; a call without one is a programming error
// (std::logic_error).
TSessionContext& CurrentContext();

// Makes a context current on this thread for the lifetime of the scope, then restores the
// previous one.
class TContextScope {
public:
  explicit TContextScope(TSessionContext& context);
  ~TContextScope();
  TContextScope(const TContextScope&) = delete;
  TContextScope& operator=(const TContextScope&) = delete;

private:
  TSessionContext* previous_;
};

// A context of its own, current for the lifetime of this object: what a batch job, a command
// of the command-line program or a test makes.
class TOwnSessionContext {
public:
  TOwnSessionContext() = default;
  TSessionContext& operator*() { return context_; }
  TSessionContext* operator->() { return &context_; }

private:
  TSessionContext context_;
  TContextScope scope_{context_};
};

}  // namespace kv
