#include "calc/furn_article.h"

#include <algorithm>
#include <cmath>

#include "calc/furn_conditions.h"
#include "catalogue/material_lookups.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

constexpr int kUniversalDirect = 3;

double Whole(double Value) { return std::round(Value); }

double WholeSideLength(const TFurnSash& Sash, int No) {
  const TFurnSashSide* side = Sash.Side(No);
  return side != nullptr ? Whole(side->Length) : 0;
}

double SideRadius(const TFurnSash& Sash, int No) {
  const TFurnSashSide* side = Sash.Side(No);
  return side != nullptr ? Whole(side->Radius) : 0;
}

double RoundedCornerAngle(const TFurnSash& Sash, int No) {
  const TFurnSashSide* side = Sash.Side(No);
  return side != nullptr ? GetRoundedFloat(side->Angle, 2) : 0;
}

// The size condition of the set row applied to the article's ranges.
bool SizePasses(const TFurnArticle& A, const TFurnSetRow& Row, const TFurnSash& Sash) {
  const int c = Row.Condition;
  if ((c == fcWidth || c == fcWidthHeight) && !A.Width.Holds(Sash.Width)) return false;
  if ((c == fcHeight || c == fcWidthHeight) && !A.Height.Holds(Sash.Height)) return false;
  if ((c == fcSide1 || c == fcSides) && !A.L1.Holds(WholeSideLength(Sash, Row.L1No))) return false;
  if ((c == fcSide2 || c == fcSides) && !A.L2.Holds(WholeSideLength(Sash, Row.L2No))) return false;
  if (c == fcAngle && !A.Angle.Holds(RoundedCornerAngle(Sash, Row.AngleCondNo))) return false;
  if ((c == fcRadius1 || c == fcRadii) && !A.R1.Holds(SideRadius(Sash, Row.R1No))) return false;
  if ((c == fcRadius2 || c == fcRadii) && !A.R2.Holds(SideRadius(Sash, Row.R2No))) return false;
  return true;
}

// The columns the item kind is selected by.
bool KindPasses(const TFurnArticle& A, const TFurnItemKind& Item, const TFurnArticleRequest& Request) {
  const TFurnSash& sash = *Request.Sash;
  const TFlugelParam& p = sash.Param;
  if (Item.HasFalzLuft && A.FalzLuft != std::lround(p.FalzLuft)) return false;
  if (Item.HasFalzSize && A.FalzSize != std::lround(p.FalzSize)) return false;
  if (Item.HasFalzPos && A.FalzPos != std::lround(p.FalzPos)) return false;
  if (Item.CheckWeight && !A.Weight.Holds(GetRoundedFloat(sash.Weight, 2))) return false;
  if (Item.HasDornMass && !A.DornMass.Holds(GetRoundedFloat(p.DornMass, 2))) return false;
  if (Item.CheckThickness && !A.Thickness.Holds(Whole(p.Thickness))) return false;
  if (Item.CheckProfWidth && !A.ProfWidth.Holds(Whole(sash.ProfWidth))) return false;
  if (Item.HasProfSys && A.ProfSys != Request.ProfSys) return false;
  if (Item.CheckStulpType && A.StulpType != sash.StulpType) return false;
  if (Item.CheckDirect && A.Direct != Request.Direct && A.Direct != kUniversalDirect) return false;
  return true;
}

// The user's handle height within the article's limits, for the row that defines the handle height.
bool HandlePasses(const TFurnArticle& A, const TFurnArticleRequest& Request) {
  const bool limited = Request.HandleHeight > 0 && Request.Row != nullptr && Request.Row->DefineHandleHeight;
  return !limited || A.Handle.Max <= 0 || A.Handle.Holds(Request.HandleHeight);
}

std::vector<TFurnArticle> Passing(const std::vector<TFurnArticle>& Articles, const TFurnItemKind& Item,
                                  const TFurnArticleRequest& Request, const std::string* Color) {
  std::vector<TFurnArticle> found;
  for (const TFurnArticle& article : Articles)
    if ((Color == nullptr || article.Color == *Color) && FurnArticlePasses(article, Item, Request))
      found.push_back(article);
  return found;
}

bool Preferred(const TFurnArticle& Article, const TFurnComponents& Components) {
  const std::string article = _FindByID(Article.CatalogID) != nullptr ? GetArticleByID(Article.CatalogID) : "";
  return std::any_of(Components.begin(), Components.end(), [&](const std::string& component) {
    return !component.empty() && (component == Article.CatalogID || component == article);
  });
}

std::string ArticleLine(const TFurnArticle& Article) {
  const std::string name = _FindByID(Article.CatalogID) != nullptr ? GetNameByID(Article.CatalogID) : "";
  return name.empty() ? Article.CatalogID : Article.CatalogID + "  " + name;
}

std::optional<TFurnArticle> ChooseArticle(const std::vector<TFurnArticle>& Found, const TFurnItemKind& Item,
                                          const TFurnArticleRequest& Request) {
  if (Request.Preferred != nullptr)
    for (const TFurnArticle& article : Found)
      if (Preferred(article, *Request.Preferred)) return article;
  std::vector<std::string> lines;
  for (const TFurnArticle& article : Found) lines.push_back(ArticleLine(article));
  const std::string text =
      Format("Элемент фурнитуры [%s] створки [%s] подходит нескольким артикулам.\r\nВыберите артикул:", Item.ID,
             Request.Sash->Name);
  const int chosen = ChooseFromList("Выбор артикула фурнитуры", text, lines);
  if (chosen < 1 || chosen > static_cast<int>(Found.size())) return std::nullopt;
  return Found[static_cast<size_t>(chosen - 1)];
}

}  // namespace

bool FurnArticlePasses(const TFurnArticle& Article, const TFurnItemKind& Item, const TFurnArticleRequest& Request) {
  return (Request.Row == nullptr || SizePasses(Article, *Request.Row, *Request.Sash)) &&
         KindPasses(Article, Item, Request) && HandlePasses(Article, Request);
}

std::optional<TFurnArticle> GetFurnArticle(const TFurnItemKind& Item, const TFurnArticleRequest& Request) {
  const std::vector<TFurnArticle> articles = GetFurnArticles(Item.ID);
  const std::string neutral;
  std::vector<TFurnArticle> found = Passing(articles, Item, Request, Item.HasColor ? &Request.Color : nullptr);
  if (found.empty() && Item.HasColor) found = Passing(articles, Item, Request, &neutral);
  if (found.empty()) return std::nullopt;
  if (found.size() == 1) return found.front();
  return ChooseArticle(found, Item, Request);
}

}  // namespace kv
