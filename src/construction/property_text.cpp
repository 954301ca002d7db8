#include "construction/property_text.h"

#include <algorithm>

namespace kv {

namespace {

std::string_view PropertyKey(std::string_view Line) { return Line.substr(0, Line.find('=')); }

}  // namespace

TStringList TextToStringList(std::string_view Text) {
  TStringList lines;
  while (!Text.empty()) {
    const size_t end = Text.find('\n');
    std::string_view line = Text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    Text.remove_prefix(end + 1);
  }
  return lines;
}

std::string StringListToText(const TStringList& Lines) {
  std::string text;
  for (size_t i = 0; i < Lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += Lines[i];
  }
  return text;
}

void MergePropertyLines(TStringList& Target, const TStringList& Source) {
  for (const std::string& line : Source) {
    const auto same_key = [&](const std::string& existing) { return PropertyKey(existing) == PropertyKey(line); };
    const auto found = std::find_if(Target.begin(), Target.end(), same_key);
    if (found != Target.end())
      *found = line;
    else
      Target.push_back(line);
  }
}

}  // namespace kv
