#include "calc/addon_currency.h"

#include "catalogue/catalogue.h"
#include "catalogue/currency_lookups.h"
#include "shell/rounding.h"

namespace kv {

void ConvertAddOnCosts(Tgx25Construction& Construction, int WorkCurrency, int OrderCurrency) {
  const TCurrencyList& currencies = Catalogue().Settings.CurrencyList;
  const int decimals = GetCurrencyDecimals(OrderCurrency);
  const auto convert = [&](TCurrency& money) {
    money = GetConvertedCurrency(currencies, WorkCurrency, OrderCurrency, money);
    RoundCurrDec(money, decimals);
  };
  for (Tgx25Accessory& item : Construction.AccessoryDocList) convert(item.Money1);
  for (Tgx25DopProfItem& item : Construction.DopProfList) {
    convert(item.Money1);
    convert(item.Money2);
  }
  for (Tgx25MontageMaterial& item : Construction.MontMatList) convert(item.Price);
  for (TSillList* list : {&Construction.SillList, &Construction.SinkList})
    for (Tgx25CustomSill& item : *list) convert(item.Money1);
  for (TNetList* list : {&Construction.MosquitoList, &Construction.RolletList, &Construction.JalousieList})
    for (Tgx25CustomNet& item : *list) convert(item.Money1);
}

}  // namespace kv
