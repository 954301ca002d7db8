#pragma once
// The items of a calculated construction: the material list (every purchasable material with its
// quantity, price and cost), the cut list (every profile piece with its length, end angles and the
// reinforcement inside it), and the records of add-on materials, accessories, services, estimate
// lines, currencies and payments that documents keep in the same streams.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/date_time.h"
#include "shell/money.h"
#include "shell/value_stream.h"
#include "shell/versions.h"

namespace kv {

// Format dates from which the current item records are read whole.
inline constexpr TFormatDate kMatItemsFormatDate = "17.02.2008";
inline constexpr TFormatDate kCutMapFormatDate = "01.09.2008";
inline constexpr TFormatDate kSillFormatDate = "17.11.2008";
// The format date of records written by this program: that of the documents that carry them.
inline constexpr const char* kItemsCurrentVersion = "23.04.2012";

// Names the two faces of a material's catalogue colour: the colour attributes fall back to them.
struct TColorFaces {
  std::string Outer;
  std::string Inner;
};

class Tgx25MatListItem {
public:
  std::string Text1, Text2, Text3;
  int32_t Group = 0;
  bool Flag = false;
  std::string ID;
  std::string ColorAttr1;  // outer colour; empty: the outer face of the catalogue colour
  std::string ColorAttr2;  // inner colour; empty: the inner face of the catalogue colour
  std::string Text4;       // non-empty: never merged with another item
  int32_t Width = 0;       // millimetres
  int32_t Height = 0;
  int32_t NotStd = 0;
  int32_t Arc = 0;
  double Value1 = 0, Value2 = 0;
  double Quantity = 0;
  TCurrency OrgPrice;
  double ReduceTax = 0;
  TCurrency ReduceAmount;
  TCurrency Price;
  TCurrency Cost;
  double CustomTax = 0;
  TCurrency CustomCost;
  double NDSTax = 0;
  TCurrency NDSCost;

  // Price, cost, customs and VAT from OrgPrice, ReduceTax, Quantity and the two tax rates.
  void CalcCosts();
  // Cost + CustomCost + NDSCost, rounded to kopecks.
  TCurrency GetTotal() const;
  // Width x Height in square metres, four decimals.
  double GetSquare() const;
  std::string GetColorAttr(const TColorFaces& faces) const;
  // Catalogue weight of the quantity without and with the waste allowance (percent).
  double GetWeightNoDust(double weight, double allowance) const;
  double GetDustWeight(double weight, double allowance) const;

  bool EqualTo(const Tgx25MatListItem& other, const std::string& text1, const std::string& text3,
               const std::string& text2) const;
  bool EqualToNoGroup(const Tgx25MatListItem& other, const std::string& text1, const std::string& text3,
                      const std::string& text2) const;

  void Save(TSpecStream& stream) const;
  void Load(TSpecStream& stream, const std::string& version);

  template <typename Archive, typename Self>
  static void Fields(Archive& a, Self& s);

private:
  bool EqualExceptGroup(const Tgx25MatListItem& other, const std::string& text1, const std::string& text3,
                        const std::string& text2) const;
};

class Tgx25CutMapItem {
public:
  enum TCutGroup {
    cgFrame,
    cgFlugel,
    cgImpost,
    cgBead,
    cgDopProf,
    cgOther,
    cgGlassFrame,
    cgSpross,
    cgFalsh,
    cgModificator,
    cgNone
  };

  int32_t Group = cgNone;
  std::string Text2, Text3, Text4, Text5;  // part code ("FR"), position and part names
  int32_t Value6 = 0;
  int32_t Flag = 0;
  std::string ID;
  std::string ColorAttr1, ColorAttr2;
  double Length = 0;  // millimetres
  double Value12 = 0, Value13 = 0, Value14 = 0, Value15 = 0;
  double Angle1 = 0, Angle2 = 0;  // cut angles, degrees
  std::string SteelID;            // empty: no reinforcement
  double SteelLength = 0;
  double SteelAngle1 = 0, SteelAngle2 = 0;
  int32_t DetailNo = 0, PartNo = 0, PositionNo = 0, GroupNo = 0;
  int32_t PieceID = 0;  // random identifier given when the piece is made
  std::string Info;     // description lines separated by "\r\n"

