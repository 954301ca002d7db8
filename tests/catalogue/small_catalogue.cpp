#include "catalogue/small_catalogue.h"

#include <unistd.h>

#include <atomic>

namespace kv::test {

std::filesystem::path SourceDataDir() { return std::filesystem::path(KV_SOURCE_DIR) / "data"; }

std::filesystem::path MakeTempFolder(const std::string& prefix) {
  static std::atomic<int> counter{0};
  const auto folder = std::filesystem::temp_directory_path() /
                      (prefix + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

TSmallCatalogue::TSmallCatalogue() : root_(MakeTempFolder("kv-catalogue")) {
  const TDatabaseDirs dirs = TDatabaseDirs::Below(root_);
  for (TDatabaseAlias alias : kDatabaseOpenOrder) CreateAliasDatabase(alias, dirs[alias], SourceDataDir());
}

TSmallCatalogue::~TSmallCatalogue() {
  Catalogue.CloseTables();
  Databases.CloseDatabases();
  std::filesystem::remove_all(root_);
}

void TSmallCatalogue::Insert(TDatabaseAlias alias, const std::string& table, const TRowValues& values) {
  TSqlConnection connection(DatabaseFile(TDatabaseDirs::Below(root_)[alias]).string(), false);
  std::string columns;
  std::string marks;
  std::vector<TSqlParam> params;
  for (const auto& [column, value] : values) {
    columns += (columns.empty() ? "\"" : ", \"") + column + "\"";
    marks += marks.empty() ? "?" : ", ?";
    params.push_back({"", value});
  }
  connection.Execute("INSERT INTO \"" + table + "\" (" + columns + ") VALUES (" + marks + ")", params);
}

void TSmallCatalogue::Insert(TDatabaseAlias alias, const std::string& table, const std::vector<std::string>& columns,
                             const TRows& rows) {
  for (const auto& row : rows) {
    if (row.size() != columns.size()) throw std::invalid_argument("a row of " + table + " does not fit its columns");
    TRowValues values;
    for (size_t i = 0; i < row.size(); ++i) values.emplace_back(columns[i], row[i]);
    Insert(alias, table, values);
  }
}

void TSmallCatalogue::Open() {
  Databases.OpenDatabases(TDatabaseDirs::Below(root_));
  Catalogue.OpenTables(Databases);
}

}  // namespace kv::test
