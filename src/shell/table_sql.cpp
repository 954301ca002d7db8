// The SQL side of the table engine: the connection with its attached alias databases, statements
// with bound parameters, the alias-name rewrite and the table and query data sets.
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "shell/format_settings.h"
#include "shell/rounding.h"
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

std::string EngineText(sqlite3* db) { return db ? sqlite3_errmsg(db) : "out of memory"; }

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

class TStatement {
public:
  TStatement(sqlite3* db, const std::string& sql) : db_(db) {
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, &tail) != SQLITE_OK) {
      throw EDatabaseError(EngineText(db));
    }
    if (!stmt_) throw EDatabaseError("Пустой текст SQL-запроса");
    const std::string rest(tail ? tail : "");
    if (rest.find_first_not_of(" \t\r\n;") != std::string::npos) {
      sqlite3_finalize(stmt_);
      throw EDatabaseError("SQL-запрос содержит больше одного оператора");
    }
  }
  ~TStatement() { sqlite3_finalize(stmt_); }
  TStatement(const TStatement&) = delete;
  TStatement& operator=(const TStatement&) = delete;

  sqlite3_stmt* Get() const { return stmt_; }
  bool Step() {
    const int result = sqlite3_step(stmt_);
    if (result == SQLITE_ROW) return true;
    if (result == SQLITE_DONE) return false;
    throw EDatabaseError(EngineText(db_));
  }

private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

