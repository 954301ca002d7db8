#include <gtest/gtest.h>

#include "calc/construction_calc.h"
#include "calc/furn_availability.h"
#include "calc/furn_conditions.h"
#include "calc/furn_selection.h"
#include "construction/demo_catalogue.h"
#include "construction/demo_windows.h"
#include "construction/walks.h"
#include "shell/error_of.h"

namespace kv {
namespace {

TEST(FurnConditions, ScaleSchemeAndConditionCountTheThresholdsAndStepsReached) {
  // 400;800;1200: 800 reaches 400 and 800, 1199 the same two, 1200 all three; -1 is no threshold.
  for (const auto& [scheme, size, count] : {std::tuple{"400;800;1200", 800.0, 2}, std::tuple{"400;800;1200", 1199.0, 2},
                                            std::tuple{"400;800;1200", 1200.0, 3}, std::tuple{"-1; 500", 600.0, 1}})
    EXPECT_EQ(GetNumberByScaleScheme(scheme, size), count) << scheme << " " << size;
  TFurnSash sash;
  sash.Width = 1450;
  TFurnSetRow row;
  row.Complect = "PO-R";
  row.Item = "SZ";
  row.ScaleCondition = fscWidth;
  row.ScaleStart = 800;
  row.ScaleStep = 600;
  row.ScaleNum = 1;
  // (1450 - 800) div 600 + 1 = 2 steps reached, one lock each.
  EXPECT_EQ(FurnRowNumber(row, sash), 2);
  row.ScaleStep = 0;
  try {
    FurnRowNumber(row, sash);
    FAIL() << "a zero step must be refused";
  } catch (const EFurnDocError& e) {
    EXPECT_STREQ(e.what(),
                 "В БД наборов фурнитуры в комплекте [PO-R]\r\nсодержится элемент фурнитуры [SZ],\r\nимеющий "
                 "масштабирование и шаг равный нулю!");
  }
  TFurnComp set;
  set.AddItem("OP-01", 3, "a", false, 0);
  set.AddItem("OP-01", 1, "b", false, 0);
  set.AddItem("OP-01", 1, "c", false, 250);
  set.AddItem("OP-01", 2, "d", true, 0);
  ASSERT_EQ(set.Items.size(), 3u);
  EXPECT_EQ(set.Items[0].Number, 4);
  EXPECT_EQ(set.ItemFind("OP-01", 250), 1);
  EXPECT_EQ(set.ItemFindNoLength("OP-01"), 0);
}

// Windows of the demo catalogue with sashes in field 1 and their fittings.
class FurnSelection : public ::testing::Test {
protected:
  TFlugel& Sash(Tgx25Construction& C) { return *Flugels(C).begin(); }
  std::unique_ptr<Tgx25Construction> Window(int Width, int Height, const std::string& FurnColor = "") {
    auto c = test::BuildDemoWindow(Width, Height, {}, {1});
    if (!FurnColor.empty()) c->GetFrame(0)->FurnColor = FurnColor;
    return c;
  }
  static int Number(const TFlugel& Flugel, const std::string& ID) {
    const int i = Flugel.FurnComp->ItemFindNoLength(ID);
    return i < 0 ? 0 : Flugel.FurnComp->Items[static_cast<size_t>(i)].Number;
  }
  test::TDemoCatalogue demo;
};

TEST_F(FurnSelection, TiltAndTurnSashGetsItsArticlesMarksAndPricedMaterials) {
  auto c = Window(1300, 1400);
  TFlugel& sash = Sash(*c);
  ASSERT_TRUE(AutoFurnComp(sash)) << testing::PrintToString(demo.Messages.Texts());
  EXPECT_EQ(sash.FurnComp->ID, "PO-R");
  // The sash is 1300 - 2 x 56 = 1188 wide, 1400 - 2 x 56 = 1288 high (the frame's sash delta):
  // OZ-14 (1201..1600) with 3 strike plates, one middle lock ((1188 - 800) div 600 + 1) with 1, the
  // corner drive of the scissors set with 1; no extension below 1300; 4 screws per hinge.
  for (const auto& [id, number] : {std::pair{"RU-01.WH", 1},
                                   {"PV-01", 1},
                                   {"PN-01", 1},
                                   {"NK-01.WH", 2},
                                   {"OZ-14", 1},
                                   {"OP-01", 5},
                                   {"TL-SC35", 8},
                                   {"ZG-01.WH", 1},
                                   {"NZ-08", 1},
                                   {"UP-01", 1},
                                   {"UD-01", 0},
                                   {"SZ-04", 1},
                                   {"MP-01", 1},
                                   {"TS-01", 1}})
    EXPECT_EQ(Number(sash, id), number) << id;
  const TFurnItem& oz = sash.FurnComp->Items[static_cast<size_t>(sash.FurnComp->ItemFindNoLength("OZ-14"))];
  EXPECT_EQ(oz.Info, "Комплект:PO-R -> Элемент:OZ -> Артикул:OZ-14");
  // The scissors rod is cut to the width less 280 mm.
  EXPECT_EQ(sash.FurnComp->Items[static_cast<size_t>(sash.FurnComp->ItemFindNoLength("TS-01"))].Length, 908);
  // Right hinged: the handle side (1) opens towards the hinge side (3), the top towards the bottom;
  // the handle stands 600 mm (OZ-14) above the lower end of its side.
  const Tgx25FrameLine& left = *sash.GetFrameLine(0);
  EXPECT_TRUE(left.OpenMark && left.Handled && left.Drived);
  EXPECT_EQ(left.ApexLine, 2);
  EXPECT_EQ(left.HandleType, 10);
  EXPECT_EQ(left.HandleHeight, 6000);
  EXPECT_EQ(sash.GetFrameLine(1)->ApexLine, 3);
  EXPECT_TRUE(sash.GetFrameLine(2)->Banded);
  ASSERT_TRUE(GatherInfo(*c, StandaloneCalcContext(*c)));
  const auto fittings = std::count_if(c->MatList.begin(), c->MatList.end(), [](const Tgx25MatListItem& m) {
    return m.Group == 3 && m.ID == "OZ-14" && m.Quantity == 1 && m.Cost.Raw() > 0;
  });
  EXPECT_EQ(fittings, 1);
}

TEST_F(FurnSelection, NarrowAndTallSashesGetTheirEspagnolettes) {
  // Sashes 588 x 788 and 888 x 1788: OZ-06 (400..800) and OZ-18 (1601..2400); the extension from
  // 1300 mm high, the middle lock from 800 mm wide.
  for (const auto& [width, height, article, extension, middle] :
       {std::tuple{700, 900, "OZ-06", 0, 0}, std::tuple{1000, 1900, "OZ-18", 1, 1}}) {
    auto c = Window(width, height);
    ASSERT_TRUE(AutoFurnComp(Sash(*c)));
    EXPECT_EQ(Number(Sash(*c), article), 1) << height;
    EXPECT_EQ(Number(Sash(*c), "UD-01"), extension) << height;
    EXPECT_EQ(Number(Sash(*c), "SZ-04"), middle) << width;
  }
}

TEST_F(FurnSelection, ColourWithoutArticlesFallsBackToTheNeutralOneAndASmallSashGetsNone) {
  auto c = Window(1300, 1400, "AN");
  ASSERT_TRUE(AutoFurnComp(Sash(*c)));
  EXPECT_EQ(Number(Sash(*c), "RU-01.AN"), 1);
  EXPECT_EQ(Number(Sash(*c), "NK-01"), 2);
  // A sash too small for every complect gets none.
  auto small = Window(450, 450);
  EXPECT_FALSE(AutoFurnComp(Sash(*small)));
  EXPECT_EQ(demo.Messages.LastText(),
            "Ни один комплект фурнитуры системы [TLF] не подходит к створке [" + Sash(*small).Name + "]!");
  EXPECT_EQ(Sash(*small).FurnComp, nullptr);
}

TEST_F(FurnSelection, TwoArticlesLetTheUserChoose) {
  auto c = Window(1300, 1400);
  TFlugel& sash = Sash(*c);
  ASSERT_TRUE(AutoFurnComp(sash));
  sash.FurnComp->Components.assign(FURN_COMPONENT_COUNT, "");
  demo.Messages.Answer(2);
  ASSERT_TRUE(BuildFurnList(sash));
  ASSERT_EQ(demo.Messages.Choices().size(), 1u);
  EXPECT_EQ(demo.Messages.Choices()[0].Items.size(), 2u);
  EXPECT_EQ(Number(sash, "RU-02.WH"), 1);
  EXPECT_EQ(Number(sash, "RU-01.WH"), 0);
}

TEST_F(FurnSelection, UnfitComplectIsRefusedAndTheFormerOneKept) {
  auto c = Window(1300, 1400);
  TFlugel& sash = Sash(*c);
  ASSERT_TRUE(ChangeFurnComplect(sash, "P-L"));
  EXPECT_FALSE(sash.Kipp);
  EXPECT_FALSE(ChangeFurnComplect(sash, "D-R"));
  EXPECT_EQ(demo.Messages.LastText().rfind("Комплект фурнитуры [D-R] не подходит к створке [" + sash.Name + "]!", 0),
            0u)
      << demo.Messages.LastText();
  EXPECT_EQ(sash.FurnComp->ID, "P-L");
  ASSERT_TRUE(ChangeFurnSys(sash, "TLF"));
  ASSERT_TRUE(ChangeFurnComplect(sash, "PO-R"));
  ASSERT_TRUE(ChangeFurnSys(sash, "TLE"));
  EXPECT_EQ(sash.FurnComp->ID, "E-PO-R");
  EXPECT_EQ(sash.FurnComp->FurnSys, "TLE");
  // The economy scheme's key handle; the frame strike plates stay those documented under TLF
  // (3 of OZ-14, 1 of UP-01).
  EXPECT_EQ(Number(sash, "RU-02.WH"), 1);
  EXPECT_EQ(Number(sash, "OP-01"), 4);
  TFurnComplect foreign = GetFurnComplect("PO-R");
  foreign.MultiSysID = "XX";
  EXPECT_EQ(FurnComplectUnfitReason(foreign, MeasureFurnSash(sash)),
            "система фурнитуры XX не применяется с профильной системой TL70");
}

TEST_F(FurnSelection, HandleAtTheUsersHeightChoosesTheEspagnoletteThatAllowsIt) {
  // The 1288 mm high sash takes OZ-14, which allows the handle 450..800 mm high.
  auto c = Window(1300, 1400);
  TFlugel& sash = Sash(*c);
  ASSERT_TRUE(AutoFurnComp(sash));
  for (const auto& [height, done, espagnolettes] :
       {std::tuple{700, true, 1}, std::tuple{1000, true, 0}, std::tuple{1300, false, 0}}) {
    EXPECT_EQ(SetFurnHandleHeight(sash, height), done) << height;
    EXPECT_EQ(Number(sash, "OZ-14"), espagnolettes) << height;
  }
  EXPECT_EQ(demo.Messages.LastText(),
            "Высота ручки 1300 мм выходит за пределы створки [" + sash.Name + "] высотой 1288 мм!");
  EXPECT_EQ(sash.GetFrameLine(0)->HandleHeight, 10000);  // 1000 mm kept from the last height set
}

TEST_F(FurnSelection, MirroredWindowTakesTheMirrorComplect) {
  auto c = Window(1300, 1400);
  ASSERT_TRUE(AutoFurnComp(Sash(*c)));
  MirrorConstruction(*c);
  TFlugel& sash = Sash(*c);
  EXPECT_EQ(sash.FurnComp->ID, "PO-L");
  // Hinges on the left side now, the handle on the right at OZ-14's 600 mm.
  EXPECT_TRUE(sash.GetFrameLine(0)->Banded);
  EXPECT_TRUE(sash.GetFrameLine(2)->Handled);
  EXPECT_EQ(sash.GetFrameLine(2)->HandleHeight, 6000);
}

TEST_F(FurnSelection, PassiveMeetingStileSashFollowsItsNeighbour) {
  const auto field = [](Tgx25Construction& C, size_t I) -> Tgx30CustomPart& {
    return dynamic_cast<Tgx30CustomPart&>(*C.GetFrame(0)->Parts.at(I));
  };
  Tgx25Stulp stulp(nullptr, nullptr, nullptr);
  const auto pair = [&](Tgx25Construction& C) {
    stulp.PrimaryPartPtr = &field(C, 1);
    stulp.SlavePartPtr = &field(C, 0);
    for (Tgx30CustomPart* part : {stulp.PrimaryPartPtr, stulp.SlavePartPtr}) {
      part->StulpPtr = &stulp;
      part->StulpPart = true;
    }
  };
  const std::string row = "В БД наборов фурнитуры в комплекте [SP-L]\r\nсодержится элемент фурнитуры [";
  auto lone = test::BuildDemoWindow(1300, 1400, {650}, {1, 2});
  EXPECT_FALSE(ChangeFurnComplect(Sash(*lone), "SP-L"));
  EXPECT_TRUE(test::Contains(demo.Messages.LastText(), row + "SZ],"));
  EXPECT_TRUE(test::Contains(demo.Messages.LastText(), "Смежная створка не установлена."));
  // Sashes 650 - 56 - 33 = 561 mm wide in a 1300 mm window, 850 - 89 = 761 in a 1700 one: the middle
  // lock (with its strike plate) from a 701 mm wide neighbour.
  for (const auto& [width, middle] : {std::pair{1300, 0}, std::pair{1700, 1}}) {
    auto c = test::BuildDemoWindow(width, 1400, {width / 2}, {1, 2});
    pair(*c);
    TFlugel& passive = *field(*c, 0).Flugel;
    EXPECT_FALSE(ChangeFurnComplect(passive, "SP-L"));
    EXPECT_TRUE(test::Contains(demo.Messages.LastText(), row + "OM],"));
    ASSERT_TRUE(AutoFurnComp(*field(*c, 1).Flugel));
    ASSERT_TRUE(BuildFurnList(passive));
    // The lever stulp lock is the scheme's third extra kit (no choice asked), with 2 stulp strike
    // plates of 2 screws each beside the 4 + 4 hinge screws; the active sash holds MP-01.
    EXPECT_TRUE(demo.Messages.Choices().empty());
    for (const auto& [id, number] :
         {std::pair{"SS-01", 1}, {"OS-01", 2}, {"TL-SC35", 12}, {"OM-01", 1}, {"SZ-04", middle}, {"OP-01", middle}})
      EXPECT_EQ(Number(passive, id), number) << width << " " << id;
  }
}

}  // namespace
}  // namespace kv
