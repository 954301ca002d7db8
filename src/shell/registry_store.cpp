#include "shell/registry_store.h"

#include <sqlite3.h>

#include <cstdlib>
#include <functional>
#include <limits>
#include <system_error>

#include "shell/code_page.h"
#include "shell/format_settings.h"
#include "shell/sqlite_statement.h"

namespace kv {

namespace {

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS RegKeys(Folded TEXT PRIMARY KEY, Path TEXT NOT NULL,"
    " Parent TEXT NOT NULL, Name TEXT NOT NULL);"
    "CREATE TABLE IF NOT EXISTS RegValues(KeyFolded TEXT NOT NULL, NameFolded TEXT NOT NULL,"
    " Name TEXT NOT NULL, Type INTEGER NOT NULL, Data, PRIMARY KEY(KeyFolded, NameFolded));";

constexpr const char* kSelectData = "SELECT Data FROM RegValues WHERE KeyFolded = ?1 AND NameFolded = ?2";

// Times a write is tried again when the store stayed busy for the whole busy timeout.
constexpr int kWriteAttempts = 3;

// Another program kept the store locked for longer than the connection waits.
class ERegistryBusy : public ERegistryError {
  using ERegistryError::ERegistryError;
};

std::string Fold(const std::string& text) { return AnsiUpperCase(text); }

// "a\\b\c\" -> "a\b\c"
std::string JoinSegments(const std::string& path) {
  std::string out, segment;
  auto flush = [&] {
    if (segment.empty()) return;
    if (!out.empty()) out += '\\';
    out += segment;
    segment.clear();
  };
  for (char c : path) {
    if (c == '\\')
      flush();
    else
      segment += c;
  }
  flush();
  return out;
}

std::string ParentOf(const std::string& path) {
  const auto pos = path.rfind('\\');
  return pos == std::string::npos ? std::string() : path.substr(0, pos);
}

std::string LastSegment(const std::string& path) {
  const auto pos = path.rfind('\\');
  return pos == std::string::npos ? path : path.substr(pos + 1);
}

}  // namespace

std::filesystem::path RegistryFilePath() {
  if (const char* explicit_path = std::getenv("KORVENT_REGISTRY"); explicit_path && *explicit_path)
    return explicit_path;
  std::filesystem::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
    config = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home)
    config = std::filesystem::path(home) / ".config";
  else
    config = ".config";
  return config / "korvent" / "registry.sqlite";
}

TRegistry::TRegistry() : TRegistry(RegistryFilePath()) {}

TRegistry::TRegistry(std::filesystem::path file) : file_(std::move(file)) {}

TRegistry::~TRegistry() { sqlite3_close_v2(db_); }

std::string TRegistry::Message(const std::string& what) const {
  return Format("Ошибка хранилища реестра %s: %s", file_.string(), what);
}

void TRegistry::Fail(const std::string& what) const { throw ERegistryError(Message(what)); }

TEngineFailure TRegistry::Failure() const {
  return [this](const std::string& what) {
    if (db_ && sqlite3_errcode(db_) == SQLITE_BUSY) throw ERegistryBusy(Message(what));
    Fail(what);
  };
}

TSqliteStatement TRegistry::Prepare(sqlite3* db, const char* sql) const { return {db, sql, Failure()}; }

sqlite3* TRegistry::Connection(bool for_writing) {
  if (db_ && for_writing && read_only_) Fail("файл доступен только для чтения");
  if (db_) return db_;
  std::error_code error;
  const bool exists = std::filesystem::exists(file_, error);
  if (!exists && !for_writing) return nullptr;
  OpenFile(!exists);
  if (for_writing && read_only_) Fail("файл доступен только для чтения");
  return db_;
}

void TRegistry::OpenFile(bool create) {
  if (create) {
    std::error_code error;
    if (file_.has_parent_path()) std::filesystem::create_directories(file_.parent_path(), error);
  }
  const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
  int rc = sqlite3_open_v2(file_.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK && !create) {
    sqlite3_close_v2(db_);
    db_ = nullptr;
    rc = sqlite3_open_v2(file_.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr);
    read_only_ = true;
  }
  if (rc != SQLITE_OK) {
    const std::string message = db_ ? EngineText(db_) : EngineCodeText(rc);
    sqlite3_close_v2(db_);
    db_ = nullptr;
    Fail(message);
  }
  ShareConnection(db_);
  if (!read_only_) ShareDatabaseFile(db_, "main");
  CheckSchema();
}

// A file that is not a database fails here, on its first read, rather than in the middle of an
// operation; a file without the tables gets them when it may be written.
void TRegistry::CheckSchema() {
  char* error = nullptr;
  const char* sql = read_only_ ? "SELECT count(*) FROM RegKeys; SELECT count(*) FROM RegValues;" : kSchema;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string message = error ? error : "неизвестная ошибка";
    sqlite3_free(error);
    sqlite3_close_v2(db_);
    db_ = nullptr;
    read_only_ = false;
    Fail(message);
  }
}

