#include <gtest/gtest.h>

#include "shell/format_settings.h"
#include "shell/money.h"
#include "shell/money_words.h"

namespace kv {
namespace {

const TMoneyWord kRouble{"рубль", "рубля", "рублей", 0, 2};
const TMoneyWord kHryvnia{"гривна", "гривны", "гривен", 1, 2};

TCurrency Money(long double amount) { return TCurrency::FromExtended(amount); }

TEST(Money, SumsByWordExactArithmeticTextAndCountForms) {
  EXPECT_EQ(GetSumByWord(kRouble, Money(1)), "Один рубль / 0");
  EXPECT_EQ(GetSumByWord(kRouble, Money(3)), "Три рубля / 0");
  EXPECT_EQ(GetSumByWord(kRouble, Money(5)), "Пять рублей / 0");
  EXPECT_EQ(GetSumByWord(kRouble, Money(11)), "Одиннадцать рублей / 0");
  EXPECT_EQ(GetSumByWord(kRouble, Money(20)), "Двадцать рублей / 0");
  EXPECT_EQ(GetSumByWord(kHryvnia, Money(21)), "Двадцать одна гривна / 0");
  EXPECT_EQ(GetSumByWord(kHryvnia, Money(22)), "Двадцать две гривны / 0");
  EXPECT_EQ(GetSumByWord(kRouble, Money(100)), "Cто рублей / 0");
  EXPECT_EQ(GetSumByWord(kRouble, Money(1234.05)), "Одна тысяча двести тридцать четыре рубля / 5");
  EXPECT_EQ(GetSumByWord(kRouble, Money(2000)), "Две тысячи рублей / 0");
  EXPECT_EQ(GetSumByWord(kRouble, Money(5000)), "Пять тысяч рублей / 0");
  EXPECT_EQ(GetSumByWord(kRouble, Money(11000)), "Одиннадцать тысяч рублей / 0");
  EXPECT_EQ(GetSumByWord(kRouble, Money(1001001)), "Один миллион одна тысяча один рубль / 0");
  EXPECT_EQ(GetSumByWord(kRouble, Money(3000000)), "Три миллиона рублей / 0");
  EXPECT_EQ(GetSumByWord(kRouble, Money(2000000000)), "Два миллиарда рублей / 0");
  EXPECT_EQ(GetSumByWord(kRouble, Money(-7.99)), "Семь рублей /99");
  EXPECT_EQ(GetSumByWord(kRouble, Money(0)), "Ноль рублей");
  EXPECT_EQ(GetSumByWord(kRouble, Money(5e12)), "Пять триллионов рублей / 0");
  EXPECT_EQ(GetDigitByWord(Money(21)), "Двадцать один / 0");

  const TCurrency price = Money(1234.5678);
  EXPECT_EQ(price.Raw(), 12345678);
  EXPECT_EQ((price + Money(0.0001)).Raw(), 12345679);
  EXPECT_EQ((price * 2).Raw(), 24691356);
  EXPECT_EQ((Money(10) / 3).Raw(), 33333);
  EXPECT_LT(Money(1), Money(1.0001));
  EXPECT_EQ(CurrToStr(price, 2), "1 234,57");
  EXPECT_EQ(CurrToCurrencyStr(Money(5)), "5,00 р.");
  const std::pair<long long, const char*> cases[] = {
      {0, "0 профилей"},    {1, "1 профиль"},       {2, "2 профиля"},   {4, "4 профиля"},   {5, "5 профилей"},
      {11, "11 профилей"},  {14, "14 профилей"},    {21, "21 профиль"}, {23, "23 профиля"}, {111, "111 профилей"},
      {122, "122 профиля"}, {1001, "1001 профиль"}, {-2, "-2 профиля"}};
  for (const auto& [count, text] : cases) EXPECT_EQ(CountText(count, "профиль", "профиля", "профилей"), text);
  // The decimals of the currency decide the kopecks.
  FormatSettings().CurrencyDecimals = 0;
  EXPECT_EQ(GetSumByWord(kRouble, Money(1.5)), "Один рубль");
  FormatSettings().CurrencyDecimals = 3;
  EXPECT_EQ(GetSumByWord(kRouble, Money(1.5)), "Один рубль /500");
}

}  // namespace
}  // namespace kv
