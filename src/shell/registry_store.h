#pragma once
// The registry store: the hierarchical key-value store of the installation's settings, with the
// key paths and value names of the system registry the program was designed for
// ("\SoftWare\Nordal\Korvent\3.0\DBConfig\..."). Key and value names compare case-insensitively;
// values are strings, integers (booleans are integers) or binary data. The store is one SQLite
// file; every write is one transaction, so a crash never leaves half a value behind.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/errors.h"

struct sqlite3;

namespace kv {

class TSqliteStatement;

// The store file is missing a table, is not a database, or cannot be written.
class ERegistryError : public EKvError {
  using EKvError::EKvError;
};

inline constexpr const char* kRegistryRootKey = "\\SoftWare\\Nordal\\Korvent\\3.0";
inline constexpr const char* kDBConfigKey = "\\SoftWare\\Nordal\\Korvent\\3.0\\DBConfig";
inline constexpr const char* kTechnologistKey = "\\SoftWare\\Nordal\\Korvent\\3.0\\Technologist";

// $KORVENT_REGISTRY, else $XDG_CONFIG_HOME/korvent/registry.sqlite (~/.config when unset).
std::filesystem::path RegistryFilePath();

enum class TRegDataType { rdUnknown = 0, rdString = 1, rdInteger = 2, rdBinary = 3 };

// A cursor over the store, used like the registry object of the original: open a key, read and
// write its values, close it. A path with a leading "\" starts at the root, any other is taken
// below the open key. Failures of the store file raise ERegistryError with the file named.
class TRegistry {
public:
  // Works on the store file `file`; the default is RegistryFilePath() at the time of the call.
  TRegistry();
  explicit TRegistry(std::filesystem::path file);
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // Opens the key; with can_create the missing keys of the path are created, otherwise a
  // missing key gives false and the open key stays as it was.
  bool OpenKey(const std::string& key, bool can_create);
  void CloseKey();
  const std::string& CurrentPath() const { return current_path_; }

  bool KeyExists(const std::string& key);
  // Removes the key with its sub-keys and values; false when it did not exist.
  bool DeleteKey(const std::string& key);
  // Names of the sub-keys of the open key, in the spelling they were created with.
  std::vector<std::string> GetKeyNames();
  std::vector<std::string> GetValueNames();

  bool ValueExists(const std::string& name);
  TRegDataType GetDataType(const std::string& name);
  bool DeleteValue(const std::string& name);

  // A missing string reads as ""; a missing value of another type raises ERegistryError, as does
  // a value of the wrong type.
  std::string ReadString(const std::string& name);
  int32_t ReadInteger(const std::string& name);
  bool ReadBool(const std::string& name);
  std::vector<uint8_t> ReadBinaryData(const std::string& name);

  void WriteString(const std::string& name, const std::string& value);
  void WriteInteger(const std::string& name, int32_t value);
  void WriteBool(const std::string& name, bool value);
  void WriteBinaryData(const std::string& name, const std::vector<uint8_t>& value);

  // Runs the work's writes as one: all of them are stored, or none when it throws. The store is
  // locked for writing from the start (other programs wait their turn), and the work is run again
  // when another program kept the store busy for too long.
  void InTransaction(const std::function<void()>& work);

private:
  // The connection; a missing file gives nullptr unless for_writing, which creates it.
  sqlite3* Connection(bool for_writing);
  void OpenFile(bool create);
  void CheckSchema();
  // The text of a failure, naming the store file.
  std::string Message(const std::string& what) const;
  [[noreturn]] void Fail(const std::string& what) const;
  // Engine failures raise ERegistryError naming the store file.
  std::function<void(const std::string&)> Failure() const;
  TSqliteStatement Prepare(sqlite3* db, const char* sql) const;
  std::string Resolve(const std::string& key) const;
  bool KeyRowExists(const std::string& folded);
  void CreateKeyPath(const std::string& path);
  void RequireOpenKey() const;
  void WriteValue(const std::string& name, TRegDataType type, const std::function<void(TSqliteStatement&)>& bind_data);
  // Reads the value into the statement's first column; false when it does not exist.
  bool FindValue(const std::string& name, TSqliteStatement& statement);

  std::filesystem::path file_;
  sqlite3* db_ = nullptr;
  bool read_only_ = false;
  std::string current_path_;  // normalised, without leading "\"; "" is the root
  bool key_open_ = false;
};

}  // namespace kv
