#pragma once
// The table engine: typed field values, in-memory tables with key indexes, the SQL connection
// and the two kinds of data set the program opens and closes (tables and queries).
//
// Catalogue tables are read once into TMemTable objects: rows in table order (the primary key
// order, otherwise insertion order) and hash indexes on the key columns the lookups use, so a
// lookup is a probe and never a SQL round trip. Register, private, system and report tables are
// used through SQL on one connection (TSqlConnection) where every alias database is attached
// under its alias name; values always travel as bound parameters.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "shell/date_time.h"
#include "shell/errors.h"
#include "shell/key_index.h"
#include "shell/money.h"

struct sqlite3;

namespace kv {

// The column codes of the catalogue: A text, S 16-bit, I 32-bit, + auto-increment, N fixed-point
// decimal (Decimals places; -1 for a plain N, a double), F double, $ money, D date,
// T date and time, B blob.
enum class TFieldType {
  ftString,
  ftSmallint,
  ftInteger,
  ftAutoInc,
  ftBCD,
  ftFloat,
  ftCurrency,
  ftDate,
  ftDateTime,
  ftBlob
};

struct TFieldDef {
  std::string Name;
  TFieldType Type = TFieldType::ftString;
  int Size = 0;       // text length of A fields
  int Decimals = -1;  // decimal places of N fields; -1 when not fixed
};

// Maps a declared SQL column type of the schema files to the field type and back:
// VARCHAR(n), SMALLINT, INTEGER, AUTOINC, DECIMAL(p,d), DOUBLE, MONEY TEXT, DATE, TIMESTAMP, BLOB.
TFieldDef FieldDefFromDeclaredType(const std::string& name, const std::string& declared);
std::string DeclaredType(const TFieldDef& def);

// A date value kept apart from plain floating numbers so it binds and prints as a date.
struct TDateValue {
  TDateTime Value = 0;
  bool operator==(const TDateValue&) const = default;
};

// One field value. Integers of every width are int64; N and F are double; money is TCurrency
// (exact); text and blobs are std::string; a NULL is monostate.
class TValue {
public:
  using TData = std::variant<std::monostate, int64_t, double, std::string, TCurrency, TDateValue>;

  TValue() = default;
  TValue(int v) : data_(static_cast<int64_t>(v)) {}
  TValue(int64_t v) : data_(v) {}
  TValue(double v) : data_(v) {}
  TValue(TCurrency v) : data_(v) {}
  TValue(TDateValue v) : data_(v) {}
  TValue(std::string v) : data_(std::move(v)) {}
  TValue(const char* v) : data_(std::string(v)) {}
  TValue(std::string_view v) : data_(std::string(v)) {}

  bool IsNull() const { return std::holds_alternative<std::monostate>(data_); }
  const TData& Data() const { return data_; }

  // Conversions as the table engine's field accessors do them: NULL reads as 0 or "";
  // numbers read as text in the program's format; text that is not a number raises
  // EConvertError.
  std::string AsString() const;
  int64_t AsInteger() const {
    const auto* number = std::get_if<int64_t>(&data_);
    return number ? *number : ConvertedToInteger();
  }
  double AsFloat() const {
    const auto* number = std::get_if<double>(&data_);
    return number ? *number : ConvertedToFloat();
  }
  TCurrency AsCurrency() const;
  bool AsBoolean() const { return AsInteger() != 0; }
  // The text of a text value without a copy; an empty text for any other kind.
  const std::string& Text() const;

  bool operator==(const TValue& other) const = default;

private:
  int64_t ConvertedToInteger() const;
  double ConvertedToFloat() const;