std::string TRegistry::Resolve(const std::string& key) const {
  if (!key.empty() && key.front() == '\\') return JoinSegments(key);
  return JoinSegments(current_path_ + '\\' + key);
}

bool TRegistry::KeyRowExists(const std::string& folded) {
  if (folded.empty()) return true;
  sqlite3* db = Connection(false);
  if (!db) return false;
  TSqliteStatement find = Prepare(db, "SELECT 1 FROM RegKeys WHERE Folded = ?1");
  return find.Bind(1, folded).Step();
}

void TRegistry::InTransaction(const std::function<void()>& work) {
  for (int attempt = 1;; ++attempt) {
    try {
      TSqliteTransaction transaction(Connection(true), Failure(), TTransactionLock::tlWrite);
      work();
      transaction.Commit();
      return;
    } catch (const ERegistryBusy&) {
      if (attempt == kWriteAttempts) throw;
    }
  }
}

void TRegistry::CreateKeyPath(const std::string& path) {
  InTransaction([&] {
    for (std::string key = path; !key.empty(); key = ParentOf(key)) {
      TSqliteStatement insert =
          Prepare(db_, "INSERT OR IGNORE INTO RegKeys(Folded, Path, Parent, Name) VALUES (?1, ?2, ?3, ?4)");
      insert.Bind(1, Fold(key)).Bind(2, key).Bind(3, Fold(ParentOf(key))).Bind(4, LastSegment(key)).Step();
    }
  });
}

bool TRegistry::OpenKey(const std::string& key, bool can_create) {
  const std::string path = Resolve(key);
  if (!KeyRowExists(Fold(path))) {
    if (!can_create) return false;
    CreateKeyPath(path);
  }
  current_path_ = path;
  key_open_ = true;
  return true;
}

void TRegistry::CloseKey() {
  current_path_.clear();
  key_open_ = false;
}

bool TRegistry::KeyExists(const std::string& key) { return KeyRowExists(Fold(Resolve(key))); }

bool TRegistry::DeleteKey(const std::string& key) {
  const std::string folded = Fold(Resolve(key));
  if (folded.empty() || !KeyRowExists(folded)) return false;
  // The key and everything below it: its own path or a path that continues it after "\".
  const std::string below = folded + "\\";
  InTransaction([&] {
    TSqliteStatement values =
        Prepare(db_, "DELETE FROM RegValues WHERE KeyFolded = ?1 OR substr(KeyFolded, 1, length(?2)) = ?2");
    values.Bind(1, folded).Bind(2, below).Step();
    TSqliteStatement keys = Prepare(db_, "DELETE FROM RegKeys WHERE Folded = ?1 OR substr(Folded, 1, length(?2)) = ?2");
    keys.Bind(1, folded).Bind(2, below).Step();
  });
  return true;
}

std::vector<std::string> TRegistry::GetKeyNames() {
  std::vector<std::string> names;
  sqlite3* db = Connection(false);
  if (!db) return names;
  TSqliteStatement list = Prepare(db, "SELECT Name FROM RegKeys WHERE Parent = ?1 ORDER BY rowid");
  list.Bind(1, Fold(current_path_));
  while (list.Step()) names.push_back(list.Column(0).AsString());
  return names;
}

std::vector<std::string> TRegistry::GetValueNames() {
  std::vector<std::string> names;
  sqlite3* db = Connection(false);
  if (!db || !key_open_) return names;
  TSqliteStatement list = Prepare(db, "SELECT Name FROM RegValues WHERE KeyFolded = ?1 ORDER BY rowid");
  list.Bind(1, Fold(current_path_));
  while (list.Step()) names.push_back(list.Column(0).AsString());
  return names;
}

