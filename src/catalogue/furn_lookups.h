#pragma once
// Reads of the fittings documentation (FrnComp, FrnSide, FrnSet, FrnItem, FrnArt, FrnItoI, FrnDop,
// FrnAbd, FrnSchl, FrnProp) and of the fittings scheme of a window type (TypeFurn). Rows come back
// as plain records in table order; sizes are catalogue millimetres, angles degrees.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kv {

// A complect (FrnComp). Direct: 0 none, 1 left, 2 right, 3 universal, 4 tilt. A complect belongs
// to the fittings system named by MultiSysID; CommonGrp pairs the complects of several systems.
struct TFurnComplect {
  std::string ID;
  std::string Name;
  int Group = 0;
  int MaxWeight = 0;
  bool TFlugelAvailable = false;
  bool Use = false;
  std::string SymmetricID;
  std::string MultiSysID;
  bool Kipp = false;
  int Direct = 0;
  int32_t CommonGrp = 0;
  std::string Alert;
  int32_t PropKey = 0;
};

// The limits and marks of one sash side for a complect (FrnSide); Side counts from 1.
struct TFurnSideRow {
  int Side = 0;
  int MinSize = 0, MaxSize = 0;
  int MinRadius = 0, MaxRadius = 0;
  int OpenMode = 0, RotSide = 0;
  int Handled = 0;
  bool Banded = false, Drived = false;
  bool FullRadius = false, HalfRadius = false, EllipseRadius = false;
  double MinAngle = 0, MaxAngle = 0;
  int HandleDirect = 0;
};

// A range of a set row or an article; Min and Max as stored.
struct TFurnRange {
  double Min = 0, Max = 0;
  bool Holds(double Value) const { return Min <= Value && Max >= Value; }
};

// One item row of a complect (FrnSet).
struct TFurnSetRow {
  std::string Complect;
  std::string Item;
  int32_t PropKey = 0;
  int Number = 0;
  int Side1No = 0, Side2No = 0, AngleNo = 0;
  TFurnRange Width, Height;
  int L1No = 0, L2No = 0, L21No = 0, L22No = 0;
  TFurnRange L1, L2, L21, L22;
  int AngleCondNo = 0;
  TFurnRange Angle;
  int R1No = 0, R2No = 0;
  TFurnRange R1, R2;
  int R1Type = 0, R2Type = 0;
  int Condition = 0;
  int ScaleCondition = 0, ScaleStep = 0, ScaleStart = 0, ScaleNum = 0;
  std::string ScaleScheme;
  int ColorCondition = 0;
  bool DefineHandleHeight = false;
  int HandleSideNo = 0;
  int StulpType = 0;
  bool Required = false;
  bool UseLen = false;
  std::string LenFormula;
  int MinLen = 0;
  std::string AlertIfNoArt, AlertIfIgnore;
  std::string UseIfArt;
};

// An item kind (FrnItem) and the article columns it is selected by.
struct TFurnItemKind {
  std::string ID;
  std::string Name;
  bool HasDornMass = false, HasProfSys = false, CheckWeight = false, HasColor = false;
  bool HasFalzLuft = false, HasFalzSize = false, HasFalzPos = false;
  bool CheckThickness = false, CheckProfWidth = false, CheckStulpType = false, CheckDirect = false;
  bool Virtual = false;
};

// An article of an item (FrnArt). HandleHeight is the handle height the article gives (mm), Handle
// the heights it allows the user to set (no limit while the maximum is 0).
struct TFurnArticle {
  std::string CatalogID;
  int FalzLuft = 0, FalzSize = 0, FalzPos = 0;
  TFurnRange DornMass;
  TFurnRange Handle;
  int HandleHeight = 0;
  TFurnRange Weight, Thickness, ProfWidth;
  std::string ProfSys;
  TFurnRange Width, Height;
  std::string Color;
  int StulpType = 0;
  TFurnRange Angle;
  int Direct = 0;
  TFurnRange L1, L2, R1, R2;
};

// A part of a composite item (FrnItoI).
struct TFurnSubItem {
  std::string Item;
  int32_t PropKey = 0;
  int Number = 0;
  int StulpType = 0;
  int ColorCondition = 0;
  bool Required = false;
  std::string AlertIfNoArt, AlertIfIgnore;
};

