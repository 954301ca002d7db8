#include "catalogue/price_lookups.h"

#include "catalogue/catalogue.h"
#include "catalogue/currency_lookups.h"
#include "catalogue/material_lookups.h"
#include "catalogue/profile_lookups.h"
#include "shell/format_settings.h"

namespace kv {

namespace {

const TRecord& RequireGroup(const TBoundTable& table, TMemTable::TIndexId index, int group_id, const char* message) {
  const TRecord* row = table.Get().Locate(index, TKey().Add(int64_t{group_id}));
  if (!row) RaiseCatalogueError(Format(message, group_id));
  return *row;
}

const TRecord& RequireLamList(int id) {
  const TLamListTable& t = Catalogue().LamList;
  const TRecord* row = t.Get().Locate(t.ByID, TKey().Add(int64_t{id}));
  if (!row) RaiseCatalogueError(Format("Не найден прайс-листе на ламинацию [%d]!", id));
  return *row;
}

TCurrency ToWorkCurrency(int from_currency, TCurrency amount) {
  const TCatalogueSettings& settings = Catalogue().Settings;
  return GetConvertedCurrency(settings.CurrencyList, from_currency, settings.WorkCurrency, amount);
}

// The allowance of the material's waste group; laminated rate when asked and the material is
// laminated.
double MaterialDust(const TRecord& row, int laminated) {
  const TCatalogTable& t = Catalogue().Catalog;
  const int group = static_cast<int>(row[t.DustGrp].AsInteger());
  if (group == 0) return 0;
  return _GetDustTax(group, laminated == 1 && row[t.Laminating].AsInteger() == 1 ? 1 : 0);
}

const TRecord& RequireMaterial(const std::string& id) {
  const TRecord* row = _FindByID(id);
  if (!row) RaiseCatalogueError(Format("В каталоге отсутствуют данные для [%s]!", id));
  return *row;
}

}  // namespace

double _GetDustTax(int group_id, int laminated) {
  if (!Catalogue().Settings.UseDust) return 0;
  const TDustGrpTable& t = Catalogue().DustGrp;
  const TRecord& row = RequireGroup(t, t.ByGroupID, group_id, "В каталоге групп отходов отсутствуют данные для [%d]!");
  return row[laminated == 1 ? t.LamDust : t.Dust].AsFloat();
}

double GetDustByID(const std::string& id) { return MaterialDust(RequireMaterial(id), 1); }

double GetDustCoefByID(const std::string& id) {
  const TCatalogTable& t = Catalogue().Catalog;
  const TRecord& row = RequireMaterial(id);
  const double coef = row[t.Coef].AsFloat() == 0 ? 1 : row[t.Coef].AsFloat();
  const double dust = row[t.Integer].AsInteger() == 1 ? 0 : MaterialDust(row, 1);
  return (1 + dust / 100) * coef;
}

double TDustList::Get(const std::string& id, int laminated) {
  const std::string key = Format("%s|%s|%s", id, IntToStr(laminated), Catalogue().Settings.UseDust ? "1" : "0");
  if (const auto found = cache_.find(key); found != cache_.end()) return found->second;
  const double dust = MaterialDust(RequireMaterial(id), laminated);
  cache_.emplace(key, dust);
  return dust;
}

double GetDustFromList(TDustList& list, const std::string& id, int laminated) { return list.Get(id, laminated); }

double GetReduceTax(int group_id, int no) {
  const TPriceGrpTable& t = Catalogue().PriceGrp;
  const TRecord& row =
      RequireGroup(t, t.ByGroupID, group_id, "В каталоге ценовых групп отсутствуют данные для группы [%d]!");
  const int columns[] = {t.Reduce_1, t.Reduce_2, t.Reduce_3, t.Reduce_4, t.Reduce_5,
                         t.Reduce_6, t.Reduce_7, t.Reduce_8, t.Reduce_9, t.Reduce_10};
  return no >= 1 && no <= 10 ? row[columns[no - 1]].AsFloat() : 0;
}

double GetCustomTax(int group_id) {
  const TCustmGrpTable& t = Catalogue().CustmGrp;
  return RequireGroup(t, t.ByGroupID, group_id,
                      "В каталоге импортных пошлин отсутствуют данные для группы [%d]!")[t.Tax]
      .AsFloat();
}

TCurrency GetStatisticProfPriceByArticle(const std::string& profile, const std::string& color, int laminated) {
  const TCatalogTable& t = Catalogue().Catalog;
  const std::string article = GetProfOriginalArticle(profile);
  const TRecord* row = _FindByArticleColor(article, color);
  if (!row) {
    RaiseCatalogueError(
        Format("В каталоге отсутствуют данные для [%s + %s]!\r\n"
               "(Поиск [Цена профиля] через [Артикул + Цвет])",
               article, color));
  }
  const TCurrency price =
      ToWorkCurrency(static_cast<int>((*row)[t.Currency].AsInteger()), (*row)[t.Price].AsCurrency());
  return price * (1 + MaterialDust(*row, laminated) / 100.0L);
}

double GetColorPriceCoef(const std::string& color, int lam_price_list_id, bool quiet) {
  const TLamColorTable& t = Catalogue().LamColor;
  const TRecord* row = t.Get().Locate(t.ByIDColor, TKey().Add(int64_t{lam_price_list_id}).Add(std::string_view(color)));
  if (!row) {
    if (quiet) return 1;
    RaiseCatalogueError(
        Format("В прайс-листе на ламинацию [%d] отсутвуют данные для цвета [%s]", lam_price_list_id, color));
  }
  const double coef = (*row)[t.PriceCoef].AsFloat();
  return coef == 0 ? 1 : coef;
}

int GetLamCurrency(int lam_price_list_id) {
  return static_cast<int>(RequireLamList(lam_price_list_id)[Catalogue().LamList.Currency].AsInteger());
}

int GetLamPriceMode(int lam_price_list_id) {
  return static_cast<int>(RequireLamList(lam_price_list_id)[Catalogue().LamList.PriceMode].AsInteger());
}

bool LamPriceExists(int lam_price_list_id, const std::string& article) {
  const TLamPriceTable& t = Catalogue().LamPrice;
  return !t.Get().Range(t.ByIDArticle, TKey().Add(int64_t{lam_price_list_id}).Add(std::string_view(article))).empty();
}

TCurrency GetLamPriceCost(int lam_price_list_id, const std::string& article, double quantity, TLamSide side,
                          const TLamQuantity& laminated) {
  const TLamPriceTable& t = Catalogue().LamPrice;
  const TMemTable& table = t.Get();
  const auto rows = table.Range(t.ByIDArticle, TKey().Add(int64_t{lam_price_list_id}).Add(std::string_view(article)));
  if (rows.empty()) {
    RaiseCatalogueError(
        Format("В прайс-листе на ламинацию [%d] отсутвуют данные для профиля [%s]", lam_price_list_id, article));
  }
  const TRecord* price_row = &table.Row(rows.back());
  for (uint32_t position : rows) {
    if (table.Row(position)[t.Qty].AsFloat() >= quantity) {
      price_row = &table.Row(position);
      break;
    }
  }
  const int currency = GetLamCurrency(lam_price_list_id);
  const auto price = [&](int column) { return ToWorkCurrency(currency, (*price_row)[column].AsCurrency()); };
  switch (side) {
    case TLamSide::lsOuter: return price(t.OuterPrice) * laminated.Outer;
    case TLamSide::lsInner: return price(t.InnerPrice) * laminated.Inner;
    case TLamSide::lsBoth: break;
  }
  const bool priced_per_side = RequireLamList(lam_price_list_id)[Catalogue().LamList.DblMethod].AsInteger() == 0;
  if (priced_per_side) return price(t.OuterPrice) * laminated.Outer + price(t.InnerPrice) * laminated.Inner;
  return price(t.DblPrice) * laminated.Both;
}

}  // namespace kv
