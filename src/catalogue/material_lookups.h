#pragma once
// Reads of the material catalogue (Catalog): a material by its code, by article and colour, or by
// article alone. A read that finds nothing raises EInterfaceError
// "В каталоге отсутствуют данные для [<key>]!" with a tail naming the fields searched.
#include <string>

#include "shell/table_engine.h"

namespace kv {

// The record of the code (exact, case-sensitive), nullptr when absent.
const TRecord* _FindByID(const std::string& id);
// The first record of the article in the colour / of the article, in table order.
const TRecord* _FindByArticleColor(const std::string& article, const std::string& color);
const TRecord* _FindByArticle(const std::string& article);

void GetArticleColorByID(const std::string& id, std::string& article, std::string& color);
std::string GetArticleByID(const std::string& id);
std::string GetNameByID(const std::string& id);
std::string GetUnitByID(const std::string& id);
std::string GetSystemByID(const std::string& id);
std::string GetProfColorByID(const std::string& id);
std::string GetMatColorByID(const std::string& id);
void GetArticleColorNameByID(const std::string& id, std::string& article, std::string& color, std::string& name);
// Selector 1, 2, 3: ProdArticle, ProdArticle2, ProdArticle3; 0 follows UseArticle.
std::string GetProdArticleByID(const std::string& id, int selector = 0);
void GetProdArticleColorByID(const std::string& id, std::string& prod_article, std::string& color);
void GetProdArticleColorNameUnitByID(const std::string& id, std::string& prod_article, std::string& color,
                                     std::string& name, std::string& unit);
int GetLaminatingByID(const std::string& id);
void GetLamSquareByID(const std::string& id, double& outer, double& inner, double& full);
std::string GetMarkByID(const std::string& id);
std::string GetPrintGroupByID(const std::string& id);
int GetGroupByID(const std::string& id);
int GetMaxWidthByID(const std::string& id);
int GetMaxLengthByID(const std::string& id);
void GetMaxSizeByID(const std::string& id, int& max_width, int& max_height, int& max_length, bool& cut_available);
void GetDeltaWLByID(const std::string& id, int& delta_w, int& delta_l, int& len_to_square);
int GetIncludeToCompByID(const std::string& id);
double GetMinTradeByID(const std::string& id);

std::string GetIDByArticle(const std::string& article, const std::string& color);
std::string GetSystemByArticle(const std::string& article, const std::string& color);
// The inner face colour of the record's colour.
std::string GetBackColorByArticle(const std::string& article, const std::string& color);
std::string GetProdArticleByArticleColor(const std::string& article, const std::string& color);

// Any column by name; "В каталоге не найден материал с кодом [%s]!" when the code is absent.
TValue GetCatalogFieldByID(const std::string& id, const std::string& field_name);

double GetWeightByID(const std::string& id);
bool VirtualMaterial(const std::string& id);
int GetMatCalcPrinciple(const std::string& id);
// True when the price principle is 1 (by accessory documentation) or 2 (by calculation method).
bool NeedToGatherAccList(const std::string& id, int& principle);
int GetMaterialMaxWidth(const std::string& id);
// A plastic (sandwich) panel: a filling (group 2) bought whole, price principle 0.
bool MaterialIsPVC(const std::string& id);
// A single pane: a glass material (group 11) used as the filling itself.
bool MaterialIsSimpleGlass(const std::string& id);

// Whether the article exists in the colour; never raises.
bool ArticleColorExists(const std::string& article, const std::string& color);
// Keeps the colour when the catalogue has the article in it, else takes the article's first
// colour (or leaves it when the article is unknown).
void SetColorIfPossible(const std::string& article, std::string& color);
// The same for a profile, mapped first to its priced article (OrgArticle).
void SetProfColorIfPossible(const std::string& profile, std::string& color);
// Colour and code of the first record of the article; "" when it has none.
std::string GetFirstAvailableColor(const std::string& article);
std::string GetFirstAvailableID(const std::string& article);

}  // namespace kv
