#include <gtest/gtest.h>

#include "calc/acc_doc.h"
#include "calc/addon_currency.h"
#include "calc/construction_calc.h"
#include "calc/gathering.h"
#include "catalogue/small_catalogue.h"
#include "construction/construction_counts.h"
#include "construction/demo_catalogue.h"
#include "construction/demo_windows.h"
#include "construction/glass.h"
#include "construction/imposts.h"
#include "construction/model_builders.h"

namespace kv {
namespace {

using test::TSmallCatalogue;

using test::Money;

// Steps of a calculation method: No, name, formula, condition, first two parameters, printable,
// no print of zero.
struct TStepRow {
  int No;
  const char* Name;
  const char* Formula;
  const char* Condition;
  int Param1, Param2;
  int Printable, NoPrintZero;
};

// A small catalogue: frame profile P70 at 5 EUR (rate 2) with 10 % waste, sash profile S77 at 6 EUR,
// mullion M80 at 4 roubles without waste, glass unit G24 bought by the area grid of list 7, glass
// unit GD made from its documentation (its own 30 roubles per m2 unused) with a spacer SP by its
// perimeter (2 roubles per metre), and further size-grid priced materials.
class ConstructionCalc : public ::testing::Test {
protected:
  void SetUp() override {
    cat.Catalog("Currency", {{"ID", 0}, {"Name", "руб."}, {"Value", 1.0}, {"Dec", 2}});
    cat.Catalog("Currency", {{"ID", 1}, {"Name", "EUR"}, {"Value", 2.0}, {"Dec", 2}});
    cat.Catalog("DustGrp", {{"GroupID", 1}, {"Dust", 10.0}, {"LamDust", 10.0}});
    cat.Catalog("PriceGrp", {{"GroupID", 1}, {"Reduce_2", -10.0}});
    cat.Catalog("CustmGrp", {{"GroupID", 1}, {"Tax", 5.0}});
    for (const auto& [id, article, price, currency, dust] :
         {std::tuple{"P70.WH", "P70", "5", 1, 1}, std::tuple{"S77.WH", "S77", "6", 1, 1},
          std::tuple{"M80.WH", "M80", "4", 0, 0}, std::tuple{"B26.WH", "B26", "1", 0, 0},
          std::tuple{"F64.WH", "F64", "2", 0, 0}})
      cat.Catalog("Catalog",
                  {"ID", "Article", "FrontColor", "Group", "Price", "Currency", "DustGrp", "PriceGrp", "GetCustom",
                   "CustomGrp", "GetNDS", "MinTrade"},
                  {{id, article, "WH", 0, Money(price), currency, dust, 1, 1, 1, 1, 0.5}});
    cat.Catalog("Catalog",
                {{"ID", "GD"}, {"Article", "GD"}, {"Group", 2}, {"Price", Money("30")}, {"CalcPrinciple", 1}});
    cat.Catalog("Catalog", {{"ID", "SP"}, {"Article", "SP"}, {"Group", 11}, {"Price", Money("2")}});
    cat.Insert(TDatabaseAlias::GXDB_Accessory, "AccDoc",
               {"ID", "MatID", "Principle", "Number", "Expense", "Use", "MatGroup"},
               {{"GD", "SP", 4, 1.0, 1000.0, 1, 11}});
    // Grid priced materials: by area (list 7) and by width and height (list 8); list 9 is missing.
    for (const auto& [id, list] : {std::pair{"G24", 7}, std::pair{"GA", 7}, std::pair{"GW", 8}, std::pair{"GX", 9}})
      cat.Catalog("Catalog", {{"ID", id}, {"Group", 300}, {"PriceMethod", 1}, {"PriceList", list}});
    cat.Catalog("PriceLst", {{"ID", 7}, {"Param", 0}, {"Currency", 0}});
    cat.Catalog("PriceLst", {{"ID", 8}, {"Param", 1}, {"Currency", 0}});
    cat.Catalog("PriceGrd", {"ID", "Size1", "Size2", "Price"},
                {{7, 1.0, 0.0, Money("50")}, {7, 3.0, 0.0, Money("40")}, {8, 1000.0, 1000.0, Money("70")}});
    // Fillings told apart by kind: a one- and a two-chamber bought unit (panes in the article),
    // single glass, a plastic panel.
    for (const auto& [id, group] :
         {std::pair{"4-16-4", 300}, std::pair{"4-10-4-10-4", 300}, std::pair{"4S", 11}, std::pair{"PV", 2}})
      cat.Catalog("Catalog", {{"ID", id}, {"Article", id}, {"Group", group}});
    // Film per metre on P70 in EUR, priced per side; the gold decor costs a quarter more.
    cat.Catalog("LamList", {{"ID", 1}, {"Currency", 1}, {"DblMethod", 0}});
    cat.Catalog(
        "LamPrice",
        {{"ID", 1}, {"Article", "P70"}, {"Qty", 50.0}, {"InnerPrice", Money("1")}, {"OuterPrice", Money("1.5")}});
    cat.Catalog("LamColor", {{"ID", 1}, {"Color", "GO"}, {"PriceCoef", 1.25}});
    AddAccDocRows();
    AddMethod(1, {{1, "Профиль", "a", "", 10, 0, 1, 1},
                  {2, "Стекло %.2f1 м2", "b", "", 202, 12, 1, 1},
                  {3, "", "[STOP]", "", 0, 0, 1, 1},
                  {4, "После остановки", "1", "", 0, 0, 1, 1}});
    AddMethod(2, {{1, "Профиль", "a", "", 10, 0, 1, 1},
                  {2, "Сварка %d1 + %d2 углов", "(a+b)*5", "", 152, 153, 1, 1},
                  {3, "Створки", "a*100", "", 102, 0, 1, 1},
                  {4, "Импосты", "a*10", "", 103, 0, 1, 1}});
    AddMethod(3, {{1, "Условие 0,5", "7", "1/2", 0, 0, 1, 0},
                  {2, "Условие 1", "5", "2/2", 0, 0, 1, 1},
                  {3, "Ноль", "0", "", 0, 0, 1, 1}});
    AddMethod(4, {{1, "Первая", "1", "", 0, 0, 1, 1}, {1, "Вторая", "2", "", 0, 0, 1, 1}});
    AddMethod(5, {{1, "Неверная формула", "1+*", "", 0, 0, 1, 1}});
    cat.Open();
  }

