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

}  // namespace

std::vector<std::string>& CommandLineParams() {
  static std::vector<std::string> params;
  return params;
}

void SetCommandLine(int argc, const char* const* argv) {
  CommandLineParams().assign(argv + (argc > 0 ? 1 : 0), argv + argc);
}

TCommandLineScope::TCommandLineScope(std::vector<std::string> params) : saved_(std::move(CommandLineParams())) {
  CommandLineParams() = std::move(params);
}

TCommandLineScope::~TCommandLineScope() { CommandLineParams() = std::move(saved_); }

bool ExeParamExists(const std::string& name, int& index) {
  const std::string wanted = AnsiUpperCase(name);
  const auto& params = CommandLineParams();
  for (size_t i = 0; i < params.size(); ++i) {
    if (AnsiUpperCase(params[i]) == wanted) {
      index = static_cast<int>(i) + 1;
      return true;
    }
  }
  index = -1;
  return false;
}

bool ExeParamExists(const std::string& name) {
  int index = -1;
  return ExeParamExists(name, index);
}

namespace {

// The rest of the first parameter that contains name, letter case aside, in the case it was
// typed. Upper-casing keeps the byte length of every letter, so positions carry over.
bool FindParamRest(const std::string& name, std::string& value) {
  const std::string wanted = AnsiUpperCase(name);
  for (const auto& param : CommandLineParams()) {
    const auto pos = AnsiUpperCase(param).find(wanted);
    if (pos == std::string::npos) continue;
    value = CutUtf8(param.substr(pos + wanted.size()), kMaxParamValue);
    return true;
  }
  value.clear();
  return false;
}

}  // namespace

bool FindParamStr(const std::string& name, std::string& value) {
  const bool found = FindParamRest(name, value);
  value = AnsiUpperCase(value);
  return found;
}

bool FindParamText(const std::string& name, std::string& value) { return FindParamRest(name, value); }

}  // namespace kv
