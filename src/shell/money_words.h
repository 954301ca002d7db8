#pragma once
// Sums of money in Russian words, for invoices and contracts, and the forms of counted nouns.
#include <string>

#include "shell/money.h"

namespace kv {

struct TMoneyWord {
  std::string Nominative;      // after 1
  std::string Genitive;        // after 2, 3, 4
  std::string GenitivePlural;  // after 0 and 5..20
  int Gender = 0;              // 0 masculine, 1 feminine, 2 neuter
  int Dec = 2;
};

std::string GetOne(int n, int gender);
std::string GetDec(int n);
std::string GetHundred(int n);
std::string GetThousandWord(int last);
std::string GetMillionWord(int last);
std::string GetBillionWord(int last);
std::string GetTrillionWord(int last);

// The form of a noun counted by a whole number, chosen as the sums in words choose theirs:
// 1, 21, 101 -> one ("профиль"); 2..4, 22..24 -> few ("профиля"); 0, 5..20, 25..30 -> many
// ("профилей").
const std::string& CountForm(long long count, const std::string& one, const std::string& few, const std::string& many);
// The number and its noun: CountText(23, "профиль", "профиля", "профилей") is "23 профиля".
std::string CountText(long long count, const std::string& one, const std::string& few, const std::string& many);

// The sum in words with the money word and the kopecks as the settings' currency decimals say:
// 1234.05 -> "Одна тысяча двести тридцать четыре <Genitive> / 5".
std::string GetSumByWord(const TMoneyWord& word, TCurrency sum);
// The same, number only.
std::string GetDigitByWord(TCurrency sum);

}  // namespace kv
