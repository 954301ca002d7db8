// The registry store's reading of a stored value whatever the store file holds (a store edited by
// hand or by another program): any type code with any data of any storage class reads as a value
// or raises the store's error, never a crash. The input gives the type code, the storage class and
// the data.
#include <sqlite3.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>

#include "shell/registry_store.h"
#include "shell/session_context.h"
#include "shell/sqlite_statement.h"

namespace {

constexpr const char* kKey = "\\SoftWare\\Fuzz";
constexpr const char* kName = "Value";

// A store with one value, made once per run.
std::filesystem::path StoreFile() {
  static const std::filesystem::path file = [] {
    const auto path = std::filesystem::temp_directory_path() / ("kv-fuzz-registry-" + std::to_string(getpid()));
    std::filesystem::remove(path);
    kv::TRegistry registry(path);
    registry.OpenKey(kKey, true);
    registry.WriteString(kName, "");
    return path;
  }();
  return file;
}

// Stores the value's type code and data as the input says.
void StoreValue(const uint8_t* data, size_t size) {
  sqlite3* db = nullptr;
  sqlite3_open(StoreFile().c_str(), &db);
  {
    kv::TSqliteStatement update(db, "UPDATE RegValues SET Type = ?1, Data = ?2");
    update.Bind(1, kv::TValue(static_cast<int64_t>(static_cast<int8_t>(data[0]))));
    const std::span<const uint8_t> rest(data + 2, size - 2);
    int64_t number = 0;
    std::memcpy(&number, rest.data(), std::min(rest.size(), sizeof number));
    double real = 0;
    std::memcpy(&real, rest.data(), std::min(rest.size(), sizeof real));
    switch (data[1] % 5) {
      case 0: update.Bind(2, kv::TValue()); break;
      case 1: update.Bind(2, kv::TValue(number)); break;
      case 2: update.Bind(2, kv::TValue(real)); break;
      case 3: update.Bind(2, kv::TValue(std::string(rest.begin(), rest.end()))); break;
      default: update.BindBlob(2, rest); break;
    }
    update.Step();
  }
  sqlite3_close(db);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kv::TSessionContext context;
  const kv::TContextScope current(context);
  if (size < 2) return 0;
  StoreValue(data, size);
  kv::TRegistry registry(StoreFile());
  registry.OpenKey(kKey, false);
  registry.GetValueNames();
  registry.ValueExists(kName);
  const auto read = [&](auto reader) {
    try {
      reader();
    } catch (const kv::ERegistryError&) {
    }
  };
  read([&] { registry.ReadString(kName); });
  read([&] { registry.ReadInteger(kName); });
  read([&] { registry.ReadBool(kName); });
  read([&] { registry.ReadBinaryData(kName); });
  return 0;
}
