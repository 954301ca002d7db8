#pragma once
// Sums of money in Russian words, for invoices and contracts.
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

// The sum in words with the money word and the kopecks as the settings' currency decimals say:
// 1234.05 -> "Одна тысяча двести тридцать четыре <Genitive> / 5".
std::string GetSumByWord(const TMoneyWord& word, TCurrency sum);
// The same, number only.
std::string GetDigitByWord(TCurrency sum);

}  // namespace kv
