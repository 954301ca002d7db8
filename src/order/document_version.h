#pragma once
// The version rules that the order and the selection files share: a file of the current version
// is read as it is, an older one after the user agreed to convert it (or without a question when
// the caller converts automatically), a newer one is refused with a warning.
#include <string>

namespace kv {

struct TVersionTexts {
  const char* Current;
  // "...\r\nЗагружаемая версия: %s\r\nТекущая версия: %s" (the file's version, the current one).
  const char* ConvertQuestion;
  // "...версии не старше: %s!\r\nЗагружаемая версия: %s" (the current version, the file's).
  const char* TooNew;
};

// False when the file must not be read further (the reason shown); Converted tells that an older
// file is being converted.
bool AcceptDocumentVersion(const std::string& Version, const TVersionTexts& Texts, bool& Converted, bool AutoConvert);

}  // namespace kv