bool TRegistry::FindValue(const std::string& name, TSqliteStatement& statement) {
  statement.Bind(1, Fold(current_path_)).Bind(2, Fold(name));
  return statement.Step();
}

TRegDataType TRegistry::GetDataType(const std::string& name) {
  sqlite3* db = Connection(false);
  if (!db || !key_open_) return TRegDataType::rdUnknown;
  TSqliteStatement find = Prepare(db, "SELECT Type FROM RegValues WHERE KeyFolded = ?1 AND NameFolded = ?2");
  if (!FindValue(name, find)) return TRegDataType::rdUnknown;
  return static_cast<TRegDataType>(find.Column(0).AsInteger());
}

bool TRegistry::ValueExists(const std::string& name) { return GetDataType(name) != TRegDataType::rdUnknown; }

bool TRegistry::DeleteValue(const std::string& name) {
  if (!ValueExists(name)) return false;
  TSqliteStatement remove = Prepare(Connection(true), "DELETE FROM RegValues WHERE KeyFolded = ?1 AND NameFolded = ?2");
  FindValue(name, remove);
  return true;
}

std::string TRegistry::ReadString(const std::string& name) {
  const TRegDataType type = GetDataType(name);
  if (type == TRegDataType::rdUnknown) return "";
  if (type != TRegDataType::rdString) Fail(Format("неверный тип данных параметра '%s'", name));
  TSqliteStatement find = Prepare(db_, kSelectData);
  FindValue(name, find);
  return find.Column(0).AsString();
}

int32_t TRegistry::ReadInteger(const std::string& name) {
  const TRegDataType type = GetDataType(name);
  if (type != TRegDataType::rdInteger) Fail(Format("неверный тип данных параметра '%s'", name));
  TSqliteStatement find = Prepare(db_, kSelectData);
  FindValue(name, find);
  // A store written by another program may hold anything under an integer's type; only a whole
  // number of the integer's range is one.
  const TValue data = find.Column(0);
  const auto* number = std::get_if<int64_t>(&data.Data());
  if (number == nullptr || *number < std::numeric_limits<int32_t>::min() ||
      *number > std::numeric_limits<int32_t>::max())
    Fail(Format("неверное значение параметра '%s'", name));
  return static_cast<int32_t>(*number);
}

bool TRegistry::ReadBool(const std::string& name) { return ReadInteger(name) != 0; }

std::vector<uint8_t> TRegistry::ReadBinaryData(const std::string& name) {
  const TRegDataType type = GetDataType(name);
  if (type != TRegDataType::rdBinary) Fail(Format("неверный тип данных параметра '%s'", name));
  TSqliteStatement find = Prepare(db_, kSelectData);
  FindValue(name, find);
  const std::string data = find.Column(0).AsString();
  return std::vector<uint8_t>(data.begin(), data.end());
}

void TRegistry::RequireOpenKey() const {
  if (!key_open_) Fail("раздел реестра не открыт");
}

void TRegistry::WriteValue(const std::string& name, TRegDataType type,
                           const std::function<void(TSqliteStatement&)>& bind_data) {
  RequireOpenKey();
  TSqliteStatement write =
      Prepare(Connection(true),
              "INSERT INTO RegValues(KeyFolded, NameFolded, Name, Type, Data) VALUES (?1, ?2, ?3, ?4, ?5)"
              " ON CONFLICT(KeyFolded, NameFolded) DO UPDATE SET Type = excluded.Type, Data = excluded.Data");
  write.Bind(1, Fold(current_path_)).Bind(2, Fold(name)).Bind(3, name);
  write.Bind(4, static_cast<int>(type));
  bind_data(write);
  write.Step();
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  WriteValue(name, TRegDataType::rdString, [&](TSqliteStatement& write) { write.Bind(5, value); });
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
  WriteValue(name, TRegDataType::rdInteger, [&](TSqliteStatement& write) { write.Bind(5, value); });
}

void TRegistry::WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

void TRegistry::WriteBinaryData(const std::string& name, const std::vector<uint8_t>& value) {
  WriteValue(name, TRegDataType::rdBinary, [&](TSqliteStatement& write) { write.BindBlob(5, value); });
}

}  // namespace kv
