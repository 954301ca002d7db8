// The SQL side of the table engine: the connection with its attached alias databases, statements
// with bound parameters, the alias-name rewrite and the table and query data sets.
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "shell/format_settings.h"
#include "shell/sqlite_statement.h"
#include "shell/table_engine.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

bool IsIdentifier(std::string_view name) {
  return !name.empty() &&
         std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isalnum(c) || c == '_'; });
}

void RequireIdentifier(std::string_view name) {
  if (!IsIdentifier(name)) throw EDatabaseError(Format("Недопустимое имя объекта базы данных [%s]", name));
}

// A file name as a URI, so the open mode can be given; characters with a meaning in URIs are
// escaped.
std::string FileUri(const std::string& file, const char* mode) {
  std::string uri = "file:";
  for (unsigned char c : std::filesystem::absolute(file).string()) {
    if (c == '%' || c == '?' || c == '#' || c < 0x20) {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      uri += escaped;
    } else {
      uri += static_cast<char>(c);
    }
  }
  return uri + "?mode=" + mode;
}

}  // namespace

std::string ReadTextFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw EInOutError(Format("Не удалось прочитать файл [%s]", file.string()));
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TSqlConnection::TSqlConnection() {
  if (sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI, nullptr) !=
      SQLITE_OK) {
    const std::string text = EngineText(db_);
    sqlite3_close(db_);
    throw EDatabaseError(text);
  }
  ShareConnection(db_);
}

TSqlConnection::TSqlConnection(const std::string& main_file, bool create) {
  const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
  if (sqlite3_open_v2(main_file.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    const std::string text = EngineText(db_);
    sqlite3_close(db_);
    throw EDatabaseError(Format("Не удалось открыть файл базы данных [%s]\r\n(%s)", main_file, text));
  }
  ShareConnection(db_);
}

TSqlConnection::~TSqlConnection() { sqlite3_close(db_); }

void TSqlConnection::Attach(const std::string& alias, const std::string& file, bool read_only) {
  RequireIdentifier(alias);
  const std::string directory = std::filesystem::path(file).parent_path().string();
  const auto refuse = [&](const std::string& reason) {
    throw EDatabaseError(Format("Не удалось открыть базу данных %s в папке [%s]\r\n(%s)", alias, directory, reason));
  };
  if (!std::filesystem::is_directory(directory)) refuse("папка не существует");
  if (!std::filesystem::is_regular_file(file))
    refuse(Format("нет файла %s", std::filesystem::path(file).filename().string()));
  if (IsAttached(alias)) Detach(alias);
  try {
    Execute("ATTACH DATABASE ? AS " + alias, {{"", TValue(FileUri(file, read_only ? "ro" : "rw"))}});
  } catch (const EDatabaseError& error) {
    refuse(error.what());
  }
  attached_.push_back(alias);
  try {
    Query("SELECT count(*) FROM " + alias + ".sqlite_master");
  } catch (const EDatabaseError& error) {
    Detach(alias);
    refuse(error.what());
  }
  if (!read_only) ShareDatabaseFile(db_, alias);
}

void TSqlConnection::Detach(const std::string& alias) {
  const auto found = std::find(attached_.begin(), attached_.end(), alias);
  if (found == attached_.end()) return;
  attached_.erase(found);
  Execute("DETACH DATABASE " + alias);
}

bool TSqlConnection::IsAttached(const std::string& alias) const {
  return std::find(attached_.begin(), attached_.end(), alias) != attached_.end();
}

int TSqlConnection::Execute(const std::string& sql, const std::vector<TSqlParam>& params) {
  TSqliteStatement statement(*this, sql);
  statement.Bind(params);
  while (statement.Step()) {
  }
  return sqlite3_changes(db_);
}

void TSqlConnection::ExecuteScript(const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    const std::string text = message ? message : EngineText(db_);
    sqlite3_free(message);
    throw EDatabaseError(text);
  }
}

void TSqlConnection::ExecuteScriptFile(const std::filesystem::path& script) {
  const std::string sql = ReadTextFile(script);
  try {
    TSqliteTransaction transaction(*this);
    ExecuteScript(sql);
    transaction.Commit();
  } catch (const EDatabaseError& error) {
    throw EInOutError(Format("Ошибка в файле [%s]:\r\n%s", script.string(), error.what()));
  }
}

TMemTable TSqlConnection::Query(const std::string& sql, const std::vector<TSqlParam>& params,
                                const std::string& result_name) {
  TSqliteStatement statement(*this, sql);
  statement.Bind(params);
  return statement.ReadRows(result_name, {});
}

int64_t TSqlConnection::LastInsertRowId() const { return sqlite3_last_insert_rowid(db_); }

