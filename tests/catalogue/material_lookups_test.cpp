#include "catalogue/material_lookups.h"

#include <gtest/gtest.h>

#include "catalogue/small_catalogue.h"
#include "shell/errors.h"

namespace kv {
namespace {

using test::TSmallCatalogue;

class MaterialLookups : public ::testing::Test {
protected:
  void SetUp() override {
    const auto material = [&](const std::string& id, const std::string& article, const std::string& color, int group,
                              test::TRowValues extra = {}) {
      test::TRowValues values = {{"ID", id},         {"Article", article},       {"FrontColor", color},
                                 {"Group", group},   {"Name", "Материал " + id}, {"Unit", "м"},
                                 {"System", "SYS70"}};
      values.insert(values.end(), extra.begin(), extra.end());
      cat.Catalog("Catalog", values);
    };
    // Key order is ID order: "A-2" comes before "A-3" whatever the insertion order.
    material(
        "A-3", "A", "OAK", 0,
        {{"ProdArticle", "P1"}, {"ProdArticle2", "P2"}, {"ProdArticle3", "P3"}, {"UseArticle", 2}, {"LamSqExt", 0.07}});
    material("A-2", "A", "WHITE", 0,
             {{"ProdArticle", "P1"},
              {"UseArticle", 1},
              {"MaxWidth", 6500},
              {"MaxHeight", 10},
              {"MaxLength", 6500},
              {"CutAvailable", 1},
              {"Weight", 1.25}});
    material("G-1", "G4", "", 11);
    material("PVC-1", "PVC24", "", 2, {{"CalcPrinciple", 0}});
    material("GU-1", "GU24", "", 2, {{"CalcPrinciple", 1}, {"Virtual", 1}});
    cat.Profile("ProfList", {{"Profile", "F70"}, {"Group", 0}, {"OrgArticle", "A"}});
    cat.Catalog("COLORSET", {{"Color", "OAK"}, {"InnerColor", "WHITE"}, {"OuterColor", "OAK"}});
    cat.Open();
  }
  TSmallCatalogue cat;
};

TEST_F(MaterialLookups, ByCodeArticleAndColourAndMissingCodesNamingTheSearch) {
  EXPECT_EQ(GetProdArticleByID("A-3", 3), "P3");
  EXPECT_EQ(GetProdArticleByID("A-3", 0), "P2") << "UseArticle 2 takes the second article";
  EXPECT_EQ(GetProdArticleByID("A-2", 0), "P1");
  EXPECT_EQ(GetProdArticleByArticleColor("A", "OAK"), "P2");
  int principle = -1;
  EXPECT_TRUE(NeedToGatherAccList("GU-1", principle));
  EXPECT_EQ(principle, 1);
  EXPECT_FALSE(NeedToGatherAccList("PVC-1", principle));
  EXPECT_TRUE(VirtualMaterial("GU-1"));
  EXPECT_FALSE(VirtualMaterial("PVC-1"));
  EXPECT_TRUE(MaterialIsPVC("PVC-1"));
  EXPECT_FALSE(MaterialIsPVC("GU-1")) << "group 2, but another calculation principle";
  EXPECT_TRUE(MaterialIsSimpleGlass("G-1"));
  EXPECT_EQ(GetIDByArticle("A", "OAK"), "A-3");
  EXPECT_EQ(GetBackColorByArticle("A", "OAK"), "WHITE");
  EXPECT_FALSE(ArticleColorExists("A", "RED"));
  EXPECT_EQ(GetFirstAvailableColor("A"), "WHITE") << "the first record in key order";
  EXPECT_EQ(GetFirstAvailableID("A"), "A-2");
  EXPECT_EQ(GetFirstAvailableID("NONE"), "");
  EXPECT_EQ(GetCatalogFieldByID("A-2", "MaxWidth").AsInteger(), 6500);
  std::string color = "RED";
  SetColorIfPossible("A", color);
  EXPECT_EQ(color, "WHITE");
  SetColorIfPossible("A", color = "OAK");
  EXPECT_EQ(color, "OAK");
  color = "RED";
  SetProfColorIfPossible("F70", color);
  EXPECT_EQ(color, "WHITE");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetArticleByID("Z"); }),
            "В каталоге отсутствуют данные для [Z]!\r\n(Поиск [Артикул] через [Код])");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetMaxLengthByID("Z"); }),
            "В каталоге отсутствуют данные для [Z]!\r\n(Поиск [Макс. ширина] через [Код])");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetIDByArticle("A", "RED"); }),
            "В каталоге отсутствуют данные для [A + RED]!\r\n(Поиск [Код] через [Артикул + Цвет])");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetBackColorByArticle("B", "OAK"); }),
            "В каталоге отсутствуют данные для [B + OAK]!\r\n(Поиск [Цвета изнутри] через [Артикул + Цвет])");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetCatalogFieldByID("Z", "Name"); }),
            "В каталоге не найден материал с кодом [Z]!");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetWeightByID("Z"); }), "В каталоге отсутствуют данные для [Z]!");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetArticleByID("a-2"); }),
            "В каталоге отсутствуют данные для [a-2]!\r\n(Поиск [Артикул] через [Код])")
      << "codes are case-sensitive";
}

}  // namespace
}  // namespace kv
