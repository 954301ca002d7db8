// The order file reader on arbitrary bytes: the order is loaded or refused with the program's
// message, never a crash, a hang or an allocation beyond what the bytes can hold. Older versions
// are converted without a question; the messages go to a scripted service.
#include <cstdint>
#include <vector>

#include "order/order.h"
#include "shell/errors.h"
#include "shell/session_context.h"
#include "shell/user_messages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kv::TScriptedMessages messages;
  static kv::TSessionContext context;
  const kv::TContextScope current(context);
  context.SetMessages(&messages);
  kv::TSpecStream stream(std::vector<uint8_t>(data, data + size));
  kv::TOrder order;
  bool converted = false;
  try {
    if (order.Load(stream, converted, true)) {
      kv::TSpecStream again;
      order.Save(again);
    }
  } catch (const kv::EKvError&) {
  }
  messages.Clear();
  return 0;
}
