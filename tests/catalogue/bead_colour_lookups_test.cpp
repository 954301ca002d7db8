#include <gtest/gtest.h>

#include "catalogue/bead_lookups.h"
#include "catalogue/colour_lookups.h"
#include "catalogue/small_catalogue.h"
#include "shell/errors.h"

namespace kv {
namespace {

using test::TSmallCatalogue;

class BeadAndColourLookups : public ::testing::Test {
protected:
  void SetUp() override {
    cat.Profile("ProfList", {{"Profile", "F70"}, {"Group", 0}, {"BeadGrp", 7}});
    cat.Profile(
        "BeadComb",
        {"ID", "ProfGrp", "Thickness", "BeadGrp", "Bead", "BeadRubber", "Lining_1", "Number_1", "Lining_3", "Number_3"},
        {{TCurrency::FromInt(12), 7, 24, 2, "B24-R", "G2", "L3", 4, "L5", 2},
         {TCurrency::FromInt(11), 7, 24, 1, "B24", "G2", "L3", 4, "L5", 2},
         {TCurrency::FromInt(13), 7, 32, 1, "B32", "G2", "L3", 4, "L5", 2}});
    cat.Profile("BeadGrp", {{"Group", 1}, {"Name", "Прямоугольный"}});
    cat.Profile("Accessry", {{"Profile", "CAP"}, {"Color", "OAK"}, {"ProfColor", "BROWN"}, {"ProfArticle", "CAP-L"}});
    cat.Profile("Accessry", {{"Profile", "CAP"}, {"Color", ""}, {"ProfColor", "WHITE"}});
    cat.Profile("Accessry", {{"Profile", "SEAL"}, {"Color", ""}, {"ProfColor", "BLACK"}});
    cat.Catalog("Catalog", {"ID", "Article", "FrontColor"},
                {{"CAP-W", "CAP", "WHITE"}, {"CAPL-B", "CAP-L", "BROWN"}, {"SEAL-G", "SEAL", "GREY"}});
    cat.Catalog("COLORSET", {"Color", "Name", "Article", "RAL", "Renolit", "InnerColor", "OuterColor", "ScrOuterColor"},
                {{"OAK", "Золотой дуб", "2178", "", "2178-001", "WHITE", "OAK", 0x2050A0}});
    cat.Catalog("SysColor", {{"ID", "OAK"}, {"System", "SYS70"}});
    cat.Catalog("SysList", {{"ID", "SYS70"}, {"BaseColor", "WHITE"}, {"MatType", 0}, {"CommonGrp", 5}});
    cat.Open();
  }
  TSmallCatalogue cat;
};

TEST_F(BeadAndColourLookups, BeadsLiningsAndColours) {
  EXPECT_EQ(GetAvailableBead("F70", 24, 1), 11);
  EXPECT_EQ(GetAvailableBead("F70", 24, 2), 12);
  EXPECT_EQ(GetAvailableBead("F70", 24, 9), 11) << "first in key order for the thickness";
  EXPECT_EQ(GetAvailableBead("F70", 40, 1), 0);
  EXPECT_EQ(BeadAvailable("F70", 24, "B24-R"), 12);
  EXPECT_EQ(BeadAvailable("F70", 32, "B24-R"), 0);
  EXPECT_EQ(GetAvailableBeadByCreteria("F70", 24, 1, "B24-R"), 12) << "the current bead stays";
  EXPECT_EQ(GetAvailableBeadByCreteria("F70", 32, 1, "B24-R"), 13);
  // Linings 1 and 3 filled, 2 empty: two linings.
  const auto linings = GetGlassLining(11);
  ASSERT_EQ(linings.size(), 2u);
  EXPECT_EQ(linings[0].Article, "L3");
  EXPECT_EQ(linings[0].Number, 4);
  EXPECT_EQ(linings[1].Article, "L5");
  EXPECT_EQ(GetBeadGroupName(1), "Прямоугольный");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetBeadInfo(77); }),
            "В БД комбинаций штапиков отсутствуют\r\nданные для комбинации [77]!");
  EXPECT_EQ(GetColorName("OAK"), "Золотой дуб");
  EXPECT_EQ(GetColorNameByMode("OAK", cnmRenolit), "2178-001");
  EXPECT_EQ(GetColorNameByMode("OAK", 7), "Золотой дуб");
  EXPECT_EQ(GetBackColor("OAK"), "WHITE");
  EXPECT_EQ(GetScreenColor("OAK"), 0x2050A0);
  EXPECT_EQ(GetBackColor("PINK", true), "");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetFrontColor("PINK"); }),
            "В каталоге цветов отсутствуют данные для цвета [PINK]");
  std::string result;
  GetProfAccessoryColor("CAP", "WHITE", result);
  EXPECT_EQ(result, "WHITE") << "the colour-neutral row";
  GetProfAccessoryColor("CAP", "OAK", result);
  EXPECT_EQ(result, "WHITE") << "BROWN is not in the catalogue for CAP: first catalogue colour";
  GetProfAccessoryColor("SEAL", "OAK", result);
  EXPECT_EQ(result, "GREY");
  std::string article = "CAP";
  GetProfAccessoryColorExchange(article, "OAK", result);
  EXPECT_EQ(article, "CAP-L");
  EXPECT_EQ(result, "BROWN");
  article = "CAP";
  std::string color = "OAK";
  SetAccessoryColorIfPossible(article, color);
  EXPECT_EQ(article, "CAP-L");
  EXPECT_EQ(color, "BROWN");
  EXPECT_TRUE(SysColorExists("OAK", "SYS70"));
  EXPECT_FALSE(SysColorExists("OAK", "SYS58"));
  EXPECT_EQ(GetSysBaseColor("SYS70"), "WHITE");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetSysMatType("SYS58"); }), "В БД отсутствуют данные для системы [SYS58]!");
}

}  // namespace
}  // namespace kv
