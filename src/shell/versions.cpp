#include "shell/versions.h"

#include <optional>

#include "shell/format_settings.h"
#include "shell/tokens.h"

namespace kv {

namespace {

// The number of the digits of text at [begin, begin + count), or -1 when one is no digit.
long long DigitsAt(std::string_view text, size_t begin, size_t count) {
  long long value = 0;
  for (size_t i = begin; i < begin + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// Day, month and year of a version in its usual shape "dd.mm.yyyy", read without splitting the
// text: the readers ask for the version of every field that a format date added.
bool ReadUsualShape(std::string_view version, long long& day, long long& month, long long& year) {
  if (version.size() != 10 || version[2] != '.' || version[5] != '.') return false;
  day = DigitsAt(version, 0, 2);
  month = DigitsAt(version, 3, 2);
  year = DigitsAt(version, 6, 4);
  return day >= 0 && month >= 0 && year >= 0;
}

// The version's key; nothing for a text whose day, month or year is missing or out of range.
std::optional<long long> VersionKey(std::string_view version) {
  long long day = 0, month = 0, year = 0;
  if (!ReadUsualShape(version, day, month, year) &&
      (!TryStrToInt(Token(version, 1, "."), day) || !TryStrToInt(Token(version, 2, "."), month) ||
       !TryStrToInt(Token(version, 3, "."), year)))
    return std::nullopt;
  if (day < 1 || day > 31 || month < 1 || month > 12 || year < 1 || year > 9999) return std::nullopt;
  return VersionDateKey(day, month, year);
}

}  // namespace

TVersionKey::TVersionKey(std::string_view version) : key_(VersionKey(version)) {}

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
