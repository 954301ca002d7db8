#include "shell/databases.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "shell/code_page.h"
#include "shell/configuration.h"
#include "shell/format_settings.h"
#include "shell/paths.h"

namespace kv {

namespace {

constexpr std::array<std::string_view, kDatabaseAliasCount> kAliasNames = {
    "GXDB_Catalog",  "GXDB_Profile", "GXDB_Furniture", "GXDB_Accessory",
    "GXDB_Registry", "GXDB_Private", "GXDB_SysDB",     "GXDB_Report"};
constexpr std::array<std::string_view, kDatabaseAliasCount> kFolderNames = {
    "Catalog", "Profile", "Furniture", "Accessory", "Registry", "Private", "SysDB", "Report"};

// Where `cmake --install` puts the data, relative to the installed programs in bin/.
constexpr const char* kInstalledDataDir = "../share/korvent";

int Position(TDatabaseAlias alias) { return static_cast<int>(alias); }

// The system database holds the users' password hashes: only its owner may read or write it. The
// engine gives its journal files the same permissions.
void CreateOwnerOnlyFile(const std::filesystem::path& file) {
  const int handle = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (handle < 0)
    throw EInOutError(Format("Не удалось создать файл базы данных [%s]\r\n(%s)", file.string(), std::strerror(errno)));
  ::close(handle);
}

}  // namespace

std::string_view AliasName(TDatabaseAlias alias) { return kAliasNames[Position(alias)]; }

TDatabaseAlias AliasByName(std::string_view name) {
  for (int i = 0; i < kDatabaseAliasCount; ++i) {
    if (AnsiSameText(kAliasNames[i], name)) return static_cast<TDatabaseAlias>(i);
  }
  throw EDatabaseError(Format("Неизвестный псевдоним базы данных [%s]", name));
}

bool IsCatalogueAlias(TDatabaseAlias alias) { return Position(alias) <= Position(TDatabaseAlias::GXDB_Accessory); }

std::string_view AliasFolderName(TDatabaseAlias alias) { return kFolderNames[Position(alias)]; }

std::filesystem::path DatabaseFile(const std::string& directory) {
  return std::filesystem::path(directory) / kDatabaseFileName;
}

TDatabaseDirs TDatabaseDirs::Below(const std::filesystem::path& root) {
  TDatabaseDirs dirs;
  for (TDatabaseAlias alias : kDatabaseOpenOrder) dirs[alias] = (root / AliasFolderName(alias)).string();
  return dirs;
}

TDatabases::TDatabases() {
  for (TDatabaseAlias alias : kDatabaseOpenOrder) Mutable(alias).Alias = alias;
}

TDatabases::~TDatabases() {
  for (TDatabaseAlias alias : kDatabaseOpenOrder) {
    try {
      Close(alias);
    } catch (const EKvError&) {
      // Nothing can be reported while the module goes away; the connection closes with it.
    }
  }
}

TDatabaseConnection& TDatabases::Mutable(TDatabaseAlias alias) { return connections_[Position(alias)]; }

const TDatabaseConnection& TDatabases::Connection(TDatabaseAlias alias) const { return connections_[Position(alias)]; }

void TDatabases::SetDirectory(TDatabaseAlias alias, const std::string& directory) {
  Mutable(alias).Directory = NormalizePath(directory);
}

void TDatabases::SetDirectories(const TDatabaseDirs& dirs) {
  for (TDatabaseAlias alias : kDatabaseOpenOrder) SetDirectory(alias, dirs[alias]);
}

void TDatabases::Open(TDatabaseAlias alias) {
  Close(alias);
  TDatabaseConnection& connection = Mutable(alias);
  connection.Params.clear();
  connection.Params.push_back(Format("PATH=%s", connection.Directory));
  connection.Params.push_back("DEFAULT DRIVER=SQLITE3");
  connection.Params.push_back("ENABLE BCD=TRUE");
  sql_.Attach(std::string(AliasName(alias)), DatabaseFile(connection.Directory).string(), IsCatalogueAlias(alias));
  connection.Connected = true;
}

void TDatabases::Close(TDatabaseAlias alias) {
  TDatabaseConnection& connection = Mutable(alias);
  if (!connection.Connected) return;
  connection.Connected = false;
  sql_.Detach(std::string(AliasName(alias)));
}

void TDatabases::OpenDatabases(const TDatabaseDirs& dirs) {
  SetDirectories(dirs);
  for (TDatabaseAlias alias : kDatabaseOpenOrder) Open(alias);
}

void TDatabases::CloseDatabases() {
  for (TDatabaseAlias alias : kDatabaseOpenOrder) Close(alias);
}

TDatabaseDirs DatabaseDirsOf(const TConfiguration& config) {
  TDatabaseDirs dirs;
  dirs[TDatabaseAlias::GXDB_Catalog] = config.GXCatalogDir;
  dirs[TDatabaseAlias::GXDB_Profile] = config.GXProfileDir;
  dirs[TDatabaseAlias::GXDB_Furniture] = config.GXFurnitureDir;
  dirs[TDatabaseAlias::GXDB_Accessory] = config.GXAccessoryDir;
  dirs[TDatabaseAlias::GXDB_Registry] = config.GXRegistryDir;
  dirs[TDatabaseAlias::GXDB_Private] = config.GXPrivateDir;
  dirs[TDatabaseAlias::GXDB_SysDB] = config.GXSysDBDir;
  dirs[TDatabaseAlias::GXDB_Report] = config.GXReportDir;
  return dirs;
}

std::filesystem::path DataDir() {
  const auto has_schema = [](const std::filesystem::path& dir) {
    std::error_code error;
    return std::filesystem::is_directory(dir / "schema", error);
  };
  if (const char* configured = std::getenv("KORVENT_DATA_DIR"); configured && *configured) {
    return configured;
  }
  if (const char* source = std::getenv("KV_SOURCE_DIR"); source && *source) {
    if (has_schema(std::filesystem::path(source) / "data")) return std::filesystem::path(source) / "data";
  }
  if (const auto installed = ProgramDir() / kInstalledDataDir; has_schema(installed))
    return installed.lexically_normal();
  for (std::filesystem::path dir = ProgramDir(); !dir.empty(); dir = dir.parent_path()) {
    if (has_schema(dir / "data")) return dir / "data";
    if (dir == dir.parent_path()) break;
  }
  throw EInOutError("Не найдена папка данных программы (data/schema)");
}

std::filesystem::path SchemaFile(TDatabaseAlias alias, const std::filesystem::path& data_dir) {
  return data_dir / "schema" / (std::string(AliasName(alias)) + ".sql");
}

void CreateAliasDatabase(TDatabaseAlias alias, const std::string& directory, const std::filesystem::path& data_dir) {
  const std::filesystem::path file = DatabaseFile(directory);
  if (std::filesystem::exists(file)) {
    throw EInOutError(Format("Файл базы данных [%s] уже существует", file.string()));
  }
  const std::filesystem::path schema = SchemaFile(alias, data_dir);
  if (!std::filesystem::is_regular_file(schema)) {
    throw EInOutError(Format("Не удалось прочитать файл [%s]", schema.string()));
  }
  CreateFolder(directory);
  if (alias == TDatabaseAlias::GXDB_SysDB) CreateOwnerOnlyFile(file);
  try {
    TSqlConnection connection(file.string(), true);
    connection.ExecuteScriptFile(schema);
  } catch (const EKvError&) {
    std::filesystem::remove(file);
    throw;
  }
}

}  // namespace kv
