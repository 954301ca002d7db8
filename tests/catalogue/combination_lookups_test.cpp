#include "catalogue/combination_lookups.h"

#include <gtest/gtest.h>

#include "catalogue/small_catalogue.h"
#include "shell/errors.h"

namespace kv {
namespace {

using test::TSmallCatalogue;

void Comb(TSmallCatalogue& cat, const std::string& p1, const std::string& p2, int group, int angle_type, int min_angle,
          int max_angle, int sub_set_id, int cross = 0, double delta = 0) {
  cat.Profile("CombList",
              {"Profile1", "Profile2", "Group", "AngleType", "MinAngle", "MaxAngle", "SubSetID", "Cross",
               "ProfDeltaSize", "Name"},
              {{p1, p2, group, angle_type, min_angle, max_angle, sub_set_id, cross, delta,
                "Комбинация " + std::to_string(sub_set_id)}});
}

class CombinationLookups : public ::testing::Test {
protected:
  void SetUp() override {
    cat.Profile("ProfList", {{"Profile", "F70"}, {"Group", 0}, {"Width", 70.0}, {"Name", "Рама 70"}});
    cat.Profile("ProfList", {{"Profile", "M82"}, {"Group", 2}, {"Width", 82.0}, {"ImpostGrp", 3}});
    cat.Profile("ProfList", {{"Profile", "M90"}, {"Group", 2}, {"Width", 90.0}, {"ImpostGrp", 3}});
    cat.Profile("ProfList",
                {{"Profile", "SA77"}, {"Group", 1}, {"Width", 77.0}, {"FlugelGrp", 2}, {"Name", "Створка 77"}});
    cat.Profile("ProfList", {{"Profile", "SA80"}, {"Group", 1}, {"Width", 80.0}, {"FlugelGrp", 2}});
    cat.Profile("ProfList", {{"Profile", "S30"}, {"Group", 11}, {"SteelGrp", 5}});
    cat.Profile("ProfList", {{"Profile", "B20"}, {"Group", 10}, {"SockelGrp", 4}});
    // Corners: two rows cover 90 degrees, the first in table order wins. Mullion ends: a row for M82
    // and group rows for the mullion group 3. Sash seals: an exact row for SA77 after a group row.
    Comb(cat, "F70", "F70", 0, 0, 80, 100, 101);
    Comb(cat, "F70", "F70", 0, 0, 85, 95, 102);
    Comb(cat, "F70", "F70", 0, 0, 101, 180, 103);
    Comb(cat, "F70", "F70", 0, 1, 90, 90, 104);
    Comb(cat, "F70", "M82", 2, 5, 90, 90, 201, 0, 2.5);
    Comb(cat, "F70", "%3", 2, 5, 90, 90, 202, 0);
    Comb(cat, "F70", "%3", 2, 6, 90, 90, 203, 1);
    Comb(cat, "G1", "%2", 1, 9, 0, 360, 302, 0, 1.5);
    Comb(cat, "G1", "SA77", 1, 9, 0, 360, 301, 0, 3.0);
    Comb(cat, "F70", "S30", 4, 9, 0, 0, 401);
    Comb(cat, "F70", "%4", 3, 9, 0, 0, 501, 0, 12.0);
    cat.Open();
  }
  TSmallCatalogue cat;
};

TEST_F(CombinationLookups, CornerConnectorIsTheFirstRowInTableOrderAtWholeDegrees) {
  EXPECT_EQ(GetFrameVerbinderID("F70", "F70", atX45, 90), 101);
  EXPECT_EQ(GetFrameVerbinderID("F70", "F70", atX45, 120), 103);
  EXPECT_EQ(GetFrameVerbinderID("F70", "F70", atX1to2, 90), 104);
  EXPECT_EQ(GetFrameVerbinderID("F70", "F70", atX45, 100.4), 101);
  EXPECT_EQ(GetFrameVerbinderID("F70", "F70", atX45, 100.5), 103);
  EXPECT_EQ(GetFrameVerbinderID("F70", "F70", atX1to2, 89.6), 104) << "89.6 is matched as 90";
  EXPECT_TRUE(FrameVerbinderIDAvailable(104, "F70", "F70", atX1to2, 89.6));
  EXPECT_FALSE(FrameVerbinderIDAvailable(104, "F70", "F70", atX1to2, 89.4));
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetFrameVerbinderID("F70", "M82", atX2to1, 44.7); }),
            "В БД комбинаций профилей отсутствуют данные\r\nдля комбинации [F70 - M82]\r\n"
            "при соединении угла [X2to1]\r\nи угле [45 °]!");
  EXPECT_TRUE(AngleTypeAvailable("F70", "F70", cgCorner, atX45, 90));
  EXPECT_FALSE(AngleTypeAvailable("F70", "F70", cgImpost, atX45, 90));
  EXPECT_EQ(GetFirstAvailableAngleType("F70", "F70", cgCorner, 90), atX45);
  EXPECT_EQ(GetFirstAvailableAngleType("F70", "F70", cgCorner, 200), atUnknown);
}

