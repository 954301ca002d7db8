#include "catalogue/element_lookups.h"

#include <gtest/gtest.h>

#include "catalogue/small_catalogue.h"
#include "shell/errors.h"

namespace kv {
namespace {

class ElementLookups : public ::testing::Test {
protected:
  void SetUp() override {
    cat.Profile("ConsList", {{"ID", 5}, {"Name", "Рама с порогом"}, {"InverseColor", 1}, {"StulpGrp", 3}});
    cat.Profile("DpList", {{"ID", 4}, {"Name", "Расширители"}});
    cat.Catalog("SysProp", {{"ID", 21}, {"PrintName", "Микропроветривание"}});
    cat.Insert(TDatabaseAlias::GXDB_Furniture, "FrnComp",
               {{"ID", "K1"}, {"SubGroup", 2}, {"Kipp", 1}, {"Printable", 1}, {"PrintName", "ПО правая"}});
    cat.Insert(TDatabaseAlias::GXDB_Furniture, "FrnComp",
               {{"ID", "K2"}, {"Name", "Поворотная"}, {"Printable", 0}, {"PrintName", "П"}});
    cat.Open();
  }
  test::TSmallCatalogue cat;
};

TEST_F(ElementLookups, ElementsProfileSetsPropertiesAndComplects) {
  EXPECT_EQ(GetConsName(5), "Рама с порогом");
  EXPECT_EQ(GetConsName(6), "Неизвестно");
  EXPECT_EQ(GetStulpFlugelGroup(5), 3);
  EXPECT_EQ(GetStulpFlugelGroup(6), 0);
  EXPECT_TRUE(ConstructionInverseColor(5));
  EXPECT_EQ(test::CatalogueErrorOf([&] { ConstructionInverseColor(6); }),
            "В БД конструктивных элементов не найден элемент [6]!");
  EXPECT_EQ(GetDpListNameByID(4), "Расширители");
  EXPECT_EQ(GetDpListNameByID(9, true), "Неизвестный комплект");
  EXPECT_EQ(test::CatalogueErrorOf([&] { GetDpListNameByID(9); }),
            "В каталоге дополнительных профилей отсутствуют данные для комплекта [9]!");
  EXPECT_EQ(GetSysPropPrintName(21), "Микропроветривание");
  EXPECT_EQ(GetSysPropPrintName(22), "");
  EXPECT_EQ(GetFurnCompSubGroup("K1"), 2);
  EXPECT_EQ(GetFurnKipp("K1"), 1);
  EXPECT_EQ(GetComplectName("K2"), "Поворотная");
  EXPECT_EQ(GetComplectPrintName("K1"), "ПО правая");
  EXPECT_EQ(GetComplectPrintName("K2"), "") << "not printable";
  EXPECT_EQ(GetFurnKipp("K9"), 0);
}

}  // namespace
}  // namespace kv
