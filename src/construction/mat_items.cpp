#include "construction/mat_items.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "construction/construction_consts.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"
#include "shell/stream_fields.h"

namespace kv {

namespace {

// The smallest a stored field can be (a string's length), so the smallest a record can be.
constexpr size_t kMinFieldSize = 4;

bool SameAngle(double angle, double standard) { return std::fabs(angle - standard) < 0.01; }

std::string ColorAttr(const std::string& outer, const std::string& inner, const TColorFaces& faces) {
  return (outer.empty() ? faces.Outer : outer) + " - " + (inner.empty() ? faces.Inner : inner);
}

template <typename Archive, typename List>
void CustMatItems(Archive& a, List& list) {
  CountedRecords(a, list, kMinFieldSize, [](auto& archive, auto& item) { Tgx25CustMatItem::Fields(archive, item); });
}

}  // namespace

// ---- material list item ----

template <typename Archive, typename Self>
void Tgx25MatListItem::Fields(Archive& a, Self& s) {
  a.Str(s.Text1);
  a.Str(s.Text2);
  a.Str(s.Text3);
  a.Int(s.Group);
  a.Bool(s.Flag);
  a.Str(s.ID);
  a.Str(s.ColorAttr1);
  a.Str(s.ColorAttr2);
  a.Str(s.Text4);
  a.Int(s.Width);
  a.Int(s.Height);
  a.Int(s.NotStd);
  a.Int(s.Arc);
  a.Real(s.Value1);
  a.Real(s.Value2);
  a.Real(s.Quantity);
  a.Money(s.OrgPrice);
  a.Real(s.ReduceTax);
  a.Money(s.ReduceAmount);
  a.Money(s.Price);
  a.Money(s.Cost);
  // Customs and VAT were added to the record with the material items' format date.
  if (a.Since(kMatItemsFormatDate)) {
    a.Real(s.CustomTax);
    a.Money(s.CustomCost);
    a.Real(s.NDSTax);
    a.Money(s.NDSCost);
  }
}

void Tgx25MatListItem::CalcCosts() {
  ReduceAmount = OrgPrice * (ReduceTax / 100.0L);
  Price = OrgPrice + ReduceAmount;
  Cost = Price * Quantity;
  CustomCost = Cost * (CustomTax / 100.0L);
  NDSCost = (Cost + CustomCost) * (NDSTax / 100.0L);
}

TCurrency Tgx25MatListItem::GetTotal() const {
  TCurrency total = Cost + CustomCost + NDSCost;
  RoundCurrDec(total, 2);
  return total;
}

double Tgx25MatListItem::GetSquare() const {
  return static_cast<double>(GetRoundedFloat(static_cast<long double>(Width) * Height / 1000000.0L, 4));
}

std::string Tgx25MatListItem::GetColorAttr(const TColorFaces& faces) const {
  return ColorAttr(ColorAttr1, ColorAttr2, faces);
}

double Tgx25MatListItem::GetWeightNoDust(double weight, double allowance) const {
  return static_cast<double>(GetRoundedFloat(weight * Quantity / (1 + allowance / 100.0L), 4));
}

double Tgx25MatListItem::GetDustWeight(double weight, double allowance) const {
  return static_cast<double>(weight * (Quantity - Quantity / (1 + allowance / 100.0L)));
}

bool Tgx25MatListItem::EqualExceptGroup(const Tgx25MatListItem& other, const std::string& text1,
                                        const std::string& text3, const std::string& text2) const {
  return Text1 == text1 && Text2 == text2 && Text3 == text3 && ID == other.ID && ColorAttr1 == other.ColorAttr1 &&
         ColorAttr2 == other.ColorAttr2 && Text4.empty() && Text4 == other.Text4 && Width == other.Width &&
         Height == other.Height;
}

bool Tgx25MatListItem::EqualTo(const Tgx25MatListItem& other, const std::string& text1, const std::string& text3,
                               const std::string& text2) const {
  return Group == other.Group && EqualExceptGroup(other, text1, text3, text2);
}

bool Tgx25MatListItem::EqualToNoGroup(const Tgx25MatListItem& other, const std::string& text1, const std::string& text3,
                                      const std::string& text2) const {
  return EqualExceptGroup(other, text1, text3, text2);
}

void Tgx25MatListItem::Save(TSpecStream& stream) const { SaveRecord(*this, stream); }
void Tgx25MatListItem::Load(TSpecStream& stream, const std::string& version) { LoadRecord(*this, stream, version); }

// ---- cut list item ----

template <typename Archive, typename Self>
void Tgx25CutMapItem::Fields(Archive& a, Self& s) {
  a.Int(s.Group);
  a.Str(s.Text2);
  a.Str(s.Text3);
  a.Str(s.Text4);
  a.Str(s.Text5);
  a.Int(s.Value6);
  a.Int(s.Flag);
  a.Str(s.ID);
  a.Str(s.ColorAttr1);
  a.Str(s.ColorAttr2);
  a.Real(s.Length);
  a.Real(s.Value12);
  a.Real(s.Value13);
  a.Real(s.Value14);
  a.Real(s.Value15);
  a.Real(s.Angle1);
  a.Real(s.Angle2);
  a.Str(s.SteelID);
  a.Real(s.SteelLength);
  a.Real(s.SteelAngle1);
  a.Real(s.SteelAngle2);
  // The numbering of the pieces and their descriptions came with the cut list's format date.
  if (a.Since(kCutMapFormatDate)) {
    a.Int(s.DetailNo);
    a.Int(s.PartNo);
    a.Int(s.PositionNo);
    a.Int(s.GroupNo);
    a.Int(s.PieceID);
    a.Str(s.Info);
  }
}

Tgx25CutMapItem Tgx25CutMapItem::Create(int32_t group, const std::string& article, const std::string& color,
                                        double length, double angle1, double angle2, const std::string& steel,
                                        double steel_length, double steel_angle1, double steel_angle2,
                                        const std::string& extra_line) {
  Tgx25CutMapItem item;
  item.Group = group;
  item.ID = article;
  item.Length = length;
  item.Angle1 = angle1;
  item.Angle2 = angle2;
  item.SteelID = steel;
  item.SteelLength = steel_length;
  item.SteelAngle1 = steel_angle1;
  item.SteelAngle2 = steel_angle2;
  std::vector<std::string> lines;
  if (!article.empty()) lines.push_back(Format("PRF=%s;%s;%.1f;%.1f;%.1f", article, color, length, angle1, angle2));
  if (!steel.empty()) lines.push_back(Format("STL=%s;%.1f;%.1f;%.1f", steel, steel_length, steel_angle1, steel_angle2));
  if (!extra_line.empty()) lines.push_back(extra_line);
  for (const auto& line : lines) item.Info += (item.Info.empty() ? "" : "\r\n") + line;
  return item;
}

bool Tgx25CutMapItem::EqualTo(const Tgx25CutMapItem& other, bool by_article, bool strict) const {
  const bool always = ID == other.ID && ColorAttr1 == other.ColorAttr1 && ColorAttr2 == other.ColorAttr2 &&
                      Length == other.Length && Value14 == other.Value14 && Value15 == other.Value15 &&
                      Angle1 == other.Angle1 && Angle2 == other.Angle2 && SteelID == other.SteelID &&
                      SteelLength == other.SteelLength && SteelAngle1 == other.SteelAngle1 &&
                      SteelAngle2 == other.SteelAngle2;
  if (!always) return false;
  if (by_article && strict) return Value6 == other.Value6;
  if (Value12 != other.Value12 || Value13 != other.Value13) return false;
  return by_article || (Text2 == other.Text2 && Text3 == other.Text3 && Text5 == other.Text5);
}

bool Tgx25CutMapItem::StdAngle() const {
  auto standard = [](double angle) { return SameAngle(angle, 45) || SameAngle(angle, 90); };
  return standard(Angle1) && standard(Angle2);
}

std::string Tgx25CutMapItem::GetColorAttr(const TColorFaces& faces) const {
  return ColorAttr(ColorAttr1, ColorAttr2, faces);
}

void Tgx25CutMapItem::Save(TSpecStream& stream) const { SaveRecord(*this, stream); }
void Tgx25CutMapItem::Load(TSpecStream& stream, const std::string& version) { LoadRecord(*this, stream, version); }

// ---- the other records ----

template <typename Archive, typename Self>
void Tgx25CustMatItem::Fields(Archive& a, Self& s) {
  a.Str(s.MatID);
  a.Str(s.DetailNo);
  a.Real(s.Length);
  a.Real(s.Angle1);
  a.Real(s.Angle2);
  a.Real(s.LineValue);
  a.Int(s.Width);
  a.Int(s.Height);
  a.Real(s.Quantity);
  a.Real(s.Value);
  a.Money(s.MoneyValue);
  a.Bool(s.Printable);
  a.Int(s.Kind);
  a.Int(s.MatGroup);
}

template <typename Archive, typename Self>
void Tgx25DopProfItem::Fields(Archive& a, Self& s) {
  a.Int(s.Value1);
  a.Str(s.Article);
  a.Int(s.Value3);
  a.Str(s.Color);
  a.Real(s.Real1);
  a.Real(s.Real2);
  a.Real(s.Real3);
  a.Real(s.Real4);
  a.Real(s.Real5);
  a.Money(s.Money1);
  a.Money(s.Money2);
  a.Int(s.Value12);
  CustMatItems(a, s.Materials);
}

template <typename Archive, typename Self>
void Tgx25CustomMaterial::Fields(Archive& a, Self& s) {
  a.Str(s.ID);
  a.Real(s.Quantity);
  a.Money(s.Price);
}

template <typename Archive, typename Self>
void Tgx25MontageMaterial::Fields(Archive& a, Self& s) {
  Tgx25CustomMaterial::Fields(a, s);
  a.Real(s.Real1);
  a.Real(s.Real2);
  a.Int(s.Int1);
  a.Int(s.Int2);
  a.Int(s.Int3);
  a.Real(s.Real3);
  a.Real(s.Real4);
  a.Bool(s.Flag);
}

template <typename Archive, typename Self>
void Tgx25CustomAccessory::Fields(Archive& a, Self& s) {
  a.Str(s.Text1);
  a.Str(s.Text2);
  a.Str(s.Text3);
  a.Int(s.Int1);
  a.Money(s.Money1);
  a.Str(s.Text4);
  a.Bool(s.Flag);
  CustMatItems(a, s.Materials);
}

template <typename Archive, typename Self>
void Tgx25CustomSill::Fields(Archive& a, Self& s) {
  Tgx25CustomAccessory::Fields(a, s);
  a.Int(s.Int2);
  a.Int(s.Int3);
  a.Int(s.Int4);
  a.Int(s.Int5);
  if (a.Since(kSillFormatDate)) a.Bool(s.Flag2);
}

template <typename Archive, typename Self>
void Tgx25CustomNet::Fields(Archive& a, Self& s) {
  Tgx25CustomAccessory::Fields(a, s);
  a.Int(s.Int2);
  a.Int(s.Int3);
}

template <typename Archive, typename Self>
void Tgx25Accessory::Fields(Archive& a, Self& s) {
  a.Int(s.Int1);
  a.Str(s.Text1);
  a.Str(s.Text2);
  a.Str(s.Text3);
  a.Str(s.Text4);
  a.Str(s.Text5);
  a.Real(s.Real1);
  a.Real(s.Real2);
  a.Real(s.Real3);
  a.Real(s.Real4);
  a.Int(s.Int2);
  a.Int(s.Int3);
  a.Int(s.Int4);
  a.Real(s.Real5);
  a.Money(s.Money1);
  a.Str(s.Text6);
  a.Bool(s.Flag);
}

template <typename Archive, typename Self>
void Tgx25ServiceItem::Fields(Archive& a, Self& s) {
  a.Bool(s.Common);
  a.Bool(s.NoDelete);
  a.Int(s.ID);
  a.Str(s.Name);
  a.Real(s.Value);
  a.Byte(s.NumUnit, static_cast<int32_t>(nuFixedPrice));
  a.Money(s.OrgPrice);
  a.Money(s.Reduce);
  a.Money(s.Price);
  a.Money(s.Cost);
  a.Bool(s.Ignore);
}

template <typename Archive, typename Self>
void Tgx25EstimateItem::Fields(Archive& a, Self& s) {
  a.Int(s.Int1);
  a.Int(s.Int2);
  a.Str(s.Name);
  a.Money(s.Cost);
  a.Str(s.Format);
}

template <typename Archive, typename Self>
void Tgx25CurrencyItem::Fields(Archive& a, Self& s) {
  a.Int(s.ID);
  a.Real(s.Rate);
}

template <typename Archive, typename Self>
void Tgx25PaymentItem::Fields(Archive& a, Self& s) {
  a.Date(s.Date);
  a.Money(s.Money);
  a.Str(s.PayForm);
  a.Str(s.Note);
}

template <typename Archive, typename Self>
void TWinAccessoryList::Fields(Archive& a, Self& s) {
  CountedRecords(a, s.Items, kMinFieldSize, [](auto& archive, auto& item) { archive.Int(item.ID); });
}

template <typename Record>
void SaveRecord(const Record& record, TSpecStream& stream, const std::string& version) {
  TFieldWriter writer(stream, version);
  Record::Fields(writer, record);
}

template <typename Record>
void LoadRecord(Record& record, TSpecStream& stream, const std::string& version) {
  TFieldReader reader(stream, version);
  Record::Fields(reader, record);
}

#define KV_ITEM_RECORD(Record)                                                       \
  template void SaveRecord<Record>(const Record&, TSpecStream&, const std::string&); \
  template void LoadRecord<Record>(Record&, TSpecStream&, const std::string&);
KV_ITEM_RECORD(Tgx25MatListItem)
KV_ITEM_RECORD(Tgx25CutMapItem)
KV_ITEM_RECORD(Tgx25CustMatItem)
KV_ITEM_RECORD(Tgx25DopProfItem)
KV_ITEM_RECORD(Tgx25CustomMaterial)
KV_ITEM_RECORD(Tgx25MontageMaterial)
KV_ITEM_RECORD(Tgx25CustomAccessory)
KV_ITEM_RECORD(Tgx25CustomSill)
KV_ITEM_RECORD(Tgx25CustomNet)
KV_ITEM_RECORD(Tgx25Accessory)
KV_ITEM_RECORD(Tgx25ServiceItem)
KV_ITEM_RECORD(Tgx25EstimateItem)
KV_ITEM_RECORD(Tgx25CurrencyItem)
KV_ITEM_RECORD(Tgx25PaymentItem)
KV_ITEM_RECORD(TWinAccessoryList)
#undef KV_ITEM_RECORD

// ---- list operations ----

int FindMatListItem(const TMatList& list, const Tgx25MatListItem& item) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].EqualTo(item, item.Text1, item.Text3, item.Text2)) return static_cast<int>(i);
  return -1;
}

