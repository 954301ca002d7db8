#pragma once
// The start-up and shut-down of the program, without its windows: resolve the configuration,
// log the user in, open the eight databases and the catalogue tables, create the options object
// and decide the deferred actions; at the end close everything in the fixed order. The desktop
// program and the command-line program both run their work between Startup and Shutdown, on the
// current session context.
#include <functional>
#include <string>
#include <vector>

namespace kv {

// What the main window does once its message loop runs.
enum class TDeferredAction {
  AutoLoadOrder,  // open the order named on the command line
  OpenOrderList,  // open the order register
  OpenCurrency,   // offer the currency update
};

struct TStartupOptions {
  // The splash window's progress (percent) and label; may be empty.
  std::function<void(int percent, const std::string& label)> Progress;
  // False for batch jobs that run without a user (no login dialog, no station taken).
  bool Login = true;
};

struct TStartupResult {
  bool Started = false;
  bool OrderSwitch = false;                      // /Order: was given
  std::vector<TDeferredAction> DeferredActions;  // in the order the main window runs them
  int RegisterRefreshMs = 0;                     // order-register refresh timer (DBUpdate)
  int MessageTimerMs = 0;                        // main window's message timer (SysDBUpdate)
};

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
  TStartupResult Startup(const TStartupOptions& options = {});
  // Closes the catalogue tables, the databases in opening order, saves and frees the options
  // object, frees this station and removes the private directory. Harmless when nothing is open.
  // False when the catalogue tables could not be closed or the options not saved (the message
  // was shown).
  bool Shutdown();

private:
  void HandSetupToCatalogue() const;
  void DecideDeferredActions(TStartupResult& result) const;

  bool databases_open_ = false;
  bool catalogue_open_ = false;
  bool started_ = false;
};

// The deferred opening of the order named by /Order: (the file name as typed, since file names
// here are case-sensitive): open_order is called when the file exists, otherwise "Файл заказа
// не найден!" is shown with the name.
void AutoLoadOrder(const std::function<void(const std::string& file)>& open_order);

}  // namespace kv
