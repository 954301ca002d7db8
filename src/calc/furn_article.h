#pragma once
// The article of one fittings item for a sash (FrnArt): the articles of the item that pass the size
// condition of the set row and the columns the item kind is selected by; in the required colour,
// else colour-neutral. Several articles: the set's component choice, else the user picks one.
#include <optional>
#include <string>

#include "calc/furn_sash.h"
#include "catalogue/furn_lookups.h"

namespace kv {

struct TFurnArticleRequest {
  const TFurnSash* Sash = nullptr;
  // The set row whose condition code and side numbers give the size condition.
  const TFurnSetRow* Row = nullptr;
  // The colour an item with colour is wanted in.
  std::string Color;
  // The complect's hand; universal articles (3) go with every hand.
  int Direct = 0;
  // The component choices of the fittings set, preferred among several articles.
  const TFurnComponents* Preferred = nullptr;
  // The profile system the articles are documented under (ProfSys of an item that has it).
  std::string ProfSys;
  // The handle height the user set (mm, 0: none); an article of a row that defines the handle
  // height must allow it.
  int HandleHeight = 0;
};

// Whether the article passes the filter of the item for the request, colour apart.
bool FurnArticlePasses(const TFurnArticle& Article, const TFurnItemKind& Item, const TFurnArticleRequest& Request);
// nullopt when no article passes or the user cancels the choice.
std::optional<TFurnArticle> GetFurnArticle(const TFurnItemKind& Item, const TFurnArticleRequest& Request);

}  // namespace kv
