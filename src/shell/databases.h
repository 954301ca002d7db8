#pragma once
// The eight databases of the program (the database module DM_DB): one connection object per
// alias with its directory, opened in a fixed order and closed in the same order. Each alias
// directory holds one SQLite file (kDatabaseFileName) with that alias's tables; every open alias
// is attached to the single SQL connection under its alias name.
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "shell/table_engine.h"

namespace kv {

struct TConfiguration;

enum class TDatabaseAlias {
  GXDB_Catalog,
  GXDB_Profile,
  GXDB_Furniture,
  GXDB_Accessory,
  GXDB_Registry,
  GXDB_Private,
  GXDB_SysDB,
  GXDB_Report
};
inline constexpr int kDatabaseAliasCount = 8;

// Start-up order; shut-down closes in the same order.
inline constexpr std::array<TDatabaseAlias, kDatabaseAliasCount> kDatabaseOpenOrder = {
    TDatabaseAlias::GXDB_Catalog,   TDatabaseAlias::GXDB_Profile,  TDatabaseAlias::GXDB_Furniture,
    TDatabaseAlias::GXDB_Accessory, TDatabaseAlias::GXDB_Registry, TDatabaseAlias::GXDB_Private,
    TDatabaseAlias::GXDB_SysDB,     TDatabaseAlias::GXDB_Report};

// The file of the tables inside an alias directory.
inline constexpr const char* kDatabaseFileName = "korvent.sqlite";

// "GXDB_Catalog", ...
std::string_view AliasName(TDatabaseAlias alias);
// The alias of a name (case-insensitive); raises EDatabaseError for an unknown one.
TDatabaseAlias AliasByName(std::string_view name);
// Catalogue aliases are read-only and loaded into memory at open.
bool IsCatalogueAlias(TDatabaseAlias alias);
// The short folder name used for an alias below a common root ("Catalog", "Profile",
// "Furniture", "Accessory", "Registry", "Private", "SysDB", "Report").
std::string_view AliasFolderName(TDatabaseAlias alias);
std::filesystem::path DatabaseFile(const std::string& directory);

// The directory of each alias (the configuration globals GXCatalogDir ... GXReportDir).
struct TDatabaseDirs {
  std::array<std::string, kDatabaseAliasCount> Dir;
  std::string& operator[](TDatabaseAlias alias) { return Dir[static_cast<int>(alias)]; }
  const std::string& operator[](TDatabaseAlias alias) const { return Dir[static_cast<int>(alias)]; }
  // Every alias in its folder (AliasFolderName) below one root.
  static TDatabaseDirs Below(const std::filesystem::path& root);
};

// One connection: alias, driver parameters and state.
struct TDatabaseConnection {
  TDatabaseAlias Alias = TDatabaseAlias::GXDB_Catalog;
  std::string Directory;
  std::vector<std::string> Params;  // "PATH=%s", "DEFAULT DRIVER=SQLITE3", "ENABLE BCD=TRUE"
  bool Connected = false;
};

class TDatabases {
public:
  TDatabases();
  ~TDatabases();  // closes what is open
  TDatabases(const TDatabases&) = delete;
  TDatabases& operator=(const TDatabases&) = delete;

  void SetDirectory(TDatabaseAlias alias, const std::string& directory);
  void SetDirectories(const TDatabaseDirs& dirs);
  const TDatabaseConnection& Connection(TDatabaseAlias alias) const;
  bool IsOpen(TDatabaseAlias alias) const { return Connection(alias).Connected; }

  // (Re)opens one connection: close it, set its parameters from its directory, attach its
  // database. A directory or database that cannot be opened raises EDatabaseError with the
  // directory in its text.
  void Open(TDatabaseAlias alias);
  // Closes one connection (harmless when closed).
  void Close(TDatabaseAlias alias);

  void OpenCatalogDatabase() { Open(TDatabaseAlias::GXDB_Catalog); }
  void CloseCatalogDatabase() { Close(TDatabaseAlias::GXDB_Catalog); }
  void OpenProfileDatabase() { Open(TDatabaseAlias::GXDB_Profile); }
  void CloseProfileDatabase() { Close(TDatabaseAlias::GXDB_Profile); }
  void OpenFurnitureDatabase() { Open(TDatabaseAlias::GXDB_Furniture); }
  void CloseFurnitureDatabase() { Close(TDatabaseAlias::GXDB_Furniture); }
  void OpenAccessoryDatabase() { Open(TDatabaseAlias::GXDB_Accessory); }
  void CloseAccessoryDatabase() { Close(TDatabaseAlias::GXDB_Accessory); }
  void OpenRegistryDatabase() { Open(TDatabaseAlias::GXDB_Registry); }
  void CloseRegistryDatabase() { Close(TDatabaseAlias::GXDB_Registry); }
  void OpenPrivateDatabase() { Open(TDatabaseAlias::GXDB_Private); }
  void ClosePrivateDatabase() { Close(TDatabaseAlias::GXDB_Private); }
  void OpenSysDBDatabase() { Open(TDatabaseAlias::GXDB_SysDB); }
  void CloseSysDBDatabase() { Close(TDatabaseAlias::GXDB_SysDB); }
  void OpenReportDatabase() { Open(TDatabaseAlias::GXDB_Report); }
  void CloseReportDatabase() { Close(TDatabaseAlias::GXDB_Report); }

  // The eight in start-up order (stops at the first failure, which propagates).
  void OpenDatabases(const TDatabaseDirs& dirs);
  // The eight in the same order.
  void CloseDatabases();

  // The connection where every open alias is attached under its name; SQL texts may name
  // tables as ":GXDB_Registry:OrderLst.db".
  TSqlConnection& Sql() { return sql_; }

private:
  TDatabaseConnection& Mutable(TDatabaseAlias alias);
  std::array<TDatabaseConnection, kDatabaseAliasCount> connections_;
  TSqlConnection sql_;
};

// The directories of the eight aliases in the configuration.
TDatabaseDirs DatabaseDirsOf(const TConfiguration& config);

// The database module (DM_DB) of the current session context.
TDatabases& DM_DB();

// The folder of the program's data (schemas, demo catalogue): $KORVENT_DATA_DIR when set, else
// the installed data beside the program (../share/korvent from its bin/ folder), else the first
// "data" folder with a "schema" sub-folder found from the program's directory upwards (the
// source tree). Raises EInOutError when there is none.
std::filesystem::path DataDir();
// The schema script of an alias: <data>/schema/<AliasName>.sql.
std::filesystem::path SchemaFile(TDatabaseAlias alias, const std::filesystem::path& data_dir);

// Creates the directory (with parents) and a fresh database in it holding the alias's empty
// tables from its schema script. An existing database file is refused with EInOutError.
void CreateAliasDatabase(TDatabaseAlias alias, const std::string& directory, const std::filesystem::path& data_dir);

}  // namespace kv
