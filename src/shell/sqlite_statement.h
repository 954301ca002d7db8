#pragma once
// One prepared SQLite statement and one transaction scope: the table engine, the registry store and
// the catalogue files talk to the engine's statements and transactions only through these two.
// Values always travel as bound parameters.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/table_engine.h"

struct sqlite3_stmt;

namespace kv {

// What a failure of the engine raises, given the engine's text; it must throw. The owner of a
// connection decides the error class and how the message names its file.
using TEngineFailure = std::function<void(const std::string& engine_text)>;
// The default failure: EDatabaseError with the engine's text.
[[noreturn]] void RaiseEngineError(const std::string& engine_text);
// The text of the connection's last failure: the program's words for failures of the file (busy,
// locked, not a database, damaged, unreadable, read-only, disk full), else the engine's own text.
std::string EngineText(sqlite3* db);
// The same for a result code when there is no connection to ask.
std::string EngineCodeText(int code);

// Exactly one statement, finalised on leaving the scope. Preparing an empty text fails with
// "Пустой текст SQL-запроса", a text of several statements with "SQL-запрос содержит больше
// одного оператора".
class TSqliteStatement {
public:
  TSqliteStatement(sqlite3* db, std::string_view sql, TEngineFailure fail = RaiseEngineError);
  // The program's SQL on the connection: alias-qualified table names are rewritten first.
  TSqliteStatement(TSqlConnection& connection, const std::string& sql);
  ~TSqliteStatement();
  TSqliteStatement(const TSqliteStatement&) = delete;
  TSqliteStatement& operator=(const TSqliteStatement&) = delete;

  // Binds by position (1-based).
  TSqliteStatement& Bind(int position, const TValue& value);
  TSqliteStatement& BindBlob(int position, std::span<const uint8_t> data);
  // Binds the parameters in order; a named one goes to ":Name" and fails with "Параметр '%s' не
  // найден" when the text has no such parameter.
  void Bind(const std::vector<TSqlParam>& params);
  // Steps to the next row; false when there is none left.
  bool Step();
  // Rewinds for new parameters; the old ones are cleared.
  void Reset();
  // A column of the current row as stored: integer, double or text (blob bytes as text), NULL
  // as a null value.
  TValue Column(int column) const;
  // Every remaining row into a table, each column read by its declared field type (fixed
  // decimals rounded, money and dates parsed) and a column without one as stored.
  TMemTable ReadRows(const std::string& name, const std::vector<std::string>& primary_key);

private:
  [[noreturn]] void Fail(const std::string& engine_text) const;
  TValue TypedColumn(int column, const TFieldDef& def) const;
  // The column as text (a number converted by the engine, blob bytes as they are).
  std::string Text(int column) const;

  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
  TEngineFailure fail_;
};

// Makes a connection to files that other programs use at the same time wait for their locks
// (a while) instead of failing at once.
void ShareConnection(sqlite3* db);
// Switches the database attached as `schema` to a write-ahead log when its file lies on a local
// disk, so that readers never wait for a writer.
void ShareDatabaseFile(sqlite3* db, const std::string& schema);

// tlWrite takes the write lock when the transaction begins, waiting for other writers, so that a
// transaction that reads and then writes is never refused halfway.
enum class TTransactionLock { tlDeferred, tlWrite };

// A transaction scope: begun on construction, kept by Commit(), rolled back by the destructor when
// Commit() was not reached (an exception left the scope). Inside another one it is a savepoint, so
// scopes nest and only the outermost Commit() makes the writes durable.
class TSqliteTransaction {
public:
  explicit TSqliteTransaction(sqlite3* db, TEngineFailure fail = RaiseEngineError,
                              TTransactionLock lock = TTransactionLock::tlDeferred);
  explicit TSqliteTransaction(TSqlConnection& connection) : TSqliteTransaction(connection.Handle()) {}
  ~TSqliteTransaction();
  TSqliteTransaction(const TSqliteTransaction&) = delete;
  TSqliteTransaction& operator=(const TSqliteTransaction&) = delete;

  void Commit();

private:
  sqlite3* db_;
  TEngineFailure fail_;
  // The texts that end the transaction, by the way it began.
  const char* release_ = nullptr;
  const char* rollback_ = nullptr;
  bool committed_ = false;
};

}  // namespace kv
