#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/cli_run.h"

namespace kv::cli {
namespace {

using CatalogueCommand = TCliFolderTest;

TEST_F(CatalogueCommand, CreateExportImportRoundTripAndTheDemoStep) {
  const TCliRun create = RunCliCaptured({"catalogue", "create", Path("cat")});
  ASSERT_EQ(create.Code, 0) << create.Err;
  EXPECT_TRUE(test::Contains(create.Out, "GXDB_Accessory: " + Path("cat") + "/Accessory"));
  const TCliRun exported = RunCliCaptured({"catalogue", "export", Path("cat"), "--to", Path("csv")});
  ASSERT_EQ(exported.Code, 0) << exported.Err;
  EXPECT_TRUE(std::filesystem::exists(root / "csv" / "ProfList.csv"));
  const TCliRun imported = RunCliCaptured({"catalogue", "import", Path("csv"), "--into", Path("copy")});
  ASSERT_EQ(imported.Code, 0) << imported.Err;
  EXPECT_TRUE(test::Contains(imported.Out, "Загружено записей"));
  EXPECT_TRUE(std::filesystem::exists(root / "copy" / "Profile" / "korvent.sqlite"));
  const TCliRun demo = RunCliCaptured({"demo", "--dir", Path("demo")});
  EXPECT_TRUE(test::Contains(demo.Out, "== Каталог:")) << demo.Err;
  EXPECT_TRUE(test::Contains(demo.Out, "Угол рама/рама X45 при 89,6°: SubSetID 1001"));
  EXPECT_TRUE(test::Contains(demo.Out, "Створка TL-202 в раме TL-101 (по группе): SubSetID 3003"));
}

TEST_F(CatalogueCommand, CreateFromAnotherFolderOfScripts) {
  std::filesystem::create_directories(root / "sql");
  for (const char* alias : {"GXDB_Catalog", "GXDB_Profile", "GXDB_Furniture", "GXDB_Accessory"}) {
    std::ofstream(root / "sql" / (std::string(alias) + ".sql")) << "";
  }
  std::ofstream(root / "sql" / "GXDB_Catalog.sql") << "INSERT INTO \"Currency\" (\"ID\", \"Name\") VALUES (0, 'руб.');";
  EXPECT_EQ(RunCliCaptured({"catalogue", "create", Path("cat"), "--from", Path("sql")}).Code, 0);
  EXPECT_EQ(RunCliCaptured({"catalogue", "export", Path("cat"), "--to", Path("csv")}).Code, 0);
  std::ifstream in(root / "csv" / "Currency.csv");
  std::string header, row;
  std::getline(in, header);
  std::getline(in, row);
  EXPECT_EQ(row, "0,руб.,,,,,,");
}

TEST_F(CatalogueCommand, FailuresPrintTheProgramMessageAndExitNonZero) {
  std::filesystem::create_directories(root / "csv");
  std::ofstream(root / "csv" / "Currency.csv") << "ID,Name\nx,руб.\n";
  const TCliRun bad = RunCliCaptured({"catalogue", "import", Path("csv"), "--into", Path("cat")});
  EXPECT_NE(bad.Code, 0);
  EXPECT_TRUE(test::Contains(bad.Err, "Файл Currency.csv, строка 2, столбец ID: 'x' не является целым числом"));
  EXPECT_FALSE(std::filesystem::exists(root / "cat"));
  const TCliRun missing = RunCliCaptured({"catalogue", "export", Path("nothing"), "--to", Path("out")});
  EXPECT_NE(missing.Code, 0);
  EXPECT_TRUE(test::Contains(missing.Err, Path("nothing")));
  EXPECT_NE(RunCliCaptured({"catalogue", "create", Path("cat"), "--from", Path("no-such-folder")}).Code, 0);
}

}  // namespace
}  // namespace kv::cli