TEST_F(CombinationLookups, MullionEndsSealsSteelBaseProfileAndNamesFallBackToGroupRows) {
  EXPECT_EQ(GetImpostVerbinderID("F70", "M82", atImpostT, 90, 0), 201);
  EXPECT_EQ(GetImpostVerbinderID("F70", "M90", atImpostT, 90, 0), 202);
  EXPECT_EQ(GetImpostVerbinderID("F70", "M82", atImpostX, 90, 1), 203) << "no exact X row for M82";
  EXPECT_TRUE(ImpostVerbinderIDAvailable(202, "F70", "M90", atImpostT, 90, 0));
  EXPECT_FALSE(ImpostVerbinderIDAvailable(202, "F70", "M90", atImpostT, 90, 1));
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetImpostVerbinderID("F70", "M90", atImpostX, 90, 3); }),
            "В БД комбинаций профилей отсутствуют данные\r\nдля комбинации [F70 - M90]\r\n"
            "при обработке торца под [90 °]  при вварном сопряжении в X-образном соединении!");
  EXPECT_TRUE(test::Contains(test::CatalogueErrorOf([&] { GetImpostVerbinderID("F70", "M90", atImpostT, 60, 0); }),
                             "[60 °]  при сопряжении встык в T-образном соединении!"));
  EXPECT_EQ(GetFlugelRubberID("G1", "SA77"), 301) << "the exact row wins though the group row comes first";
  EXPECT_EQ(GetFlugelRubberID("G1", "SA80"), 302);
  EXPECT_FLOAT_EQ(GetCombinProfDeltaSizeByProf_1("G1", "SA77"), 30);
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetFlugelRubberID("G2", "SA80"); }),
            "В БД комбинаций профилей отсутствуют данные\r\nдля комбинации [G2 - SA80]!");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetCombinProfDeltaSizeByProf_1("G2", "SA80"); }),
            "В БД комбинаций профилей отсутствуют данные для продольного сопряжения профилей G2 с SA80.");
  EXPECT_TRUE(SteelCombineAvailable("F70", "S30"));
  EXPECT_FALSE(SteelCombineAvailable("M82", "S30"));
  EXPECT_FLOAT_EQ(GetSockelProfDeltaSize("F70", "B20"), 120);
  EXPECT_FLOAT_EQ(GetCombinProfDeltaSizeByID_1(201), 25);  // millimetres in tenths
  EXPECT_EQ(GetProfCombineName(301), "Комбинация 301");
  EXPECT_EQ(GetProfileBySubSetID(301), "SA77");
  EXPECT_EQ(GetProfileNameBySubSetID(301), "Створка 77");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetCombinProfDeltaSizeByID_1(999); }),
            "В БД комбинаций профилей отсутствуют данные для SubSetID = 999.\r\n"
            "Возможно, комбинация была удалена после проектирования данного изделия.");
}

}  // namespace
}  // namespace kv
