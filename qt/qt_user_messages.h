#pragma once
// The user-message service of the desktop program: every message box and question of the core
// shows as a modal Qt dialog over the active window, with the program's own button captions.
#include "shell/user_messages.h"

namespace kv {

class TQtUserMessages : public IUserMessages {
public:
  int Show(const TUserMessage& message) override;
  void Beep(TMessageKind kind) override;
  // A list of the lines to pick from; the default line is selected.
  int Choose(const TUserChoice& choice) override;
};

}  // namespace kv
