#include "shell/table_engine.h"

#include <gtest/gtest.h>

#include "shell/format_settings.h"

namespace kv {
namespace {

TEST(RewriteAliasNames, QuotedAliasTableNamesBecomeSchemaQualifiedOtherLiteralsStay) {
  EXPECT_EQ(RewriteAliasNames("SELECT T.\"No\" FROM \":GXDB_Registry:OrderLst.db\" T WHERE T.\"No\" = ?"),
            "SELECT T.\"No\" FROM GXDB_Registry.OrderLst T WHERE T.\"No\" = ?");
  EXPECT_EQ(RewriteAliasNames("INSERT INTO ':GXDB_Private:WorkList.DB' (\":GXDB_Private:WorkList.DB\".\"ID\")"),
            "INSERT INTO GXDB_Private.WorkList (GXDB_Private.WorkList.\"ID\")");
  EXPECT_EQ(RewriteAliasNames("SELECT * FROM \":GXDB_Profile:ProfList\""), "SELECT * FROM GXDB_Profile.ProfList");
  EXPECT_EQ(RewriteAliasNames("SELECT 'a:b', \"Name\", :Param FROM t WHERE x = ':x'"),
            "SELECT 'a:b', \"Name\", :Param FROM t WHERE x = ':x'");
  EXPECT_EQ(RewriteAliasNames("SELECT ':bad alias:T.db'"), "SELECT ':bad alias:T.db'");
  EXPECT_EQ(RewriteAliasNames("SELECT 'unterminated"), "SELECT 'unterminated");
}

TEST(MoneyAndDateText, ExactMoneyWithAtLeastTwoDecimalsIsoDatesAndTimes) {
  EXPECT_EQ(MoneyToText(TCurrency::FromRaw(1255000)), "125.50");
  EXPECT_EQ(MoneyToText(TCurrency::FromRaw(-125)), "-0.0125");
  EXPECT_EQ(MoneyToText(TCurrency::FromRaw(0)), "0.00");
  TCurrency value;
  ASSERT_TRUE(TryMoneyFromText("125.5", value));
  EXPECT_EQ(value.Raw(), 1255000);
  ASSERT_TRUE(TryMoneyFromText("-3", value));
  EXPECT_EQ(value.Raw(), -30000);
  ASSERT_TRUE(TryMoneyFromText(".25", value));
  EXPECT_EQ(value.Raw(), 2500);
  ASSERT_TRUE(TryMoneyFromText("922337203685477.5807", value));
  EXPECT_EQ(value.Raw(), INT64_MAX);
  ASSERT_TRUE(TryMoneyFromText("-922337203685477.5808", value));
  EXPECT_EQ(value.Raw(), INT64_MIN);
  for (const char* bad : {"", "-", "1.23456", "1,5", "12a", "1e5", "1.2.3", "922337203685477.5808",
                          "-922337203685477.5809", "10000000000000000"}) {
    EXPECT_FALSE(TryMoneyFromText(bad, value)) << bad;
  }
  TDateTime date = 0;
  ASSERT_TRUE(TryDateFromIsoText("2024-02-29", date));
  EXPECT_EQ(DateToIsoText(date, false), "2024-02-29");
  ASSERT_TRUE(TryDateFromIsoText("2024-02-29 13:05:09", date));
  EXPECT_EQ(DateToIsoText(date, true), "2024-02-29 13:05:09");
  EXPECT_FALSE(TryDateFromIsoText("2023-02-29", date));
  EXPECT_FALSE(TryDateFromIsoText("29.02.2024", date));
  EXPECT_FALSE(TryDateFromIsoText("2024-02-29 junk", date));
  EXPECT_FALSE(TryDateFromIsoText("2024-01-01 25:00:00", date));
}

// Keys of every length class (under four bytes, four to seven, eight and more) grow the index
// several times; each keeps its rows in table order, and keys near them find nothing.
TEST(KeyIndex, EveryKeyFindsItsRowsAfterGrowingAndFieldTypesAndValuesConvert) {
  const auto text = [](uint32_t key) { return key % 3 == 0 ? std::to_string(key) : "article-" + std::to_string(key); };
  const auto key_of = [](std::string_view part) { return TKeyText().Add(part); };
  TKeyIndex index;
  for (uint32_t row = 0; row < 3000; ++row) index.Insert(key_of(text(row % 1000)), row);
  index.Insert(key_of("solo"), 3000);
  const std::string long_key(100, 'x');  // past the room a key has in place
  index.Insert(TKeyText().Add(long_key).Add("1"), 3001);
  for (uint32_t key = 0; key < 1000; ++key) {
    const auto rows = index.Find(key_of(text(key)));
    ASSERT_EQ(std::vector<uint32_t>(rows.begin(), rows.end()), (std::vector<uint32_t>{key, key + 1000, key + 2000}));
  }
  EXPECT_EQ(index.Find(key_of("solo")).size(), 1u);
  EXPECT_EQ(index.Find(TKeyText().Add(long_key).Add("1")).size(), 1u);
  EXPECT_TRUE(index.Find(TKeyText().Add(long_key + "1")).empty());
  for (const char* absent : {"", "sol", "solo ", "article-", "1000", "article-3"})
    EXPECT_TRUE(index.Find(key_of(absent)).empty());
  index.Clear();
  EXPECT_TRUE(index.Find(key_of("solo")).empty());
  EXPECT_EQ(FieldDefFromDeclaredType("A", "VARCHAR(70)").Size, 70);
  EXPECT_EQ(FieldDefFromDeclaredType("A", "DECIMAL(15,2)").Decimals, 2);
  const std::pair<const char*, TFieldType> cases[] = {
      {"VARCHAR(20)", TFieldType::ftString},  {"SMALLINT", TFieldType::ftSmallint}, {"INTEGER", TFieldType::ftInteger},
      {"AUTOINC", TFieldType::ftAutoInc},     {"DECIMAL(15,1)", TFieldType::ftBCD}, {"DOUBLE", TFieldType::ftFloat},
      {"MONEY TEXT", TFieldType::ftCurrency}, {"DATE", TFieldType::ftDate}};
  for (const auto& [declared, type] : cases) {
    EXPECT_EQ(FieldDefFromDeclaredType("A", declared).Type, type) << declared;
    EXPECT_EQ(DeclaredType(FieldDefFromDeclaredType("A", declared)), declared);
  }
  for (const char* declared : {"TIMESTAMP", "BLOB"})
    EXPECT_EQ(DeclaredType(FieldDefFromDeclaredType("A", declared)), declared);
  EXPECT_EQ(TValue().AsInteger(), 0);
  EXPECT_EQ(TValue().AsString(), "");
  EXPECT_EQ(TValue(2.5).AsString(), "2,5");
  EXPECT_EQ(TValue("42").AsInteger(), 42);
  EXPECT_EQ(TValue(TCurrency::FromRaw(12345)).AsFloat(), 1.2345);
  EXPECT_EQ(TValue(3.0).AsCurrency(), TCurrency::FromInt(3));
  EXPECT_THROW(TValue("abc").AsInteger(), EConvertError);
  EXPECT_EQ(TValue("x").Text(), "x");
  EXPECT_EQ(TValue(1).Text(), "");
}

class MemTable : public ::testing::Test {
protected:
  void SetUp() override {
    table = TMemTable("T",
                      TFieldDefs({{"Code", TFieldType::ftString, 10, -1},
                                  {"No", TFieldType::ftInteger, 0, -1},
                                  {"Price", TFieldType::ftCurrency, 0, 4}}),
                      {"Code"});
    by_code = table.AddIndex({"Code"});
    table.Append({TValue("A"), TValue(1), TValue(TCurrency::FromInt(5))});
    table.Append({TValue("B"), TValue(2), TValue(TCurrency::FromInt(6))});
    table.Append({TValue("A"), TValue(3), TValue(TCurrency::FromInt(7))});
  }
  TMemTable table;
  TMemTable::TIndexId by_code = -1;
};

TEST_F(MemTable, LocateGivesTheFirstRowInTableOrderAndFilterSearchLeavesNothingBehind) {
  const TRecord* row = table.Locate(by_code, TKey{"A"});
  ASSERT_NE(row, nullptr);
  EXPECT_EQ((*row)[1].AsInteger(), 1);
  EXPECT_EQ((*table.LocateLast(by_code, TKey{"A"}))[1].AsInteger(), 3);
  EXPECT_EQ(table.Locate(by_code, TKey{"a"}), nullptr);
  EXPECT_EQ(table.Range(by_code, TKey{"A"}).size(), 2u);
  const auto over_one = [](const TRecord& row) { return row[1].AsInteger() > 1; };
  EXPECT_EQ((*table.FindFirst(by_code, TKey{"A"}, over_one))[1].AsInteger(), 3);
  EXPECT_EQ((*table.FindFirst(over_one))[0].AsString(), "B");
  EXPECT_EQ(table.Select(over_one).size(), 2u);
  EXPECT_THROW(table.FindFirst([](const TRecord&) -> bool { throw EConvertError("x"); }), EConvertError);
  EXPECT_EQ(table.FindFirst([](const TRecord&) { return true; }), &table.Row(0)) << "the next search sees every row";
  EXPECT_THROW(table.AddIndex({"Nope"}), EDatabaseError);
  EXPECT_THROW(table.Append({TValue("A")}), EDatabaseError);
  EXPECT_EQ(table.Fields().IndexOf("code"), 0) << "field names compare case-insensitively";
  const auto by_no = table.AddIndex({"No"});
  EXPECT_EQ(table.AddIndex({"No"}), by_no) << "the same fields give the same index";
  EXPECT_NE(table.Locate(by_no, TKey().Add(int64_t{2})), nullptr);
  EXPECT_NE(table.Locate(by_no, TKey{"2"}), nullptr) << "a code may be searched as text";
  const auto by_price = table.AddIndex({"Price"});
  EXPECT_NE(table.Locate(by_price, TKey().Add(int64_t{6})), nullptr) << "whole money equals the integer";
  table.Append({TValue("C"), TValue(4), TValue(TCurrency::FromRaw(65000))});
  EXPECT_NE(table.Locate(by_price, TKey{TValue(TCurrency::FromRaw(65000))}), nullptr);
}

}  // namespace
}  // namespace kv
