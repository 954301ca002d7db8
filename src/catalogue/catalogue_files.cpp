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
      if (!keys.emplace(key.Text()).second)
        Refuse(file, record.Line, info.PrimaryKey.front(), Format("ключ [%s] повторяется", shown));
    }
    table.Rows.push_back(std::move(row));
  }
  return table;
}

bool IsBlobColumn(const TTableInfo& info, const std::string& column) {
  return std::any_of(info.Fields.begin(), info.Fields.end(),
                     [&](const TFieldDef& field) { return field.Name == column && field.Type == TFieldType::ftBlob; });
}

int WriteCsvTable(TSqlConnection& connection, const TCsvTable& table) {
  connection.Execute("DELETE FROM \"" + table.Name + "\"");
  if (table.Columns.empty()) return 0;
  std::string columns, marks;
  std::vector<bool> blob;
  for (const std::string& column : table.Columns) {
    columns += (columns.empty() ? "\"" : ", \"") + column + "\"";
    marks += marks.empty() ? "?" : ", ?";
    blob.push_back(IsBlobColumn(table.Schema->Info, column));
  }
  TSqliteStatement insert(connection, "INSERT INTO \"" + table.Name + "\" (" + columns + ") VALUES (" + marks + ")");
  for (const TRecord& row : table.Rows) {
    insert.Reset();
    for (size_t c = 0; c < row.size(); ++c) {
      const int position = static_cast<int>(c) + 1;
      if (blob[c] && !row[c].IsNull())
        insert.BindBlob(position,
                        std::span(reinterpret_cast<const uint8_t*>(row[c].Text().data()), row[c].Text().size()));
      else
        insert.Bind(position, row[c]);
    }
    insert.Step();
  }
  return static_cast<int>(table.Rows.size());
}

// What a value of a column of the type is called when the stored value is not one; nullptr for
// text columns, which take whatever the engine keeps.
const char* ShapeName(TFieldType type) {
  switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc:
    case TFieldType::ftBCD:
    case TFieldType::ftFloat: return "число";
    case TFieldType::ftCurrency: return "денежная сумма";
    case TFieldType::ftDate:
    case TFieldType::ftDateTime: return "дата";
    case TFieldType::ftBlob: return "двоичные данные";
    case TFieldType::ftString: break;
  }
  return nullptr;
}

// Whether a value as the engine stores it (its storage class and the value) is one of the column's
// type: the column affinity leaves a text it cannot convert as text, and money and dates are texts
// of their own form.
bool StoredValueFits(TFieldType type, const std::string& storage, const TValue& value) {
  TCurrency money;
  TDateTime date = 0;
  switch (type) {
    case TFieldType::ftCurrency: return storage == "text" && TryMoneyFromText(value.Text(), money);
    case TFieldType::ftDate:
    case TFieldType::ftDateTime: return storage == "text" && TryDateFromIsoText(value.Text(), date);
    case TFieldType::ftBlob: return storage == "blob";
    default: return storage == "integer" || storage == "real";
  }
}

// The columns that name a row in messages: the primary key, the row number without one.
std::string KeyColumns(const TTableInfo& info) {
  if (info.PrimaryKey.empty()) return "rowid";
  std::string key;
  for (const std::string& column : info.PrimaryKey) key += (key.empty() ? "\"" : ", \"") + column + "\"";
  return key;
}

// Refuses the first value of a number, money, date or blob column that is not of its type, naming
// the table, column and key of the row.
void CheckStoredTypes(TSqlConnection& connection) {
  for (const std::string& table : ReadTableNames(connection, "main")) {
    const TTableInfo info = ReadTableInfo(connection, "main", table);
    const int key_columns = std::max<int>(1, static_cast<int>(info.PrimaryKey.size()));
    for (const TFieldDef& field : info.Fields) {
      const char* shape = ShapeName(field.Type);
      if (shape == nullptr) continue;
      const std::string column = "\"" + field.Name + "\"";
      TSqliteStatement values(connection, "SELECT typeof(" + column + "), " + column + ", " + KeyColumns(info) +
                                              " FROM \"" + table + "\" WHERE " + column + " IS NOT NULL");
      while (values.Step()) {
        if (StoredValueFits(field.Type, values.Column(0).AsString(), values.Column(1))) continue;
        std::string key;
        for (int c = 2; c < 2 + key_columns; ++c) key += (key.empty() ? "" : "; ") + values.Column(c).AsString();
        const std::string value = values.Column(0).AsString() == "blob"
                                      ? "X'" + BytesToHex(values.Column(1).Text()) + "'"
                                      : values.Column(1).AsString();
        throw EConvertError(
            Format("Таблица %s, столбец %s, ключ %s: значение [%s] не %s", table, field.Name, key, value, shape));
      }
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
