#include "catalogue/material_lookups.h"

#include "catalogue/catalogue.h"
#include "catalogue/colour_lookups.h"
#include "catalogue/profile_lookups.h"
#include "shell/format_settings.h"

namespace kv {

namespace {

constexpr const char* kMissingCode = "В каталоге отсутствуют данные для [%s]!";
constexpr const char* kMissingArticleColor = "В каталоге отсутствуют данные для [%s + %s]!";

const TCatalogTable& MaterialTable() { return Catalogue().Catalog; }

// The record of the code, or the catalogue error with the message and its tail.
const TRecord& RecordByID(const std::string& id, const char* tail) {
  const TRecord* row = _FindByID(id);
  if (!row) RaiseCatalogueError(Format(kMissingCode, id) + (*tail ? std::string("\r\n") + tail : ""));
  return *row;
}

const TRecord& RecordByArticleColor(const std::string& article, const std::string& color, const char* tail) {
  const TRecord* row = _FindByArticleColor(article, color);
  if (!row) RaiseCatalogueError(Format(kMissingArticleColor, article, color) + "\r\n" + tail);
  return *row;
}

// The producer article by the record's UseArticle: 2 gives ProdArticle2, anything else
// ProdArticle.
std::string DefaultProdArticle(const TRecord& row) {
  const TCatalogTable& t = MaterialTable();
  return row[row[t.UseArticle].AsInteger() == 2 ? t.ProdArticle2 : t.ProdArticle].AsString();
}

}  // namespace

// A hash probe costs no more than comparing the current record, so there is no cursor to keep:
// the catalogue stays read-only and can be searched from several calculations at once.
const TRecord* _FindByID(const std::string& id) {
  const TCatalogTable& t = MaterialTable();
  return t.Get().Locate(t.ByID, TKey().Add(std::string_view(id)));
}

const TRecord* _FindByArticleColor(const std::string& article, const std::string& color) {
  const TCatalogTable& t = MaterialTable();
  return t.Get().Locate(t.ByArticleColor, TKey().Add(std::string_view(article)).Add(std::string_view(color)));
}

const TRecord* _FindByArticle(const std::string& article) {
  const TCatalogTable& t = MaterialTable();
  return t.Get().Locate(t.ByArticle, TKey().Add(std::string_view(article)));
}

void GetArticleColorByID(const std::string& id, std::string& article, std::string& color) {
  const TRecord& row = RecordByID(id, "(Поиск [Артикул + Цвет] через [Код])");
  article = row[MaterialTable().Article].AsString();
  color = row[MaterialTable().FrontColor].AsString();
}

std::string GetArticleByID(const std::string& id) {
  return RecordByID(id, "(Поиск [Артикул] через [Код])")[MaterialTable().Article].AsString();
}

std::string GetNameByID(const std::string& id) {
  return RecordByID(id, "(Поиск [Наименование] через [Код])")[MaterialTable().Name].AsString();
}

std::string GetUnitByID(const std::string& id) {
  return RecordByID(id, "(Поиск [Ед.изм] через [Код])")[MaterialTable().Unit].AsString();
}

std::string GetSystemByID(const std::string& id) {
  return RecordByID(id, "(Поиск [Система] через [Код])")[MaterialTable().System].AsString();
}

std::string GetProfColorByID(const std::string& id) {
  return RecordByID(id, "(Поиск [Цвет] через [Код])")[MaterialTable().FrontColor].AsString();
}

std::string GetMatColorByID(const std::string& id) {
  return RecordByID(id, "(Поиск [Артикул + Цвет] через [Код])")[MaterialTable().FrontColor].AsString();
}

void GetArticleColorNameByID(const std::string& id, std::string& article, std::string& color, std::string& name) {
  const TRecord& row = RecordByID(id, "(Поиск [Артикул + Цвет + Наименование] через [Код])");
  article = row[MaterialTable().Article].AsString();
  color = row[MaterialTable().FrontColor].AsString();
  name = row[MaterialTable().Name].AsString();
}

std::string GetProdArticleByID(const std::string& id, int selector) {
  const TCatalogTable& t = MaterialTable();
  const TRecord& row = RecordByID(id, "(Поиск [Артикул производителя] через [Код])");
  switch (selector) {
    case 1: return row[t.ProdArticle].AsString();
    case 2: return row[t.ProdArticle2].AsString();
    case 3: return row[t.ProdArticle3].AsString();
    default: return DefaultProdArticle(row);
  }
}

void GetProdArticleColorByID(const std::string& id, std::string& prod_article, std::string& color) {
  const TRecord& row = RecordByID(id, "(Поиск [Артикул производителя + Цвет] через [Код])");
  prod_article = DefaultProdArticle(row);
  color = row[MaterialTable().FrontColor].AsString();
}

void GetProdArticleColorNameUnitByID(const std::string& id, std::string& prod_article, std::string& color,
                                     std::string& name, std::string& unit) {
  const TRecord& row = RecordByID(id, "(Поиск [Артикул производителя + Цвет] через [Код])");
  prod_article = DefaultProdArticle(row);
  color = row[MaterialTable().FrontColor].AsString();
  name = row[MaterialTable().Name].AsString();
  unit = row[MaterialTable().Unit].AsString();
}

int GetLaminatingByID(const std::string& id) {
  return static_cast<int>(RecordByID(id, "(Поиск [Ламинация] через [Код])")[MaterialTable().Laminating].AsInteger());
}

void GetLamSquareByID(const std::string& id, double& outer, double& inner, double& full) {
  const TRecord& row = RecordByID(id, "(Поиск [Ламинация] через [Код])");
  outer = row[MaterialTable().LamSqExt].AsFloat();
  inner = row[MaterialTable().LamSqInn].AsFloat();
  full = row[MaterialTable().LamSqFull].AsFloat();
}

std::string GetMarkByID(const std::string& id) {
  return RecordByID(id, "(Поиск [Метка] через [Код])")[MaterialTable().Mark].AsString();
}

std::string GetPrintGroupByID(const std::string& id) {
  return RecordByID(id, "(Поиск [Группа печати] через [Код])")[MaterialTable().PrintGroup].AsString();
}

int GetGroupByID(const std::string& id) {
  return static_cast<int>(RecordByID(id, "(Поиск [Группа] через [Код])")[MaterialTable().Group].AsInteger());
}

int GetMaxWidthByID(const std::string& id) {
  return static_cast<int>(RecordByID(id, "(Поиск [Макс. ширина] через [Код])")[MaterialTable().MaxWidth].AsInteger());
}

int GetMaxLengthByID(const std::string& id) {
  return static_cast<int>(RecordByID(id, "(Поиск [Макс. ширина] через [Код])")[MaterialTable().MaxLength].AsInteger());
}

void GetMaxSizeByID(const std::string& id, int& max_width, int& max_height, int& max_length, bool& cut_available) {
  const TCatalogTable& t = MaterialTable();
  const TRecord& row = RecordByID(id, "(Поиск [Макс. ширина] через [Код])");
  max_width = static_cast<int>(row[t.MaxWidth].AsInteger());
  max_height = static_cast<int>(row[t.MaxHeight].AsInteger());
  max_length = static_cast<int>(row[t.MaxLength].AsInteger());
  cut_available = row[t.CutAvailable].AsBoolean();
}

void GetDeltaWLByID(const std::string& id, int& delta_w, int& delta_l, int& len_to_square) {
  const TCatalogTable& t = MaterialTable();
  const TRecord& row = RecordByID(id, "(Поиск [Технологический припуск на загиб] через [Код])");
  delta_w = static_cast<int>(row[t.SinkDeltaW].AsInteger());
  delta_l = static_cast<int>(row[t.SinkDeltaL].AsInteger());
  len_to_square = static_cast<int>(row[t.LenToSquare].AsInteger());
}

int GetIncludeToCompByID(const std::string& id) {
  return static_cast<int>(
      RecordByID(id, "(Поиск [IncludeToComplect] через [Код])")[MaterialTable().IncludeToComp].AsInteger());
}

double GetMinTradeByID(const std::string& id) {
  return RecordByID(id, "(Поиск [Мин. торговая величина] через [Код])")[MaterialTable().MinTrade].AsFloat();
}

std::string GetIDByArticle(const std::string& article, const std::string& color) {
  return RecordByArticleColor(article, color, "(Поиск [Код] через [Артикул + Цвет])")[MaterialTable().ID].AsString();
}

std::string GetSystemByArticle(const std::string& article, const std::string& color) {
  return RecordByArticleColor(article, color, "(Поиск [Код] через [Артикул + Цвет])")[MaterialTable().System]
      .AsString();
}

std::string GetBackColorByArticle(const std::string& article, const std::string& color) {
  const TRecord& row = RecordByArticleColor(article, color, "(Поиск [Цвета изнутри] через [Артикул + Цвет])");
  return GetBackColor(row[MaterialTable().FrontColor].AsString());
}

std::string GetProdArticleByArticleColor(const std::string& article, const std::string& color) {
  return DefaultProdArticle(
      RecordByArticleColor(article, color, "(Поиск [Артикул производителя] через [Рабочий артикул + Цвет])"));
}

TValue GetCatalogFieldByID(const std::string& id, const std::string& field_name) {
  const TRecord* row = _FindByID(id);
  if (!row) RaiseCatalogueError(Format("В каталоге не найден материал с кодом [%s]!", id));
  return (*row)[MaterialTable().Get().FieldIndex(field_name)];
}

double GetWeightByID(const std::string& id) { return RecordByID(id, "")[MaterialTable().Weight].AsFloat(); }

bool VirtualMaterial(const std::string& id) { return RecordByID(id, "")[MaterialTable().Virtual].AsInteger() == 1; }

int GetMatCalcPrinciple(const std::string& id) {
  return static_cast<int>(RecordByID(id, "")[MaterialTable().CalcPrinciple].AsInteger());
}

bool NeedToGatherAccList(const std::string& id, int& principle) {
  principle = GetMatCalcPrinciple(id);
  return principle == 1 || principle == 2;
}

int GetMaterialMaxWidth(const std::string& id) {
  return static_cast<int>(RecordByID(id, "")[MaterialTable().MaxWidth].AsInteger());
}

bool MaterialIsPVC(const std::string& id) {
  const TRecord& row = RecordByID(id, "");
  return row[MaterialTable().Group].AsInteger() == 2 && row[MaterialTable().CalcPrinciple].AsInteger() == 0;
}

bool MaterialIsSimpleGlass(const std::string& id) {
  return RecordByID(id, "")[MaterialTable().Group].AsInteger() == 11;
}

bool ArticleColorExists(const std::string& article, const std::string& color) {
  return _FindByArticleColor(article, color) != nullptr;
}

void SetColorIfPossible(const std::string& article, std::string& color) {
  if (ArticleColorExists(article, color)) return;
  if (const TRecord* first = _FindByArticle(article)) color = (*first)[MaterialTable().FrontColor].AsString();
}

void SetProfColorIfPossible(const std::string& profile, std::string& color) {
  SetColorIfPossible(GetProfOriginalArticle(profile), color);
}

std::string GetFirstAvailableColor(const std::string& article) {
  const TRecord* first = _FindByArticle(article);
  return first ? (*first)[MaterialTable().FrontColor].AsString() : std::string();
}

std::string GetFirstAvailableID(const std::string& article) {
  const TRecord* first = _FindByArticle(article);
  return first ? (*first)[MaterialTable().ID].AsString() : std::string();
}

}  // namespace kv
