#include "calc/addon_pricing.h"

#include "calc/gathering.h"

namespace kv {

namespace {

// Material groups of the add-ons and of their components.
constexpr int kDopProfGroup = 1;
constexpr int kSillGroup = 5, kSinkGroup = 6, kMosquitoGroup = 7, kRolletGroup = 8, kJalousieGroup = 9;
constexpr int kSillMatGroup = 12, kSinkMatGroup = 13, kMosqMatGroup = 14, kRollMatGroup = 15, kJalMatGroup = 16;

Tgx25MatListItem MaterialItem(const std::string& ID, int Group, double Quantity, int Width = 0, int Height = 0) {
  Tgx25MatListItem item;
  item.ID = ID;
  item.Group = Group;
  item.Quantity = Quantity;
  item.Width = Width;
  item.Height = Height;
  return item;
}

// The components of one piece: pieces to cut by their metres, sized ones by size, others counted.
void AddComponents(TMatList& Piece, const std::vector<Tgx25CustMatItem>& Components, int DefaultGroup) {
  for (const Tgx25CustMatItem& c : Components) {
    const int group = c.MatGroup != 0 ? c.MatGroup : DefaultGroup;
    if (c.Kind == Tgx25CustMatItem::ckPiece)
      AddMatListItem(Piece, MaterialItem(c.MatID, group, c.Quantity * c.Length / 1000));
    else if (c.Kind == Tgx25CustMatItem::ckSized)
      AddMatListItem(Piece, MaterialItem(c.MatID, group, c.Quantity, c.Width, c.Height));
    else
      AddMatListItem(Piece, MaterialItem(c.MatID, group, c.Quantity));
  }
}

// Prices the materials of one piece and adds those of Pieces pieces to Into; the piece price is
// the sum of the materials' totals.
TCurrency PricePiece(TMatList Piece, double Pieces, const TPricingContext& Context, TMatList& Into) {
  CalculateMatList(Piece, Context);
  TCurrency price;
  for (Tgx25MatListItem& item : Piece) {
    price += item.GetTotal();
    item.Quantity *= Pieces;
    AddMatListItem(Into, item);
  }
  return price;
}

// Sills and drips: a piece Int2 long and Int3 wide; nets, shutters and blinds: Int2 wide and Int3
// high; each with its components.
template <class List>
void PriceSized(List& Items, int Group, int ComponentGroup, const TPricingContext& Context, TMatList& Into) {
  for (auto& item : Items) {
    TMatList piece = {MaterialItem(MaterialCode(item.Text1, item.Text2), Group, 1, item.Int2, item.Int3)};
    AddComponents(piece, item.Materials, ComponentGroup);
    item.Money1 = PricePiece(std::move(piece), item.Pieces(), Context, Into);
  }
}

// An extra profile: Value3 pieces of Real1 millimetres; Money1 the price of a piece, Money2 the
// item's cost.
void PriceDopProfs(TDopProfList& Items, const TPricingContext& Context, TMatList& Into) {
  for (Tgx25DopProfItem& item : Items) {
    TMatList piece = {MaterialItem(MaterialCode(item.Article, item.Color), kDopProfGroup, item.Real1 / 1000)};
    AddComponents(piece, item.Materials, kDopProfGroup);
    item.Money1 = PricePiece(std::move(piece), item.Value3, Context, Into);
    item.Money2 = item.Money1 * item.Value3;
  }
}

// A loose material: Quantity of its unit; Price the price of one unit.
void PriceMaterials(TMontageMatList& Items, int Group, const TPricingContext& Context, TMatList& Into) {
  for (Tgx25MontageMaterial& item : Items)
    item.Price = PricePiece({MaterialItem(item.ID, Group, 1)}, item.Quantity, Context, Into);
}

}  // namespace

void PriceAddOns(const TAddOnLists& Lists, const TPricingContext& Context, TMatList& Into, const TAddOnStep& Step) {
  const auto step = [&Step](const char* Text) {
    if (Step) Step(Text);
  };
  step("Расчет подоконников...");
  PriceSized(Lists.Sills, kSillGroup, kSillMatGroup, Context, Into);
  step("Расчет отливов...");
  PriceSized(Lists.Sinks, kSinkGroup, kSinkMatGroup, Context, Into);
  step("Расчет москитных сеток...");
  PriceSized(Lists.Mosquitos, kMosquitoGroup, kMosqMatGroup, Context, Into);
  step("Расчет роллет...");
  PriceSized(Lists.Rollets, kRolletGroup, kRollMatGroup, Context, Into);
  step("Расчет жалюзей...");
  PriceSized(Lists.Jalousies, kJalousieGroup, kJalMatGroup, Context, Into);
  step("Расчет прочих материалов...");
  PriceMaterials(Lists.Materials, Lists.MaterialGroup, Context, Into);
  step("Расчет дополнительных профилей...");
  PriceDopProfs(Lists.DopProfs, Context, Into);
}

}  // namespace kv
