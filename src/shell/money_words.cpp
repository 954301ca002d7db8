#include "shell/money_words.h"

#include <array>
#include <cmath>

#include "shell/code_page.h"
#include "shell/format_settings.h"
#include "shell/tokens.h"

namespace kv {

namespace {

// Appends words to text with a single blank between.
void AddWords(std::string& text, const std::string& words) {
  if (words.empty()) return;
  if (!text.empty()) text += ' ';
  text += words;
}

// The form of a counted word: 1 for a last value of 1, 2 for 2..4, 3 otherwise.
const std::string& ChooseForm(int last, const std::string& one, const std::string& few, const std::string& many) {
  if (last == 1) return one;
  if (last >= 2 && last <= 4) return few;
  return many;
}

// Hundreds, tens and the 1..19 remainder of a three-digit group; the remainder is returned in last.
std::string GroupWords(int group, int gender, int& last) {
  std::string words;
  auto add = [&words](const std::string& word) { AddWords(words, word); };
  add(GetHundred(group / 100));
  int rest = group % 100;
  if (rest >= 20) {
    add(GetDec(rest / 10));
    rest %= 10;
  }
  if (rest > 0) add(GetOne(rest, gender));
  last = rest;
  return words;
}

std::string Decimals(long double fraction) {
  switch (FormatSettings().CurrencyDecimals) {
    case 0: return "";
    case 1: return " /" + Format("%1d", static_cast<long long>(nearbyintl(fraction * 10)));
    case 3: return " /" + Format("%3d", static_cast<long long>(nearbyintl(fraction * 1000)));
    case 4: return " /" + Format("%4d", static_cast<long long>(nearbyintl(fraction * 10000)));
    default: return " /" + Format("%2d", static_cast<long long>(nearbyintl(fraction * 100)));
  }
}

}  // namespace

std::string GetOne(int n, int gender) {
  static const std::array<const char*, 20> kWords = {
      "ноль",         "один",       "два",         "три",        "четыре",       "пять",        "шесть",
      "семь",         "восемь",     "девять",      "десять",     "одиннадцать",  "двенадцать",  "тринадцать",
      "четырнадцать", "пятнадцать", "шестнадцать", "семнадцать", "восемнадцать", "девятнадцать"};
  if (n == 1 && gender == 1) return "одна";
  if (n == 1 && gender == 2) return "одно";
  if (n == 2 && gender == 1) return "две";
  return n >= 0 && n < 20 ? kWords[n] : "";
}

std::string GetDec(int n) {
  static const std::array<const char*, 8> kWords = {"двадцать",   "тридцать",  "сорок",       "пятьдесят",
                                                    "шестьдесят", "семьдесят", "восемьдесят", "девяносто"};
  return n >= 2 && n <= 9 ? kWords[n - 2] : "";
}

std::string GetHundred(int n) {
  // The first word begins with a Latin "c", as the program has always printed it.
  static const std::array<const char*, 9> kWords = {"cто",      "двести",  "триста",    "четыреста", "пятьсот",
                                                    "шестьсот", "семьсот", "восемьсот", "девятьсот"};
  return n >= 1 && n <= 9 ? kWords[n - 1] : "";
}

std::string GetThousandWord(int last) { return ChooseForm(last, "тысяча", "тысячи", "тысяч"); }
std::string GetMillionWord(int last) { return ChooseForm(last, "миллион", "миллиона", "миллионов"); }
std::string GetBillionWord(int last) { return ChooseForm(last, "миллиард", "миллиарда", "миллиардов"); }
std::string GetTrillionWord(int last) { return ChooseForm(last, "триллион", "триллиона", "триллионов"); }

const std::string& CountForm(long long count, const std::string& one, const std::string& few, const std::string& many) {
  int last = static_cast<int>((count < 0 ? -(count % 100) : count % 100));
  if (last >= 20) last %= 10;
  return ChooseForm(last, one, few, many);
}

std::string CountText(long long count, const std::string& one, const std::string& few, const std::string& many) {
  return IntToStr(count) + " " + CountForm(count, one, few, many);
}

std::string GetSumByWord(const TMoneyWord& word, TCurrency sum) {
  const int64_t raw = sum.Raw() < 0 ? -sum.Raw() : sum.Raw();
  if (raw == 0) return AnsiUpperFirst(Trim("ноль " + word.GenitivePlural));
  if (raw / TCurrency::kScale >= 1'000'000'000'000'000LL) return "";

  struct TScale {
    int64_t Divisor;
    std::string (*Word)(int);
    int Gender;
  };
  const TScale scales[] = {{1'000'000'000'000LL, GetTrillionWord, 0},
                           {1'000'000'000LL, GetBillionWord, 0},
                           {1'000'000LL, GetMillionWord, 0},
                           {1'000LL, GetThousandWord, 1}};
  int64_t whole = raw / TCurrency::kScale;
  std::string text;
  auto add = [&text](const std::string& words) { AddWords(text, words); };
  for (const TScale& scale : scales) {
    const int group = static_cast<int>(whole / scale.Divisor);
    whole %= scale.Divisor;
    if (group == 0) continue;
    int last = 0;
    add(GroupWords(group, scale.Gender, last));
    add(scale.Word(last));
  }
  int last = 0;
  if (whole > 0) add(GroupWords(static_cast<int>(whole), word.Gender, last));
  add(ChooseForm(last, word.Nominative, word.Genitive, word.GenitivePlural));
  text += Decimals(static_cast<long double>(raw % TCurrency::kScale) / TCurrency::kScale);
  return AnsiUpperFirst(Trim(text));
}

std::string GetDigitByWord(TCurrency sum) { return GetSumByWord(TMoneyWord{}, sum); }

}  // namespace kv
