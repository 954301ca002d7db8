#pragma once
// Currencies (Currency) and price calculation methods (CalcMeth). A currency's Value is its rate
// against the base unit; an amount converts as amount x rate(from) / rate(to).
#include <string>

#include "catalogue/catalogue.h"
#include "shell/money.h"
#include "shell/money_words.h"

namespace kv {

// The currency table as a list in table order (of the current catalogue, or of the one given).
TCurrencyList BuildCurrencyList();
TCurrencyList BuildCurrencyList(const TCatalogue& catalogue);
// The rate of the currency in the list: 0 without a list, -1 for an unknown identifier.
double GetCurrencyValue(const TCurrencyList* list, int id);
// The list index of the currency, -1 when absent.
int FindCurrency(const TCurrencyList& list, int id);
// Sum x Value(from) / to_rate, rounded to 4 decimals; a zero rate raises
// "Значение текущей валюты = 0!".
TCurrency GetConvertedCurrency(const TCurrencyList& list, int from_id, double to_rate, TCurrency sum);
TCurrency GetConvertedCurrency(const TCurrencyList& list, int from_id, int to_id, TCurrency sum);
// Reads of the currency table by identifier ("" / 2 / empty word / -1 when unknown).
std::string GetCurrencyString(int id);
int GetCurrencyDecimals(int id);
TMoneyWord GetMoneyWord(int id);
double GetGlobalCurrencyValue(int id);

// "Схема расчета стоимости %d не найдена в справочнике!" when the method is absent.
std::string GetCalcMethodName(int id);
int GetCalcMethodCurrency(int id);

}  // namespace kv
