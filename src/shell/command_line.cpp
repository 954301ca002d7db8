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

bool FindParamStr(const std::string& name, std::string& value) {
  const std::string wanted = AnsiUpperCase(name);
  for (const auto& param : CommandLineParams()) {
    const std::string upper = AnsiUpperCase(param);
    const auto pos = upper.find(wanted);
    if (pos == std::string::npos) continue;
    value = CutUtf8(upper.substr(pos + wanted.size()), kMaxParamValue);
    return true;
  }
  value.clear();
  return false;
}

}  // namespace kv
