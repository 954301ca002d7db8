#pragma once
// The program's command-line switches and the two functions that look for them. Switch names are
// matched without regard to letter case; a value found after a switch comes back upper-cased.
#include <string>
#include <vector>

namespace kv {

inline constexpr const char* kSwitchConfigMenu = "/CONFIGMENU";  // whole parameter
inline constexpr const char* kSwitchDBConfig = "/DBCONFIG:";     // followed by a configuration name
inline constexpr const char* kSwitchOrder = "/Order:";           // followed by an order file
inline constexpr const char* kSwitchUser = "/User:";             // followed by a user name
inline constexpr const char* kSwitchIgnoreUser = "/IgnoreUser";  // whole parameter

// The parameters of this run, without the program name (parameter 1 is element 0).
std::vector<std::string>& CommandLineParams();
void SetCommandLine(int argc, const char* const* argv);

// Replaces the parameters for the lifetime of the scope (tests, batch jobs).
class TCommandLineScope {
public:
  explicit TCommandLineScope(std::vector<std::string> params);
  ~TCommandLineScope();
  TCommandLineScope(const TCommandLineScope&) = delete;
  TCommandLineScope& operator=(const TCommandLineScope&) = delete;

private:
  std::vector<std::string> saved_;
};

// The first parameter equal to name, letter case aside; index gets its 1-based position or -1.
bool ExeParamExists(const std::string& name, int& index);
bool ExeParamExists(const std::string& name);
// The first parameter that contains name, letter case aside: value gets the upper-cased rest of
// that parameter after name (at most 1000 characters).
bool FindParamStr(const std::string& name, std::string& value);
// As FindParamStr, but the value keeps the letter case it was typed in (file names).
bool FindParamText(const std::string& name, std::string& value);

}  // namespace kv
