#include "catalogue/colour_lookups.h"

#include "catalogue/catalogue.h"
#include "catalogue/material_lookups.h"
#include "shell/format_settings.h"

namespace kv {

namespace {

const TColorSetTable& Colors() { return Catalogue().ColorSet; }

const TRecord* FindColor(const std::string& color) {
  return Colors().Get().Locate(Colors().ByColor, TKey().Add(std::string_view(color)));
}

std::string ColorField(const std::string& color, int column) {
  const TRecord* row = FindColor(color);
  return row ? (*row)[column].AsString() : std::string();
}

std::string FaceColor(const std::string& color, int column, bool quiet) {
  const TRecord* row = FindColor(color);
  if (!row) {
    if (quiet) return {};
    RaiseCatalogueError(Format("В каталоге цветов отсутствуют данные для цвета [%s]", color));
  }
  return (*row)[column].AsString();
}

const TRecord& RequireSystem(const std::string& system) {
  const TSysListTable& t = Catalogue().SysList;
  const TRecord* row = t.Get().Locate(t.ByID, TKey().Add(std::string_view(system)));
  if (!row) RaiseCatalogueError(Format("В БД отсутствуют данные для системы [%s]!", system));
  return *row;
}

// The Accessry row of the article in the colour, else its colour-neutral row.
const TRecord* FindAccessory(const std::string& article, const std::string& color) {
  const TAccessryTable& t = Catalogue().Accessry;
  const auto key = [&](const std::string& c) { return TKey().Add(std::string_view(article)).Add(std::string_view(c)); };
  const TRecord* row = t.Get().Locate(t.ByProfileColor, key(color));
  return row ? row : t.Get().Locate(t.ByProfileColor, key(""));
}

// The accessory colour of the row, kept only when the catalogue has the article in it.
std::string AvailableAccessoryColor(const std::string& article, const TRecord* row) {
  std::string result = row ? (*row)[Catalogue().Accessry.ProfColor].AsString() : std::string();
  if (!ArticleColorExists(article, result)) result = GetFirstAvailableColor(article);
  return result;
}

}  // namespace

std::string GetColorName(const std::string& color) { return ColorField(color, Colors().Name); }
std::string GetColorArticle(const std::string& color) { return ColorField(color, Colors().Article); }
std::string GetColorRAL(const std::string& color) { return ColorField(color, Colors().RAL); }
std::string GetColorRenolit(const std::string& color) { return ColorField(color, Colors().Renolit); }

std::string GetColorNameByMode(const std::string& color, int mode) {
  switch (mode) {
    case cnmArticle: return GetColorArticle(color);
    case cnmRAL: return GetColorRAL(color);
    case cnmRenolit: return GetColorRenolit(color);
    default: return GetColorName(color);
  }
}

std::string GetFrontColor(const std::string& color, bool quiet) { return FaceColor(color, Colors().OuterColor, quiet); }

std::string GetBackColor(const std::string& color, bool quiet) { return FaceColor(color, Colors().InnerColor, quiet); }

int GetScreenColor(const std::string& color) {
  const TRecord* row = FindColor(color);
  return row ? static_cast<int>((*row)[Colors().ScrOuterColor].AsInteger()) : 0;
}

bool SysColorExists(const std::string& color, const std::string& system) {
  const TSysColorTable& t = Catalogue().SysColor;
  return t.Get().Locate(t.ByIDSystem, TKey().Add(std::string_view(color)).Add(std::string_view(system))) != nullptr;
}

std::string GetSysBaseColor(const std::string& system) {
  return RequireSystem(system)[Catalogue().SysList.BaseColor].AsString();
}

int GetSysMatType(const std::string& system) {
  return static_cast<int>(RequireSystem(system)[Catalogue().SysList.MatType].AsInteger());
}

int GetSysCommonGroup(const std::string& system) {
  return static_cast<int>(RequireSystem(system)[Catalogue().SysList.CommonGrp].AsInteger());
}

void GetProfAccessoryColor(const std::string& article, const std::string& color, std::string& result) {
  result = AvailableAccessoryColor(article, FindAccessory(article, color));
}

void GetProfAccessoryColorExchange(std::string& article, const std::string& color, std::string& result) {
  const TRecord* row = FindAccessory(article, color);
  if (row && !(*row)[Catalogue().Accessry.ProfArticle].Text().empty()) {
    article = (*row)[Catalogue().Accessry.ProfArticle].AsString();
  }
  result = AvailableAccessoryColor(article, row);
}

void SetAccessoryColorIfPossible(std::string& article, std::string& color) {
  std::string accessory_color;
  GetProfAccessoryColorExchange(article, color, accessory_color);
  color = accessory_color;
}

}  // namespace kv