  // Rows of material T1 whose conditions read ((width > 999) and (height < 100)) or always.
  void AddAccDocRows() {
    cat.Insert(TDatabaseAlias::GXDB_Accessory, "AccDoc",
               {"ID", "MatID", "Principle", "Const", "Number", "CutMap", "StepCond", "Use", "Sign_1", "Param_11",
                "Const_1", "Sign_2", "Param_21", "Const_2", "Logic_2"},
               {{"T1", "W1", 1, -20.0, 2.0, 0, 0, 1, 3, 1, -1.0, 2, 2, 100.0, 1},
                {"T1", "FR", 7, 0.0, 1.0, 1, 0, 1, 3, 1, -1.0, 2, 2, 100.0, 1},
                {"T1", "PR", 4, 0.0, 1.0, 0, 4, 1, 3, 1, -1.0, 2, 2, 100.0, 1}});
  }

  void AddMethod(int ID, const std::vector<TStepRow>& Rows) {
    cat.Catalog("CalcMeth", {{"ID", ID}, {"Currency", 0}});
    for (const TStepRow& r : Rows)
      cat.Catalog(
          "CalcSchm",
          {"ID", "No", "Name", "Formula", "Condition", "Param1", "Param2", "Printable", "NoPrintZero", "Use", "Dec",
           "Dec1", "Dec2"},
          {{ID, r.No, r.Name, r.Formula, r.Condition, r.Param1, r.Param2, r.Printable, r.NoPrintZero, 1, 2, 2, 2}});
  }

  // A 1000 x 1000 mm frame of P70, every side cut 1006 mm at 45 degrees, 3 mm weld allowance.
  TFrame& AddFrame() {
    TFrame* frame = construction.NewFrame(1);
    test::BuildRectContour(*frame, {0, 0}, 10000, 10000, 700);
    frame->AddBasePart();
    frame->WeldAllowance = 30;
    SetSides(*frame, "P70", {10060, 10060, 10060, 10060});
    return *frame;
  }

