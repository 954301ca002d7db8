#pragma once
// A small catalogue built by a test: the four catalogue databases created from their schemas in a
// temporary folder, the rows a test inserts, then opened like at start-up in the current session
// context.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/catalogue.h"
#include "shell/databases.h"
#include "shell/error_of.h"
#include "shell/errors.h"
#include "shell/table_engine.h"
#include "shell/user_messages.h"

namespace kv::test {

using TRowValues = std::vector<std::pair<std::string, TValue>>;
using TRows = std::vector<std::vector<TValue>>;

// A money value written as the program reads it ("1850,00"); a test's own typo throws.
inline TCurrency Money(const char* text) {
  TCurrency value;
  if (!TryMoneyFromText(text, value)) throw std::invalid_argument(text);
  return value;
}

class TSmallCatalogue {
public:
  TSmallCatalogue();
  ~TSmallCatalogue();

  // Adds a row to a table of a catalogue alias (before Open).
  void Insert(TDatabaseAlias alias, const std::string& table, const TRowValues& values);
  void Profile(const std::string& table, const TRowValues& values) {
    Insert(TDatabaseAlias::GXDB_Profile, table, values);
  }
  void Catalog(const std::string& table, const TRowValues& values) {
    Insert(TDatabaseAlias::GXDB_Catalog, table, values);
  }
  // Rows given as the column names once and each row's values in their order.
  void Insert(TDatabaseAlias alias, const std::string& table, const std::vector<std::string>& columns,
              const TRows& rows);
  void Profile(const std::string& table, const std::vector<std::string>& columns, const TRows& rows) {
    Insert(TDatabaseAlias::GXDB_Profile, table, columns, rows);
  }
  void Catalog(const std::string& table, const std::vector<std::string>& columns, const TRows& rows) {
    Insert(TDatabaseAlias::GXDB_Catalog, table, columns, rows);
  }
  // Opens the databases and the catalogue tables and installs them for the lookups.
  void Open();

  const std::filesystem::path& Root() const { return root_; }
  // Those of the current session context.
  TDatabases& Databases = DM_DB();
  TCatalogue& Catalogue = kv::Catalogue();
  TScriptedMessages Messages;

private:
  std::filesystem::path root_;
  TUserMessagesScope messages_scope_{Messages};
};

// The message of the catalogue error the call raises.
template <typename TCall>
std::string CatalogueErrorOf(TCall&& call) {
  return ErrorOf<EInterfaceError>(std::forward<TCall>(call));
}

// A fresh empty folder below the system's temporary folder, removed by the caller.
std::filesystem::path MakeTempFolder(const std::string& prefix);
std::filesystem::path SourceDataDir();

}  // namespace kv::test
