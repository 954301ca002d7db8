#pragma once
// The program's command-line switches and the two functions that look for them. Switch names are
// matched without regard to letter case; a value found after a switch comes back upper-cased.
#include <optional>
#include <string>
#include <vector>

namespace kv {

inline constexpr const char* kSwitchConfigMenu = "/CONFIGMENU";  // whole parameter
inline constexpr const char* kSwitchDBConfig = "/DBCONFIG:";     // followed by a configuration name
inline constexpr const char* kSwitchOrder = "/Order:";           // followed by an order file
inline constexpr const char* kSwitchUser = "/User:";             // followed by a user name
inline constexpr const char* kSwitchIgnoreUser = "/IgnoreUser";  // whole parameter

// The command line of a run as the program's entry point parsed it: the parameters as typed
// (without the program name) and the switches found in them.
struct TCommandLine {
  std::vector<std::string> Params;
  bool ConfigMenu = false;               // /CONFIGMENU
  std::optional<std::string> DBConfig;   // /DBCONFIG:, upper-cased
  std::optional<std::string> OrderFile;  // /Order:, as typed (file names are case-sensitive)
  std::optional<std::string> User;       // /User:, upper-cased
  bool IgnoreUser = false;               // /IgnoreUser
};

TCommandLine ParseCommandLine(std::vector<std::string> params);
TCommandLine ParseCommandLine(int argc, const char* const* argv);

// The command line of the current session context.
TCommandLine& CommandLine();
// Parses params into the current session context (batch jobs and tests).
void SetCommandLine(std::vector<std::string> params);

// The parameters searched are those of the current session context.
// The first parameter equal to name, letter case aside; index gets its 1-based position or -1.
bool ExeParamExists(const std::string& name, int& index);
bool ExeParamExists(const std::string& name);
// The first parameter that contains name, letter case aside: value gets the upper-cased rest of
// that parameter after name (at most 1000 characters).
bool FindParamStr(const std::string& name, std::string& value);
// As FindParamStr, but the value keeps the letter case it was typed in (file names).
bool FindParamText(const std::string& name, std::string& value);

}  // namespace kv
