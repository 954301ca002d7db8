#include "construction/demo_catalogue.h"

#include "catalogue/catalogue_files.h"
#include "catalogue/small_catalogue.h"

namespace kv::test {

TDemoCatalogue::TDemoCatalogue() : root_(MakeTempFolder("kv-demo-catalogue")) {
  const TDatabaseDirs dirs = TDatabaseDirs::Below(root_);
  CreateCatalogueDatabases(dirs, SourceDataDir(), DemoCatalogueDir(SourceDataDir()));
  for (TDatabaseAlias alias : kCatalogueAliases) {
    databases_.SetDirectory(alias, dirs[alias]);
    databases_.Open(alias);
  }
  catalogue_.OpenTables(databases_);
  scope_ = std::make_unique<TCatalogueScope>(catalogue_);
}

TDemoCatalogue::~TDemoCatalogue() {
  scope_.reset();
  catalogue_.CloseTables();
  databases_.CloseDatabases();
  std::filesystem::remove_all(root_);
}

}  // namespace kv::test
