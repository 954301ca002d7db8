#pragma once
// The active database configuration: which named configuration of the registry this run uses,
// its directory set, the table engine's per-run private directory, the station name, and the
// marker file of the last currency update.
#include <iosfwd>
#include <string>
#include <vector>

#include "shell/date_time.h"

namespace kv {

// The configuration globals, written once by LoadDBConfigDir and read everywhere afterwards.
// Directories are in the platform's form, without a trailing separator.
struct TConfiguration {
  std::string GXConfigName;
  std::string GXCatalogDir;
  std::string GXProfileDir;
  std::string GXFurnitureDir;
  std::string GXAccessoryDir;
  std::string GXStorageDir;
  std::string GXOptiProfDir;
  std::string GXMachinaryDir;
  std::string GXPrivateDir;
  std::string GXSysDBDir;
  std::string GXReportDir;
  std::string GXRegistryDir;
  std::string GXIniFile;
  std::string GXServerName;
  std::string GXWorkDir;
  std::string GXCalcDir;
  std::string GXCompleteDir;
  std::string GXClosedDir;
  std::string GXSelectionDir;
  std::string GXDocumentDir;
  std::string GXTemplateDir;
  std::string GXRecycledDir;
  std::string GXArchiveDir;
  std::string GXOptiProfFileDir;
  std::string GXExportDir;
  std::string GXMachinaryExportDir;
  std::string GXInboxDir;
  std::string GXOutboxDir;
  std::string GXStorageReportDir;
  std::string GXStorageOrderDir;
  std::string GXOptiProfOrderDir;
  std::string GXComplectDir;    // not in the registry; stays empty unless set elsewhere
  std::string GXBDEPrivateDir;  // the table engine's private directory of this run
  std::string GXStationName;    // this computer's host name, "????" when unknown
  // The table engine's session settings (values NetDir and TempDir of the configuration).
  std::string EngineNetDir;
  std::string EnginePrivateDir;
};

// One value of a configuration key and the global it fills, in the order they are read.
struct TConfigurationValue {
  const char* ValueName;
  std::string TConfiguration::*Global;
  bool IsDirectory;  // a path: separators normalised, the trailing one removed
};
const std::vector<TConfigurationValue>& ConfigurationValues();

// The configuration of the current session context.
TConfiguration& Configuration();

// The list of configurations shown by the /CONFIGMENU switch: the sub-keys of the DBConfig key
// with the default one marked; returns false when the user cancels.
class IConfigListDialog {
public:
  virtual ~IConfigListDialog() = default;
  virtual bool Execute(const std::vector<std::string>& names, const std::string& default_name, std::string& chosen) = 0;
};

// Prints the numbered list and reads a number or a name; an empty line or the end of input
// cancels.
class TConsoleConfigListDialog : public IConfigListDialog {
public:
  TConsoleConfigListDialog(std::istream& in, std::ostream& out) : in_(in), out_(out) {}
  bool Execute(const std::vector<std::string>& names, const std::string& default_name, std::string& chosen) override;

private:
  std::istream& in_;
  std::ostream& out_;
};

IConfigListDialog& ConfigListDialog();
// Installs the dialog in the current session context (the desktop program installs its window);
// nullptr restores the console dialog.
void SetConfigListDialog(IConfigListDialog* dialog);

// The path with the platform's separators and without a trailing separator.
std::string RemoveDirLastChar(const std::string& path);

// Value DefaultConfig of the DBConfig key ("" when not set); a registry failure is shown.
void GetDefaultDBConfig(std::string& name);
// Value DefaultUser of the DBConfig key, 0 when not set.
int GetDefaultUser();
void SetDefaultUser(int user_id);

// Resolves the configuration of this run (the /CONFIGMENU and /DBCONFIG: switches, else the
// default one), loads its values into Configuration() and creates the engine's private
// directory. False ends the program; ask_flag comes back false when the user cancelled the list
// or the configuration was found.
bool LoadDBConfigDir(bool& ask_flag);
// A configuration is one sub-key of DBConfig: its name is not empty and holds no "\" (which
// would name a key below another configuration).
bool IsValidConfigurationName(const std::string& name);
// Reads the values of the named configuration into config (no private directory is made);
// false when there is no such configuration. Raises ERegistryError.
bool ReadConfiguration(const std::string& name, TConfiguration& config);
// Removes the engine's private directory of this run when it is empty.
void DeleteTempDir();

std::string LoadStationProperty();

// The date of the last currency update, kept in "Tolvared.lcu" of dir (of the program's
// directory when dir is empty); yesterday when there is no such file.
TDateTime LoadLastCurrencyUpdate(const std::string& dir);
// Raises EInOutError when the file cannot be written.
void SaveLastCurrencyUpdate(const std::string& dir, TDateTime value);

}  // namespace kv
