#pragma once
// The desktop program's run: the session's start-up behind the splash window, the main window
// with its deferred actions and message timer, the message loop, and the shut-down.
#include <memory>
#include <string>

#include "session/session.h"

namespace kv {

class TMainForm;

// The text of `korvent --help`: the command-line switches.
std::string DesktopHelpText();

class TDesktop {
public:
  TDesktop();
  ~TDesktop();
  TDesktop(const TDesktop&) = delete;
  TDesktop& operator=(const TDesktop&) = delete;

  // Start-up up to the shown main window with the deferred actions queued; false when the
  // program ends (its messages were shown). The last percent of the splash window is kept.
  bool Start();
  TMainForm* MainForm() const { return main_.get(); }
  int SplashPercent() const { return splash_percent_; }
  // Closes the main window (which stores its state) and runs the session's shut-down.
  bool Stop();

private:
  void QueueDeferredActions(const TStartupResult& result);

  TSession session_;
  std::unique_ptr<TMainForm> main_;
  int splash_percent_ = 0;
};

}  // namespace kv
