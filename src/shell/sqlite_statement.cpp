#include "shell/sqlite_statement.h"

#include <sqlite3.h>
#include <sys/vfs.h>

#include "shell/format_settings.h"
#include "shell/rounding.h"

namespace kv {

namespace {

constexpr const char* kSavepoint = "SAVEPOINT kv_transaction";
constexpr const char* kRelease = "RELEASE kv_transaction";
constexpr const char* kRollback = "ROLLBACK TO kv_transaction; RELEASE kv_transaction";
// A writer that reads first and then writes in a deferred transaction is told "busy" at once when
// another writer went ahead, without waiting; taking the write lock at the start waits its turn.
constexpr const char* kBeginWrite = "BEGIN IMMEDIATE";
constexpr const char* kCommitWrite = "COMMIT";
constexpr const char* kRollbackWrite = "ROLLBACK";
// Milliseconds a connection waits for another program's lock before the engine reports it busy.
constexpr int kBusyTimeoutMs = 10000;

// File systems reached over a network: the shared memory of a write-ahead log does not work there.
bool IsNetworkFileSystem(const char* file) {
  constexpr unsigned long kNetworkTypes[] = {0x6969 /* NFS */,      0x517B /* SMB */,    0xFF534D42 /* CIFS */,
                                             0xFE534D42 /* SMB2 */, 0x01021997 /* 9P */, 0x65735546 /* FUSE */,
                                             0x5346414F /* AFS */,  0x00C36400 /* Ceph */};
  struct statfs info {};
  if (statfs(file, &info) != 0) return true;
  for (unsigned long type : kNetworkTypes)
    if (static_cast<unsigned long>(info.f_type) == type) return true;
  return false;
}

// The result code of binding one value by its kind: money as exact decimal text, dates as ISO text.
struct TBindVisitor {
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

// The failures a user can act on, named in the program's words; SQL errors keep the engine's text.
const char* FileFailureText(int code) {
  switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return "база данных занята другой программой или станцией";
    case SQLITE_NOTADB: return "файл не является базой данных";
    case SQLITE_CORRUPT: return "файл базы данных повреждён";
    case SQLITE_CANTOPEN: return "не удалось открыть файл базы данных";
    case SQLITE_READONLY: return "база данных доступна только для чтения";
    case SQLITE_PERM:
    case SQLITE_AUTH: return "нет прав доступа к базе данных";
    case SQLITE_FULL: return "нет места на диске";
    case SQLITE_IOERR: return "ошибка чтения или записи файла базы данных";
    case SQLITE_NOMEM: return "недостаточно памяти";
    default: return nullptr;
  }
}

}  // namespace

void RaiseEngineError(const std::string& engine_text) { throw EDatabaseError(engine_text); }

std::string EngineText(sqlite3* db) {
  if (!db) return EngineCodeText(SQLITE_NOMEM);
  const char* text = FileFailureText(sqlite3_extended_errcode(db));
  return text ? text : sqlite3_errmsg(db);
}

std::string EngineCodeText(int code) {
  const char* text = FileFailureText(code);
  return text ? text : sqlite3_errstr(code);
}

TSqliteStatement::TSqliteStatement(sqlite3* db, std::string_view sql, TEngineFailure fail)
    : db_(db), fail_(std::move(fail)) {
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, &tail) != SQLITE_OK) {
    Fail(EngineText(db));
  }
  if (!stmt_) Fail("Пустой текст SQL-запроса");
  const std::string_view rest = tail ? sql.substr(static_cast<size_t>(tail - sql.data())) : std::string_view();
  if (rest.find_first_not_of(" \t\r\n;") != std::string_view::npos) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    Fail("SQL-запрос содержит больше одного оператора");
  }
}

TSqliteStatement::TSqliteStatement(TSqlConnection& connection, const std::string& sql)
    : TSqliteStatement(connection.Handle(), RewriteAliasNames(sql)) {}

TSqliteStatement::~TSqliteStatement() { sqlite3_finalize(stmt_); }

void TSqliteStatement::Fail(const std::string& engine_text) const {
  if (fail_) fail_(engine_text);
  RaiseEngineError(engine_text);
}

TSqliteStatement& TSqliteStatement::Bind(int position, const TValue& value) {
  if (std::visit(TBindVisitor{stmt_, position}, value.Data()) != SQLITE_OK) Fail(EngineText(db_));
  return *this;
}

TSqliteStatement& TSqliteStatement::BindBlob(int position, std::span<const uint8_t> data) {
  // An empty blob is bound from a valid address, so that it is stored as a blob and not as NULL.
  const void* bytes = data.empty() ? static_cast<const void*>("") : data.data();
  if (sqlite3_bind_blob(stmt_, position, bytes, static_cast<int>(data.size()), SQLITE_TRANSIENT) != SQLITE_OK) {
    Fail(EngineText(db_));
  }
  return *this;
}