std::string RewriteAliasNames(const std::string& sql) {
  std::string result;
  result.reserve(sql.size());
  size_t i = 0;
  while (i < sql.size()) {
    const char quote = sql[i];
    if (quote != '\'' && quote != '"') {
      result += sql[i++];
      continue;
    }
    const size_t close = sql.find(quote, i + 1);
    if (close == std::string::npos) {
      result.append(sql, i, std::string::npos);
      break;
    }
    const std::string inner = sql.substr(i + 1, close - i - 1);
    const size_t second_colon = inner.size() > 1 && inner[0] == ':' ? inner.find(':', 1) : std::string::npos;
    std::string alias, table;
    if (second_colon != std::string::npos) {
      alias = inner.substr(1, second_colon - 1);
      table = inner.substr(second_colon + 1);
      table = table.substr(0, table.find('.'));
    }
    if (IsIdentifier(alias) && IsIdentifier(table)) {
      result += alias + "." + table;
    } else {
      result.append(sql, i, close - i + 1);
    }
    i = close + 1;
  }
  return result;
}

TTable::TTable(TSqlConnection& connection, std::string alias, std::string table_name)
    : connection_(connection), alias_(std::move(alias)), table_name_(std::move(table_name)) {}

TTableInfo ReadTableInfo(TSqlConnection& connection, const std::string& schema, const std::string& table) {
  RequireIdentifier(schema);
  RequireIdentifier(table);
  const TMemTable columns = connection.Query("PRAGMA " + schema + ".table_info(" + table + ")");
  // table_info: cid, name, type, notnull, dflt_value, pk (position in the primary key, 0 if none)
  TTableInfo info;
  std::vector<std::pair<int64_t, std::string>> key_columns;
  for (const TRecord& column : columns.Rows()) {
    info.Fields.push_back(FieldDefFromDeclaredType(column[1].AsString(), column[2].AsString()));
    if (column[5].AsInteger() > 0) key_columns.emplace_back(column[5].AsInteger(), column[1].AsString());
  }
  std::sort(key_columns.begin(), key_columns.end());
  for (const auto& [position, name] : key_columns) info.PrimaryKey.push_back(name);
  return info;
}

std::vector<std::string> ReadTableNames(TSqlConnection& connection, const std::string& schema) {
  RequireIdentifier(schema);
  const TMemTable names =
      connection.Query("SELECT name FROM " + schema + ".sqlite_master WHERE type = 'table' ORDER BY rowid");
  std::vector<std::string> result;
  for (const TRecord& row : names.Rows()) result.push_back(row[0].AsString());
  return result;
}

void TTable::Open() {
  const TTableInfo info = ReadTableInfo(connection_, alias_, table_name_);
  if (info.Fields.empty()) {
    throw EDatabaseError(Format("Таблица %s не существует в базе данных %s", table_name_, alias_));
  }
  std::string order_by;
  for (const std::string& name : info.PrimaryKey) {
    const auto def = std::find_if(info.Fields.begin(), info.Fields.end(),
                                  [&](const TFieldDef& field) { return field.Name == name; });
    // Money is kept as exact decimal text; as a key it orders by its value ("7" before "10").
    const bool money = def != info.Fields.end() && def->Type == TFieldType::ftCurrency;
    const std::string column = "\"" + name + "\"";
    order_by += (order_by.empty() ? "" : ", ") + (money ? "CAST(" + column + " AS REAL)" : column);
  }
  if (order_by.empty()) order_by = "rowid";
  const std::string sql = "SELECT * FROM " + alias_ + "." + table_name_ + " ORDER BY " + order_by;
  TSqliteStatement statement(connection_.Handle(), sql);
  data_ = statement.ReadRows(table_name_, info.PrimaryKey);
  active_ = true;
}

void TTable::Close() {
  data_.Clear();
  active_ = false;
}

TQuery::TQuery(TSqlConnection& connection, std::string sql) : SQL(std::move(sql)), connection_(connection) {}

void TQuery::Open() {
  data_ = connection_.Query(SQL, Params, "query");
  active_ = true;
}

void TQuery::Close() {
  data_.Clear();
  active_ = false;
}

int TQuery::ExecSQL() { return connection_.Execute(SQL, Params); }

namespace {

// Runs the open or close of a data set and reports an engine error with the table's or the
// query's message.
bool RunDataSetOperation(TDataSet* data_set, bool open, const char* table_message, const char* query_message) {
  auto* table = dynamic_cast<TTable*>(data_set);
  auto* query = dynamic_cast<TQuery*>(data_set);
  if (!table && !query) {
    ShowError("Неопределенный тип объекта TDBDataSet");
    return false;
  }
  try {
    open ? data_set->Open() : data_set->Close();
  } catch (const EKvError& error) {
    ShowError(table ? Format(table_message, table->TableName(), error.what())
                    : Format(query_message, error.what(), query->SQL));
    return false;
  }
  return true;
}

}  // namespace

bool OpenTable(TDataSet* data_set) {
  return RunDataSetOperation(data_set, true, "Ошибка открытия файла [%s]\r\n(%s)",
                             "Ошибка открытия SQL-запроса:\r\n(%s)\r\nSQL:\r\n(%s)");
}

bool CloseTable(TDataSet* data_set) {
  return RunDataSetOperation(data_set, false, "Ошибка закрытия файла [%s]\r\n(%s)",
                             "Ошибка закрытия SQL-запроса:\r\n(%s)\r\nSQL:\r\n(%s)");
}

}  // namespace kv
