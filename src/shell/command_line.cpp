#include "shell/command_line.h"

#include "shell/code_page.h"

namespace kv {

namespace {

constexpr size_t kMaxParamValue = 1000;

// The first `limit` characters of a UTF-8 text.
std::string CutUtf8(std::string text, size_t limit) {
  size_t characters = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // continuation byte
    if (characters++ == limit) {
      text.resize(i);
      break;
    }
  }
  return text;
}

int FindWholeParam(const std::vector<std::string>& params, const std::string& name) {
  const std::string wanted = AnsiUpperCase(name);
  for (size_t i = 0; i < params.size(); ++i) {
    if (AnsiUpperCase(params[i]) == wanted) return static_cast<int>(i) + 1;
  }
  return -1;
}

// The rest of the first parameter that contains name, letter case aside, in the case it was
// typed. Upper-casing keeps the byte length of every letter, so positions carry over.
std::optional<std::string> FindParamRest(const std::vector<std::string>& params, const std::string& name) {
  const std::string wanted = AnsiUpperCase(name);
  for (const auto& param : params) {
    const auto pos = AnsiUpperCase(param).find(wanted);
    if (pos != std::string::npos) return CutUtf8(param.substr(pos + wanted.size()), kMaxParamValue);
  }
  return std::nullopt;
}

std::optional<std::string> UpperCased(std::optional<std::string> value) {
  if (value) *value = AnsiUpperCase(*value);
  return value;
}

}  // namespace

TCommandLine ParseCommandLine(std::vector<std::string> params) {
  TCommandLine line;
  line.ConfigMenu = FindWholeParam(params, kSwitchConfigMenu) > 0;
  line.DBConfig = UpperCased(FindParamRest(params, kSwitchDBConfig));
  line.OrderFile = FindParamRest(params, kSwitchOrder);
  line.User = UpperCased(FindParamRest(params, kSwitchUser));
  line.IgnoreUser = FindWholeParam(params, kSwitchIgnoreUser) > 0;
  line.Params = std::move(params);
  return line;
}

TCommandLine ParseCommandLine(int argc, const char* const* argv) {
  return ParseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}

void SetCommandLine(std::vector<std::string> params) { CommandLine() = ParseCommandLine(std::move(params)); }

bool ExeParamExists(const std::string& name, int& index) {
  index = FindWholeParam(CommandLine().Params, name);
  return index > 0;
}

bool ExeParamExists(const std::string& name) {
  int index = -1;
  return ExeParamExists(name, index);
}

bool FindParamText(const std::string& name, std::string& value) {
  const std::optional<std::string> rest = FindParamRest(CommandLine().Params, name);
  value = rest.value_or("");
  return rest.has_value();
}

bool FindParamStr(const std::string& name, std::string& value) {
  const bool found = FindParamText(name, value);
  value = AnsiUpperCase(value);
  return found;
}

}  // namespace kv
