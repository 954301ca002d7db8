#include "catalogue/furn_lookups.h"

#include "catalogue/catalogue.h"
#include "shell/format_settings.h"
#include "shell/tokens.h"

namespace kv {

namespace {

int Int(const TRecord& Row, int Column) { return static_cast<int>(Row[Column].AsInteger()); }
bool Flag(const TRecord& Row, int Column) { return Row[Column].AsInteger() != 0; }
double Real(const TRecord& Row, int Column) { return Row[Column].AsFloat(); }
std::string Text(const TRecord& Row, int Column) { return Row[Column].AsString(); }
TFurnRange Range(const TRecord& Row, int Min, int Max) { return {Real(Row, Min), Real(Row, Max)}; }

// Every row of the table with the key, in table order, read into a record.
template <typename TTableType, typename TRead>
auto RowsOf(const TTableType& Table, int Index, const TKey& Key, TRead Read) {
  std::vector<decltype(Read(std::declval<const TRecord&>()))> rows;
  const TMemTable& data = Table.Get();
  for (uint32_t position : data.Range(Index, Key)) rows.push_back(Read(data.Row(position)));
  return rows;
}

TFurnComplect ReadComplect(const TRecord& Row) {
  const TFrnCompTable& t = Catalogue().FrnComp;
  TFurnComplect c;
  c.ID = Text(Row, t.ID);
  c.Name = Text(Row, t.Name);
  c.Group = Int(Row, t.Group);
  c.MaxWeight = Int(Row, t.MaxWeight);
  c.TFlugelAvailable = Flag(Row, t.TFlugelAvailable);
  c.Use = Flag(Row, t.Use);
  c.SymmetricID = Text(Row, t.SymmetricID);
  c.MultiSysID = Text(Row, t.MultiSysID);
  c.Kipp = Flag(Row, t.Kipp);
  c.Direct = Int(Row, t.Direct);
  c.CommonGrp = Int(Row, t.CommonGrp);
  c.Alert = Text(Row, t.Alert);
  c.PropKey = Int(Row, t.PropKey);
  return c;
}

TFurnSideRow ReadSide(const TRecord& Row) {
  const TFrnSideTable& t = Catalogue().FrnSide;
  TFurnSideRow s;
  s.Side = Int(Row, t.Side);
  s.MinSize = Int(Row, t.MinSize);
  s.MaxSize = Int(Row, t.MaxSize);
  s.MinRadius = Int(Row, t.MinRadius);
  s.MaxRadius = Int(Row, t.MaxRadius);
  s.OpenMode = Int(Row, t.OpenMode);
  s.RotSide = Int(Row, t.RotSide);
  s.Handled = Int(Row, t.Handled);
  s.Banded = Flag(Row, t.Banded);
  s.Drived = Flag(Row, t.Drived);
  s.FullRadius = Flag(Row, t.FullRadius);
  s.HalfRadius = Flag(Row, t.HalfRadius);
  s.EllipseRadius = Flag(Row, t.EllipseRadius);
  s.MinAngle = Real(Row, t.MinAngle);
  s.MaxAngle = Real(Row, t.MaxAngle);
  s.HandleDirect = Int(Row, t.HandleDirect);
  return s;
}

TFurnSetRow ReadSetRow(const TRecord& Row) {
  const TFrnSetTable& t = Catalogue().FrnSet;
  TFurnSetRow r;
  r.Complect = Text(Row, t.ID);
  r.Item = Text(Row, t.Item);
  r.PropKey = Int(Row, t.PropKey);
  r.Number = Int(Row, t.Number);
  r.Side1No = Int(Row, t.Side1No);
  r.Side2No = Int(Row, t.Side2No);
  r.AngleNo = Int(Row, t.AngleNo);
  r.Width = Range(Row, t.FFBMin, t.FFBMax);
  r.Height = Range(Row, t.FFHMin, t.FFHMax);
  r.L1No = Int(Row, t.FFL1No);
  r.L1 = Range(Row, t.FFL1Min, t.FFL1Max);
  r.L2No = Int(Row, t.FFL2No);
  r.L2 = Range(Row, t.FFL2Min, t.FFL2Max);
  r.L21No = Int(Row, t.FFL21No);
  r.L21 = Range(Row, t.FFL21Min, t.FFL21Max);
  r.L22No = Int(Row, t.FFL22No);
  r.L22 = Range(Row, t.FFL22Min, t.FFL22Max);
  r.AngleCondNo = Int(Row, t.FFANo);
  r.Angle = Range(Row, t.FFAMin, t.FFAMax);
  r.R1No = Int(Row, t.FFR1No);
  r.R1 = Range(Row, t.FFR1Min, t.FFR1Max);
  r.R1Type = Int(Row, t.FFR1Type);
  r.R2No = Int(Row, t.FFR2No);
  r.R2 = Range(Row, t.FFR2Min, t.FFR2Max);
  r.R2Type = Int(Row, t.FFR2Type);
  r.Condition = Int(Row, t.Condition);
  r.ScaleCondition = Int(Row, t.ScaleCondition);
  r.ScaleStep = Int(Row, t.ScaleStep);
  r.ScaleStart = Int(Row, t.ScaleStart);
  r.ScaleNum = Int(Row, t.ScaleNum);
  r.ScaleScheme = Text(Row, t.ScaleScheme);
  r.ColorCondition = Int(Row, t.ColorCondition);
  r.DefineHandleHeight = Flag(Row, t.DefineHandleHeight);
  r.HandleSideNo = Int(Row, t.HandleSideNo);
  r.StulpType = Int(Row, t.StulpType);
  r.Required = Flag(Row, t.Required);
  r.UseLen = Flag(Row, t.UseLen);
  r.LenFormula = Text(Row, t.LenFormula);
  r.MinLen = Int(Row, t.MinLen);
  r.AlertIfNoArt = Text(Row, t.AlertIfNoArt);
  r.AlertIfIgnore = Text(Row, t.AlertIfIgnore);
  r.UseIfArt = Text(Row, t.UseIfArt);
  return r;
}

TFurnItemKind ReadItem(const TRecord& Row) {
  const TFrnItemTable& t = Catalogue().FrnItem;
  TFurnItemKind k;
  k.ID = Text(Row, t.ID);
  k.Name = Text(Row, t.Name);
  k.HasDornMass = Flag(Row, t.HasDornMass);
  k.HasProfSys = Flag(Row, t.HasProfSys);
  k.CheckWeight = Flag(Row, t.CheckWeight);
  k.HasColor = Flag(Row, t.HasColor);
  k.HasFalzLuft = Flag(Row, t.HasFalzLuft);
  k.HasFalzSize = Flag(Row, t.HasFalzSize);
  k.HasFalzPos = Flag(Row, t.HasFalzPos);
  k.CheckThickness = Flag(Row, t.CheckThickness);
  k.CheckProfWidth = Flag(Row, t.CheckProfWidth);
  k.CheckStulpType = Flag(Row, t.CheckStulpType);
  k.CheckDirect = Flag(Row, t.CheckDirect);
  k.Virtual = Flag(Row, t.Virtual);
  return k;
}

TFurnArticle ReadArticle(const TRecord& Row) {
  const TFrnArtTable& t = Catalogue().FrnArt;
  TFurnArticle a;
  a.CatalogID = Text(Row, t.CatalogID);
  a.FalzLuft = Int(Row, t.FalzLuft);
  a.FalzSize = Int(Row, t.FalzSize);
  a.FalzPos = Int(Row, t.FalzPos);
  a.DornMass = Range(Row, t.DornMassMin, t.DornMassMax);
  a.Handle = Range(Row, t.HandleMin, t.HandleMax);
  a.HandleHeight = Int(Row, t.HandleHeight);
  a.Weight = Range(Row, t.WeightMin, t.WeightMax);
  a.Thickness = Range(Row, t.ThicknessMin, t.ThicknessMax);
  a.ProfWidth = Range(Row, t.ProfWidthMin, t.ProfWidthMax);
  a.ProfSys = Text(Row, t.ProfSys);
  a.Width = Range(Row, t.FFBMin, t.FFBMax);
  a.Height = Range(Row, t.FFHMin, t.FFHMax);
  a.Color = Text(Row, t.Color);
  a.StulpType = Int(Row, t.StulpType);
  a.Angle = Range(Row, t.FFAMin, t.FFAMax);
  a.Direct = Int(Row, t.Direct);
  a.L1 = Range(Row, t.FFL1Min, t.FFL1Max);
  a.L2 = Range(Row, t.FFL2Min, t.FFL2Max);
  a.R1 = Range(Row, t.FFR1Min, t.FFR1Max);
  a.R2 = Range(Row, t.FFR2Min, t.FFR2Max);
  return a;
}

TFurnSubItem ReadSubItem(const TRecord& Row) {
  const TFrnItoITable& t = Catalogue().FrnItoI;
  return {Text(Row, t.Item),          Int(Row, t.PropKey),   Int(Row, t.Number),        Int(Row, t.StulpType),
          Int(Row, t.ColorCondition), Flag(Row, t.Required), Text(Row, t.AlertIfNoArt), Text(Row, t.AlertIfIgnore)};
}

TKey TextKey(const std::string& Text) { return TKey().Add(std::string_view(Text)); }

const TRecord* ComplectRow(const std::string& ID) {
  const TFrnCompTable& t = Catalogue().FrnComp;
  return t.Get().Locate(t.ByID, TextKey(ID));
}

std::vector<int> ComplectValues(const std::string& Complect, bool DefaultsOnly) {
  std::vector<int> values;
  const TRecord* complect = ComplectRow(Complect);
  if (complect == nullptr) return values;
  const TFrnPropTable& t = Catalogue().FrnProp;
  const TMemTable& data = t.Get();
  const int32_t key = Int(*complect, Catalogue().FrnComp.PropKey);
  for (uint32_t position : data.Range(t.ByPropKey, TKey().Add(int64_t{key})))
    if (!DefaultsOnly || Flag(data.Row(position), t.Default)) values.push_back(Int(data.Row(position), t.ID));
  return values;
}

std::vector<std::string> PropertyLines(const std::vector<int>& Values) {
  std::vector<std::string> lines;
  for (int value : Values) lines.push_back(PropertyLine(value));
  return lines;
}

// The window type's scheme: the row of its fittings system, else of its profile system.
const TRecord* SchemeRow(int32_t TypeWin, const std::string& FurnSys, const std::string& ProfSys) {
  const TTypeFurnTable& t = Catalogue().TypeFurn;
  for (const std::string* system : {&FurnSys, &ProfSys})
    if (const TRecord* row = t.Get().Locate(t.ByIDSystem, TKey().Add(int64_t{TypeWin}).Add(std::string_view(*system))))
      return row;
  return nullptr;
}

}  // namespace

std::optional<TFurnComplect> FindFurnComplect(const std::string& ID) {
  const TRecord* row = ComplectRow(ID);
  if (row == nullptr) return std::nullopt;
  return ReadComplect(*row);
}

TFurnComplect GetFurnComplect(const std::string& ID) {
  const std::optional<TFurnComplect> complect = FindFurnComplect(ID);
  if (!complect) RaiseCatalogueError(Format("Комплект фурнитуры [%s] не найден в документации!", ID));
  return *complect;
}

std::vector<TFurnComplect> GetSystemComplects(const std::string& System) {
  std::vector<TFurnComplect> complects;
  for (const TRecord& row : Catalogue().FrnComp.Get().Rows()) {
    TFurnComplect complect = ReadComplect(row);
    if (complect.Use && complect.MultiSysID == System) complects.push_back(std::move(complect));
  }
  return complects;
}

std::vector<TFurnSideRow> GetFurnSides(const std::string& Complect) {
  const TFrnSideTable& t = Catalogue().FrnSide;
  return RowsOf(t, t.ByID, TextKey(Complect), ReadSide);
}

std::vector<TFurnSetRow> GetFurnSetRows(const std::string& Complect) {
  const TFrnSetTable& t = Catalogue().FrnSet;
  return RowsOf(t, t.ByID, TextKey(Complect), ReadSetRow);
}

std::optional<TFurnItemKind> FindFurnItem(const std::string& ID) {
  const TFrnItemTable& t = Catalogue().FrnItem;
  const TRecord* row = t.Get().Locate(t.ByID, TextKey(ID));
  if (row == nullptr) return std::nullopt;
  return ReadItem(*row);
}

std::vector<TFurnArticle> GetFurnArticles(const std::string& Item) {
  const TFrnArtTable& t = Catalogue().FrnArt;
  return RowsOf(t, t.ByID, TextKey(Item), ReadArticle);
}

std::vector<TFurnSubItem> GetFurnSubItems(const std::string& Item) {
  const TFrnItoITable& t = Catalogue().FrnItoI;
  return RowsOf(t, t.ByID, TextKey(Item), ReadSubItem);
}

std::vector<TFurnExtra> GetFurnDopAccessories(const std::string& CatalogID) {
  const TFrnDopTable& t = Catalogue().FrnDop;
  return RowsOf(t, t.ByCatalogID, TextKey(CatalogID), [&t](const TRecord& Row) {
    return TFurnExtra{Text(Row, t.AccessoryID), Int(Row, t.Number), Int(Row, t.StulpType), Int(Row, t.PropKey)};
  });
}

std::vector<TFurnExtra> GetFurnColorAccessories(const std::string& CatalogID, const std::string& Color) {
  const TFrnAbdTable& t = Catalogue().FrnAbd;
  return RowsOf(t, t.ByCatalogIDColor, TextKey(CatalogID).Add(std::string_view(Color)), [&t](const TRecord& Row) {
    return TFurnExtra{Text(Row, t.AccessoryID), Int(Row, t.Number), 0, 0};
  });
}

std::vector<TFurnExtra> GetFurnStrikePlates(const std::string& CatalogID) {
  const TFrnSchlTable& t = Catalogue().FrnSchl;
  return RowsOf(t, t.ByCatalogID, TextKey(CatalogID), [&t](const TRecord& Row) {
    return TFurnExtra{Text(Row, t.Item), Int(Row, t.Number), Int(Row, t.StulpType), Int(Row, t.PropKey)};
  });
}

int GetHandleDirect(const std::string& Complect, int Side) {
  const TFrnSideTable& t = Catalogue().FrnSide;
  const TRecord* row = t.Get().Locate(t.ByIDSide, TextKey(Complect).Add(int64_t{Side}));
  return row != nullptr ? Int(*row, t.HandleDirect) : 0;
}

std::string GetMirrorComplect(const std::string& Complect) {
  const TRecord* row = ComplectRow(Complect);
  return row != nullptr ? Text(*row, Catalogue().FrnComp.SymmetricID) : std::string();
}

std::string GetFurnMultiSystemID(const std::string& Complect, const std::string& System) {
  const TRecord* row = ComplectRow(Complect);
  if (row == nullptr) return {};
  const TFrnCompTable& t = Catalogue().FrnComp;
  const TKey key = TKey().Add(int64_t{Int(*row, t.CommonGrp)}).Add(std::string_view(System));
  const TRecord* other = t.Get().Locate(t.ByCommonGrpSystem, key);
  return other != nullptr ? Text(*other, t.ID) : std::string();
}

TFurnComponents GetFurnMultiSystemArticles(int32_t TypeWin, const std::string& FurnSys, const std::string& ProfSys) {
  TFurnComponents components;
  const TRecord* row = SchemeRow(TypeWin, FurnSys, ProfSys);
  if (row == nullptr) return components;
  const TTypeFurnTable& t = Catalogue().TypeFurn;
  const std::array<int, FURN_SCHEME_COMPONENT_COUNT> columns{
      t.Handle, t.Hinge, t.Lock, t.Cylinder, t.Drive, t.Latch, t.DopComplect1, t.DopComplect2, t.DopComplect3};
  for (size_t i = 0; i < columns.size(); ++i) components[i] = Text(*row, columns[i]);
  return components;
}

bool GetUserDefineHeight(int32_t TypeWin, const std::string& FurnSys, const std::string& ProfSys) {
  const TRecord* row = SchemeRow(TypeWin, FurnSys, ProfSys);
  return row != nullptr && Flag(*row, Catalogue().TypeFurn.UserDefineHeight);
}

std::optional<TFurnSystemPair> GetFurnSysP(const std::string& ProfSys, const std::string& FurnSys) {
  const TFrnSysPTable& t = Catalogue().FrnSysP;
  const TMemTable& data = t.Get();
  if (data.Range(t.ByProfSys, TextKey(ProfSys)).empty()) return TFurnSystemPair{ProfSys, ProfSys};
  const TRecord* row = data.Locate(t.ByProfFurnSys, TextKey(ProfSys).Add(std::string_view(FurnSys)));
  if (row == nullptr) return std::nullopt;
  return TFurnSystemPair{Text(*row, t.SchlSysID), Text(*row, t.StulpSysID)};
}

bool CheckFrnProperty(int32_t PropKey, const std::vector<int>& Values) {
  const TFrnPropTable& t = Catalogue().FrnProp;
  const TMemTable& data = t.Get();
  for (int value : Values) {
    if (data.Locate(t.ByPropKeyID, TKey().Add(int64_t{PropKey}).Add(int64_t{value})) != nullptr) continue;
    const int low = value / 10 * 10;
    const auto same_property = [&](const TRecord& Row) {
      const int id = Int(Row, t.ID);
      return id >= low && id < low + 10;
    };
    if (data.FindFirst(t.ByPropKey, TKey().Add(int64_t{PropKey}), same_property) != nullptr) return false;
  }
  return true;
}

std::vector<std::string> GetDefaultComplectProperty(const std::string& Complect) {
  return PropertyLines(ComplectValues(Complect, true));
}

bool FrnPropertyAllowed(const std::string& Complect, int Value) {
  for (int value : ComplectValues(Complect, false))
    if (value == Value) return true;
  return false;
}

bool FrnPropertyNamed(const std::string& Complect, int Property) {
  for (int value : ComplectValues(Complect, false))
    if (value / 10 == Property) return true;
  return false;
}

std::string GetSchemeComplect(int32_t TypeWin, const std::string& FurnSys, const std::string& ProfSys, bool Kipp) {
  const TRecord* row = SchemeRow(TypeWin, FurnSys, ProfSys);
  const TTypeFurnTable& t = Catalogue().TypeFurn;
  return row != nullptr ? Text(*row, Kipp ? t.DKR : t.DR) : std::string();
}

std::vector<std::string> GetPredefinedFrnProperty(int32_t TypeWin, const std::string& FurnSys,
                                                  const std::string& ProfSys) {
  const TRecord* row = SchemeRow(TypeWin, FurnSys, ProfSys);
  if (row == nullptr) return {};
  const std::string text = Text(*row, Catalogue().TypeFurn.FurnProp);
  std::vector<int> values;
  for (int n = 1; n <= NumToken(text, ";,"); ++n) {
    long long value = 0;
    if (TryStrToInt(Token(text, n, ";,", true), value) && value > 0) values.push_back(static_cast<int>(value));
  }
  return PropertyLines(values);
}

std::string PropertyLine(int Value) { return Format("%d=%d", Value / 10, Value); }

int PropertyValue(const std::string& Line) {
  long long value = 0;
  const size_t equals = Line.find('=');
  if (equals == std::string::npos || !TryStrToInt(Trim(Line.substr(equals + 1)), value)) return 0;
  return static_cast<int>(value);
}

}  // namespace kv
