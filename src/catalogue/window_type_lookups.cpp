#include "catalogue/window_type_lookups.h"

#include "catalogue/catalogue.h"
#include "shell/format_settings.h"

namespace kv {

namespace {

std::string Text(const TRecord& row, int column) { return row[column].AsString(); }
int32_t IntAt(const TRecord& row, int column) { return static_cast<int32_t>(row[column].AsInteger()); }

std::string MissingType(int32_t type_win) {
  return Format("В БД отсутствуют данные для типа конструкции [%d]!", type_win);
}

// The TypeProf row of the type in the system.
const TRecord& RequireScheme(int32_t type_win, const std::string& system) {
  const TTypeProfTable& schemes = Catalogue().TypeProf;
  const TRecord* scheme =
      schemes.Get().Locate(schemes.ByIDSystem, TKey().Add(int64_t{type_win}).Add(std::string_view(system)));
  if (!scheme) RaiseCatalogueError(MissingType(type_win));
  return *scheme;
}

}  // namespace

TWinTypeInfo GetWinTypeInfo(int32_t type_win) {
  const TTypeWinTable& types = Catalogue().TypeWin;
  const TRecord* type = types.Get().Locate(types.ByID, TKey().Add(int64_t{type_win}));
  if (!type) RaiseCatalogueError(MissingType(type_win));
  TWinTypeInfo info;
  info.ID = type_win;
  info.Name = Text(*type, types.Name);
  info.Article = Text(*type, types.PosArticle);
  info.ArticleName = Text(*type, types.PosName);
  info.ProfSys = Text(*type, types.FixedProfSys);
  info.FurnSys = Text(*type, types.FixedFurnSys);
  info.Glass = Text(*type, types.FixedGlass);
  info.WinType = IntAt(*type, types.WinType);
  info.CalcMethod = IntAt(*type, types.CalcMethod);

  const TTypeProfTable& schemes = Catalogue().TypeProf;
  const TRecord* scheme = &RequireScheme(type_win, info.ProfSys);
  info.FrameID = IntAt(*scheme, schemes.FrameID);
  info.FlugelID = IntAt(*scheme, schemes.FlugelID);
  info.Impost = Text(*scheme, schemes.Impost);
  info.ImpostAT = IntAt(*scheme, schemes.ImpostAT);
  info.ImpostComb = IntAt(*scheme, schemes.ImpostComb);
  info.Stulp = Text(*scheme, schemes.Stulp);
  info.StulpAT = IntAt(*scheme, schemes.StulpAT);
  info.StulpComb = IntAt(*scheme, schemes.StulpComb);
  info.Falsh = Text(*scheme, schemes.Falsh1);
  info.Spross = Text(*scheme, schemes.Spross);
  info.WeldAllowance = static_cast<float>((*scheme)[schemes.WeldAllowance].AsFloat());
  return info;
}

int32_t GetProfTypeStaticMethod(int32_t type_win, const std::string& system) {
  return IntAt(RequireScheme(type_win, system), Catalogue().TypeProf.StaticMethod);
}

}  // namespace kv
