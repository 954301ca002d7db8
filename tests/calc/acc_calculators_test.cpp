#include <gtest/gtest.h>

#include "calc/acc_gathering.h"
#include "catalogue/small_catalogue.h"
#include "construction/model_builders.h"

namespace kv {
namespace {

// A rule row: set, article, property key, formula, condition, FRound, CRound, SRound, number,
// cut angle mode (Angle1 30, Angle2 60), cut, step, colour method, auto colour, colour attribute method.
struct TRuleRow {
  int Set;
  const char* Mat;
  int PropKey;
  const char* Formula;
  const char* Condition;
  int FRound, CRound, SRound;
  double Number;
  int CutAngle, CutMap;
  const char* Step;
  int ColorMethod = 0, AutoColor = 0, ColorAttrMethod = 0;
};

class AccCalculators : public ::testing::Test {
protected:
  void SetUp() override {
    cat.Profile(
        "ProfList", {"Profile", "Group", "Width", "SubSetID"},
        {{"P70", 0, 70.0, 10}, {"P71", 0, 70.0, 12}, {"P72", 0, 70.0, 11}, {"M80", 2, 80.0, 0}, {"ST", 11, 20.0, 40}});
    for (const auto& [id, article, color, is_virtual] :
         {std::tuple{"DR", "DR", "", 0}, std::tuple{"SCR", "SCR", "", 0}, std::tuple{"V", "V", "", 0},
          std::tuple{"ANK", "ANK", "", 0}, std::tuple{"VIRT", "VIRT", "", 1}, std::tuple{"CAP.WH", "CAP", "WH", 0},
          std::tuple{"CAP.BR", "CAP", "BR", 0}, std::tuple{"P70.WH", "P70", "WH", 0},
          std::tuple{"FILM.GO", "FILM", "GO", 0}, std::tuple{"FILM.WH", "FILM", "WH", 0},
          std::tuple{"GLUE", "GLUE", "", 0}, std::tuple{"ST", "ST", "", 0}})
      cat.Catalog("Catalog", {"ID", "Article", "FrontColor", "Group", "Virtual", "LamSqExt", "LamSqInn"},
                  {{id, article, color, 4, is_virtual, 0.07, 0.06}});
    cat.Profile("Accessry", {{"Profile", "CAP"}, {"Color", "WH"}, {"ProfColor", "BR"}, {"ProfArticle", ""}});
    cat.Profile("ProfProp", {{"PropKey", 5}, {"ID", 21}});
    cat.Profile("ProfProp", {{"PropKey", 6}, {"ID", 31}});
    AddRules("ProfSet", {{10, "DR", 0, "", "ROTANGLE_EQUAL(180)", 0, 0, 2, 1, 0, 0, "LEN/400"},
                         {10, "DR", 0, "", "", 0, 0, 3, 1, 0, 0, "LEN/400"},
                         {10, "DR", 0, "", "", 0, 0, 1, 1, 0, 0, "ДЛИНА/400"},
                         {10, "DR", 0, "", "", 0, 0, 0, 1, 0, 0, "LEN/400"},
                         {10, "SCR", 0, "LEN/1000", "", 0, 1, 0, 2, 0, 0, ""},
                         {10, "SCR", 0, "LEN/1000", "", 2, 0, 0, 1, 0, 0, ""},
                         {10, "SCR", 0, "LEN*2", "LEN<1000", 0, 0, 0, 1, 0, 0, ""},
                         {10, "SCR", 0, "", "", 0, 0, 0, 3, 0, 0, ""},
                         {10, "%THERMO", 0, "", "", 0, 0, 0, 1, 0, 0, ""},
                         {10, "VIRT", 0, "", "", 0, 0, 0, 1, 0, 0, ""},
                         {10, "CAP", 0, "", "", 0, 0, 0, 1, 0, 0, "", 1, 1},
                         {10, "P70", 0, "LEN-100", "", 0, 0, 0, 2, 0, 1, "", 1},
                         {10, "P70", 0, "LEN/2", "", 0, 0, 0, 1, 1, 1, "", 1},
                         {10, "P70", 0, "LEN/2", "", 0, 0, 0, 1, 2, 1, "", 1},
                         {10, "SCR", 5, "", "", 0, 0, 0, 4, 0, 0, ""},
                         {10, "SCR", 6, "", "", 0, 0, 0, 5, 0, 0, ""},
                         {11, "SCR", 0, "", "", 0, 0, 0, 1, 0, 0, ""},
                         {11, "SCR", 0, "LEN+", "", 0, 0, 0, 1, 0, 0, ""},
                         {11, "DR", 0, "", "", 0, 0, 0, 1, 0, 0, ""},
                         {13, "SCR", 0, "99999*99999", "", 0, 0, 0, 1, 0, 0, ""},
                         {12, "DR", 0, "", "ROTANGLE_EQUAL(180)", 0, 0, 2, 1, 0, 0, "LEN/600"},
                         {12, "CAP", 0, "", "ПОВОРОТ_МЕЖДУ(45, 135)", 0, 0, 0, 1, 0, 0, "", 1, 0, 4},
                         {40, "SCR", 0, "", "", 0, 0, 2, 1, 0, 0, "LEN/300"}});
    AddRules("CombSet", {{2001, "SCR", 0, "", "", 0, 0, 2, 1, 0, 0, "LEN/300"},
                         {2001, "V", 0, "LEN_Z/80", "", 0, 0, 0, 1, 0, 0, ""}});
    AddRules("ConsSet", {{1, "ANK", 0, "(WIDTH+HEIGHT)*2/700", "", 2, 0, 0, 1, 0, 0, ""},
                         {2, "SCR", 0, "(WIDTH+HEIGHT)/1000", "", 0, 0, 0, 1, 0, 0, ""},
                         {2, "ST", 0, "WOOD_SOCKEL_LEN_LIST", "", 0, 0, 0, 1, 0, 1, ""},
                         {2, "DR", 0, "FL_COUNT", "", 0, 0, 0, 1, 0, 0, ""}});
    cat.Catalog("TecList", {{"ID", 2}, {"Name", "Ламинация"}});
    for (const auto& [id, name, formula, condition, number] :
         {std::tuple{11, "Пленка наружная", "SQ_OUTERCOLOR", "DOUBLECOLOR", 1.1},
          std::tuple{12, "Пленка внутренняя", "ПЛОЩАДЬ_ПОКРАС_ВНУТ", "", 1.0},
          std::tuple{13, "Клей", "SQ_COLOR*0.1", "", 1.0}})
      cat.Catalog("TecSet", {"MasterID", "ID", "Name", "Formula", "Condition", "Number", "MatGroup", "Use"},
                  {{2, id, name, formula, condition, number, 4, 1}});
    for (const auto& [component, color, article] :
         {std::tuple{11, "GO", "FILM"}, std::tuple{12, "WH", "FILM"}, std::tuple{13, "GO", "GLUE"}})
      cat.Catalog("TecColor", {{"MasterID", component}, {"ColorID", color}, {"MatID", article}});
    cat.Open();
  }

