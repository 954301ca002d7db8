#include <unistd.h>

#include <fstream>

#include <gtest/gtest.h>

#include "shell/databases.h"
#include "shell/error_of.h"
#include "shell/user_messages.h"

namespace kv {
namespace {

std::filesystem::path DataFolder() { return std::filesystem::path(KV_SOURCE_DIR) / "data"; }

class Databases : public ::testing::Test {
protected:
  void SetUp() override {
    root = std::filesystem::temp_directory_path() / ("kv-databases-" + std::to_string(getpid()) + "-" +
                                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root);
    dirs = TDatabaseDirs::Below(root);
    for (TDatabaseAlias alias : kDatabaseOpenOrder) CreateAliasDatabase(alias, dirs[alias], DataFolder());
  }
  void TearDown() override {
    databases.CloseDatabases();
    std::filesystem::remove_all(root);
  }
  std::filesystem::path root;
  TDatabaseDirs dirs;
  TDatabases databases;
  TScriptedMessages messages;
  TUserMessagesScope messages_scope{messages};
};

TEST_F(Databases, OpenSetsTheParametersAndAttachesEveryAliasAndAFailureNamesItsDirectory) {
  databases.OpenDatabases(dirs);
  for (TDatabaseAlias alias : kDatabaseOpenOrder) {
    EXPECT_TRUE(databases.IsOpen(alias)) << AliasName(alias);
    EXPECT_TRUE(databases.Sql().IsAttached(std::string(AliasName(alias))));
  }
  const auto& params = databases.Connection(TDatabaseAlias::GXDB_Profile).Params;
  ASSERT_EQ(params.size(), 3u);
  EXPECT_EQ(params[0], "PATH=" + dirs[TDatabaseAlias::GXDB_Profile]);
  EXPECT_EQ(params[2], "ENABLE BCD=TRUE");
  databases.CloseDatabases();
  for (TDatabaseAlias alias : kDatabaseOpenOrder) EXPECT_FALSE(databases.IsOpen(alias));
  databases.CloseDatabases();  // harmless when closed
  EXPECT_EQ(AliasByName("gxdb_sysdb"), TDatabaseAlias::GXDB_SysDB);
  EXPECT_THROW(AliasByName("GXDB_Stock"), EDatabaseError);
  dirs[TDatabaseAlias::GXDB_Private] = (root / "missing").string();
  const std::string message = test::ErrorOf<EDatabaseError>([&] { databases.OpenDatabases(dirs); });
  EXPECT_TRUE(test::Contains(message, (root / "missing").string()));
  EXPECT_TRUE(test::Contains(message, "GXDB_Private"));
  EXPECT_TRUE(databases.IsOpen(TDatabaseAlias::GXDB_Registry)) << "the ones before stay open";
  EXPECT_FALSE(databases.IsOpen(TDatabaseAlias::GXDB_Private));
}

TEST_F(Databases, AFileThatIsNotADatabaseOrCreatingOverAnExistingOneIsRefused) {
  const auto folder = root / "garbage";
  std::filesystem::create_directories(folder);
  std::ofstream(DatabaseFile(folder.string())) << "not a database at all, just some text";
  databases.SetDirectory(TDatabaseAlias::GXDB_Report, folder.string());
  EXPECT_THROW(databases.OpenReportDatabase(), EDatabaseError);
  EXPECT_FALSE(databases.IsOpen(TDatabaseAlias::GXDB_Report));
  EXPECT_THROW(CreateAliasDatabase(TDatabaseAlias::GXDB_Catalog, dirs[TDatabaseAlias::GXDB_Catalog], DataFolder()),
               EInOutError);
  EXPECT_THROW(CreateAliasDatabase(TDatabaseAlias::GXDB_Catalog, (root / "new").string(), root / "no-data"),
               EInOutError);
  EXPECT_FALSE(std::filesystem::exists(DatabaseFile((root / "new").string())));
}

TEST_F(Databases, CatalogueAliasesAreReadOnlyAndOthersTakeAliasQualifiedSqlWithParameters) {
  databases.OpenDatabases(dirs);
  EXPECT_THROW(
      databases.Sql().Execute("INSERT INTO \":GXDB_Catalog:Currency.db\" (\"ID\") VALUES (?)", {{"", TValue(1)}}),
      EDatabaseError);
  EXPECT_EQ(databases.Sql().Execute("INSERT INTO \":GXDB_Private:WorkList.db\" (\"ID\", \"OrderNo\") VALUES (:ID, :No)",
                                    {{"ID", TValue(7)}, {"No", TValue("A-15'; DROP TABLE x; --")}}),
            1);
  const TMemTable rows = databases.Sql().Query(
      "SELECT T.\"OrderNo\" FROM \":GXDB_Private:WorkList.db\" T WHERE T.\"ID\" = ?", {{"", TValue(7)}});
  ASSERT_EQ(rows.RecordCount(), 1u);
  EXPECT_EQ(rows.Row(0)[0].AsString(), "A-15'; DROP TABLE x; --") << "values are bound, never pasted";
  EXPECT_THROW(databases.Sql().Execute("SELECT 1; SELECT 2"), EDatabaseError);
  EXPECT_THROW(databases.Sql().Execute("INSERT INTO t VALUES (:Missing)", {{"Other", TValue(1)}}), EDatabaseError);
  databases.OpenDatabases(dirs);
  TQuery insert(databases.Sql(), "INSERT INTO \":GXDB_Report:Report.db\" (\"ID\", \"Name\") VALUES (?, ?)");
  insert.Params = {{"", TValue(1)}, {"", TValue("Счет")}};
  EXPECT_EQ(insert.ExecSQL(), 1);
  TQuery select(databases.Sql(), "SELECT \"Name\" FROM \":GXDB_Report:Report.db\" WHERE \"ID\" = :ID");
  select.Params = {{"ID", TValue(1)}};
  ASSERT_TRUE(OpenTable(&select));
  EXPECT_EQ(select.Data().Row(0)[0].AsString(), "Счет");
  EXPECT_TRUE(CloseTable(&select));
}

TEST_F(Databases, TablesOpenInKeyOrderWithTheirTypesMoneyKeysByTheirValue) {
  {
    TSqlConnection writer(DatabaseFile(dirs[TDatabaseAlias::GXDB_Catalog]).string(), false);
    writer.Execute("INSERT INTO \"Currency\" (\"ID\", \"Name\", \"Value\") VALUES (2, 'EUR', 95.5)");
    writer.Execute("INSERT INTO \"Currency\" (\"ID\", \"Name\", \"Value\") VALUES (0, 'руб.', 1)");
    writer.Execute("INSERT INTO \"Service\" (\"ID\", \"Price\") VALUES (1, '12.34')");
    TSqlConnection profile(DatabaseFile(dirs[TDatabaseAlias::GXDB_Profile]).string(), false);
    for (const char* id : {"10", "7", "9.5"})
      profile.Execute(std::string("INSERT INTO \"BeadComb\" (\"ID\", \"ProfGrp\") VALUES ('") + id + "', 1)");
  }
  databases.OpenDatabases(dirs);
  TTable currency(databases.Sql(), "GXDB_Catalog", "Currency");
  ASSERT_TRUE(OpenTable(&currency));
  ASSERT_EQ(currency.Data().RecordCount(), 2u);
  EXPECT_EQ(currency.Data().Row(0)[0].AsInteger(), 0) << "primary key order";
  EXPECT_EQ(currency.Data().PrimaryKey(), std::vector<std::string>{"ID"});
  TTable service(databases.Sql(), "GXDB_Catalog", "Service");
  ASSERT_TRUE(OpenTable(&service));
  const TValue price = service.Data().Row(0)[service.Data().FieldIndex("Price")];
  ASSERT_TRUE(std::holds_alternative<TCurrency>(price.Data()));
  EXPECT_EQ(price.AsCurrency().Raw(), 123400);
  EXPECT_TRUE(CloseTable(&service));
  EXPECT_FALSE(service.Active());
  EXPECT_TRUE(messages.Shown().empty());
  // Money keys order by their value.
  TTable beads(databases.Sql(), "GXDB_Profile", "BeadComb");
  ASSERT_TRUE(OpenTable(&beads));
  ASSERT_EQ(beads.Data().RecordCount(), 3u);
  EXPECT_EQ(beads.Data().Row(0)[0].AsCurrency(), TCurrency::FromInt(7));
  EXPECT_EQ(beads.Data().Row(1)[0].AsCurrency(), TCurrency::FromExtended(9.5));
  EXPECT_EQ(beads.Data().Row(2)[0].AsCurrency(), TCurrency::FromInt(10));
}

TEST_F(Databases, OpenTableReportsTableAndQueryFailures) {
  databases.OpenDatabases(dirs);
  TTable missing(databases.Sql(), "GXDB_Catalog", "NoSuchTable");
  EXPECT_FALSE(OpenTable(&missing));
  EXPECT_FALSE(missing.Active());
  EXPECT_EQ(messages.LastText().rfind("Ошибка открытия файла [NoSuchTable]\r\n(", 0), 0u) << messages.LastText();
  TQuery query(databases.Sql(), "SELECT * FROM \":GXDB_Registry:Nothing.db\"");
  EXPECT_FALSE(OpenTable(&query));
  EXPECT_EQ(messages.LastText().rfind("Ошибка открытия SQL-запроса:\r\n(", 0), 0u);
  EXPECT_TRUE(test::Contains(messages.LastText(), "SQL:\r\n(SELECT * FROM \":GXDB_Registry:Nothing.db\")"));
  struct TForeign : TDataSet {
    void Open() override {}
    void Close() override {}
  } foreign;
  EXPECT_FALSE(OpenTable(&foreign));
  EXPECT_EQ(messages.LastText(), "Неопределенный тип объекта TDBDataSet");
  EXPECT_FALSE(CloseTable(nullptr));
  EXPECT_EQ(messages.Shown().size(), 4u);
}

}  // namespace
}  // namespace kv
