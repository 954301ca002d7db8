#include "catalogue/currency_lookups.h"

#include "shell/format_settings.h"

namespace kv {

namespace {

const TRecord* FindCurrencyRow(int id) {
  const TCurrencyTable& t = Catalogue().Currency;
  return t.Get().Locate(t.ByID, TKey().Add(int64_t{id}));
}

const TRecord& RequireCalcMethod(int id) {
  const TCalcMethTable& t = Catalogue().CalcMeth;
  const TRecord* row = t.Get().Locate(t.ByID, TKey().Add(int64_t{id}));
  if (!row) RaiseCatalogueError(Format("Схема расчета стоимости %d не найдена в справочнике!", id));
  return *row;
}

}  // namespace

TCurrencyList BuildCurrencyList() { return BuildCurrencyList(Catalogue()); }

TCurrencyList BuildCurrencyList(const TCatalogue& catalogue) {
  const TCurrencyTable& t = catalogue.Currency;
  TCurrencyList list;
  if (!t.Bound()) return list;
  for (const TRecord& row : t.Get().Rows()) {
    list.push_back({static_cast<int>(row[t.ID].AsInteger()), row[t.Value].AsFloat()});
  }
  return list;
}

double GetCurrencyValue(const TCurrencyList* list, int id) {
  if (!list) return 0;
  const int index = FindCurrency(*list, id);
  return index < 0 ? -1 : (*list)[index].Value;
}

int FindCurrency(const TCurrencyList& list, int id) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].ID == id) return static_cast<int>(i);
  }
  return -1;
}

TCurrency GetConvertedCurrency(const TCurrencyList& list, int from_id, double to_rate, TCurrency sum) {
  if (to_rate == 0) RaiseCatalogueError("Значение текущей валюты = 0!");
  return TCurrency::FromExtended(sum.ToExtended() * GetCurrencyValue(&list, from_id) / to_rate);
}

TCurrency GetConvertedCurrency(const TCurrencyList& list, int from_id, int to_id, TCurrency sum) {
  return GetConvertedCurrency(list, from_id, GetCurrencyValue(&list, to_id), sum);
}

std::string GetCurrencyString(int id) {
  const TRecord* row = FindCurrencyRow(id);
  return row ? (*row)[Catalogue().Currency.Name].AsString() : std::string();
}

int GetCurrencyDecimals(int id) {
  const TRecord* row = FindCurrencyRow(id);
  return row ? static_cast<int>((*row)[Catalogue().Currency.Dec].AsInteger()) : 2;
}

TMoneyWord GetMoneyWord(int id) {
  const TCurrencyTable& t = Catalogue().Currency;
  const TRecord* row = FindCurrencyRow(id);
  if (!row) return {};
  return TMoneyWord{(*row)[t.Nominative].AsString(), (*row)[t.Genitive].AsString(), (*row)[t.GenitivePlural].AsString(),
                    static_cast<int>((*row)[t.Gender].AsInteger()), static_cast<int>((*row)[t.Dec].AsInteger())};
}

double GetGlobalCurrencyValue(int id) {
  const TRecord* row = FindCurrencyRow(id);
  return row ? (*row)[Catalogue().Currency.Value].AsFloat() : -1;
}

std::string GetCalcMethodName(int id) { return RequireCalcMethod(id)[Catalogue().CalcMeth.Name].AsString(); }

int GetCalcMethodCurrency(int id) {
  return static_cast<int>(RequireCalcMethod(id)[Catalogue().CalcMeth.Currency].AsInteger());
}

}  // namespace kv