  // A piece of profile (article and colour) with its reinforcement, the description written.
  static Tgx25CutMapItem Create(int32_t group, const std::string& article, const std::string& color, double length,
                                double angle1, double angle2, const std::string& steel, double steel_length,
                                double steel_angle1, double steel_angle2, const std::string& extra_line = "");

  bool EqualTo(const Tgx25CutMapItem& other, bool by_article, bool strict) const;
  // Both cut angles are 45 or 90 degrees.
  bool StdAngle() const;
  std::string GetColorAttr(const TColorFaces& faces) const;

  void Save(TSpecStream& stream) const;
  void Load(TSpecStream& stream, const std::string& version);

  template <typename Archive, typename Self>
  static void Fields(Archive& a, Self& s);
};

struct Tgx25CustMatItem {
  enum TKind { ckCounted, ckSized, ckPiece };
  std::string MatID, DetailNo;
  double Length = 0, Angle1 = 0, Angle2 = 0, LineValue = 0;
  int32_t Width = 0, Height = 0;
  double Quantity = 0, Value = 0;
  TCurrency MoneyValue;
  bool Printable = true;
  int32_t Kind = ckCounted;
  int32_t MatGroup = 0;
  template <typename Archive, typename Self>
  static void Fields(Archive& a, Self& s);
};

struct Tgx25DopProfItem {
  int32_t Value1 = 0;
  std::string Article;
  int32_t Value3 = 0;
  std::string Color;
  double Real1 = 0, Real2 = 0, Real3 = 0, Real4 = 0, Real5 = 0;
  TCurrency Money1, Money2;
  int32_t Value12 = 0;
  std::vector<Tgx25CustMatItem> Materials;
  template <typename Archive, typename Self>
  static void Fields(Archive& a, Self& s);
};

struct Tgx25CustomMaterial {
  std::string ID;
  double Quantity = 0;
  TCurrency Price;
  template <typename Archive, typename Self>
  static void Fields(Archive& a, Self& s);
};

struct Tgx25MontageMaterial : Tgx25CustomMaterial {
  double Real1 = 0, Real2 = 0;
  int32_t Int1 = 0, Int2 = 0, Int3 = 0;
  double Real3 = 0, Real4 = 0;
  bool Flag = false;
  template <typename Archive, typename Self>
  static void Fields(Archive& a, Self& s);
};

// Text1 the article, Text2 its colour, Text3 the name, Int1 the number of pieces, Money1 the price
// of a piece, Text4 a note; Flag marks the item selected; Materials its components.
struct Tgx25CustomAccessory {
  int32_t Pieces() const { return Int1; }
  bool Selected() const { return Flag; }

  std::string Text1, Text2, Text3;
  int32_t Int1 = 0;
  TCurrency Money1;
  std::string Text4;
  bool Flag = false;
  std::vector<Tgx25CustMatItem> Materials;
  template <typename Archive, typename Self>
  static void Fields(Archive& a, Self& s);
};

// A sill or a drip: Int2 its length, Int3 its width (millimetres); Int4, Int5 carried.
struct Tgx25CustomSill : Tgx25CustomAccessory {
  // Metres, square metres and metres over all pieces.
  long double TotalLength() const { return static_cast<long double>(Int2) * Pieces() / 1000; }
  long double TotalSquare() const { return static_cast<long double>(Int2) * Int3 * Pieces() / 1000000; }
  long double TotalPerimeter() const { return 2.0L * (Int2 + static_cast<long double>(Int3)) * Pieces() / 1000; }

  int32_t Int2 = 0, Int3 = 0, Int4 = 0, Int5 = 0;
  bool Flag2 = false;  // written since the sill format date
  template <typename Archive, typename Self>
  static void Fields(Archive& a, Self& s);
};

// An insect net, a roller shutter or blinds: Int2 its width, Int3 its height (millimetres).
struct Tgx25CustomNet : Tgx25CustomAccessory {
  long double TotalSquare() const { return static_cast<long double>(Int2) * Int3 * Pieces() / 1000000; }
  long double TotalPerimeter() const { return 2.0L * (Int2 + static_cast<long double>(Int3)) * Pieces() / 1000; }

