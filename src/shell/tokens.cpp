#include "shell/tokens.h"

#include <algorithm>

namespace kv {

namespace {

bool IsDelim(char c, std::string_view delims) { return delims.find(c) != std::string_view::npos; }

// Index just after the n-th delimiter (n >= 1), npos when there are fewer.
size_t AfterDelimiter(std::string_view s, int n, std::string_view delims) {
  int seen = 0;
  for (size_t i = 0; i < s.size(); ++i)
    if (IsDelim(s[i], delims) && ++seen == n) return i + 1;
  return std::string_view::npos;
}

std::string MaybeTrim(std::string_view s, bool trim) { return trim ? Trim(s) : std::string(s); }

std::string SetCheckMark(std::string_view s, char mark) {
  std::string t(s);
  if (t.size() >= 2 && t[t.size() - 2] == '\t') {
    t.back() = mark;
  } else {
    t += '\t';
    t += mark;
  }
  return t;
}

}  // namespace

std::string Trim(std::string_view s) {
  const size_t begin = s.find_first_not_of(' ');
  if (begin == std::string_view::npos) return "";
  const size_t end = s.find_last_not_of(' ');
  return std::string(s.substr(begin, end - begin + 1));
}

int NumToken(std::string_view s, std::string_view delims) {
  if (s.empty()) return 0;
  return 1 + static_cast<int>(std::count_if(s.begin(), s.end(), [&](char c) { return IsDelim(c, delims); }));
}

std::string Token(std::string_view s, int n, std::string_view delims, bool trim) {
  if (n < 1 || n > NumToken(s, delims)) return "";
  const size_t begin = n == 1 ? 0 : AfterDelimiter(s, n - 1, delims);
  size_t end = begin;
  while (end < s.size() && !IsDelim(s[end], delims)) ++end;
  return MaybeTrim(s.substr(begin, end - begin), trim);
}

int PosToken(std::string_view s, int n, std::string_view delims) {
  if (n < 1) return 0;
  const size_t after = AfterDelimiter(s, n, delims);
  return after == std::string_view::npos ? 0 : static_cast<int>(after);
}

std::string GetStrAfterToken(std::string_view s, int n, std::string_view delims, bool trim) {
  const size_t after = n < 1 ? std::string_view::npos : AfterDelimiter(s, n, delims);
  return MaybeTrim(after == std::string_view::npos ? s : s.substr(after), trim);
}

bool FindToken(std::string_view s, std::string_view token, std::string_view delims) {
  const int count = NumToken(s, delims);
  for (int i = 1; i <= count; ++i)
    if (Token(s, i, delims, true) == token) return true;
  return false;
}

std::string InsertToken(std::string_view s, int n, std::string_view token, std::string_view delims) {
  const std::string joint = delims.empty() ? std::string(";") : std::string(1, delims.front());
  if (s.empty()) return std::string(token);
  if (n > NumToken(s, delims)) return std::string(s) + joint + std::string(token);
  if (n <= 1) return std::string(token) + joint + std::string(s);
  const size_t at = AfterDelimiter(s, n - 1, delims);
  return std::string(s.substr(0, at)) + std::string(token) + joint + std::string(s.substr(at));
}

bool StringChecked(std::string_view s) { return s.size() >= 2 && s.substr(s.size() - 2) == "\t1"; }
bool StringUnChecked(std::string_view s) { return s.size() >= 2 && s.substr(s.size() - 2) == "\t0"; }
std::string CheckString(std::string_view s) { return SetCheckMark(s, '1'); }
std::string UnCheckString(std::string_view s) { return SetCheckMark(s, '0'); }

std::string ClearStringChecking(std::string_view s) {
  if (s.size() >= 2 && s[s.size() - 2] == '\t') return std::string(s.substr(0, s.size() - 2));
  return std::string(s);
}

void CheckStringList(std::vector<std::string>& list) {
  for (auto& s : list) s = CheckString(s);
}

void ClearStringListChecking(std::vector<std::string>& list) {
  for (auto& s : list) s = ClearStringChecking(s);
}

void RemoveUnCheckStringList(std::vector<std::string>& list) {
  std::erase_if(list, [](const std::string& s) { return StringUnChecked(s); });
}

}  // namespace kv