  TData data_;
};

using TRecord = std::vector<TValue>;

// The whole content of a file; EInOutError "Не удалось прочитать файл [%s]" when it cannot be read.
std::string ReadTextFile(const std::filesystem::path& file);

// Money as exact decimal text with a point, at least two decimals ("125.50", "-0.0125"): the
// form money columns are stored in and exported as.
std::string MoneyToText(TCurrency value);
// Reads "125.5", "-3", "0.0125"; more than four decimals, an amount beyond the range of the type
// (-922337203685477.5808 to 922337203685477.5807) or anything else gives false.
bool TryMoneyFromText(std::string_view text, TCurrency& value);
// A date as "yyyy-mm-dd" and a date and time as "yyyy-mm-dd hh:nn:ss" (the stored forms).
std::string DateToIsoText(TDateTime value, bool with_time);
bool TryDateFromIsoText(std::string_view text, TDateTime& value);

// The fields of a table or a query result.
class TFieldDefs {
public:
  TFieldDefs() = default;
  explicit TFieldDefs(std::vector<TFieldDef> defs);
  int Count() const { return static_cast<int>(defs_.size()); }
  const TFieldDef& operator[](int index) const { return defs_[index]; }
  const std::vector<TFieldDef>& All() const { return defs_; }
  // Index of a field, -1 when absent (names compare case-insensitively, as the engine did).
  int IndexOf(std::string_view name) const;
  // Index of a field; raises EDatabaseError "Поле '%s' не найдено" when absent.
  int IndexOfOrRaise(std::string_view name, std::string_view table) const;

private:
  std::vector<TFieldDef> defs_;
  std::unordered_map<std::string, int> by_upper_name_;
};

// The key of an index entry built from field values: each part's text followed by a unit
// separator. Integer and text parts of the same digits compare equal, so a code can be searched as
// either.
class TKey : public TKeyText {
public:
  TKey() = default;
  TKey(std::initializer_list<TValue> parts);
  TKey& Add(std::string_view text) {
    TKeyText::Add(text);
    return *this;
  }
  TKey& Add(int64_t number);
  TKey& Add(const TValue& value);
};

// Rows of a data set in table order with key indexes on chosen columns. Read-only once loaded:
// lookups never change it, so any number of readers may search it at once.
class TMemTable {
public:
  using TIndexId = int;
  using TRowPredicate = std::function<bool(const TRecord&)>;

  TMemTable() = default;
  TMemTable(std::string name, TFieldDefs fields, std::vector<std::string> primary_key = {});

  const std::string& Name() const { return name_; }
  const TFieldDefs& Fields() const { return fields_; }
  const std::vector<std::string>& PrimaryKey() const { return primary_key_; }
  int FieldIndex(std::string_view field) const { return fields_.IndexOfOrRaise(field, name_); }

  size_t RecordCount() const { return rows_.size(); }
  const TRecord& Row(size_t index) const { return rows_[index]; }
  const std::vector<TRecord>& Rows() const { return rows_; }

  // Appends a row (in table order; the loader reads rows already sorted). Existing indexes are
  // extended.
  void Append(TRecord row);
  void Clear();

  // An index over the given fields (the same list twice gives the same index).
  TIndexId AddIndex(const std::vector<std::string>& fields);
  // Locate: the first row in table order whose indexed fields equal the key; nullptr if none.
  const TRecord* Locate(TIndexId index, const TKey& key) const;
  // Every row with the key, in table order.
  std::span<const uint32_t> Range(TIndexId index, const TKey& key) const;
  // A short-lived filter: the first row in table order among the key's rows (or among all rows
  // when index < 0) that passes the predicate. Nothing is left set on the table, so the filter
  // is gone when the search returns, also when the predicate throws.
  template <typename TPass>
  const TRecord* FindFirst(TIndexId index, const TKey& key, const TPass& pass) const {
    if (index < 0) return FindFirst(pass);
    for (uint32_t position : Range(index, key)) {
      if (pass(rows_[position])) return &rows_[position];
    }
    return nullptr;
  }
  template <typename TPass>
  const TRecord* FindFirst(const TPass& pass) const {
    for (const TRecord& row : rows_) {
      if (pass(row)) return &row;
    }
    return nullptr;
  }
  // Every row passing the predicate, in table order.
  std::vector<const TRecord*> Select(const TRowPredicate& pass) const;
  // The last row in table order among the key's rows; nullptr if none.
  const TRecord* LocateLast(TIndexId index, const TKey& key) const;

private:
  struct TIndex {
    std::vector<int> Columns;
    TKeyIndex Rows;
  };
  TKey RowKey(const TIndex& index, const TRecord& row) const;