  void AddRules(const char* Table, const std::vector<TRuleRow>& Rows) {
    for (const TRuleRow& r : Rows)
      cat.Profile(
          Table,
          {"ID", "MatID", "PropKey", "Formula", "Condition", "FRound", "CRound", "SRound", "Number", "CutAngle",
           "Angle1", "Angle2", "CutMap", "MatGroup", "ColorMethod", "AutoColor", "Use", "Step", "ColorAttrMethod"},
          {{r.Set, r.Mat, r.PropKey, r.Formula, r.Condition, r.FRound, r.CRound, r.SRound, r.Number, r.CutAngle, 30.0,
            60.0, r.CutMap, 4, r.ColorMethod, r.AutoColor, 1, r.Step, r.ColorAttrMethod}});
  }

  // The bottom bar of a frame: 1300 mm cut 45 / 45, running leftwards (180 degrees), white.
  static TAccCalcInputs BottomBar(int Set) {
    TAccCalcInputs inputs;
    inputs.Article = "P70";
    inputs.Color = "WH";
    inputs.Angle1 = inputs.Angle2 = 45;
    inputs.Properties = {23};
    inputs.SetID = Set;
    return inputs;
  }

  test::TSmallCatalogue cat;
};

TEST_F(AccCalculators, ProfileRulesRoundingCutAnglesColoursAndProperties) {
  Tkv30ProfListAccCalculator calculator;
  calculator.Measures.Length = 1300;
  calculator.Measures.RotAngle = 180;
  ASSERT_TRUE(calculator.Execute(BottomBar(10)));
  // 1300 / 400 = 3.25 repeats: up 4, down 3, nearest 3, none 3.25. 1.3 m x 2 (CRound has no effect);
  // 1.3 rounded up = 2; condition LEN < 1000 is 0: kept with 0; empty formula: the number 3. %THERMO and
  // the virtual material give nothing; the white cap follows the profile colour to brown. Pieces: 1200 mm
  // x 2 = 2.4 m at 90 / 90, 650 mm at the piece's 45 / 45, 650 mm at the rule's 30 / 60. Property 23
  // against a table of 21 only: not applied; against 31 only: applied (5 pieces).
  const struct {
    const char* ID;
    float Quantity;
    int Count;
    float Length, Angle1, Angle2;
  } expected[] = {{"DR", 4, 0, 0, 0, 0},
                  {"DR", 3, 0, 0, 0, 0},
                  {"DR", 3, 0, 0, 0, 0},
                  {"DR", 3.25f, 0, 0, 0, 0},
                  {"SCR", 2.6f, 0, 0, 0, 0},
                  {"SCR", 2, 0, 0, 0, 0},
                  {"SCR", 0, 0, 0, 0, 0},
                  {"SCR", 3, 0, 0, 0, 0},
                  {"CAP.BR", 1, 0, 0, 0, 0},
                  {"P70.WH", 2.4f, 2, 12000, 90, 90},
                  {"P70.WH", 0.65f, 1, 6500, 45, 45},
                  {"P70.WH", 0.65f, 1, 6500, 30, 60},
                  {"SCR", 5, 0, 0, 0, 0}};
  ASSERT_EQ(calculator.Items.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const Tkv30ProfCalcItem& item = calculator.Items[i];
    EXPECT_EQ(item.ID, expected[i].ID) << i;
    EXPECT_FLOAT_EQ(item.Quantity, expected[i].Quantity) << i;
    EXPECT_EQ(item.Count, expected[i].Count) << i;
    EXPECT_FLOAT_EQ(item.Length, expected[i].Length) << i;
    EXPECT_FLOAT_EQ(item.Angle1, expected[i].Angle1) << i;
    EXPECT_FLOAT_EQ(item.Angle2, expected[i].Angle2) << i;
  }
}

TEST_F(AccCalculators, ARuleThatFailsEndsTheRulesOfItsObjectWithTheCalculatorsMessage) {
  Tkv30ProfListAccCalculator calculator;
  calculator.Measures.Length = 1300;
  try {
    calculator.Execute(BottomBar(11));
    ADD_FAILURE() << "LEN+ evaluated";
  } catch (const EAccCalcError& error) {
    EXPECT_EQ(std::string(error.what())
                  .rfind("Ошибка расчета аксессуаров, привязанных к профилю [Профиль: P70 Аксессуар: SCR]!\r\n[", 0),
              0u)
        << error.what();
  }
  EXPECT_EQ(calculator.Items.size(), 1u);
  EXPECT_THROW(
      try { calculator.Execute(BottomBar(13)); } catch (const EAccCalcError& error) {
        EXPECT_STREQ(error.what(),
                     "Ошибка расчета аксессуаров, привязанных к профилю [Профиль: P70 Аксессуар: SCR]!\r\n"
                     "[Значение правила вне допустимых пределов: 99999*99999]");
        throw;
      },
      EAccCalcError);
}

TEST_F(AccCalculators, ElementRulesRepeatOverTheBaseProfileListAndRefuseBadInputs) {
  Tkv30ConsAccCalculator calculator;
  calculator.Measures = {2, 1300, 1400, {500, 700}};
  TAccCalcInputs inputs;
  inputs.SetID = 2;
  ASSERT_TRUE(calculator.Execute(inputs));
  // (1300 + 1400) / 1000 = 2.7; one base-profile piece per length of the list; two sashes.
  ASSERT_EQ(calculator.Items.size(), 4u);
  EXPECT_FLOAT_EQ(calculator.Items[0].Quantity, 2.7f);
  EXPECT_FLOAT_EQ(calculator.Items[1].Length, 5000);
  EXPECT_FLOAT_EQ(calculator.Items[2].Length, 7000);
  EXPECT_FLOAT_EQ(calculator.Items[3].Quantity, 2);
  inputs.SetID = 0;
  EXPECT_THROW(
      try { calculator.Execute(inputs); } catch (const EAccCalcError& error) {
        EXPECT_STREQ(error.what(), "Не верно заданы параметры расчета аксессуаров рамы / створки.");
        throw;
      },
      EAccCalcError);
}

TEST_F(AccCalculators, TechnologyPaintsBothFacesByAreaInTheirColours) {
  Tkv30TechListAccCalculator calculator;
  // 1.3 m of a profile with 0.07 m2 outside and 0.06 m2 inside per metre: 0.091 and 0.078 m2.
  calculator.Measures = TechMeasures("P70", "P70.WH", 1.3L, true, true);
  TAccCalcInputs inputs;
  inputs.Color = "GO";
  inputs.Color2 = "WH";
  inputs.Count = 2;
  inputs.SetID = 2;
  ASSERT_TRUE(calculator.Execute(inputs));
  // Two pieces: outer film 1.1 x 0.091 x 2 = 0.2002 in GO, inner film 0.078 x 2 = 0.156 in WH, glue
  // (0.091 + 0.078) x 0.1 x 2 = 0.0338.
  ASSERT_EQ(calculator.Items.size(), 3u);
  EXPECT_EQ(calculator.Items[0].ID, "FILM.GO");
  EXPECT_FLOAT_EQ(calculator.Items[0].Quantity, 0.2002f);
  EXPECT_EQ(calculator.Items[1].ID, "FILM.WH");
  EXPECT_FLOAT_EQ(calculator.Items[1].Quantity, 0.156f);
  EXPECT_FLOAT_EQ(calculator.Items[2].Quantity, 0.0338f);
  inputs.Color = "AN";
  EXPECT_EQ(test::CatalogueErrorOf([&] { calculator.Execute(inputs); }),
            "Не могу определить артикул материала по технологической базе цветов. Компонент покраски: Пленка "
            "наружная  Код цвета: AN");
}

TEST_F(AccCalculators, WindowOf1300By1400GathersTheRulesOfPiecesJointsAndElement) {
  Tgx25Construction construction;
  TFrame* frame = construction.NewFrame(1);
  test::BuildRectContour(*frame, {0, 0}, 13000, 14000, 700);
  frame->AddBasePart();
  frame->ID = 1;
  const float lengths[] = {14000, 13000, 14000, 13000};
  for (int i = 0; i < 4; ++i) {
    Tgx25FrameLine& side = *frame->GetFrameLine(i);
    side.Profile.ID = "P71";
    side.Profile.Color = "WH";
    side.ProfSize = {lengths[i], 45, 45};
    side.Steel.ID = "ST";
    side.SteelSize = {lengths[i] - 1000, 90, 90};
  }
  TImpost* mullion = test::AddVerticalImpost(*frame, 6500, 800);
  mullion->Profile = {"M80", "WH"};
  for (Tgx25SimplePoint* end : {mullion->PX1, mullion->PX2}) dynamic_cast<Tgx25Point&>(*end).SubSetID = 2001;
  frame->GetFrameLine(0)->Profile.ColorAttr1 = "GO";
  frame->GetFrameLine(0)->Profile.ColorAttr2 = "WH";
  GatherAccessoryRules(*frame);
  EXPECT_TRUE(cat.Messages.Shown().empty());
  // The cap takes the frame's colour attributes crossed.
  EXPECT_EQ(frame->Materials[0].ColorAttr1, "WH");
  EXPECT_EQ(frame->Materials[0].ColorAttr2, "GO");
  // Drainage caps on the bottom bar only: 1300 / 600 rounded up = 3; a cap on the left side (90
  // degrees); steel screws 2 x (1300 / 300 -> 5) + 2 x (1200 / 300 = 4) = 18; per mullion joint
  // 1400 / 300 -> 5 screws and 80 / 80 = 1 connector, two joints; anchors (1300 + 1400) x 2 / 700 =
  // 7.71 -> 8.
  const std::tuple<std::string, std::string, double> expected[] = {
      {"CAP.WH", "Профиль P71", 1},   {"SCR", "Профиль ST", 18},   {"DR", "Профиль P71", 3},
      {"SCR", "Комбинация 2001", 10}, {"V", "Комбинация 2001", 2}, {"ANK", "Элемент 1", 8}};
  ASSERT_EQ(frame->Materials.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(frame->Materials[i].ID, std::get<0>(expected[i])) << i;
    EXPECT_EQ(frame->Materials[i].Text1, std::get<1>(expected[i])) << i;
    EXPECT_NEAR(frame->Materials[i].Quantity, std::get<2>(expected[i]), 1e-6) << i;
  }
  // The rules of the left side fail at their second rule: shown once, the first rule's screw kept, the
  // third rule not evaluated, the other sides and joints gathered as before.
  frame->GetFrameLine(0)->Profile.ID = "P72";
  frame->Materials.clear();
  GatherAccessoryRules(*frame);
  ASSERT_EQ(cat.Messages.Shown().size(), 1u);
  EXPECT_EQ(cat.Messages.Shown()[0].Text.rfind(
                "Ошибка расчета аксессуаров, привязанных к профилю [Профиль: P72 Аксессуар: SCR]!", 0),
            0u);
  EXPECT_EQ(frame->Materials[0].Text1, "Профиль P72");
  EXPECT_EQ(frame->Materials[0].ID, "SCR");
  EXPECT_EQ(frame->Materials.size(), std::size(expected));
}

}  // namespace
}  // namespace kv
