#pragma once
// The start-up and shut-down of the program, without its windows: resolve the configuration,
// log the user in, open the eight databases and the catalogue tables, create GXSetup and decide
// the deferred actions; at the end close everything in the fixed order. The desktop program and
// the command-line program both run their work between Startup and Shutdown.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/databases.h"

namespace kv {

struct TConfiguration;
class TGXSetup;

// The private window messages of the deferred actions, handled once the message loop runs.
inline constexpr int WM_USER = 0x0400;
inline constexpr int kMsgAutoLoadOrder = WM_USER + 415;  // open the order of the command line
inline constexpr int kMsgOpenOrderList = WM_USER + 402;  // open the order register
inline constexpr int kMsgOpenCurrency = WM_USER + 406;   // offer the currency update

// What the start-up needs from the layers above the shell and from the windows.
struct TStartupHooks {
  // Open and close the tables of the four catalogue modules (DM_Catalog, DM_ProfDoc,
  // DM_FurnDoc, DM_AccDoc); empty when a program needs no catalogue.
  std::function<void()> OpenCatalogueTables;
  std::function<void()> CloseCatalogueTables;
  // Called once GXSetup is loaded, to hand its options to the layers above (the catalogue's
  // settings); may be empty.
  std::function<void(TGXSetup& setup)> SetupLoaded;
  // The splash window's progress (percent) and label; may be empty.
  std::function<void(int percent, const std::string& label)> Progress;
  // False for batch jobs that run without a user (no login dialog, no station taken).
  bool Login = true;
};

struct TStartupResult {
  bool Started = false;
  bool OrderSwitch = false;         // /Order: was given
  std::vector<int> PostedMessages;  // in posting order
  int RegisterRefreshMs = 0;        // order-register refresh timer (DBUpdate)
  int MessageTimerMs = 0;           // main window's message timer (SysDBUpdate)
};

// The directories of the eight aliases in the configuration.
TDatabaseDirs DatabaseDirsOf(const TConfiguration& config);

// The process-wide number and date formats of the program: "," decimals, blank thousands,
// "dd.mm.yyyy" dates.
void SetProgramFormats();

// Everything the start-up opened, closed by Shutdown (or by the destructor) in the fixed order.
class TSession {
public:
  TSession() = default;
  ~TSession();
  TSession(const TSession&) = delete;
  TSession& operator=(const TSession&) = delete;

  // Runs the start-up; failures show their message (an exception escaping a step is shown with
  // ShowError) and give Started = false, with whatever was opened closed again.
  TStartupResult Startup(const TStartupHooks& hooks);
  // Closes the catalogue tables, the databases in opening order, saves and frees GXSetup, frees
  // this station and removes the private directory. Harmless when nothing is open.
  void Shutdown();

  TGXSetup* Setup() const { return setup_.get(); }

private:
  void DecideDeferredActions(TStartupResult& result) const;

  TStartupHooks hooks_;
  std::unique_ptr<TGXSetup> setup_;
  bool databases_open_ = false;
  bool catalogue_open_ = false;
  bool started_ = false;
};

// The deferred opening of the order named by /Order: (the file name as typed, since file names
// here are case-sensitive): open_order is called when the file exists, otherwise "Файл заказа
// не найден!" is shown with the name.
void AutoLoadOrder(const std::function<void(const std::string& file)>& open_order);

}  // namespace kv
