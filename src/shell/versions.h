#pragma once
// Versions of the document formats are dates "dd.mm.yyyy", compared by year*365 + month*31 + day.
// A text whose day (1..31), month (1..12) or year (1..9999) is missing or out of range is not a
// version: it is neither greater nor smaller than a version, so a reader refuses it.
#include <optional>
#include <string_view>

namespace kv {

// The key that orders versions: year*365 + month*31 + day.
constexpr long long VersionDateKey(long long day, long long month, long long year) {
  return year * 365 + month * 31 + day;
}

// A format date of a document layout, "dd.mm.yyyy", read when the program is compiled: the
// readers and writers compare it with the stream's version at every field it added. A malformed
// date does not compile.
class TFormatDate {
public:
  consteval TFormatDate(const char* date) : key_(KeyOf(date)) {}
  constexpr long long Key() const { return key_; }

private:
  static consteval long long Digits(const char* text, int count) {
    long long value = 0;
    for (int i = 0; i < count; ++i) {
      if (text[i] < '0' || text[i] > '9') throw "a format date is written dd.mm.yyyy";
      value = value * 10 + (text[i] - '0');
    }
    return value;
  }
  static consteval long long KeyOf(const char* date) {
    if (date[2] != '.' || date[5] != '.' || date[10] != '\0') throw "a format date is written dd.mm.yyyy";
    const long long day = Digits(date, 2), month = Digits(date + 3, 2), year = Digits(date + 6, 4);
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < 1) throw "a format date is a real date";
    return VersionDateKey(day, month, year);
  }

  long long key_;
};

// A version read once, for a reader that compares it with the format date of every field.
class TVersionKey {
public:
  explicit TVersionKey(std::string_view version);
  // VerGreaterThan(version, date) for a format date.
  bool NotOlderThan(TFormatDate date) const { return key_ && *key_ >= date.Key(); }

private:
  std::optional<long long> key_;
};

// False when a is empty; true when b is empty; otherwise a is the same date as b or later.
bool VerGreaterThan(std::string_view a, std::string_view b);
// True when a is empty; otherwise, when b is not empty, a is earlier than b.
bool VerSmallerThan(std::string_view a, std::string_view b);

}  // namespace kv