  static void SetSides(TCustomFrame& Element, const std::string& Profile, const std::vector<float>& Lengths) {
    for (int i = 0; i < 4; ++i) {
      Element.GetFrameLine(i)->Profile.ID = Profile;
      Element.GetFrameLine(i)->Profile.Color = "WH";
      Element.GetFrameLine(i)->ProfSize = {Lengths[static_cast<size_t>(i)], 45, 45};
    }
  }

  // Glass of W x H mm in the part.
  static void Glaze(Tgx25Glass& Glass, int32_t W, int32_t H, const char* Article = "GD") {
    Glass.Glass = Article;
    Glass.GlassSizes.SetContour(
        {{{0, H * 10}, 0, {}}, {{0, 0}, 0, {}}, {{W * 10, 0}, 0, {}}, {{W * 10, H * 10}, 0, {}}});
  }

  bool Calculate(int Method) {
    TConstructionCalcContext context;
    context.CalcMethod = Method;
    return GatherInfo(construction, context);
  }

  TSmallCatalogue cat;
  Tgx25Construction construction;
};

TEST_F(ConstructionCalc, FixedWindowPricesProfileWithWasteAndGlassUnitOnceByItsSpacer) {
  TFrame& frame = AddFrame();
  Glaze(*test::CustomPart(frame, 0)->SetNewGlass(0), 900, 800);
  ASSERT_TRUE(Calculate(1));
  // Three pieces of 1006 mm merged; 3 mm allowance at a 45 degree mitre: 3 / sin 45 = 4.24 mm. The
  // bottom piece has its drainage slots and stays apart: outer at 85 and 1006 - 85 = 921, rebate at
  // 45 and 961.
  const TCutMapList pieces = GetCutMap(construction);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(CutMapCount(pieces[0]), 3);
  EXPECT_TRUE(test::Contains(pieces[0].Info, "GRP=0\r\nWLD=4,2;4,2\r\nDIR=Левая"));
  EXPECT_TRUE(test::Contains(pieces[1].Info, "DIR=Нижняя\r\nDRNA=85,0;921,0\r\nDRNB=45,0;961,0"));
  // Profile 4 x 1.006 m x 1.1 = 4.4264 m at 5 EUR x 2 = 10 -> 44.264; the unit made from its
  // documentation costs only its spacer (900 + 800) x 2 = 3.4 m x 2 = 6.80. The [STOP] row ends
  // the method after two steps.
  ASSERT_EQ(construction.EstimateList.size(), 2u);
  EXPECT_EQ(construction.EstimateList[0].Cost, Money("44.26"));
  EXPECT_EQ(construction.EstimateList[1].Name, "Стекло 0,72 м2");
  EXPECT_EQ(construction.EstimateList[1].Cost, Money("6.80"));
  EXPECT_EQ(GetEstimateTotal(construction), Money("51.06"));
}

TEST_F(ConstructionCalc, WindowWithMullionAndSashCountsPiecesWeldsAndSashes) {
  TFrame& frame = AddFrame();
  TImpost* mullion = test::AddVerticalImpost(frame, 5000, 800);
  mullion->Profile = {"M80", "WH"};
  mullion->ProfSize = {9860, 90, 90};
  Glaze(*test::CustomPart(frame, 0)->SetNewGlass(0), 400, 900, "G24");
  TFlugel* sash = test::AddFlugel(*test::CustomPart(frame, 1), 100, 770);
  SetSides(*sash, "S77", {9000, 4200, 9000, 4200});
  Glaze(*test::CustomPart(*sash, 0)->Glass, 300, 800);
  ASSERT_TRUE(Calculate(2));
  const TCutMapList pieces = GetCutMap(construction);
  // Bottom pieces with their slots: the frame's rebate slots keep 45 mm from the mullion joint at 500
  // (455, 545); the sash's 420 mm piece: outer 85 and 335, rebate 45 and 375.
  const std::tuple<std::string, double, int, std::string> expected[] = {
      {"P70", 1006, 3, "DIR=Левая"},
      {"P70", 1006, 1, "DRNA=85,0;921,0\r\nDRNB=45,0;455,0;545,0;961,0"},
      {"S77", 900, 2, "GRP=1"},
      {"S77", 420, 1, "DIR=Верхняя"},
      {"S77", 420, 1, "DRNC=85,0;335,0\r\nDRND=45,0;375,0"},
      {"M80", 986, 1, "GRP=3\r\nDIR=Вертикальный"}};
  ASSERT_EQ(pieces.size(), std::size(expected));
  for (size_t i = 0; i < pieces.size(); ++i) {
    EXPECT_EQ(pieces[i].ID, std::get<0>(expected[i]));
    EXPECT_EQ(pieces[i].Length, std::get<1>(expected[i]));
    EXPECT_EQ(CutMapCount(pieces[i]), std::get<2>(expected[i]));
    EXPECT_TRUE(test::Contains(pieces[i].Info, std::get<3>(expected[i])));
  }
  // The bought unit by the area grid: 0.4 x 0.9 = 0.36 m2 in the 1.0 m2 row at 50 = 18.00; the sash's
  // unit only by its spacer, (300 + 800) x 2 = 2.2 m x 2 = 4.40.
  EXPECT_EQ(GetGroupCost(construction, 2, ckCost), Money("18"));
  EXPECT_EQ(GetGroupCost(construction, 11, ckCost), Money("4.40"));
  // Profiles: 44.264 -> 44.26; sash 2.64 m x 1.1 x 12 = 34.848 -> 34.85; mullion 0.986 x 4 = 3.944 -> 3.94.
  // Welds (4 + 4) x 5 = 40, one sash 100, one mullion 10.
  ASSERT_EQ(construction.EstimateList.size(), 4u);
  EXPECT_EQ(construction.EstimateList[0].Cost, Money("83.05"));
  EXPECT_EQ(construction.EstimateList[1].Name, "Сварка 4 + 4 углов");
  EXPECT_EQ(GetEstimateTotal(construction), Money("233.05"));
}

TEST_F(ConstructionCalc, GlazingBarsAndFalseMullionsAreCutPieces) {
  TFrame& frame = AddFrame();
  Tgx25Glass& glass = *test::CustomPart(frame, 0)->SetNewGlass(0);
  Glaze(glass, 900, 800);
  auto& bar = glass.CreateSprossFrame()->Imposts.emplace_back(
      std::make_unique<Tgx25Spross>(glass.SprossFrame.get(), nullptr, nullptr));
  bar->Profile = {"B26", "WH"};
  bar->ProfSize = {8000, 90, 90};
  auto falsh = std::make_unique<TFalsh>(glass.CreateFalshFrame(), nullptr, nullptr);
  falsh->Profile = {"F64", "WH"};
  falsh->ProfSize = {9000, 90, 90};
  falsh->BackProfile = {"F64", "WH"};
  falsh->BackProfSize = {8800, 90, 90};
  glass.FalshFrame->Imposts.push_back(std::move(falsh));
  ASSERT_TRUE(Calculate(1));
  // After the two frame pieces: the glazing bar 800 mm, the false mullion 900 mm on the outer face
  // and 880 mm on the inner one.
  const TCutMapList pieces = GetCutMap(construction);
  const std::tuple<int, std::string, double> expected[] = {{Tgx25CutMapItem::cgSpross, "B26", 800},
                                                           {Tgx25CutMapItem::cgFalsh, "F64", 900},
                                                           {Tgx25CutMapItem::cgFalsh, "F64", 880}};
  ASSERT_EQ(pieces.size(), 2 + std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(pieces[i + 2].Group, std::get<0>(expected[i]));
    EXPECT_EQ(pieces[i + 2].ID, std::get<1>(expected[i]));
    EXPECT_EQ(pieces[i + 2].Length, std::get<2>(expected[i]));
  }
}

TEST_F(ConstructionCalc, LaminatingCostAndAddOnsInTheOrderCurrency) {
  AddFrame();
  construction.ColorVariant = kColorVariantLamPriceList;
  construction.ColorPriceList = 1;
  construction.OuterColor = "GO";
  // Two sills of SP, 2000 x 500 mm, each with one SP cap.
  Tgx25CustomSill& sill = construction.SillList.emplace_back();
  sill.Text1 = "SP";
  sill.Int1 = 2;
  sill.Int2 = 2000;
  sill.Int3 = 500;
  sill.Materials = {{"SP", "", 0, 0, 0, 0, 0, 0, 1, 0, {}, true, Tgx25CustMatItem::ckCounted, 0}};
  ASSERT_TRUE(Calculate(1));
  // Outer film 1.5 EUR x 2 = 3 per metre of the 4.4264 m of P70 = 13.2792, x 1.25 = 16.599 -> 16.60,
  // joining the profile cost 44.26.
  EXPECT_EQ(construction.EstimateList[0].Cost, Money("60.86"));
  EXPECT_EQ(GetGroupLam(construction, 0), Money("16.60"));
  // A sill piece: 2 x 0.5 m = 1 m2 at 2 = 2, its cap 2: 4. Two pieces: 4 in the sills, 4 in their
  // components, no film.
  EXPECT_EQ(sill.Money1, Money("4"));
  EXPECT_EQ(GetGroupCost(construction, 5, ckTotal), Money("4"));
  EXPECT_EQ(GetGroupCost(construction, 12, ckTotal), Money("4"));
  EXPECT_EQ(GetGroupLam(construction, 5), TCurrency());
  // Add-on money from roubles into EUR (rate 2) to whole cents: 3.333 / 2 = 1.6665 -> 1.67.
  construction.SillList.resize(1);
  construction.SillList[0].Money1 = Money("3.333");
  construction.AccessoryDocList.resize(1);
  construction.AccessoryDocList[0].Money1 = Money("10");
  ConvertAddOnCosts(construction, 0, 1);
  EXPECT_EQ(construction.SillList[0].Money1, Money("1.67"));
  EXPECT_EQ(construction.AccessoryDocList[0].Money1, Money("5"));
}

TEST_F(ConstructionCalc, FillingCodesByKindAndFigure) {
  TFrame& frame = AddFrame();
  Tgx25Glass& glass = *test::CustomPart(frame, 0)->SetNewGlass(0);
  // One rectangular filling of 900 x 800 mm: 0.72 m2, perimeter 3.4 m; a code not listed is 0.
  struct TCase {
    const char* Article;
    std::vector<std::pair<int, double>> Codes;
  };
  const TCase cases[] = {
      {"4-16-4",
       {{140, 1},
        {211, 1},
        {212, 0},
        {214, 0.72},
        {224, 1},
        {225, 0},
        {227, 1},
        {228, 1},
        {231, 0},
        {241, 3.4},
        {252, 0.72},
        {256, 0.72},
        {260, 0},
        {268, 1},
        {269, 1},
        {270, 0},
        {272, 2}}},
      {"4-10-4-10-4", {{231, 1}, {232, 1}, {227, 0}, {243, 3.4}, {260, 0.72}, {268, 2}, {270, 2}, {273, 3}}},
      {"4S", {{143, 1}, {217, 1}, {218, 0.72}, {219, 0}, {239, 3.4}, {245, 0.72}, {140, 0}, {268, 0}}},
      {"PV", {{142, 1}, {221, 1}, {240, 3.4}, {248, 0.72}, {249, 0.72}, {140, 0}}}};
  for (const TCase& c : cases) {
    Glaze(glass, 900, 800, c.Article);
    for (const auto& [code, value] : c.Codes)
      EXPECT_NEAR(static_cast<double>(GetConstructionMeasure(construction, code)), value, 1e-9)
          << c.Article << " code " << code;
  }
}

TEST_F(ConstructionCalc, MethodRulesAndTheirMessages) {
  AddFrame();
  // A condition of 0.5 does not hold (printed as 0 without NoPrintZero); 1 holds; a zero with NoPrintZero is left out.
  ASSERT_TRUE(Calculate(3));
  ASSERT_EQ(construction.EstimateList.size(), 2u);
  EXPECT_EQ(construction.EstimateList[0].Cost, TCurrency());
  EXPECT_EQ(construction.EstimateList[1].Cost, Money("5"));
  for (const auto& [method, message] :
       {std::pair{
            4, "Ошибка расчета стоимости изделиия [Строка: 1]!\r\nВ схеме присутствуют 2 строки с одинаковым номером."},
        std::pair{
            5,
            "Ошибка расчета стоимости изделиия [Строка: 1]!\r\nОшибка в формуле в строке № 1! Error in Expression"}}) {
    cat.Messages.Clear();
    EXPECT_FALSE(Calculate(method));
    ASSERT_EQ(cat.Messages.Shown().size(), 1u);
    EXPECT_EQ(cat.Messages.Shown()[0].Text, message);
  }
  std::string name = "Стекло %.2f1 м2, %d2 шт.";
  Tgx25ConstructionCalculator::GetFormattedNameStr(name, '1', 1.456L);
  Tgx25ConstructionCalculator::GetFormattedNameStr(name, '2', 2.0L);
  EXPECT_EQ(name, "Стекло 1,46 м2, 2 шт.");
}

TEST_F(ConstructionCalc, PriceListsItemPricingAndAccessoryDocumentationRows) {
  // 2000 x 1600 mm = 3.2 m2 beyond the largest row (3.0) takes it; 0.5 m2 takes the first row.
  EXPECT_EQ(GetPriceFromCat("GA", 2000, 1600).Price, Money("40"));
  EXPECT_EQ(GetPriceFromCat("GA", 1000, 500).Price, Money("50"));
  EXPECT_EQ(test::CatalogueErrorOf([] { GetPriceFromCat("GW", 1200, 800); }),
            "В прайс-листе № 8 отсутствует цена для\r\nматериала [GW] c размерами [1200 x 800]");
  EXPECT_EQ(test::CatalogueErrorOf([] { GetPriceFromCat("GX", 100, 100); }),
            "В справочнике не найден прайс-лист № 9,\r\nкоторый указан для материала [GX]!");
  EXPECT_EQ(test::CatalogueErrorOf([] { GetPriceFromCat("NOPE", 0, 0); }), "В каталоге не найден материал [NOPE]!");
  // 2.1 m rounded up to the trade quantity 0.5 -> 2.5 m; 10 less 10 % = 9; cost 22.50, customs 5 % = 1.125,
  // VAT 20 % of 23.625 = 4.725.
  TMatList list(1);
  list[0].ID = "P70.WH";
  list[0].Quantity = 2.1;
  CalculateMatList(list, {0, 2, 20, 1});
  EXPECT_DOUBLE_EQ(list[0].Quantity, 2.5);
  EXPECT_EQ(list[0].Price, Money("9"));
  EXPECT_EQ(list[0].Cost, Money("22.5"));
  EXPECT_EQ(list[0].CustomCost, Money("1.125"));
  EXPECT_EQ(list[0].NDSCost, Money("4.725"));
  TAccDocMeasures m{1000, 500, 0.5, 3000, {1000, 500, 1000, 500}, 4};
  TCustMatList rows;
  BuildMatList("T1", m, rows);
  // (width > 999 and height < 100) or always: 2 x (1000 - 20) / 1000 = 1.96; the glass frame as two
  // pieces of each length, 90 / 90; perimeter 3000 repeated 3000 times with step 0 taken as 1.
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_DOUBLE_EQ(rows[0].Quantity, 1.96);
  EXPECT_EQ(rows[1].Length, 1000);
  EXPECT_EQ(rows[1].Quantity, 2);
  EXPECT_EQ(rows[2].Length, 500);
  EXPECT_EQ(rows[2].Angle1, 90);
  EXPECT_EQ(rows[2].Kind, Tgx25CustMatItem::ckPiece);
  EXPECT_DOUBLE_EQ(rows[3].Quantity, 9000000);
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// Gathering starts with the static check when the construction asks for it: a frame 3100 wide
// breaks the demo limit of 3000 x 2400 for the base colour and stops the calculation there.
TEST(ConstructionCalcStatics, GatheringStopsAtABrokenFrameLimit) {
  test::TDemoCatalogue catalogue;
  auto wide = test::BuildDemoWindow(3100, 1400, {}, {});
  wide->CheckStaticOnSave = true;
  try {
    GatherInfo(*wide, StandaloneCalcContext(*wide));
    ADD_FAILURE() << "a frame wider than 3000";
  } catch (const EStaticError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Размеры рамы [3100,0 x 1400,0] превышают\r\nмаксимально допустимые [3000 x 2400]!");
  }
}

}  // namespace
}  // namespace kv