  std::string name_;
  TFieldDefs fields_;
  std::vector<std::string> primary_key_;
  std::vector<TRecord> rows_;
  std::vector<TIndex> indexes_;
};

// A parameter of a SQL text: by position (1-based, "?") or by name (":Name").
struct TSqlParam {
  std::string Name;  // empty for a positional parameter
  TValue Value;
};

// The single SQL connection of the program. Its main database is in memory; every alias
// database is attached under its alias name.
class TSqlConnection {
public:
  TSqlConnection();
  // A connection whose main database is the file (created when create is set).
  TSqlConnection(const std::string& main_file, bool create);
  ~TSqlConnection();
  TSqlConnection(const TSqlConnection&) = delete;
  TSqlConnection& operator=(const TSqlConnection&) = delete;

  // Attaches the database file under the alias; read_only for catalogue aliases. A file that
  // does not exist or is not a database raises EDatabaseError naming the directory.
  void Attach(const std::string& alias, const std::string& file, bool read_only);
  void Detach(const std::string& alias);
  bool IsAttached(const std::string& alias) const;

  // Runs a statement (alias-qualified names are rewritten first) with bound parameters and
  // returns the number of changed rows. Errors raise EDatabaseError with the engine's text.
  int Execute(const std::string& sql, const std::vector<TSqlParam>& params = {});
  // Runs several statements without parameters (schema and data scripts).
  void ExecuteScript(const std::string& sql);
  // Runs a script file in one transaction; a failing statement raises EInOutError
  // "Ошибка в файле [%s]:\r\n%s" with the file and the engine's text.
  void ExecuteScriptFile(const std::filesystem::path& script);
  // Runs a query and returns its rows with their declared field types.
  TMemTable Query(const std::string& sql, const std::vector<TSqlParam>& params = {},
                  const std::string& result_name = "");
  // The value of the last auto-increment key inserted.
  int64_t LastInsertRowId() const;

  sqlite3* Handle() const { return db_; }

private:
  sqlite3* db_ = nullptr;
  std::vector<std::string> attached_;
};

// Declared types and primary key of a table of an attached schema ("main" for the
// connection's own database); no columns when the table does not exist.
struct TTableInfo {
  std::vector<TFieldDef> Fields;
  std::vector<std::string> PrimaryKey;
};
TTableInfo ReadTableInfo(TSqlConnection& connection, const std::string& schema, const std::string& table);
// The tables of a schema in the order they were created.
std::vector<std::string> ReadTableNames(TSqlConnection& connection, const std::string& schema);

// ":GXDB_Registry:OrderLst.db" -> GXDB_Registry.OrderLst (quotes of either kind, any extension,
// case kept). Text inside other string literals is left alone.
std::string RewriteAliasNames(const std::string& sql);

// The two data sets of the engine. Both keep their rows in memory while open.
class TDataSet {
public:
  virtual ~TDataSet() = default;
  // Raise EDatabaseError with the engine's text on failure.
  virtual void Open() = 0;
  virtual void Close() = 0;
  bool Active() const { return active_; }
  const TMemTable& Data() const { return data_; }
  // For the owner that adds indexes after opening.
  TMemTable& Data() { return data_; }

protected:
  TMemTable data_;
  bool active_ = false;
};

// A table of an alias database, read whole in table order.
class TTable : public TDataSet {
public:
  TTable(TSqlConnection& connection, std::string alias, std::string table_name);
  const std::string& TableName() const { return table_name_; }
  const std::string& Alias() const { return alias_; }
  void Open() override;
  void Close() override;

private:
  TSqlConnection& connection_;
  std::string alias_;
  std::string table_name_;
};

// A SQL text with alias-qualified table names and its parameters.
class TQuery : public TDataSet {
public:
  TQuery(TSqlConnection& connection, std::string sql);
  std::string SQL;
  std::vector<TSqlParam> Params;
  void Open() override;  // runs a SELECT and keeps its rows
  void Close() override;
  int ExecSQL();  // runs a statement that returns no rows

private:
  TSqlConnection& connection_;
};

// Opens a table or a query. An engine error is shown as "Ошибка открытия файла [%s]\r\n(%s)"
// or "Ошибка открытия SQL-запроса:\r\n(%s)\r\nSQL:\r\n(%s)" and leaves the data set closed;
// any other object shows "Неопределенный тип объекта TDBDataSet". True when the open returned.
bool OpenTable(TDataSet* data_set);
// The closing twin, with "Ошибка закрытия файла [%s]\r\n(%s)" and
// "Ошибка закрытия SQL-запроса:\r\n(%s)\r\nSQL:\r\n(%s)".
bool CloseTable(TDataSet* data_set);

}  // namespace kv