// An extra accessory of an article (FrnDop, FrnAbd) or a strike plate item (FrnSchl, Code = Item).
struct TFurnExtra {
  std::string Code;
  int Number = 0;
  int StulpType = 0;
  int32_t PropKey = 0;
};

// The component choices of a fittings scheme: handle, hinge, lock, cylinder, drive, latch and the
// three extra kits. A fittings set keeps the first eight; the third extra kit is always the scheme's.
inline constexpr size_t FURN_SCHEME_COMPONENT_COUNT = 9;
using TFurnComponents = std::array<std::string, FURN_SCHEME_COMPONENT_COUNT>;

// What FrnSysP documents for a profile system and a fittings system that go together: the systems
// the articles of the strike plates on the frame and on a meeting stile are documented under.
struct TFurnSystemPair {
  std::string SchlSys;
  std::string StulpSys;
};

// nullopt when the complect is not in the documentation.
std::optional<TFurnComplect> FindFurnComplect(const std::string& ID);
// "Комплект фурнитуры [%s] не найден в документации!" when missing.
TFurnComplect GetFurnComplect(const std::string& ID);
// The complects of a fittings system that are in use, in table order.
std::vector<TFurnComplect> GetSystemComplects(const std::string& System);
std::vector<TFurnSideRow> GetFurnSides(const std::string& Complect);
std::vector<TFurnSetRow> GetFurnSetRows(const std::string& Complect);
std::optional<TFurnItemKind> FindFurnItem(const std::string& ID);
std::vector<TFurnArticle> GetFurnArticles(const std::string& Item);
std::vector<TFurnSubItem> GetFurnSubItems(const std::string& Item);
// FrnDop rows of an article, FrnAbd rows of an article in a colour, FrnSchl rows of an article.
std::vector<TFurnExtra> GetFurnDopAccessories(const std::string& CatalogID);
std::vector<TFurnExtra> GetFurnColorAccessories(const std::string& CatalogID, const std::string& Color);
std::vector<TFurnExtra> GetFurnStrikePlates(const std::string& CatalogID);

// HandleDirect of the complect's side, 0 when the side has no row.
int GetHandleDirect(const std::string& Complect, int Side);
// The mirror complect (SymmetricID), "" when none.
std::string GetMirrorComplect(const std::string& Complect);
// The complect of another system that corresponds to this one (same CommonGrp), "" when none.
std::string GetFurnMultiSystemID(const std::string& Complect, const std::string& System);
// The component articles of the window type's fittings scheme in a fittings system (TypeFurn by
// ID;System: the row of the fittings system, else the row of the profile system); empty choices
// when there is none. A set moved into another system takes these.
TFurnComponents GetFurnMultiSystemArticles(int32_t TypeWin, const std::string& FurnSys, const std::string& ProfSys);
// Whether the scheme lets the user set the handle height of the sashes (UserDefineHeight).
bool GetUserDefineHeight(int32_t TypeWin, const std::string& FurnSys, const std::string& ProfSys);
// The FrnSysP row of the two systems; nullopt when they do not go together. While FrnSysP holds no
// row for the profile system every fittings system goes with it, its strike plates documented under
// the profile system.
std::optional<TFurnSystemPair> GetFurnSysP(const std::string& ProfSys, const std::string& FurnSys);

// The property test of a row: every property value of the owner passes when FrnProp allows it
// under PropKey, or when FrnProp names no value of that property under PropKey.
bool CheckFrnProperty(int32_t PropKey, const std::vector<int>& Values);
// The complect's default property values as lines "%d=%d" (property, value).
std::vector<std::string> GetDefaultComplectProperty(const std::string& Complect);
// Whether the complect allows the value, and whether it names the property at all.
bool FrnPropertyAllowed(const std::string& Complect, int Value);
bool FrnPropertyNamed(const std::string& Complect, int Property);

// The scheme's complect of a tilt-and-turn (Kipp) or turn-only sash, right hinged; "" when none.
std::string GetSchemeComplect(int32_t TypeWin, const std::string& FurnSys, const std::string& ProfSys, bool Kipp);
// The predefined property values of the scheme (FurnProp, values separated by ";" or ","), as
// lines "%d=%d".
std::vector<std::string> GetPredefinedFrnProperty(int32_t TypeWin, const std::string& FurnSys,
                                                  const std::string& ProfSys);

// A property value as the line "%d=%d" and back; values from lines that are no property are 0.
std::string PropertyLine(int Value);
int PropertyValue(const std::string& Line);

}  // namespace kv