  int32_t Int2 = 0, Int3 = 0;
  template <typename Archive, typename Self>
  static void Fields(Archive& a, Self& s);
};

struct Tgx25Accessory {
  int32_t Int1 = 0;
  std::string Text1, Text2, Text3, Text4, Text5;
  double Real1 = 0, Real2 = 0, Real3 = 0, Real4 = 0;
  int32_t Int2 = 0, Int3 = 0, Int4 = 0;
  double Real5 = 0;
  TCurrency Money1;
  std::string Text6;
  bool Flag = false;
  template <typename Archive, typename Self>
  static void Fields(Archive& a, Self& s);
};

struct Tgx25ServiceItem {
  bool Common = false;
  bool NoDelete = false;
  int32_t ID = 0;
  std::string Name;
  double Value = 0;
  int32_t NumUnit = 0;
  TCurrency OrgPrice, Reduce, Price, Cost;
  bool Ignore = false;
  template <typename Archive, typename Self>
  static void Fields(Archive& a, Self& s);
};

struct Tgx25EstimateItem {
  int32_t Int1 = 0, Int2 = 0;
  std::string Name;
  TCurrency Cost;
  std::string Format;
  template <typename Archive, typename Self>
  static void Fields(Archive& a, Self& s);
};

struct Tgx25CurrencyItem {
  int32_t ID = 0;  // catalogue currency
  double Rate = 0;
  template <typename Archive, typename Self>
  static void Fields(Archive& a, Self& s);
};

struct Tgx25PaymentItem {
  TDateTime Date = 0;
  TCurrency Money;
  std::string PayForm;
  std::string Note;
  template <typename Archive, typename Self>
  static void Fields(Archive& a, Self& s);
};

struct TWinAccessoryItem {
  int32_t ID = 0;
};

struct TWinAccessoryList {
  std::vector<TWinAccessoryItem> Items;
  template <typename Archive, typename Self>
  static void Fields(Archive& a, Self& s);
};

// Writes or reads any of the records above in its stream order (version: the stream's format
// date, empty for the current one when writing; older streams lack the fields their dates added).
template <typename Record>
void SaveRecord(const Record& record, TSpecStream& stream, const std::string& version = "");
template <typename Record>
void LoadRecord(Record& record, TSpecStream& stream, const std::string& version);

using TMatList = std::vector<Tgx25MatListItem>;
using TCutMapList = std::vector<Tgx25CutMapItem>;

// Index of the first item that is the same as item (by its own identifying texts), -1 if none.
int FindMatListItem(const TMatList& list, const Tgx25MatListItem& item);
bool MatListItemExists(const TMatList& list, const Tgx25MatListItem& item);
bool MatListItemNoGroupExists(const TMatList& list, const Tgx25MatListItem& item);
// How many items carry the catalogue code.
int GetMatListItemCount(const TMatList& list, const std::string& id);
bool CutMapItemExists(const TCutMapList& list, const Tgx25CutMapItem& item, bool by_article, bool strict);
bool CutMapProfileExists(const TCutMapList& list, const std::string& id);
bool CutMapSteelExists(const TCutMapList& list, const std::string& steel_id);

// Group key of a material in the catalogue (its catalogue group or its print group).
using TMaterialGroupOf = std::function<int(const std::string& id)>;

void SortMatListByID(TMatList& list);
void SortMatListByGroup(TMatList& list);
void SortMatListByCatalogGroup(TMatList& list, const TMaterialGroupOf& catalog_group);
void SortMatListByPrintGroup(TMatList& list, const TMaterialGroupOf& print_group);
void SortCutMapListByGroupArticle(TCutMapList& list);
void SortCutMapListByArticle(TCutMapList& list);
void SortCutMapListBySteelSize(TCutMapList& list);
void SortCutMapListByDetailNo(TCutMapList& list);

}  // namespace kv
