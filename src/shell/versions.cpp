#include "shell/versions.h"

#include "shell/format_settings.h"
#include "shell/tokens.h"

namespace kv {

namespace {

long long VersionKey(std::string_view version) {
  long long day = 0, month = 0, year = 0;
  TryStrToInt(Token(version, 1, "."), day);
  TryStrToInt(Token(version, 2, "."), month);
  TryStrToInt(Token(version, 3, "."), year);
  return year * 365 + month * 31 + day;
}

}  // namespace

bool VerGreaterThan(std::string_view a, std::string_view b) {
  if (a.empty()) return false;
  if (b.empty()) return true;
  return VersionKey(a) >= VersionKey(b);
}

bool VerSmallerThan(std::string_view a, std::string_view b) {
  if (a.empty()) return true;
  if (b.empty()) return false;
  return VersionKey(a) < VersionKey(b);
}

}  // namespace kv