bool MatListItemExists(const TMatList& list, const Tgx25MatListItem& item) { return FindMatListItem(list, item) >= 0; }

bool MatListItemNoGroupExists(const TMatList& list, const Tgx25MatListItem& item) {
  return std::any_of(list.begin(), list.end(), [&](const Tgx25MatListItem& x) {
    return x.EqualToNoGroup(item, item.Text1, item.Text3, item.Text2);
  });
}

int GetMatListItemCount(const TMatList& list, const std::string& id) {
  return static_cast<int>(std::count_if(list.begin(), list.end(), [&](const auto& x) { return x.ID == id; }));
}

bool CutMapItemExists(const TCutMapList& list, const Tgx25CutMapItem& item, bool by_article, bool strict) {
  return std::any_of(list.begin(), list.end(), [&](const auto& x) { return x.EqualTo(item, by_article, strict); });
}

bool CutMapProfileExists(const TCutMapList& list, const std::string& id) {
  return std::any_of(list.begin(), list.end(), [&](const auto& x) { return x.ID == id; });
}

bool CutMapSteelExists(const TCutMapList& list, const std::string& steel_id) {
  return std::any_of(list.begin(), list.end(), [&](const auto& x) { return x.SteelID == steel_id; });
}

namespace {

template <typename List, typename Key>
void SortBy(List& list, Key key) {
  std::stable_sort(list.begin(), list.end(), [&](const auto& a, const auto& b) { return key(a) < key(b); });
}

}  // namespace

