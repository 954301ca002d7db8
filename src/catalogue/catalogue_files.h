#pragma once
// The catalogue as files: building the four catalogue databases from SQL scripts, and the
// spreadsheet round trip (every table as one CSV file and back).
#include <filesystem>
#include <string>

#include "shell/databases.h"

namespace kv {

inline constexpr std::array<TDatabaseAlias, 4> kCatalogueAliases = {
    TDatabaseAlias::GXDB_Catalog, TDatabaseAlias::GXDB_Profile, TDatabaseAlias::GXDB_Furniture,
    TDatabaseAlias::GXDB_Accessory};

// The demo catalogue scripts: <data>/catalogue.
std::filesystem::path DemoCatalogueDir(const std::filesystem::path& data_dir);

// Creates the four catalogue databases in their directories from the schema scripts of
// data_dir and fills each with <sql_folder>/<AliasName>.sql. A script that fails raises
// EInOutError naming the file; a number, money, date or blob column holding a value of another kind
// (text that is no number, money in another form, a date that is no "yyyy-mm-dd" text, bytes that
// are no X'..' blob) raises EConvertError naming the table, column and key. The databases made so
// far are removed again.
void CreateCatalogueDatabases(const TDatabaseDirs& dirs, const std::filesystem::path& data_dir,
                              const std::filesystem::path& sql_folder);

// Writes every table of the four catalogue databases as <folder>/<Table>.csv in table order.
// Returns the number of files written.
int ExportCatalogueCsv(const TDatabaseDirs& dirs, const std::filesystem::path& folder);

// Reads every <Table>.csv of the folder into the catalogue databases (created from the schema
// when missing); each file replaces the rows of its table, tables without a file keep theirs.
// Every file is checked first: an unknown table or column, a value of the wrong type or length,
// a repeated key or a broken line is refused with EConvertError naming the file, line and column,
// and nothing is written. Returns the number of rows written.
int ImportCatalogueCsv(const std::filesystem::path& folder, const TDatabaseDirs& dirs,
                       const std::filesystem::path& data_dir);

}  // namespace kv
