#pragma once
// Versions of the document formats are dates "dd.mm.yyyy", compared by year*365 + month*31 + day.
// A text whose day (1..31), month (1..12) or year (1..9999) is missing or out of range is not a
// version: it is neither greater nor smaller than a version, so a reader refuses it.
#include <optional>
#include <string_view>

namespace kv {

// A version read once, for a reader that compares it with the format date of every field.
class TVersionKey {
public:
  explicit TVersionKey(std::string_view version);
  // VerGreaterThan(version, date).
  bool NotOlderThan(std::string_view date) const;

private:
  bool empty_;
  std::optional<long long> key_;
};

// False when a is empty; true when b is empty; otherwise a is the same date as b or later.
bool VerGreaterThan(std::string_view a, std::string_view b);
// True when a is empty; otherwise, when b is not empty, a is earlier than b.
bool VerSmallerThan(std::string_view a, std::string_view b);

}  // namespace kv
