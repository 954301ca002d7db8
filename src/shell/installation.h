#pragma once
// A new, working installation below one folder: the registry key of a configuration with every
// directory value, its INI file, the order storage tree and the eight alias databases (the
// system one with an administrator). What the administration program does on a new station.
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

#include "shell/databases.h"

namespace kv {

// The administrator's password of a new installation when nobody chose another.
inline constexpr const char* kDefaultAdminPassword = "admin";

struct TInstallationOptions {
  std::filesystem::path Root;
  std::string ConfigName = "Main";
  bool MakeDefault = false;
  std::string AdminName = "Администратор";
  std::string AdminPassword = kDefaultAdminPassword;
  // Fills the four catalogue aliases' directories (each created beforehand); when empty they
  // get the empty tables of their schema scripts.
  std::function<void(const TDatabaseDirs& dirs)> CreateCatalogue;
};

// Creates the installation and reports each step to `log` (never the password). An invalid
// configuration name, or an installation that exists already (its configuration key or a
// database), is refused with EKvError before anything is written. A failure leaves nothing
// behind, so the same set-up can simply run again.
void CreateInstallation(const TInstallationOptions& options, std::ostream& log);

}  // namespace kv