void SortMatListByID(TMatList& list) {
  SortBy(list, [](const Tgx25MatListItem& x) { return std::tie(x.ID, x.ColorAttr1, x.ColorAttr2); });
}

void SortMatListByGroup(TMatList& list) {
  SortBy(list, [](const Tgx25MatListItem& x) { return std::tie(x.Group, x.ID, x.ColorAttr1, x.ColorAttr2); });
}

void SortMatListByCatalogGroup(TMatList& list, const TMaterialGroupOf& catalog_group) {
  SortBy(list, [&](const Tgx25MatListItem& x) { return std::make_tuple(catalog_group(x.ID), x.ID); });
}

void SortMatListByPrintGroup(TMatList& list, const TMaterialGroupOf& print_group) {
  SortBy(list, [&](const Tgx25MatListItem& x) { return std::make_tuple(print_group(x.ID), x.Group, x.ID); });
}

void SortCutMapListByGroupArticle(TCutMapList& list) {
  SortBy(list, [](const Tgx25CutMapItem& x) { return std::make_tuple(x.Group, x.ID, -x.Length); });
}

// Longest pieces first within an article, as they are cut from the bar.
void SortCutMapListByArticle(TCutMapList& list) {
  SortBy(list, [](const Tgx25CutMapItem& x) { return std::make_tuple(x.ID, x.ColorAttr1, x.ColorAttr2, -x.Length); });
}

void SortCutMapListBySteelSize(TCutMapList& list) {
  SortBy(list, [](const Tgx25CutMapItem& x) { return std::make_tuple(x.SteelID, -x.SteelLength); });
}

void SortCutMapListByDetailNo(TCutMapList& list) {
  SortBy(list, [](const Tgx25CutMapItem& x) { return std::make_tuple(x.PositionNo, x.DetailNo); });
}

}  // namespace kv
