#include "catalogue/catalogue_files.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

#include "shell/format_settings.h"
#include "shell/paths.h"
#include "shell/sqlite_statement.h"
#include "shell/table_csv.h"

namespace kv {

namespace {

// A table of the schema and the alias it belongs to.
struct TSchemaTable {
  TDatabaseAlias Alias = TDatabaseAlias::GXDB_Catalog;
  TTableInfo Info;
};

// Every catalogue table as the schema scripts define it.
std::map<std::string, TSchemaTable> CatalogueSchema(const std::filesystem::path& data_dir) {
  std::map<std::string, TSchemaTable> tables;
  for (TDatabaseAlias alias : kCatalogueAliases) {
    TSqlConnection connection;
    connection.ExecuteScriptFile(SchemaFile(alias, data_dir));
    for (const std::string& name : ReadTableNames(connection, "main")) {
      tables[name] = {alias, ReadTableInfo(connection, "main", name)};
    }
  }
  return tables;
}

// The rows of one CSV file, checked against its table.
struct TCsvTable {
  std::string Name;
  const TSchemaTable* Schema = nullptr;
  std::vector<std::string> Columns;
  std::vector<TRecord> Rows;
};

[[noreturn]] void Refuse(const std::string& file, int line, const std::string& column, const std::string& reason) {
  throw EConvertError(column.empty() ? Format("Файл %s, строка %d: %s", file, line, reason)
                                     : Format("Файл %s, строка %d, столбец %s: %s", file, line, column, reason));
}

std::vector<int> HeaderColumns(const TCsvRecord& header, const TTableInfo& info, const std::string& file,
                               std::vector<std::string>& names) {
  std::vector<int> columns;
  for (const auto& text : header.Fields) {
    const std::string name = text.value_or("");
    const auto found = std::find_if(info.Fields.begin(), info.Fields.end(),
                                    [&](const TFieldDef& field) { return field.Name == name; });
    if (found == info.Fields.end()) Refuse(file, header.Line, name, "неизвестный столбец таблицы");
    if (std::find(names.begin(), names.end(), name) != names.end())
      Refuse(file, header.Line, name, "столбец повторяется");
    names.push_back(name);
    columns.push_back(static_cast<int>(found - info.Fields.begin()));
  }
  return columns;
}

TCsvTable ReadCsvTable(const std::filesystem::path& path, const std::map<std::string, TSchemaTable>& schema) {
  const std::string file = path.filename().string();
  TCsvTable table;
  table.Name = path.stem().string();
  const auto found = schema.find(table.Name);
  if (found == schema.end()) Refuse(file, 1, "", Format("таблица %s не существует в каталоге", table.Name));
  table.Schema = &found->second;
  const TTableInfo& info = found->second.Info;
  const std::vector<TCsvRecord> records = ParseCsv(ReadTextFile(path), file);
  if (records.empty()) Refuse(file, 1, "", "нет строки заголовка");
  const std::vector<int> columns = HeaderColumns(records.front(), info, file, table.Columns);
  std::set<std::string> keys;
  for (size_t r = 1; r < records.size(); ++r) {
    const TCsvRecord& record = records[r];
    if (record.Fields.size() == 1 && !record.Fields[0] && columns.size() > 1) continue;  // blank line
    if (record.Fields.size() != columns.size()) {
      Refuse(file, record.Line, "",
             Format("полей %d, а в заголовке %d", static_cast<int>(record.Fields.size()),
                    static_cast<int>(columns.size())));
    }
    TRecord row(columns.size());
    for (size_t c = 0; c < columns.size(); ++c) {
      std::string reason;
      if (!TryParseCsvValue(record.Fields[c], info.Fields[columns[c]], row[c], reason)) {
        Refuse(file, record.Line, table.Columns[c], reason);
      }
    }
    if (!info.PrimaryKey.empty()) {
      TKey key;
      std::string shown;
      for (const std::string& key_column : info.PrimaryKey) {
        const auto position = std::find(table.Columns.begin(), table.Columns.end(), key_column) - table.Columns.begin();
        const TValue value = position < static_cast<long>(row.size()) ? row[position] : TValue();
        if (value.IsNull()) Refuse(file, record.Line, key_column, "нет значения ключа");
        key.Add(value);
        shown += (shown.empty() ? "" : "; ") + value.AsString();
      }
      if (!keys.insert(key.Text()).second)
        Refuse(file, record.Line, info.PrimaryKey.front(), Format("ключ [%s] повторяется", shown));
    }
    table.Rows.push_back(std::move(row));
  }
  return table;
}

int WriteCsvTable(TSqlConnection& connection, const TCsvTable& table) {
  connection.Execute("DELETE FROM \"" + table.Name + "\"");
  if (table.Columns.empty()) return 0;
  std::string columns, marks;
  for (const std::string& column : table.Columns) {
    columns += (columns.empty() ? "\"" : ", \"") + column + "\"";
    marks += marks.empty() ? "?" : ", ?";
  }
  TSqliteStatement insert(connection, "INSERT INTO \"" + table.Name + "\" (" + columns + ") VALUES (" + marks + ")");
  for (const TRecord& row : table.Rows) {
    insert.Reset();
    for (size_t c = 0; c < row.size(); ++c) insert.Bind(static_cast<int>(c) + 1, row[c]);
    insert.Step();
  }
  return static_cast<int>(table.Rows.size());
}

bool IsNumeric(TFieldType type) {
  switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc:
    case TFieldType::ftBCD:
    case TFieldType::ftFloat: return true;
    default: return false;
  }
}

// Refuses the first value of a numeric column that the engine kept as text or bytes (its column
// affinity could not convert it), naming the table, column and key of the row.
void CheckStoredTypes(TSqlConnection& connection) {
  for (const std::string& table : ReadTableNames(connection, "main")) {
    const TTableInfo info = ReadTableInfo(connection, "main", table);
    std::string key = "rowid";
    if (!info.PrimaryKey.empty()) {
      key.clear();
      for (const std::string& column : info.PrimaryKey) key += (key.empty() ? "\"" : ", \"") + column + "\"";
    }
    for (const TFieldDef& field : info.Fields) {
      if (!IsNumeric(field.Type)) continue;
      TSqliteStatement wrong(connection, "SELECT \"" + field.Name + "\", " + key + " FROM \"" + table +
                                             "\" WHERE typeof(\"" + field.Name + "\") NOT IN (?, ?, ?) LIMIT 1");
      wrong.Bind(1, "integer").Bind(2, "real").Bind(3, "null");
      if (!wrong.Step()) continue;
      std::string shown;
      const int key_columns = std::max<int>(1, static_cast<int>(info.PrimaryKey.size()));
      for (int c = 1; c <= key_columns; ++c) shown += (shown.empty() ? "" : "; ") + wrong.Column(c).AsString();
      throw EConvertError(Format("Таблица %s, столбец %s, ключ %s: значение [%s] не число", table, field.Name, shown,
                                 wrong.Column(0).AsString()));
    }
  }
}

}  // namespace