void TSqliteStatement::Bind(const std::vector<TSqlParam>& params) {
  int position = 0;
  for (const TSqlParam& param : params) {
    int index = ++position;
    if (!param.Name.empty()) {
      index = sqlite3_bind_parameter_index(stmt_, (":" + param.Name).c_str());
      if (index == 0) Fail(Format("Параметр '%s' не найден", param.Name));
    }
    Bind(index, param.Value);
  }
}

bool TSqliteStatement::Step() {
  const int result = sqlite3_step(stmt_);
  if (result == SQLITE_ROW) return true;
  if (result != SQLITE_DONE) Fail(EngineText(db_));
  return false;
}

void TSqliteStatement::Reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

TValue TSqliteStatement::Column(int column) const {
  switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_NULL: return {};
    case SQLITE_INTEGER: return TValue(static_cast<int64_t>(sqlite3_column_int64(stmt_, column)));
    case SQLITE_FLOAT: return TValue(sqlite3_column_double(stmt_, column));
    default: return TValue(Text(column));
  }
}

TValue TSqliteStatement::TypedColumn(int column, const TFieldDef& def) const {
  if (sqlite3_column_type(stmt_, column) == SQLITE_NULL) return {};
  switch (def.Type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc: return TValue(static_cast<int64_t>(sqlite3_column_int64(stmt_, column)));
    case TFieldType::ftBCD: {
      const double number = sqlite3_column_double(stmt_, column);
      if (def.Decimals < 0) return TValue(number);
      return TValue(static_cast<double>(GetRoundedFloat(number, def.Decimals)));
    }
    case TFieldType::ftFloat: return TValue(sqlite3_column_double(stmt_, column));
    case TFieldType::ftCurrency: {
      const std::string text = Text(column);
      TCurrency money;
      if (!TryMoneyFromText(text, money)) {
        throw EDatabaseError(Format("Поле '%s': '%s' не является денежной суммой", def.Name, text));
      }
      return TValue(money);
    }
    case TFieldType::ftDate:
    case TFieldType::ftDateTime: {
      const std::string text = Text(column);
      TDateTime date = 0;
      if (!TryDateFromIsoText(text, date)) {
        throw EDatabaseError(Format("Поле '%s': '%s' не является датой", def.Name, text));
      }
      return TValue(TDateValue{date});
    }
    case TFieldType::ftString:
    case TFieldType::ftBlob: break;
  }
  return TValue(Text(column));
}

std::string TSqliteStatement::Text(int column) const {
  const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  return std::string(bytes ? bytes : "", static_cast<size_t>(sqlite3_column_bytes(stmt_, column)));
}

TMemTable TSqliteStatement::ReadRows(const std::string& name, const std::vector<std::string>& primary_key) {
  const int count = sqlite3_column_count(stmt_);
  std::vector<TFieldDef> defs;
  std::vector<bool> declared;
  for (int i = 0; i < count; ++i) {
    const char* decl = sqlite3_column_decltype(stmt_, i);
    defs.push_back(FieldDefFromDeclaredType(sqlite3_column_name(stmt_, i), decl ? decl : ""));
    declared.push_back(decl != nullptr);
  }
  TMemTable table(name, TFieldDefs(defs), primary_key);
  while (Step()) {
    TRecord row;
    row.reserve(count);
    for (int i = 0; i < count; ++i) row.push_back(declared[i] ? TypedColumn(i, defs[i]) : Column(i));
    table.Append(std::move(row));
  }
  return table;
}

void ShareConnection(sqlite3* db) { sqlite3_busy_timeout(db, kBusyTimeoutMs); }

void ShareDatabaseFile(sqlite3* db, const std::string& schema) {
  const char* file = sqlite3_db_filename(db, schema.c_str());
  if (file == nullptr || *file == '\0' || IsNetworkFileSystem(file)) return;
  // The log is only faster and lets readers and a writer work side by side: a database whose mode
  // cannot be switched now (another program holds it) keeps working in its present mode.
  sqlite3_exec(db, ("PRAGMA " + schema + ".journal_mode = WAL").c_str(), nullptr, nullptr, nullptr);
}

TSqliteTransaction::TSqliteTransaction(sqlite3* db, TEngineFailure fail, TTransactionLock lock)
    : db_(db), fail_(std::move(fail)) {
  if (lock == TTransactionLock::tlWrite && sqlite3_get_autocommit(db_)) {
    release_ = kCommitWrite;
    rollback_ = kRollbackWrite;
    TSqliteStatement(db_, kBeginWrite, fail_).Step();
  } else {
    release_ = kRelease;
    rollback_ = kRollback;
    TSqliteStatement(db_, kSavepoint, fail_).Step();
  }
}

TSqliteTransaction::~TSqliteTransaction() {
  // Nothing may escape a destructor; a rollback that fails (the engine has already undone the
  // whole transaction after a hard error) leaves nothing to undo anyway.
  if (!committed_) sqlite3_exec(db_, rollback_, nullptr, nullptr, nullptr);
}

void TSqliteTransaction::Commit() {
  TSqliteStatement(db_, release_, fail_).Step();
  committed_ = true;
}

}  // namespace kv
