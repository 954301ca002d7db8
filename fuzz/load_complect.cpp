// The complect list reader on arbitrary bytes: the list is loaded or refused with the program's
// message, never a crash, a hang or an allocation beyond what the bytes can hold; a loaded list is
// written again and reads back to the same bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "order/order_complect.h"
#include "shell/errors.h"
#include "shell/session_context.h"
#include "shell/user_messages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kv::TScriptedMessages messages;
  static kv::TSessionContext context;
  const kv::TContextScope current(context);
  context.SetMessages(&messages);
  kv::TSpecStream stream(std::vector<uint8_t>(data, data + size));
  kv::Tgx25OrderComplect complect;
  try {
    complect.Load(stream);
    kv::TSpecStream again;
    complect.Save(again);
    kv::Tgx25OrderComplect read;
    again.SetPosition(0);
    read.Load(again);
    kv::TSpecStream twice;
    read.Save(twice);
    if (!std::ranges::equal(twice.Bytes(), again.Bytes())) std::abort();
  } catch (const kv::EKvError&) {
  }
  messages.Clear();
  return 0;
}
