#include "order/order_inbox.h"

#include <algorithm>

#include "shell/code_page.h"

namespace kv {

std::vector<std::filesystem::path> InboxOrderFiles(const std::filesystem::path& Inbox) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(Inbox, error), end; !error && it != end; it.increment(error))
    if (it->is_regular_file(error) && AnsiSameText(it->path().extension().string(), ".gxo"))
      files.push_back(it->path());
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace kv
