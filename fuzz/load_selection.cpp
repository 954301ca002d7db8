// The selection file reader on arbitrary bytes: the selection is loaded or refused with the
// program's message, never a crash, a hang or an allocation beyond what the bytes can hold; a
// loaded selection is written again.
#include <cstdint>
#include <vector>

#include "order/order_selection.h"
#include "shell/errors.h"
#include "shell/session_context.h"
#include "shell/user_messages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kv::TScriptedMessages messages;
  static kv::TSessionContext context;
  const kv::TContextScope current(context);
  context.SetMessages(&messages);
  kv::TSpecStream stream(std::vector<uint8_t>(data, data + size));
  kv::Tgx25OrderSelection selection;
  bool converted = false;
  try {
    if (selection.Load(stream, converted, true)) {
      selection.GatherStatistics();
      kv::TSpecStream again;
      selection.Save(again);
    }
  } catch (const kv::EKvError&) {
  }
  messages.Clear();
  return 0;
}
