#include "shell/table_csv.h"

#include <gtest/gtest.h>

#include <sstream>

#include "shell/error_of.h"
namespace kv {
namespace {

using TText = std::optional<std::string>;

TEST(ParseCsv, QuotingNullsLineNumbersAndBrokenQuotes) {
  const auto records = ParseCsv(
      "\xEF\xBB\xBF"
      "a,b,c\r\n1,\"x, \"\"y\"\"\",\n\"\",\"two\nlines\",3\n",
      "t.csv");
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].Fields, (std::vector<TText>{"a", "b", "c"})) << "the byte-order mark is skipped";
  EXPECT_EQ(records[1].Line, 2);
  EXPECT_EQ(records[1].Fields, (std::vector<TText>{"1", "x, \"y\"", std::nullopt}));
  EXPECT_EQ(records[2].Line, 3);
  EXPECT_EQ(records[2].Fields, (std::vector<TText>{"", "two\nlines", "3"})) << "quoted empty is an empty text";
  EXPECT_EQ(ParseCsv("a\nb", "t.csv").size(), 2u) << "a last line without its end";
  EXPECT_TRUE(ParseCsv("", "t.csv").empty());
  EXPECT_EQ(test::ErrorOf<EConvertError>([] { ParseCsv("a,b\n1,\"open\n2,3\n", "Catalog.csv"); }),
            "Файл Catalog.csv, строка 2: не закрыта кавычка");
  EXPECT_EQ(test::ErrorOf<EConvertError>([] { ParseCsv("a\n\"x\"y\n", "T.csv"); }),
            "Файл T.csv, строка 2: текст после закрывающей кавычки");
}

TEST(CsvValues, EveryTypeRoundTripsWrongValuesAreRefusedWithTheReasonTablesWrittenInOrder) {
  const std::vector<std::pair<TFieldDef, TValue>> cases = {
      {{"S", TFieldType::ftSmallint, 0, -1}, TValue(-32768)},
      {{"I", TFieldType::ftInteger, 0, -1}, TValue(2147483647)},
      {{"N", TFieldType::ftBCD, 0, 2}, TValue(12.5)},
      {{"N", TFieldType::ftBCD, 0, 2}, TValue(1.5e99)},
      {{"F", TFieldType::ftFloat, 0, -1}, TValue(0.1)},
      {{"M", TFieldType::ftCurrency, 0, 4}, TValue(TCurrency::FromRaw(-12345))},
      {{"D", TFieldType::ftDate, 0, -1}, TValue(TDateValue{EncodeDate(2024, 3, 1)})},
      {{"A", TFieldType::ftString, 5, -1}, TValue("Рама,")},
      {{"A", TFieldType::ftString, 5, -1}, TValue()},
  };
  for (const auto& [field, value] : cases) {
    const auto text = FormatCsvValue(value, field);
    TValue back;
    std::string reason;
    ASSERT_TRUE(TryParseCsvValue(text, field, back, reason)) << field.Name << ": " << reason;
    EXPECT_EQ(back, value) << field.Name;
  }
  EXPECT_EQ(FormatCsvValue(TValue(12.5), {"N", TFieldType::ftBCD, 0, 2}), "12.50");
  EXPECT_EQ(FormatCsvValue(TValue(TCurrency::FromRaw(1250000)), {"M", TFieldType::ftCurrency, 0, 4}), "125.00");
  TValue value;
  std::string reason;
  EXPECT_FALSE(TryParseCsvValue("12.5", {"S", TFieldType::ftSmallint, 0, -1}, value, reason));
  EXPECT_EQ(reason, "'12.5' не является целым числом");
  EXPECT_FALSE(TryParseCsvValue("40000", {"S", TFieldType::ftSmallint, 0, -1}, value, reason));
  EXPECT_EQ(reason, "число 40000 вне допустимого диапазона");
  EXPECT_FALSE(TryParseCsvValue("3000000000", {"I", TFieldType::ftInteger, 0, -1}, value, reason));
  EXPECT_FALSE(TryParseCsvValue("1,5", {"N", TFieldType::ftBCD, 0, 1}, value, reason));
  EXPECT_FALSE(TryParseCsvValue("nan", {"F", TFieldType::ftFloat, 0, -1}, value, reason));
  EXPECT_FALSE(TryParseCsvValue("1.23456", {"M", TFieldType::ftCurrency, 0, 4}, value, reason));
  EXPECT_FALSE(TryParseCsvValue("01.03.2024", {"D", TFieldType::ftDate, 0, -1}, value, reason));
  EXPECT_FALSE(TryParseCsvValue("Шестой", {"A", TFieldType::ftString, 5, -1}, value, reason));
  EXPECT_EQ(reason, "текст длиннее 5 символов");
  EXPECT_TRUE(TryParseCsvValue("Пять!", {"A", TFieldType::ftString, 5, -1}, value, reason)) << "characters, not bytes";
  EXPECT_FALSE(TryParseCsvValue("1.26", {"N", TFieldType::ftBCD, 0, 1}, value, reason));
  EXPECT_EQ(reason, "в числе 1.26 больше знаков после точки, чем 1") << "fixed-point columns never round";
  ASSERT_TRUE(TryParseCsvValue("1.3", {"N", TFieldType::ftBCD, 0, 1}, value, reason));
  EXPECT_DOUBLE_EQ(value.AsFloat(), 1.3);
  TMemTable table("T", TFieldDefs({{"ID", TFieldType::ftInteger, 0, -1}, {"Name", TFieldType::ftString, 20, -1}}));
  table.Append({TValue(2), TValue("a\"b")});
  table.Append({TValue(1), TValue("")});
  table.Append({TValue(), TValue()});
  std::ostringstream out;
  WriteCsv(out, table);
  EXPECT_EQ(out.str(), "ID,Name\n2,\"a\"\"b\"\n1,\"\"\n,\n");
  const auto records = ParseCsv(out.str(), "T.csv");
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[3].Fields, (std::vector<TText>{std::nullopt, std::nullopt}));
}

}  // namespace
}  // namespace kv
