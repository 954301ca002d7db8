#include "construction/mat_items.h"

#include <gtest/gtest.h>

#include "shell/errors.h"

namespace kv {
namespace {

Tgx25MatListItem Glass(int width, int height) {
  Tgx25MatListItem item;
  item.Text1 = "1";
  item.Text2 = "G.1";
  item.Text3 = "Окно";
  item.Group = 2;
  item.ID = "GL-4-16-4";
  item.Width = width;
  item.Height = height;
  item.Quantity = 0.96;
  item.OrgPrice = TCurrency::FromExtended(1500);
  item.ReduceTax = -10;
  item.CustomTax = 5;
  item.NDSTax = 20;
  return item;
}

TEST(MatListItem, CostsSquareAndWeights) {
  Tgx25MatListItem item = Glass(1200, 800);
  EXPECT_DOUBLE_EQ(item.GetSquare(), 0.96);
  item.CalcCosts();
  EXPECT_EQ(item.ReduceAmount, TCurrency::FromExtended(-150));
  EXPECT_EQ(item.Price, TCurrency::FromExtended(1350));
  EXPECT_EQ(item.Cost, TCurrency::FromExtended(1296));
  EXPECT_EQ(item.CustomCost, TCurrency::FromExtended(64.8));
  EXPECT_EQ(item.NDSCost, TCurrency::FromExtended(272.16));
  EXPECT_EQ(item.GetTotal(), TCurrency::FromExtended(1632.96));

  item.Quantity = 11;
  EXPECT_DOUBLE_EQ(item.GetWeightNoDust(2.0, 10), 20.0);
  EXPECT_NEAR(item.GetDustWeight(2.0, 10), 2.0, 1e-12);
  EXPECT_EQ(item.GetColorAttr({"Белый", "Белый"}), "Белый - Белый");
  item.ColorAttr1 = "Золотой дуб";
  EXPECT_EQ(item.GetColorAttr({"Белый", "Белый"}), "Золотой дуб - Белый");
}

TEST(MatListItem, SamenessDecidesMerging) {
  const Tgx25MatListItem a = Glass(1200, 800);
  Tgx25MatListItem b = a;
  EXPECT_TRUE(a.EqualTo(b, "1", "Окно", "G.1"));
  EXPECT_FALSE(a.EqualTo(b, "1", "Окно", "G.2"));
  b.ColorAttr2 = "Белый";
  EXPECT_FALSE(a.EqualTo(b, "1", "Окно", "G.1"));
  b = a;
  b.Group = 3;
  EXPECT_FALSE(a.EqualTo(b, "1", "Окно", "G.1"));
  EXPECT_TRUE(a.EqualToNoGroup(b, "1", "Окно", "G.1"));
  Tgx25MatListItem kept = a;
  kept.Text4 = "не объединять";
  EXPECT_FALSE(kept.EqualTo(kept, "1", "Окно", "G.1"));

  TMatList list = {Glass(500, 500), a};
  EXPECT_EQ(FindMatListItem(list, a), 1);
  EXPECT_FALSE(MatListItemExists(list, kept));
  EXPECT_TRUE(MatListItemNoGroupExists(list, b));
  EXPECT_EQ(GetMatListItemCount(list, "GL-4-16-4"), 2);
}

TEST(CutMapItem, DescriptionStandardAnglesAndSameness) {
  const auto frame =
      Tgx25CutMapItem::Create(Tgx25CutMapItem::cgFrame, "KV-101", "Белый", 1300, 45, 45, "ST-30", 1240, 90, 90);
  EXPECT_EQ(frame.Info, "PRF=KV-101;Белый;1300,0;45,0;45,0\r\nSTL=ST-30;1240,0;90,0;90,0");
  const auto bead =
      Tgx25CutMapItem::Create(Tgx25CutMapItem::cgBead, "KV-401", "Белый", 612.5, 45, 67.5, "", 0, 0, 0, "Штапик");
  EXPECT_EQ(bead.Info, "PRF=KV-401;Белый;612,5;45,0;67,5\r\nШтапик");
  EXPECT_TRUE(frame.StdAngle());
  EXPECT_FALSE(bead.StdAngle());

  Tgx25CutMapItem other = frame;
  other.Text2 = "FR";
  EXPECT_FALSE(frame.EqualTo(other, false, false));  // texts count when not by article
  EXPECT_TRUE(frame.EqualTo(other, true, false));
  other.Value12 = 1;
  EXPECT_FALSE(frame.EqualTo(other, true, false));
  EXPECT_TRUE(frame.EqualTo(other, true, true));  // strict by article ignores 12 and 13 ...
  other.Value6 = 7;
  EXPECT_FALSE(frame.EqualTo(other, true, true));  // ... but wants the same integer 6
  other = frame;
  other.SteelLength = 1239.9;
  EXPECT_FALSE(frame.EqualTo(other, true, false));

  TCutMapList list = {bead, frame};
  EXPECT_TRUE(CutMapProfileExists(list, "KV-401"));
  EXPECT_TRUE(CutMapSteelExists(list, "ST-30"));
  EXPECT_FALSE(CutMapSteelExists(list, "ST-40"));
  SortCutMapListByGroupArticle(list);
  EXPECT_EQ(list.front().ID, "KV-101");
}

TEST(ItemRecords, StreamOrderRoundTripAndOlderFormats) {
  Tgx25MatListItem item = Glass(1200, 800);
  item.CalcCosts();
  TSpecStream stream;
  item.Save(stream);
  // Seven strings ("1", "G.1", "Окно", the code and three empty ones: 45 bytes) and 18 records.
  EXPECT_EQ(stream.Size(), 45u + 18 * 16);
  stream.SetPosition(0);
  Tgx25MatListItem back;
  back.Load(stream, kItemsCurrentVersion);
  EXPECT_TRUE(back.EqualTo(item, item.Text1, item.Text3, item.Text2));
  EXPECT_EQ(back.NDSCost, item.NDSCost);
  EXPECT_EQ(stream.Remaining(), 0u);

  // A record of before the material items' format date has no customs and VAT fields.
  TSpecStream old_stream;
  Tgx25MatListItem old_item = item;
  old_item.CustomTax = old_item.NDSTax = 0;
  old_item.CustomCost = old_item.NDSCost = TCurrency();
  old_item.Save(old_stream);
  TSpecStream truncated(std::vector<uint8_t>(old_stream.Bytes().begin(), old_stream.Bytes().end() - 4 * 16));
  Tgx25MatListItem old_back;
  old_back.Load(truncated, "01.01.2008");
  EXPECT_EQ(old_back.Cost, item.Cost);
  EXPECT_EQ(truncated.Remaining(), 0u);
}

TEST(ItemRecords, BadCountsAndTruncationAreRefused) {
  Tgx25CustomAccessory accessory;
  accessory.Materials.resize(3);
  TSpecStream stream;
  SaveRecord(accessory, stream);
  for (size_t cut = 0; cut < stream.Size(); cut += 7) {
    TSpecStream truncated(std::vector<uint8_t>(stream.Bytes().begin(), stream.Bytes().begin() + cut));
    Tgx25CustomAccessory back;
    EXPECT_THROW(LoadRecord(back, truncated, kItemsCurrentVersion), EInOutError) << "cut at " << cut;
  }

  TWinAccessoryList list;
  TSpecStream huge;
  huge.WriteTo(int32_t{1'000'000'000});
  huge.SetPosition(0);
  EXPECT_THROW(LoadRecord(list, huge, kItemsCurrentVersion), EInOutError);
}

}  // namespace
}  // namespace kv
