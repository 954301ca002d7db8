#include "catalogue/profile_lookups.h"

#include <gtest/gtest.h>

#include "catalogue/small_catalogue.h"
#include "shell/errors.h"

namespace kv {
namespace {

using test::TSmallCatalogue;

class ProfileLookups : public ::testing::Test {
protected:
  void SetUp() override {
    cat.Profile("ProfList",
                {"Profile", "Group", "Width", "FrameSize", "GlassSize", "GlassSize2", "BeadSize", "BeadSize2",
                 "ModifySize", "ModifySize2", "ModifySize3"},
                {{"F70", 0, 70.0, 22.5, 18.0, 20.0, 3.0, 4.0, 1.0, 2.0, 3.0}});
    cat.Profile("ProfList", {{"Profile", "M82"}, {"Group", 2}, {"Width", 82.0}, {"ImpostSize", 20.0}});
    cat.Profile("ProfList", {{"Profile", "ST64"}, {"Group", 3}, {"Width", 64.0}, {"StulpType", 1}});
    cat.Profile("ProfList", {{"Profile", "FM"}, {"Group", 4}, {"Width", 40.0}});
    cat.Profile("ProfList", {{"Profile", "P100"}, {"Group", 20}, {"Width", 100.0}});
    cat.Profile("ProfList", {{"Profile", "R100"}, {"Group", 21}, {"Width", 100.0}});
    cat.Profile("ProfList", {{"Profile", "SA77"}, {"Group", 1}, {"Width", 77.0}, {"DornMass", 15.0}});
    cat.Profile("ProfList", {"Profile", "Group", "Width", "Ix", "Use", "FSAngleMin", "FSAngleMax"},
                {{"S20", 11, 30.0, 2.5, 1, 0.0, 180.0},
                 {"S30", 11, 30.0, 4.1, 1, 0.0, 180.0},
                 {"S40", 11, 30.0, 7.9, 1, 0.0, 180.0},
                 {"S35", 11, 30.0, 5.0, 0, 0.0, 180.0}});
    cat.Catalog("TypeProf", {{"ID", 1}, {"System", "SYS70"}, {"WeldAllowance", 3.0}});
    cat.Open();
  }
  TSmallCatalogue cat;
};

TEST_F(ProfileLookups, SizesParametersReinforcementWeldAllowanceAndMissingProfiles) {
  EXPECT_FLOAT_EQ(GetProfWidth("F70"), 700);
  EXPECT_FLOAT_EQ(GetProfWidth("SA77"), 770);
  EXPECT_FLOAT_EQ(GetProfWidth("M82"), 410);
  EXPECT_FLOAT_EQ(GetProfWidth("ST64"), 320);
  EXPECT_FLOAT_EQ(GetProfWidth("FM"), 200);
  EXPECT_FLOAT_EQ(GetProfWidth("P100"), 500);
  EXPECT_FLOAT_EQ(GetProfWidth("R100"), 500);
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetProfWidth("NOPE"); }),
            "В БД общих размеров профилей отсутствуют\r\nданные для профиля [NOPE]");
  EXPECT_FLOAT_EQ(GetProfWidth("NOPE", true), 0);
  EXPECT_FALSE(ProfileExists("NOPE"));
  EXPECT_TRUE(ProfileExists("F70"));
  EXPECT_FALSE(ProfileExists("f70")) << "articles are located exactly";
  EXPECT_FLOAT_EQ(GetFrameDeltaSize("F70"), 225);
  EXPECT_FLOAT_EQ(GetImpostDeltaSize("M82"), 200);
  EXPECT_FLOAT_EQ(GetGlassDeltaSize("F70", 0), 180);
  EXPECT_FLOAT_EQ(GetGlassDeltaSize("F70", 1), 200);
  EXPECT_FLOAT_EQ(GetBeadDeltaSize("F70", 1), 40);
  EXPECT_FLOAT_EQ(GetModificatorDeltaSize("F70", 0), 10);
  EXPECT_FLOAT_EQ(GetModificatorDeltaSize("F70", 1), 10);
  EXPECT_FLOAT_EQ(GetModificatorDeltaSize("F70", 3), 30);
  const TFlugelParam param = GetFlugelParam("SA77");
  EXPECT_FLOAT_EQ(param.Width, 77);
  EXPECT_FLOAT_EQ(param.DornMass, 15);
  EXPECT_EQ(GetStulpType("ST64"), 1);
  EXPECT_EQ(GetStulpTypeName(1), "С фурнитурным пазом 12 мм");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetFlugelParam("X"); }), "В документации отсутствуют данные для профиля [X]");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetChamfer("X"); }), "В каталоге профилей отсутствуют данные для [X]!");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetProfOriginalArticle("X"); }),
            "В БД основных размеров профилей нет данных для профиля X!");
  double ix = -1;
  std::string profile = "old";
  GetNearestProfByIx(11, ix, profile, 4.5, 90, 90);
  EXPECT_EQ(profile, "S40") << "S35 (Ix 5.0) is not in use";
  EXPECT_DOUBLE_EQ(ix, 7.9);
  GetNearestProfByIx(11, ix, profile, 2.5, 90, 90);
  EXPECT_EQ(profile, "S20");
  GetNearestProfByIx(11, ix, profile, 100, 90, 90);
  EXPECT_EQ(profile, "");
  EXPECT_EQ(ix, 0);
  EXPECT_DOUBLE_EQ(GetWeldAllowanceByWinType(1, "SYS70"), 3.0);
  EXPECT_DOUBLE_EQ(GetWeldAllowanceByWinType(2, "SYS70"), 0);
  EXPECT_DOUBLE_EQ(GetWeldAllowance(180, 3), 0);
  EXPECT_NEAR(GetWeldAllowance(90, 3), 3, 1e-12);
  EXPECT_NEAR(GetWeldAllowance(45, 3), 3 * 1.41421356, 1e-6);
}

}  // namespace
}  // namespace kv
