#include "shell/versions.h"

#include <optional>

#include "shell/format_settings.h"
#include "shell/tokens.h"

namespace kv {

namespace {

// year*365 + month*31 + day; nothing for a text whose day, month or year is missing or out of range.
std::optional<long long> VersionKey(std::string_view version) {
  long long day = 0, month = 0, year = 0;
  if (!TryStrToInt(Token(version, 1, "."), day) || !TryStrToInt(Token(version, 2, "."), month) ||
      !TryStrToInt(Token(version, 3, "."), year))
    return std::nullopt;
  if (day < 1 || day > 31 || month < 1 || month > 12 || year < 1 || year > 9999) return std::nullopt;
  return year * 365 + month * 31 + day;
}

}  // namespace

bool VerGreaterThan(std::string_view a, std::string_view b) {
  if (a.empty()) return false;
  if (b.empty()) return true;
  const std::optional<long long> key_a = VersionKey(a), key_b = VersionKey(b);
  return key_a && key_b && *key_a >= *key_b;
}

bool VerSmallerThan(std::string_view a, std::string_view b) {
  if (a.empty()) return true;
  if (b.empty()) return false;
  const std::optional<long long> key_a = VersionKey(a), key_b = VersionKey(b);
  return key_a && key_b && *key_a < *key_b;
}

}  // namespace kv
