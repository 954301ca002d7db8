#include "catalogue/catalogue_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "catalogue/catalogue.h"
#include "catalogue/small_catalogue.h"
#include "shell/format_settings.h"
#include "shell/sqlite_statement.h"
#include "shell/user_messages.h"

namespace kv {
namespace {

using test::ErrorOf;
using test::MakeTempFolder;
using test::SourceDataDir;

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

// The catalogue of a folder opened for reading.
struct TOpened {
  explicit TOpened(const std::filesystem::path& root) {
    const TDatabaseDirs dirs = TDatabaseDirs::Below(root);
    for (TDatabaseAlias alias : kCatalogueAliases) {
      databases.SetDirectory(alias, dirs[alias]);
      databases.Open(alias);
    }
    all_opened = catalogue.OpenTables(databases);
  }
  TScriptedMessages messages;
  TUserMessagesScope scope{messages};
  TDatabases databases;
  TCatalogue catalogue;
  bool all_opened = false;
};

class CatalogueFiles : public ::testing::Test {
protected:
  void SetUp() override {
    folder = MakeTempFolder("kv-catalogue-files");
    demo = folder / "demo";
    CreateCatalogueDatabases(TDatabaseDirs::Below(demo), SourceDataDir(), DemoCatalogueDir(SourceDataDir()));
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  std::filesystem::path folder;
  std::filesystem::path demo;
};

TEST_F(CatalogueFiles, DemoCatalogueOpensEveryTableWithRows) {
  TOpened opened(demo);
  EXPECT_TRUE(opened.all_opened);
  EXPECT_TRUE(opened.messages.Shown().empty());
  for (TCatalogueModule* module : opened.catalogue.Modules()) {
    EXPECT_FALSE(module->Tables().empty()) << AliasName(module->Alias());
    for (const auto& table : module->Tables()) {
      EXPECT_TRUE(table->Active()) << table->TableName();
      if (table->TableName() != "Library") {
        EXPECT_GT(table->Data().RecordCount(), 0u) << table->TableName();
      }
    }
  }
  EXPECT_EQ(opened.catalogue.Settings.CurrencyList.size(), 3u);
}

TEST_F(CatalogueFiles, ACatalogueWithoutOneOfItsTablesIsReportedWhenItOpens) {
  const auto catalog_file = DatabaseFile(TDatabaseDirs::Below(demo)[TDatabaseAlias::GXDB_Catalog]).string();
  TSqlConnection(catalog_file, false).Execute("DROP TABLE \"SysColor\"");
  TOpened opened(demo);
  EXPECT_FALSE(opened.all_opened);
  EXPECT_EQ(opened.messages.Texts(), std::vector<std::string>{"Ошибка открытия файла [SysColor]\r\n(Таблица SysColor "
                                                              "не существует в базе данных GXDB_Catalog)"});
  EXPECT_FALSE(opened.catalogue.SysColor.Bound());
  EXPECT_TRUE(opened.catalogue.SysList.Bound());
  EXPECT_EQ(test::CatalogueErrorOf([&] { opened.catalogue.SysColor.Get(); }), "Таблица каталога [SysColor] не открыта");
  // A catalogue never opened names its tables too.
  const TCatalogue never_opened;
  EXPECT_EQ(test::CatalogueErrorOf([&] { never_opened.SysList.Get(); }), "Таблица каталога [SysList] не открыта");
}

TEST_F(CatalogueFiles, CsvRoundTripReproducesEveryTable) {
  const auto first = folder / "csv1";
  const auto second = folder / "csv2";
  const auto copy = folder / "copy";
  // A stored construction is bytes that no text may change: a zero, a line break, a quote, a comma.
  const std::string catalog_file = DatabaseFile(TDatabaseDirs::Below(demo)[TDatabaseAlias::GXDB_Catalog]).string();
  {
    TSqlConnection connection(catalog_file, false);
    TSqliteStatement insert(connection, "INSERT INTO \"Library\" (\"ID\", \"Construction\") VALUES (1, ?)");
    insert.BindBlob(1, std::vector<uint8_t>{0x00, 0xFF, '\r', '\n', '"', ','}).Step();
  }
  const int files = ExportCatalogueCsv(TDatabaseDirs::Below(demo), first);
  EXPECT_GT(files, 60);
  EXPECT_GT(ImportCatalogueCsv(first, TDatabaseDirs::Below(copy), SourceDataDir()), 500);
  EXPECT_EQ(ExportCatalogueCsv(TDatabaseDirs::Below(copy), second), files);
  EXPECT_EQ(ReadFile(first / "Library.csv"), "ID,Parent,Name,Note,Construction\n1,,,,00FF0D0A222C\n");
  const std::string copied = DatabaseFile(TDatabaseDirs::Below(copy)[TDatabaseAlias::GXDB_Catalog]).string();
  EXPECT_EQ(TSqlConnection(copied, false).Query("SELECT typeof(\"Construction\") FROM \"Library\"").Row(0)[0],
            TValue("blob"));
  for (const auto& entry : std::filesystem::directory_iterator(first)) {
    EXPECT_EQ(ReadFile(entry.path()), ReadFile(second / entry.path().filename())) << entry.path().filename();
  }
  TOpened original(demo);
  TOpened reloaded(copy);
  const auto modules = original.catalogue.Modules();
  const auto copies = reloaded.catalogue.Modules();
  for (size_t m = 0; m < modules.size(); ++m) {
    ASSERT_EQ(modules[m]->Tables().size(), copies[m]->Tables().size());
    for (size_t t = 0; t < modules[m]->Tables().size(); ++t) {
      const TMemTable& a = modules[m]->Tables()[t]->Data();
      const TMemTable& b = copies[m]->Tables()[t]->Data();
      EXPECT_EQ(a.Rows(), b.Rows()) << a.Name();
    }
  }
}

TEST_F(CatalogueFiles, ImportReplacesOnlyTheTablesGiven) {
  const auto csv = folder / "csv";
  std::filesystem::create_directories(csv);
  WriteFile(csv / "Currency.csv", "ID,Name,Value\n0,руб.,1\n5,CHF,101.25\n");
  EXPECT_EQ(ImportCatalogueCsv(csv, TDatabaseDirs::Below(demo), SourceDataDir()), 2);
  TOpened opened(demo);
  const TMemTable& currency = opened.catalogue.Currency.Get();
  ASSERT_EQ(currency.RecordCount(), 2u);
  EXPECT_EQ(currency.Row(1)[currency.FieldIndex("Name")].AsString(), "CHF");
  EXPECT_TRUE(currency.Row(1)[currency.FieldIndex("Dec")].IsNull());
  EXPECT_GT(opened.catalogue.Catalog.Get().RecordCount(), 100u) << "tables without a file keep their rows";
}

struct TBadCsv {
  const char* File;
  const char* Text;
  const char* Message;
};

class BadCsv : public CatalogueFiles, public ::testing::WithParamInterface<TBadCsv> {};

TEST_P(BadCsv, IsRefusedNamingFileLineAndColumnAndNothingIsWritten) {
  const auto csv = folder / "bad";
  std::filesystem::create_directories(csv);
  WriteFile(csv / "BeadGrp.csv", "Name,Group\nПрямой,1\n");  // a good file read before the bad one
  WriteFile(csv / GetParam().File, GetParam().Text);
  const std::string before = ReadFile(DatabaseFile(TDatabaseDirs::Below(demo)[TDatabaseAlias::GXDB_Profile]));
  EXPECT_EQ(ErrorOf([&] { ImportCatalogueCsv(csv, TDatabaseDirs::Below(demo), SourceDataDir()); }), GetParam().Message);
  EXPECT_EQ(ReadFile(DatabaseFile(TDatabaseDirs::Below(demo)[TDatabaseAlias::GXDB_Profile])), before);
  EXPECT_FALSE(std::filesystem::exists(folder / "fresh"));
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, BadCsv,
    ::testing::Values(
        TBadCsv{"Windows.csv", "ID\n1\n", "Файл Windows.csv, строка 1: таблица Windows не существует в каталоге"},
        TBadCsv{"ProfList.csv", "Profile,Colour\nA,1\n",
                "Файл ProfList.csv, строка 1, столбец Colour: неизвестный столбец таблицы"},
        TBadCsv{"ProfList.csv", "Profile,Width\nA,70.0\nB,wide\n",
                "Файл ProfList.csv, строка 3, столбец Width: 'wide' не является числом"},
        TBadCsv{"ProfList.csv", "Profile,SteelThickness\nA,1.5\nB,1.50\nC,1.005\n",
                "Файл ProfList.csv, строка 4, столбец SteelThickness: в числе 1.005 больше знаков после точки, чем 2"},
        TBadCsv{"ProfList.csv", "Profile,SteelThickness\nA,15e-2\nB,1e-3\n",
                "Файл ProfList.csv, строка 3, столбец SteelThickness: в числе 1e-3 больше знаков после точки, чем 2"},
        TBadCsv{"ProfList.csv", "Profile,Group\nA,0\nB,1\nA,2\n",
                "Файл ProfList.csv, строка 4, столбец Profile: ключ [A] повторяется"},
        TBadCsv{"ProfList.csv", "Profile,Group\n\"multi\nline\",0\nB\n",
                "Файл ProfList.csv, строка 4: полей 1, а в заголовке 2"},
        TBadCsv{"ProfList.csv", "Profile,Group\nABCDEFGHIJKLMNOPQRSTUVWXYZ,0\n",
                "Файл ProfList.csv, строка 2, столбец Profile: текст длиннее 20 символов"},
        TBadCsv{"ProfList.csv", "Profile,Group\nA,0\n,1\n",
                "Файл ProfList.csv, строка 3, столбец Profile: нет значения ключа"},
        TBadCsv{"Accessry.csv", "Profile,ProfColor\nA,1\n",
                "Файл Accessry.csv, строка 2, столбец Color: нет значения ключа"},
        TBadCsv{"BeadComb.csv", "ID,ProfGrp\n1.5,1\n1.50,2\n",
                "Файл BeadComb.csv, строка 3, столбец ID: ключ [1,5] повторяется"},
        TBadCsv{"BeadComb.csv", "ID,ProfGrp\n922337203685477.5808,1\n",
                "Файл BeadComb.csv, строка 2, столбец ID: '922337203685477.5808' не является денежной суммой"},
        TBadCsv{"CombList.csv", "Profile1,Group\nA,\"1\n", "Файл CombList.csv, строка 2: не закрыта кавычка"},
        TBadCsv{"ProfList.csv", "", "Файл ProfList.csv, строка 1: нет строки заголовка"},
        TBadCsv{"ProfList.csv", "Profile,Profile\n",
                "Файл ProfList.csv, строка 1, столбец Profile: столбец повторяется"}));

// A value of the wrong shape for its column, from a CSV file and from a SQL script, over a table with
// a column of each checked type.
TEST_F(CatalogueFiles, AValueOfTheWrongShapeIsRefusedFromCsvAndFromSql) {
  const auto data = folder / "data";
  std::filesystem::create_directories(data);
  std::filesystem::copy(SourceDataDir() / "schema", data / "schema");
  std::ofstream(data / "schema/GXDB_Accessory.sql", std::ios::app)
      << "CREATE TABLE \"Shapes\" (\"ID\" INTEGER, \"Size\" SMALLINT, \"Price\" MONEY TEXT, \"Day\" DATE,"
         " \"Data\" BLOB, PRIMARY KEY (\"ID\"));\n";
  const auto csv = folder / "csv";
  const auto scripts = folder / "scripts";
  std::filesystem::create_directories(csv);
  std::filesystem::create_directories(scripts);
  for (TDatabaseAlias alias : kCatalogueAliases) WriteFile(scripts / (std::string(AliasName(alias)) + ".sql"), "");
  const struct {
    const char* Column;
    const char* Csv;
    const char* CsvReason;
    const char* Sql;
    const char* SqlRefusal;
  } cases[] = {
      {"Size", "wide", "'wide' не является целым числом", "'wide'", "[wide] не число"},
      {"Size", "1.5", "'1.5' не является целым числом", "X'01'", "[X'01'] не число"},
      {"Price", "\"12,50\"", "'12,50' не является денежной суммой", "'abc'", "[abc] не денежная сумма"},
      {"Price", "1.23456", "'1.23456' не является денежной суммой", "X'00'", "[X'00'] не денежная сумма"},
      {"Day", "01.03.2024", "'01.03.2024' не является датой (гггг-мм-дд)", "45000", "[45000] не дата"},
      {"Day", "2024-02-30", "'2024-02-30' не является датой (гггг-мм-дд)", "'2024-03-01 junk'",
       "[2024-03-01 junk] не дата"},
      {"Data", "XYZ1", "символ 1 не шестнадцатеричная цифра", "5", "[5] не двоичные данные"},
      {"Data", "ABC", "нечетное число шестнадцатеричных цифр", "'text'", "[text] не двоичные данные"},
  };
  for (const auto& c : cases) {
    WriteFile(csv / "Shapes.csv", std::string("ID,") + c.Column + "\n1," + c.Csv + "\n");
    EXPECT_EQ(ErrorOf([&] { ImportCatalogueCsv(csv, TDatabaseDirs::Below(demo), data); }),
              Format("Файл Shapes.csv, строка 2, столбец %s: %s", c.Column, c.CsvReason));
    WriteFile(scripts / "GXDB_Accessory.sql",
              std::string("INSERT INTO \"Shapes\" (\"ID\", \"") + c.Column + "\") VALUES (1, " + c.Sql + ");");
    EXPECT_EQ(ErrorOf([&] { CreateCatalogueDatabases(TDatabaseDirs::Below(folder / "sql"), data, scripts); }),
              Format("Таблица Shapes, столбец %s, ключ 1: значение %s", c.Column, c.SqlRefusal));
  }
}

TEST_F(CatalogueFiles, AnImportFailingWhileWritingKeepsTheTablesWrittenBeforeAsTheyWere) {
  // Files are written in name order, so BeadGrp is replaced before the write of ProfList fails on
  // the table the database has lost.
  const std::string profile_file = DatabaseFile(TDatabaseDirs::Below(demo)[TDatabaseAlias::GXDB_Profile]).string();
  const auto bead_groups = [&] { return TSqlConnection(profile_file, false).Query("SELECT * FROM BeadGrp").Rows(); };
  TSqlConnection(profile_file, false).Execute("DROP TABLE \"ProfList\"");
  const auto before = bead_groups();
  const auto csv = folder / "csv";
  std::filesystem::create_directories(csv);
  WriteFile(csv / "BeadGrp.csv", "Name,Group\nПрямой,1\n");
  WriteFile(csv / "ProfList.csv", "Profile,Group\nA,0\n");
  EXPECT_THROW(ImportCatalogueCsv(csv, TDatabaseDirs::Below(demo), SourceDataDir()), EDatabaseError);
  EXPECT_GT(before.size(), 1u);
  EXPECT_EQ(bead_groups(), before);
}

TEST_F(CatalogueFiles, ABrokenScriptIsReportedAndLeavesNoDatabase) {
  const auto scripts = folder / "scripts";
  std::filesystem::create_directories(scripts);
  for (TDatabaseAlias alias : kCatalogueAliases) WriteFile(scripts / (std::string(AliasName(alias)) + ".sql"), "");
  WriteFile(scripts / "GXDB_Furniture.sql", "INSERT INTO \"FrnComp\" (\"Nope\") VALUES (1);");
  const auto target = TDatabaseDirs::Below(folder / "broken");
  const auto create = [&] { CreateCatalogueDatabases(target, SourceDataDir(), scripts); };
  const auto nothing_left = [&] {
    for (TDatabaseAlias alias : kCatalogueAliases) EXPECT_FALSE(std::filesystem::exists(DatabaseFile(target[alias])));
  };
  const std::string message = ErrorOf<EInOutError>(create);
  EXPECT_TRUE(test::Contains(message, "GXDB_Furniture.sql"));
  nothing_left();

  // The engine keeps text it cannot convert in a number column; the catalogue refuses it.
  WriteFile(scripts / "GXDB_Furniture.sql",
            "INSERT INTO \"FrnComp\" (\"ID\", \"Group\", \"ScrColor\") VALUES ('K1', 2, 5), ('K2', 'abc', 5);");
  EXPECT_EQ(ErrorOf<EConvertError>(create), "Таблица FrnComp, столбец Group, ключ K2: значение [abc] не число");
  nothing_left();
}

}  // namespace
}  // namespace kv