std::filesystem::path DemoCatalogueDir(const std::filesystem::path& data_dir) { return data_dir / "catalogue"; }

void CreateCatalogueDatabases(const TDatabaseDirs& dirs, const std::filesystem::path& data_dir,
                              const std::filesystem::path& sql_folder) {
  std::vector<std::filesystem::path> created;
  try {
    for (TDatabaseAlias alias : kCatalogueAliases) {
      CreateAliasDatabase(alias, dirs[alias], data_dir);
      created.push_back(DatabaseFile(dirs[alias]));
      TSqlConnection connection(created.back().string(), false);
      connection.ExecuteScriptFile(sql_folder / (std::string(AliasName(alias)) + ".sql"));
      CheckStoredTypes(connection);
    }
  } catch (const EKvError&) {
    for (const auto& file : created) std::filesystem::remove(file);
    throw;
  }
}

int ExportCatalogueCsv(const TDatabaseDirs& dirs, const std::filesystem::path& folder) {
  CreateFolder(folder);
  int files = 0;
  for (TDatabaseAlias alias : kCatalogueAliases) {
    TSqlConnection connection;
    const std::string name(AliasName(alias));
    connection.Attach(name, DatabaseFile(dirs[alias]).string(), true);
    for (const std::string& table_name : ReadTableNames(connection, name)) {
      TTable table(connection, name, table_name);
      table.Open();
      std::ofstream out(folder / (table_name + ".csv"), std::ios::binary);
      WriteCsv(out, table.Data());
      if (!out) throw EInOutError(Format("Не удалось записать файл [%s]", (folder / (table_name + ".csv")).string()));
      ++files;
    }
  }
  return files;
}

int ImportCatalogueCsv(const std::filesystem::path& folder, const TDatabaseDirs& dirs,
                       const std::filesystem::path& data_dir) {
  if (!std::filesystem::is_directory(folder)) throw EInOutError(Format("Папка [%s] не существует", folder.string()));
  const auto schema = CatalogueSchema(data_dir);
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".csv") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  std::map<TDatabaseAlias, std::vector<TCsvTable>> by_alias;
  for (const auto& file : files) {
    TCsvTable table = ReadCsvTable(file, schema);
    by_alias[table.Schema->Alias].push_back(std::move(table));
  }
  int rows = 0;
  for (auto& [alias, tables] : by_alias) {
    if (!std::filesystem::exists(DatabaseFile(dirs[alias]))) CreateAliasDatabase(alias, dirs[alias], data_dir);
    TSqlConnection connection(DatabaseFile(dirs[alias]).string(), false);
    TSqliteTransaction transaction(connection);
    for (const TCsvTable& table : tables) rows += WriteCsvTable(connection, table);
    transaction.Commit();
  }
  return rows;
}

}  // namespace kv
