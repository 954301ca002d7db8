#include <gtest/gtest.h>

#include <algorithm>

#include "construction/demo_catalogue.h"
#include "construction/demo_windows.h"
#include "design/draw_construction.h"
#include "design/draw_geometry.h"
#include "design/recording_canvas.h"
#include "design/report_sketch.h"

namespace kv {
namespace {

using test::TCanvasCall;
using test::TRecordingCanvas;

// The profiles of frames, sashes and mullions, the glass, the fittings and the nets; no chains.
const Tgx25DrawStyles kPlain{drsFrameVisible, drsFlugelVisible, drsImpostVisible,
                             drsGlassVisible, drsFurnVisible,   drsMosquitoVisible};

class Drawing : public ::testing::Test {
protected:
  test::TDemoCatalogue catalogue;
  // 1300 x 1400 mm, a mullion at 650 mm, a sash in the right field.
  std::unique_ptr<Tgx25Construction> window = test::BuildDemoWindow(1300, 1400, {650}, {2});
  TFrame& frame = *window->GetFrame(0);
  TFlugel& sash = *Flugels(*window).begin();

  TRecordingCanvas DrawWhole(const Tgx25DrawStyles& Styles, float Zoom, bool Regions = false) {
    TRecordingCanvas canvas;
    TDrawPlacement placement;
    TDrawView view;
    DrawConstruction(*window, canvas, {0, 0, 1200, 900}, ScrPenWidth, Styles, Regions, Zoom, placement, view);
    return canvas;
  }
  // The sash alone at one model unit a pixel, no offsets.
  TRecordingCanvas DrawSashAtScaleOne(const Tgx25DrawStyles& Styles) {
    TRecordingCanvas canvas;
    Draw(sash, canvas, {ScrPenWidth, Styles, false, 1});
    return canvas;
  }
};

TPixelRect Extent(const TRecordingCanvas& Canvas) {
  TPixelRect box{1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
  for (const TCanvasCall& call : Canvas.OfKind(TCanvasCall::Polygon))
    for (const TPoint& p : call.Points)
      box = {std::min(box.Left, p.X), std::min(box.Top, p.Y), std::max(box.Right, p.X), std::max(box.Bottom, p.Y)};
  return box;
}

TEST_F(Drawing, ZoomZeroIsZoomOneZoomTwoHalvesThePictureAndDimensionsInMillimetres) {
  // Room 1180 x 880 (10 pixels each side); 13000 / 14000 < 1180 / 880, so the height rules:
  // scale 14000 / 880 = 15.909, picture 817 x 880 at (191, 10). Zoom 2: scale 31.818, picture
  // 409 x 440 at ((1180 - 409) div 2 + 10, (880 - 440) div 2 + 10) = (395, 230).
  EXPECT_EQ(Extent(DrawWhole(kPlain, 1)), (TPixelRect{191, 10, 1008, 890}));
  EXPECT_EQ(Extent(DrawWhole(kPlain, 0)), Extent(DrawWhole(kPlain, 1)));
  EXPECT_EQ(Extent(DrawWhole(kPlain, 2)), (TPixelRect{395, 230, 804, 670}));
  EXPECT_EQ(DimensionText(1234), "123,4");
  EXPECT_EQ(DimensionText(1230), "123");
  const TRecordingCanvas canvas = DrawWhole({drsFrameVisible, drsTotalSizing, drsTopLevelSizing}, 1);
  for (const char* text : {"1300", "1400", "650"}) EXPECT_TRUE(canvas.HasText(text)) << text;
}

TEST_F(Drawing, SelectedProfileIsHatchedOverItsColourAndHiddenOneIsGrey) {
  Tgx25FrameLine& left = *frame.GetFrameLine(0);
  left.SetColor("GO");  // screen colour 1989276 = 0x1E5A9C as blue-green-red
  left.DrawSelected = true;
  Tgx25DrawStyles styles = kPlain;
  styles.Include(drsColor);
  const std::vector<TCanvasCall> polygons = DrawWhole(styles, 1).OfKind(TCanvasCall::Polygon);
  ASSERT_GE(polygons.size(), 2u);
  EXPECT_EQ(polygons[0].Attributes.Brush, (TBrush{0x9C5A1E, TBrushStyle::Solid}));
  EXPECT_EQ(polygons[1].Attributes.Brush, (TBrush{clBlack, TBrushStyle::BDiagonal}));
  EXPECT_EQ(polygons[1].Points, polygons[0].Points);

  left.SetHidden();
  for (bool selected : {false, true}) {
    left.DrawSelected = selected;
    const TCanvasCall face = DrawWhole(styles, 1).OfKind(TCanvasCall::Polygon)[0];
    EXPECT_EQ(face.Attributes.Brush.Color, selected ? clSilver : clHiddenFill);
    EXPECT_EQ(face.Attributes.Pen.Color, clSilver);
  }
}

// A net is marked " MC " unless its mesh is drawn; the mesh is yellow cross-hatched, and over a
// field without glass a diagonal cross over the sash's opening.
TEST_F(Drawing, NetIsAMarkOrAMeshOverItsOpening) {
  sash.SetMosquito({"MS-1", 600, 1300});
  Tgx25DrawStyles mesh = kPlain;
  mesh.Include(drsMosquitoDrawing);
  EXPECT_TRUE(DrawSashAtScaleOne(kPlain).HasText(" MC "));
  const TRecordingCanvas glazed = DrawSashAtScaleOne(mesh);
  EXPECT_FALSE(glazed.HasText(" MC "));
  const auto polygons = glazed.OfKind(TCanvasCall::Polygon);
  EXPECT_TRUE(std::any_of(polygons.begin(), polygons.end(), [](const TCanvasCall& c) {
    return c.Attributes.Pen.Color == clYellow && c.Attributes.Brush == TBrush{clBlack, TBrushStyle::Cross};
  }));
  sash.Parts.at(0)->ClearObject();
  auto net_hatches = [&](const Tgx25DrawStyles& Styles) {
    std::vector<TCanvasCall> found;
    for (const TCanvasCall& c : DrawSashAtScaleOne(Styles).OfKind(TCanvasCall::Polygon))
      if (c.Attributes.Brush == TBrush{clBlack, TBrushStyle::DiagCross}) found.push_back(c);
    return found;
  };
  EXPECT_TRUE(net_hatches(kPlain).empty());
  TRecordingCanvas hatches;
  hatches.Calls = net_hatches(mesh);
  ASSERT_EQ(hatches.Calls.size(), 1u);
  // Inside the sash profile TL-201, 770 wide on every side.
  const TRect box = BoundRectOf(sash.GetDimensions());
  EXPECT_EQ(Extent(hatches), (TPixelRect{box.Left + 770, box.Top + 770, box.Right - 770, box.Bottom - 770}));
}

TEST_F(Drawing, HandleTurnsWithItsSideAndAFrameSideIsEightPointsThenItsOwnLine) {
  sash.FurnComp = std::make_unique<TFurnComp>();
  // Side 2 runs down the right (polar angle 270, turned by |270 - 180| = 90: (x, y) -> (y, -x));
  // side 3 runs left along the bottom (180, not turned).
  struct TCase {
    int Side;
    std::vector<TPoint> Plate;
  } cases[] = {{2, {{-200, 300}, {200, 300}, {200, -300}, {-200, -300}}},
               {3, {{-300, -200}, {-300, 200}, {300, 200}, {300, -200}}}};
  for (const TCase& c : cases) {
    Tgx25FrameLine& side = *sash.GetFrameLine(c.Side);
    side.Handled = true;
    side.HandleType = 10;
    const TPoint at{(side.PX1->X + side.PX2->X) / 2, (side.PX1->Y + side.PX2->Y) / 2};
    std::vector<TPoint> expected;
    for (const TPoint& p : c.Plate) expected.push_back({at.X + p.X, at.Y + p.Y});
    const auto polygons = DrawSashAtScaleOne(kPlain).OfKind(TCanvasCall::Polygon);
    EXPECT_TRUE(std::any_of(polygons.begin(), polygons.end(), [&](const auto& p) { return p.Points == expected; }))
        << "side " << c.Side;
    side.Handled = false;
  }
  // Frame TL-101: width 640, impost delta 620, rebate 460. The left side runs up from (0, 14000) to
  // (0, 0); at the mitre (0, 0) its cut runs along the bisector, (460, 460), (620, 620), (640, 640).
  // Made a butt joint in which the left side runs through, it is cut square along the top edge.
  const std::vector<TPoint> mitre{{0, 14000}, {0, 0},       {460, 460},   {620, 620},
                                  {640, 640}, {640, 13360}, {620, 13380}, {460, 13540}};
  const std::vector<TPoint> butt{{0, 14000}, {0, 0},       {460, 0},     {620, 0},
                                 {640, 0},   {640, 13360}, {620, 13380}, {460, 13540}};
  for (const auto& [joint, face] : {std::pair(atX45, mitre), std::pair(atX1to2, butt)}) {
    frame.GetFramePoint(1)->AngleType = joint;
    frame.UpdateXPoints();
    TRecordingCanvas canvas;
    Draw(frame, canvas, {ScrPenWidth, {drsFrameVisible}, false, 1});
    EXPECT_EQ(canvas.Calls.at(0).Points, face);
    EXPECT_EQ(canvas.Calls.at(1).Points, (std::vector<TPoint>{{0, 14000}, {0, 0}}));
  }
}

TEST_F(Drawing, HiddenSashesHideTheirGlassTooAndGlassLabelsJoinTheirPartsByTabs) {
  const Tgx25Glass& fixed = *std::next(Glasses(*window).begin(), 0);
  const Tgx25Glass& in_sash = *std::next(Glasses(*window).begin(), 1);
  Tgx25DrawStyles styles = kPlain;
  styles.Exclude(drsFlugelVisible);
  DrawWhole(styles, 1, true);
  EXPECT_TRUE(RegionContains(fixed.DrawRGN, {3250, 7000}));  // the middle of the left field
  EXPECT_TRUE(in_sash.DrawRGN.empty());
  DrawWhole(kPlain, 1, true);
  EXPECT_TRUE(RegionContains(in_sash.DrawRGN, {9750, 7000}));
  const auto& left = dynamic_cast<const Tgx30CustomPart&>(*frame.Parts[0]);
  EXPECT_EQ(GlassLabel(left, {drsGlassIDVisible, drsGlassArticleVisible}), "G.1\t4M1-16-4M1");
  EXPECT_EQ(GlassLabel(left, {}), "");
}

TEST_F(Drawing, ReportSketchPropertiesByNameAndStylesAsSixBytes) {
  Tgx25FRDrawView view;
  EXPECT_TRUE(view.SetStyleProperty("drsFrameVisible", true));
  EXPECT_FALSE(view.SetStyleProperty("drsCutSizing", true));  // past drsIDBrushClear: no property
  EXPECT_TRUE(view.GetStyleProperty("drsFrameVisible"));
  EXPECT_FALSE(view.SetDrawingObject("droWindow"));
  ASSERT_TRUE(view.SetDrawingObject("droFlugel"));
  TRecordingCanvas designed;
  view.DrawDesignCaption(designed, {0, 0, 200, 100});
  EXPECT_EQ(designed.Calls.at(0).Text, "ЭСКИЗ СТВОРКИ");
  EXPECT_EQ(designed.Calls.at(0).Attributes.Pen.Color, clRed);
  // Frames only: the four sides of the frame, whether given the frame or the whole construction.
  for (TModelObject* object : {static_cast<TModelObject*>(&frame), static_cast<TModelObject*>(window.get())}) {
    TRecordingCanvas printed;
    view.Print(*object, printed, {0, 0, 400, 300});
    EXPECT_EQ(printed.OfKind(TCanvasCall::Polygon).size(), 4u);
  }
  EXPECT_EQ(DragDrawStyles().Hex(), "007F00000E00");
  EXPECT_EQ(Tgx25DrawStyles({drsIDBrushClear}).Hex(), "000000000002");  // 41 = byte 5, bit 1
  EXPECT_EQ(DrawStylesFromHex("007f00000e00"), DragDrawStyles());
  EXPECT_FALSE(DrawStylesFromHex("007F00000E0"));
  EXPECT_EQ(DrawStyleByName("drsAnkerSizing"), drsAnkerSizing);
}

}  // namespace
}  // namespace kv
