#include <gtest/gtest.h>

#include "catalogue/small_catalogue.h"
#include "construction/construction.h"
#include "construction/glass.h"
#include "construction/model_builders.h"
#include "construction/profiled_frames.h"
#include "shell/errors.h"

namespace kv {
namespace {

// A frame profile F70 with a glass delta of 20 mm and a bead delta of 70 mm; bead B18 (18 mm) for
// 24 mm glass, its substitute B19 in gold oak but not in the bead combinations; glass articles
// with size limits.
class Glazing : public ::testing::Test {
protected:
  void SetUp() override {
    cat.Profile("ProfList", {"Profile", "Group", "Width", "GlassSize", "BeadSize", "BeadGrp", "AdapterSize"},
                {{"F70", 0, 70.0, 20.0, 70.0, 1, 60.0}});
    cat.Profile("ProfList", {{"Profile", "F0"}, {"Group", 0}, {"Width", 70.0}, {"BeadGrp", 1}});
    cat.Profile("ProfList", {{"Profile", "B18"}, {"Group", 5}, {"Width", 18.0}, {"ColorAlternative", "B19"}});
    cat.Profile("ProfList", {{"Profile", "B19"}, {"Group", 5}, {"Width", 19.0}});
    cat.Profile("ProfList", {"Profile", "Group", "Width", "GlassSize", "BeadSize", "AdapterCorrect"},
                {{"A6", 6, 6.0, 3.0, 5.0, 1.0}});
    cat.Profile("BeadComb",
                {"ID", "ProfGrp", "Thickness", "BeadGrp", "Bead", "ProfRubber", "BeadRubber", "Lining_1", "Number_1",
                 "Lining_2", "Number_2"},
                {{"1", 1, 24, 1, "B18", "R1", "R2", "L3", 4, "L5", 2}});
    cat.Profile("BeadComb",
                {{"ID", "2"}, {"ProfGrp", 1}, {"Thickness", 4}, {"BeadGrp", 2}, {"Bead", "B18"}, {"Adapter", "A6"}});
    cat.Catalog("Catalog", {"ID", "Article", "FrontColor"},
                {{"B18.WH", "B18", "WH"},
                 {"A6.WH", "A6", "WH"},
                 {"B18.GO", "B18", "GO"},
                 {"A6.GO", "A6", "GO"},
                 {"B18.AN", "B18", "AN"},
                 {"B19.RD", "B19", "RD"},
                 {"B19.BR", "B19", "BR"}});
    cat.Catalog("Catalog", {"ID", "Article", "Group", "Thickness", "MaxWidth", "MaxHeight", "MinWidth", "MinHeight"},
                {{"G24", "G24", 2, 24, 2000, 900, 300, 300},
                 {"G9", "G9", 2, 24, 900, 900, 300, 300},
                 {"G32", "G32", 2, 32, 2000, 2000, 100, 100},
                 {"G4", "G4", 2, 4, 2000, 2000, 100, 100}});
    cat.Open();
  }
  // The glazed part of a frame of W x H model units.
  Tgx30CustomPart& PartUnits(int32_t W, int32_t H, const std::string& Color = "WH") {
    return test::BuildProfiledFrame(frame, W, H, "F70", Color);
  }
  // The glazed part of a frame whose glass comes out W x H mm (the frame is 40 mm larger).
  Tgx30CustomPart& Part(int32_t W, int32_t H, const std::string& Color = "WH") {
    return PartUnits((W + 40) * 10, (H + 40) * 10, Color);
  }
  std::string GlassError(Tgx30CustomPart& Target, const std::string& Article) {
    return test::ErrorOf<EInterfaceError>([&] { Target.ChangeGlass(Article); });
  }
  test::TSmallCatalogue cat;
  TFrame frame{nullptr, 1};
};

TEST_F(Glazing, GlassTakesItsContourBeadSealsAndPackers) {
  Tgx30CustomPart& part = Part(1000, 800);
  part.ChangeGlass("G24");
  const Tgx25Glass& glass = *part.Glass;
  EXPECT_EQ(part.FillType, ftGlass);
  EXPECT_EQ(glass.Thickness, 24);
  EXPECT_EQ(glass.CombineID, 1);
  EXPECT_EQ(glass.Bead, (TColorProf{"B18", "WH"}));
  EXPECT_EQ(glass.ProfRubber.ID, "R1");
  EXPECT_EQ(glass.BeadRubber.ID, "R2");
  EXPECT_TRUE(glass.Adapter.Empty());
  EXPECT_EQ(glass.GetInternalSize(), (TSize{10000, 8000}));
  EXPECT_EQ(glass.GetSizeInt(), (TSize{1000, 800}));
  EXPECT_EQ(glass.GetLeftTop(), (TPoint{200, 200}));
  EXPECT_NEAR(static_cast<double>(glass.Square()), 0.8, 1e-12);    // 1.0 x 0.8 m
  EXPECT_NEAR(static_cast<double>(glass.Perimeter()), 3.6, 1e-9);  // 2 x (1.0 + 0.8) m
  EXPECT_TRUE(glass.StdGlass());
  ASSERT_EQ(glass.Linings.size(), 2u);
  EXPECT_EQ(glass.Linings[0], Tgx25GlassLining::CreateInit("L3", 4));
  // The bead stands on the light (70 mm in) and is measured at its back edge, 18 mm further out.
  ASSERT_EQ(glass.BeadSizes.Lines.size(), 4u);
  const auto& top = static_cast<const Tgx25ProfileLine&>(*glass.BeadSizes.Lines[1]);
  EXPECT_EQ(top.Profile, "B18");
  EXPECT_NEAR(top.Length, 10400 - 1400 + 360, 0.01);
  EXPECT_FLOAT_EQ(top.Angle1, 45);
  EXPECT_EQ(glass.BeadSizes.BarNumbers, (std::vector<std::string>{"1", "2", "3", "4"}));
}

TEST_F(Glazing, AdapterMovesGlassAndBead) {
  Tgx30CustomPart& part = Part(1000, 800);
  ASSERT_TRUE(part.SetNewGlass(0) != nullptr);
  part.Glass->Thickness = 4;
  part.Glass->Glass = "G4";
  part.Glass->UpdateGlass(2);
  const Tgx25Glass& glass = *part.Glass;
  EXPECT_EQ(glass.Adapter, (TColorProf{"A6", "WH"}));
  // Glass: 20 mm of the frame plus 3 mm of the adapter; bead 70 + 5; adapter 60 + 1.
  EXPECT_EQ(glass.GetInternalSize(), (TSize{10400 - 460, 8400 - 460}));
  EXPECT_EQ(glass.BeadSizes.GetInternalSize(), (TSize{10400 - 1500, 8400 - 1500}));
  EXPECT_EQ(glass.AdapterSizes.GetInternalSize(), (TSize{10400 - 1220, 8400 - 1220}));
}

// Frames of W x H model units give a glass 400 units smaller (20 mm of the frame on each side).
TEST_F(Glazing, SizeLimitsAndBeadsAreChecked) {
  const struct {
    int32_t W, H;
    const char* Color;
    const char* Glass;
    const char* Error;
  } cases[] = {
      // 1000 x 1000 against a largest 2000 x 900: it fits when turned.
      {10400, 10400, "WH", "G24", "no error"},
      {10400, 10400, "WH", "G9",
       "Размеры стекла [G9] = [1000,0 x 1000,0] превышают\r\nмаксимальные размеры согласно каталога\r\n[900 x 900]"},
      {9400, 9400, "WH", "G9", "no error"},
      {9401, 9401, "WH", "G9",
       "Размеры стекла [G9] = [900,1 x 900,1] превышают\r\nмаксимальные размеры согласно каталога\r\n[900 x 900]"},
      // The smallest size itself is refused.
      {3400, 3400, "WH", "G24",
       "Размеры стекла [300,0 x 300,0] меньше минимально\r\nдопустимых согласно документации [300 x 300]!"},
      {3410, 3410, "WH", "G24", "no error"},
      {10400, 8400, "WH", "G32",
       "Невозможно подобрать комбинацию штапика для стеклопакета [32] и ограничивающего профиля [F70]!"},
      {10400, 8400, "RD", "G24",
       "В каталоге отсутствует профиль [B18] с цветом [RD]!\r\nЗамена [B19] не допустима согласно БД "
       "комбинаций штапиков."},
      {10400, 8400, "WO", "G24",
       "В каталоге отсутствует профиль [B18] с цветом [WO]!\r\nЗамена [B19] также отсутствует с этим цветом."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Glass << " in " << c.W << " x " << c.H << " " << c.Color);
    frame.ClearParts();
    frame.ClearLines();
    frame.ClearPoints();
    EXPECT_EQ(GlassError(PartUnits(c.W, c.H, c.Color), c.Glass), c.Error);
  }
}

TEST_F(Glazing, SemicircularGlassSquaresItsBoundingBox) {
  // A frame of two corners: a half circle of radius 520 mm over a straight bottom without glass
  // delta; the glass is the half circle of radius 500 mm over 1000 mm.
  frame.AddPoint(std::make_unique<Tgx25FramePoint>(&frame, TPoint{0, 5200}));
  frame.AddPoint(std::make_unique<Tgx25FramePoint>(&frame, TPoint{10400, 5200}));
  for (const char* profile : {"F70", "F0"}) {
    auto* side =
        static_cast<Tgx25FrameLine*>(frame.AddLine(std::make_unique<Tgx25FrameLine>(&frame, nullptr, nullptr)));
    side->SetProfile(profile, "WH");
  }
  frame.UpdateLinePointPtr();
  frame.Lines[0]->SetFullRadius();
  auto& part = static_cast<Tgx30CustomPart&>(*frame.AddBasePart());
  part.ChangeGlass("G24");
  const Tgx25Glass& glass = *part.Glass;
  EXPECT_EQ(glass.GetInternalSize(), (TSize{10000, 5000}));
  EXPECT_NEAR(static_cast<double>(glass.Square()), 0.5, 1e-12);
  EXPECT_EQ(glass.GetArcCount(), 1);
  EXPECT_FALSE(glass.StdGlass());
  EXPECT_EQ(glass.GetRadiusInfo(), "R[1] = 500,0");
}

// A contour of straight sides through the corners.
TFillContour StraightContour(std::initializer_list<TPoint> corners) {
  TFillContour contour;
  for (const TPoint& corner : corners) contour.push_back(TContourSide{corner, 0, TPointF{}});
  return contour;
}

TEST(SimpleFrames, OrderOfTheCorners) {
  Tgx25SimpleFrame frame;
  frame.SetContour(StraightContour({{0, 0}, {0, 100}, {100, 100}, {100, 0}}));
  // Counter-clockwise on the screen: refused.
  EXPECT_THROW(frame.SortPoints(), ECreationError);
  frame.ChangePointDirection();
  frame.SortPoints();
  EXPECT_EQ(frame.Points[0]->GetPoint(), (TPoint{0, 100}));
  EXPECT_EQ(frame.Points[1]->GetPoint(), (TPoint{0, 0}));
  EXPECT_EQ(frame.Lines[3]->PX2, frame.Points[0].get());
  Tgx25SimpleFrame same;
  same.SetContour(StraightContour({{0, 100}, {0, 0}, {100, 0}, {100, 100}}));
  EXPECT_TRUE(frame.EqualContour(same));
  same.Lines[1]->Radius = 10;
  EXPECT_FALSE(frame.EqualContour(same));
  EXPECT_NEAR(static_cast<double>(frame.Angle(0)), 90, 1e-9);
}

}  // namespace
}  // namespace kv
