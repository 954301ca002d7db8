#include "construction/demo_catalogue.h"

#include <stdlib.h>

#include "catalogue/catalogue_files.h"
#include "shell/errors.h"

namespace kv::test {

namespace {

std::filesystem::path NewTemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kv-demo-catalogue-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw EInOutError("Не удалось создать временную папку " + pattern);
  return pattern;
}

}  // namespace

TDemoCatalogue::TDemoCatalogue() : root_(NewTemporaryFolder()) {
  const std::filesystem::path data = std::filesystem::path(KV_SOURCE_DIR) / "data";
  const TDatabaseDirs dirs = TDatabaseDirs::Below(root_);
  CreateCatalogueDatabases(dirs, data, DemoCatalogueDir(data));
  opened_ = std::make_unique<TOpenedCatalogue>(dirs);
}

TDemoCatalogue::~TDemoCatalogue() {
  opened_.reset();
  std::filesystem::remove_all(root_);
}

}  // namespace kv::test
