#include "order/document_version.h"

#include "shell/format_settings.h"
#include "shell/user_messages.h"
#include "shell/versions.h"

namespace kv {

bool AcceptDocumentVersion(const std::string& Version, const TVersionTexts& Texts, bool& Converted, bool AutoConvert) {
  if (Version == Texts.Current) return true;
  if (VerSmallerThan(Version, Texts.Current)) {
    if (!AutoConvert && !ShowConfirm(Format(Texts.ConvertQuestion, Version, Texts.Current))) return false;
    Converted = true;
    return true;
  }
  ShowWarning(Format(Texts.TooNew, Texts.Current, Version));
  return false;
}

}  // namespace kv
