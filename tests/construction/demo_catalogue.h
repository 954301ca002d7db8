#pragma once
// The demo catalogue of data/ built into a temporary folder and opened for the lookups of a test in
// the current session context.
#include <filesystem>
#include <memory>

#include "catalogue/catalogue.h"
#include "shell/databases.h"
#include "shell/user_messages.h"

namespace kv::test {

class TDemoCatalogue {
public:
  TDemoCatalogue();
  ~TDemoCatalogue();
  TDemoCatalogue(const TDemoCatalogue&) = delete;
  TDemoCatalogue& operator=(const TDemoCatalogue&) = delete;

  TScriptedMessages Messages;

private:
  std::filesystem::path root_;
  TUserMessagesScope messages_scope_{Messages};
  std::unique_ptr<TOpenedCatalogue> opened_;
};

}  // namespace kv::test
