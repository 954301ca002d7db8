#include "shell/utilities.h"

#include <algorithm>
#include <vector>

#include "shell/format_settings.h"
#include "shell/rounding.h"
#include "shell/tokens.h"

namespace kv {

std::string RemoveBlank(std::string_view s) {
  std::string out;
  for (char c : s)
    if (c != ' ') out += c;
  return out.empty() ? "0" : out;
}

long double SqrX(int n, long double x) {
  long double result = x;
  for (int i = 1; i < n; ++i) result *= x;
  return result;
}

std::string FileNameToRegName(std::string_view name) {
  std::string out(name);
  std::replace(out.begin(), out.end(), '\\', '%');
  return out;
}

std::string RegNameToFileName(std::string_view name) {
  std::string out(name);
  std::replace(out.begin(), out.end(), '%', '\\');
  return out;
}

std::string CheckFileNameValidity(std::string_view name) {
  static constexpr std::string_view kForbidden = "\\/:*?,;\"`!(){}[]<>|%'";
  std::string out(name);
  for (char& c : out)
    if (kForbidden.find(c) != std::string_view::npos) c = '_';
  return out;
}

std::string CheckMinStep(std::string_view positions, long double step) {
  struct TPosition {
    long double Value;
    std::string Text;
  };
  std::vector<TPosition> list;
  const int count = NumToken(positions, ";");
  for (int i = 1; i <= count; ++i) {
    const std::string text = Token(positions, i, ";", true);
    long double value = 0;
    if (TryStrToFloat(text, value)) list.push_back({value, text});
  }
  auto by_value = [](const TPosition& a, const TPosition& b) { return a.Value < b.Value; };
  std::stable_sort(list.begin(), list.end(), by_value);
  const size_t original = list.size();
  for (size_t i = 1; i < original; ++i) {
    const long double gap = list[i].Value - list[i - 1].Value;
    if (gap < step) continue;
    const long double middle = list[i - 1].Value + GetRounded(gap / 2);
    list.push_back({middle, Format("%.1f", middle)});
  }
  std::stable_sort(list.begin(), list.end(), by_value);
  std::string out;
  for (const auto& p : list) out += (out.empty() ? "" : ";") + p.Text;
  return out;
}

std::string ExtractFile(std::string_view file_name, bool path, bool name, bool extension) {
  const size_t slash = file_name.find_last_of("/\\");
  const size_t base_begin = slash == std::string_view::npos ? 0 : slash + 1;
  size_t dot = file_name.find_last_of('.');
  if (dot == std::string_view::npos || dot < base_begin) dot = file_name.size();
  std::string out;
  if (path) out += file_name.substr(0, base_begin);
  if (name) out += file_name.substr(base_begin, dot - base_begin);
  if (extension) out += file_name.substr(dot);
  return out;
}

}  // namespace kv