void BindValue(sqlite3* db, sqlite3_stmt* stmt, int position, const TValue& value) {
  struct TVisitor {
    sqlite3_stmt* stmt;
    int position;
    int operator()(std::monostate) const { return sqlite3_bind_null(stmt, position); }
    int operator()(int64_t v) const { return sqlite3_bind_int64(stmt, position, v); }
    int operator()(double v) const { return sqlite3_bind_double(stmt, position, v); }
    int operator()(const std::string& v) const {
      return sqlite3_bind_text(stmt, position, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    }
    int operator()(TCurrency v) const { return (*this)(MoneyToText(v)); }
    int operator()(TDateValue v) const {
      return (*this)(DateToIsoText(v.Value, v.Value != static_cast<int64_t>(v.Value)));
    }
  };
  if (std::visit(TVisitor{stmt, position}, value.Data()) != SQLITE_OK) throw EDatabaseError(EngineText(db));
}

void BindParams(sqlite3* db, sqlite3_stmt* stmt, const std::vector<TSqlParam>& params) {
  int position = 0;
  for (const TSqlParam& param : params) {
    int index = ++position;
    if (!param.Name.empty()) {
      index = sqlite3_bind_parameter_index(stmt, (":" + param.Name).c_str());
      if (index == 0) throw EDatabaseError(Format("Параметр '%s' не найден", param.Name));
    }
    BindValue(db, stmt, index, param.Value);
  }
}

// The value of a result column: by its declared type when the column has one, else as stored.
TValue ReadColumn(sqlite3_stmt* stmt, int column, const TFieldDef& def, bool declared) {
  const int stored = sqlite3_column_type(stmt, column);
  if (stored == SQLITE_NULL) return {};
  const auto text = [&] {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    return std::string(bytes ? bytes : "", sqlite3_column_bytes(stmt, column));
  };
  if (!declared) {
    if (stored == SQLITE_INTEGER) return TValue(static_cast<int64_t>(sqlite3_column_int64(stmt, column)));
    if (stored == SQLITE_FLOAT) return TValue(sqlite3_column_double(stmt, column));
    return TValue(text());
  }
  switch (def.Type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc: return TValue(static_cast<int64_t>(sqlite3_column_int64(stmt, column)));
    case TFieldType::ftBCD: {
      const double number = sqlite3_column_double(stmt, column);
      if (def.Decimals < 0) return TValue(number);
      return TValue(static_cast<double>(GetRoundedFloat(number, def.Decimals)));
    }
    case TFieldType::ftFloat: return TValue(sqlite3_column_double(stmt, column));
    case TFieldType::ftCurrency: {
      TCurrency money;
      if (!TryMoneyFromText(text(), money)) {
        throw EDatabaseError(Format("Поле '%s': '%s' не является денежной суммой", def.Name, text()));
      }
      return TValue(money);
    }
    case TFieldType::ftDate:
    case TFieldType::ftDateTime: {
      TDateTime date = 0;
      if (!TryDateFromIsoText(text(), date)) {
        throw EDatabaseError(Format("Поле '%s': '%s' не является датой", def.Name, text()));
      }
      return TValue(TDateValue{date});
    }
    case TFieldType::ftString:
    case TFieldType::ftBlob: break;
  }
  return TValue(text());
}

TMemTable ReadResult(TStatement& statement, const std::string& name, const std::vector<std::string>& primary_key) {
  sqlite3_stmt* stmt = statement.Get();
  const int count = sqlite3_column_count(stmt);
  std::vector<TFieldDef> defs;
  std::vector<bool> declared;
  for (int i = 0; i < count; ++i) {
    const char* decl = sqlite3_column_decltype(stmt, i);
    defs.push_back(FieldDefFromDeclaredType(sqlite3_column_name(stmt, i), decl ? decl : ""));
    declared.push_back(decl != nullptr);
  }
  TMemTable table(name, TFieldDefs(defs), primary_key);
  while (statement.Step()) {
    TRecord row;
    row.reserve(count);
    for (int i = 0; i < count; ++i) row.push_back(ReadColumn(stmt, i, defs[i], declared[i]));
    table.Append(std::move(row));
  }
  return table;
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
}

TSqlConnection::TSqlConnection(const std::string& main_file, bool create) {
  const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
  if (sqlite3_open_v2(main_file.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    const std::string text = EngineText(db_);
    sqlite3_close(db_);
    throw EDatabaseError(Format("Не удалось открыть файл базы данных [%s]\r\n(%s)", main_file, text));
  }
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
  TStatement statement(db_, RewriteAliasNames(sql));
  BindParams(db_, statement.Get(), params);
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
    ExecuteScript("BEGIN;\n" + sql + "\nCOMMIT;");
  } catch (const EDatabaseError& error) {
    if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw EInOutError(Format("Ошибка в файле [%s]:\r\n%s", script.string(), error.what()));
  }
}

TMemTable TSqlConnection::Query(const std::string& sql, const std::vector<TSqlParam>& params,
                                const std::string& result_name) {
  TStatement statement(db_, RewriteAliasNames(sql));
  BindParams(db_, statement.Get(), params);
  return ReadResult(statement, result_name, {});
}

int64_t TSqlConnection::LastInsertRowId() const { return sqlite3_last_insert_rowid(db_); }

TPreparedQuery::TPreparedQuery(TSqlConnection& connection, const std::string& sql) : sql_(RewriteAliasNames(sql)) {
  if (sqlite3_prepare_v2(connection.Handle(), sql_.c_str(), -1, &stmt_, nullptr) != SQLITE_OK) {
    throw EDatabaseError(EngineText(connection.Handle()));
  }
}

TPreparedQuery::~TPreparedQuery() { sqlite3_finalize(stmt_); }

void TPreparedQuery::Bind(int position, const TValue& value) {
  BindValue(sqlite3_db_handle(stmt_), stmt_, position, value);
}

bool TPreparedQuery::Next() {
  const int result = sqlite3_step(stmt_);
  if (result == SQLITE_ROW) return true;
  if (result == SQLITE_DONE) return false;
  throw EDatabaseError(EngineText(sqlite3_db_handle(stmt_)));
}

void TPreparedQuery::Reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

TValue TPreparedQuery::Column(int index) const { return ReadColumn(stmt_, index, TFieldDef{}, false); }

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
  TStatement statement(connection_.Handle(), sql);
  data_ = ReadResult(statement, table_name_, info.PrimaryKey);
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
