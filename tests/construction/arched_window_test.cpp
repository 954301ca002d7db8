#include <gtest/gtest.h>

#include <cmath>

#include "construction/construction.h"
#include "construction/demo_catalogue.h"
#include "construction/demo_windows.h"
#include "construction/glass.h"

namespace kv {
namespace {

// Arched windows of the demo catalogue's type 1 (system TL70), every figure worked out by hand from
// the catalogue's profile sizes and the measuring rules. Model units are tenths of a millimetre.
//
// Catalogue sizes (millimetres):
//   TL-101 frame: width 64, impost delta 62, glass delta 50, bead delta 64, sash delta 56.
//   TL-301 mullion, placed on its axis: half width 41, glass delta 27, bead delta 41, impost delta 0
//     (a bar standing on it ends 41 from its axis).
//   TL-201 sash: width 77, glass delta 63, bead delta 77.   TL-BD24 bead: 18 wide.
//   Frame corners are mitred (combination 1001): weld allowance 3 / sin(cut) per end, steel 10
//   shorter per end; sash corners (1011) the same allowance, steel 8 shorter per end. Mullion ends
//   (2001 on a TL-101 side, 2003 on a TL-301): -2 / sin(cut) per end, steel 12 shorter per end.
//
// Rules:
//   - A frame or sash side: the length between its outer corners (an arc: R x its angle at the
//     centre, the largest over the outer, width and impost-delta corners, all on the outer R), plus
//     the weld allowances. Its steel: between the width corners (an arc: along the inner edge, of
//     radius R - width), less the steel deltas. Cut angles by the joint-angle rule at each corner (an
//     arc's part measured towards its centre and turned onto the tangent).
//   - A mullion: its outline from the lines it stands on (width corners at the line's width, impost
//     corners at its impost delta; an arc moved inwards keeps its centre), measured along the bar
//     from the farthest corner at one end to the farthest at the other, plus tan(|90 - cut|) x 41
//     at a slanted end, plus the connector deltas; its steel is that less 12 per end.
//   - A field: each side moved inwards by its delta (an arc keeps its centre, R less the delta),
//     corners rounded to whole units; the glass size is the bounding box of the glass contour.
//   - Beads: the bead contour (bead deltas) is the visible edge; each bar lies outside it, its back
//     edge the contour moved outwards by 18 (an arc: R + 18). A straight bar is the longer of its two
//     edges along the bar; an arc bar is the bead line's own radius (the visible edge's) times the
//     larger of the two angles at the centre, between the back-edge corners or the visible ones.
//   - Corners are rounded to whole units with the program's cascade rounding (0.4445 and up goes up).
// The arithmetic was checked with a short throwaway calculation written from these rules.

constexpr double kSqrt2 = 1.4142135623730951;
constexpr double kWeld45 = 30 * kSqrt2;  // 3 mm / sin 45, model units
constexpr const char* kGlass = "4M1-16-4M1";

void ExpectBar(const TProfSize& Size, double Length, double Angle1, double Angle2) {
  EXPECT_NEAR(Size.Length, Length, 0.1);
  EXPECT_NEAR(Size.Angle1, Angle1, 0.01);
  EXPECT_NEAR(Size.Angle2, Angle2, 0.01);
}

void ExpectBead(const Tgx25Glass& Glass, int Index, double Length, double Angle1, double Angle2) {
  SCOPED_TRACE(Index);
  ASSERT_LT(static_cast<size_t>(Index), Glass.BeadSizes.Lines.size());
  const auto& bar = static_cast<const Tgx25ProfileLine&>(*Glass.BeadSizes.Lines[static_cast<size_t>(Index)]);
  EXPECT_NEAR(bar.Length, Length, 0.1);
  EXPECT_NEAR(bar.Angle1, Angle1, 0.01);
  EXPECT_NEAR(bar.Angle2, Angle2, 0.01);
}

class ArchedWindows : public ::testing::Test {
protected:
  TFrame& NewArch(TFigType Figure, int Width, int Height, int HY = 0) {
    frame = construction.NewFrame(1);
    TInitialSize size{Width, Height};
    size.Figure = Figure;
    size.HY = HY;
    frame->BuildInitial(size);
    return *frame;
  }
  Tgx30CustomPart& Field(int Index) const {
    return dynamic_cast<Tgx30CustomPart&>(*frame->Parts.at(static_cast<size_t>(Index)));
  }
  const Tgx25Glass& GlassOf(int Index) const { return *Field(Index).Glass; }
  // Glass in every field that holds nothing else, everything recalculated and numbered.
  void Glaze() {
    for (size_t i = 0; i < frame->Parts.size(); ++i) Field(static_cast<int>(i)).SetGlassIfPossible(kGlass);
    frame->FullRecalc();
    construction.UpdateNo();
  }
  const Tgx25FrameLine& Side(int Index) const { return *frame->GetFrameLine(Index); }

  test::TDemoCatalogue catalogue;
  Tgx25Construction construction;
  TFrame* frame = nullptr;
};

// Half-round arch 1200 x 1500: corners (0,15000), (0,6000), (12000,6000), (12000,15000); the top
// side an arc of R 6000 about (6000,6000). Every corner is mitred; at the springing the arc runs on
// tangentially from the jamb, so the inner (width) corner is (640,6000) and both bars are cut square.
//   jamb: 15000 - 6000 = 9000 + weld 3/sin 45 + 3/sin 90 = 9000 + 42.43 + 30 = 9072.43; steel from
//     the width corner (640,14360) to (640,6000): 8360 - 2 x 100 = 8160.
//   arc: pi x 6000 = 18849.56 + 2 x 30 = 18909.56; steel along the inner edge R 5360 between
//     (640,6000) and (11360,6000): pi x 5360 = 16838.94 - 200 = 16638.94.
//   bottom: 12000 + 2 x 42.43 = 12084.85; steel 12000 - 2 x 640 - 200 = 10520.
void ExpectHalfRoundFrame(const TFrame& Frame) {
  ExpectBar(Frame.GetFrameLine(0)->ProfSize, 9072.43, 45, 90);
  ExpectBar(Frame.GetFrameLine(1)->ProfSize, 18909.56, 90, 90);
  ExpectBar(Frame.GetFrameLine(2)->ProfSize, 9072.43, 90, 45);
  ExpectBar(Frame.GetFrameLine(3)->ProfSize, 12084.85, 45, 45);
  EXPECT_NEAR(Frame.GetFrameLine(0)->SteelSize.Length, 8160, 0.1);
  EXPECT_NEAR(Frame.GetFrameLine(1)->SteelSize.Length, 16638.94, 0.1);
  EXPECT_NEAR(Frame.GetFrameLine(2)->SteelSize.Length, 8160, 0.1);
  EXPECT_NEAR(Frame.GetFrameLine(3)->SteelSize.Length, 10520, 0.1);
}

// The transom at the springing (600 mm) meets a jamb and the arc at each end; both run upright
// there, so it stands on the straight jambs and is cut square: from the impost delta 620 to 11380,
// 10760 - 2 x 20 = 10720 (1072 mm, the inner width); steel 10720 - 240 = 10480.
// Above it (field 1): the glass contour is the arc R 6000 - 500 = 5500 over the transom moved up by
// 270 to y 5730; corners at x = 6000 -+ sqrt(5500^2 - 270^2) = 6000 -+ 5493.37: (507,5730) and
// (11493,5730); the box from x 507 to 11493 and from the arc's top y 500 to 5730: 10986 x 5230.
// Its beads: the bead contour is the arc R 5360 over y 5590, corners 6000 -+ sqrt(5360^2 - 410^2)
// = 6000 -+ 5344.30: (656,5590), (11344,5590); the back edge the arc R 5540 over y 5770, corners
// 6000 -+ sqrt(5540^2 - 230^2) = 6000 -+ 5535.22: (465,5770), (11535,5770).
//   arc bead: the back-edge corners span 180 - 2 atan(230 / 5535) = 175.241 degrees at the centre
//     (the visible ones only 180 - 2 atan(410 / 5344.30) = 171.226), on the line's R 5360:
//     5360 x 175.241 x pi / 180 = 16393.74; cut angles at the mitre from (656,5590) to (465,5770):
//     44.32 at both ends.
//   transom bead: from x 11535 to 465 on its back edge, 11070; cut angles 43.30 (the mitre against
//     the straight bar).
// Below it (field 2): glass x 500 to 11500, y 6270 to 14500: 11000 x 8230; bead contour 640 to
// 11360, 6410 to 14360 (10720 x 7950), its bars on the back edge 10720 + 360 = 11080 and
// 7950 + 360 = 8310, mitred.
TEST_F(ArchedWindows, HalfRoundArchWithATransomAtTheSpringing) {
  NewArch(figArc, 1200, 1500);
  TImpost* transom = test::InsertDemoMullion(*frame, 0, {0, 6000}, {12000, 6000});
  ASSERT_NE(transom, nullptr);
  Glaze();
  ExpectHalfRoundFrame(*frame);

  EXPECT_EQ(transom->PX1->Owner, frame->Lines[0].get());
  EXPECT_EQ(transom->PX2->Owner, frame->Lines[2].get());
  ExpectBar(transom->ProfSize, 10720, 90, 90);
  EXPECT_NEAR(transom->SteelSize.Length, 10480, 0.1);

  ASSERT_EQ(frame->Parts.size(), 2u);
  EXPECT_EQ(Field(0).GetBoundRect(), (TRect{0, 0, 12000, 6000}));
  EXPECT_EQ(Field(1).GetBoundRect(), (TRect{0, 6000, 12000, 15000}));
  EXPECT_EQ(GlassOf(0).GetInternalSize(), (TSize{10986, 5230}));
  ASSERT_EQ(GlassOf(0).BeadSizes.Lines.size(), 2u);
  ExpectBead(GlassOf(0), 0, 16393.74, 44.32, 44.32);
  ExpectBead(GlassOf(0), 1, 11070, 43.30, 43.30);
  EXPECT_EQ(GlassOf(1).GetInternalSize(), (TSize{11000, 8230}));
  ExpectBead(GlassOf(1), 0, 8310, 45, 45);
  ExpectBead(GlassOf(1), 1, 11080, 45, 45);
  ExpectBead(GlassOf(1), 2, 8310, 45, 45);
  ExpectBead(GlassOf(1), 3, 11080, 45, 45);
}

// A mullion at 600 mm above that transom: from the arc to the transom. At the arc its width
// corners lie on R 5360 at x 5590 and 6410: y = 6000 - 5344.30 = 655.70 -> 656, its impost corners
// on R 5380: 6000 - sqrt(5380^2 - 410^2) = 635.65 -> 636; the end chord is level, so it is cut
// square. On the transom it ends 41 from the transom's axis: y 5590. 5590 - 636 = 4954 - 2 x 20 =
// 4914; steel 4914 - 240 = 4674. The two quarters are mirror images: glass from the transom
// corner (507,5730) to the mullion corner (5730,507): 5223 x 5223. Beads of the left quarter: the
// visible edge runs (656,5590) -> arc -> (5590,656) -> (5590,5590), the back edge (465,5770) ->
// (5770,465) -> (5770,5770).
//   arc bead: back-edge angle 90 - 2 atan(230 / 5535) = 85.241 degrees (the visible edge's 81.226),
//     5360 x 85.241 x pi / 180 = 7974.27, cut 44.32 at both ends as above;
//   mullion bead: from y 465 to 5770 on the back edge, 5305, cut 43.30 at the arc and 45 below;
//   transom bead: from x 5770 to 465, 5305, cut 45 and 43.30.
TEST_F(ArchedWindows, MullionAboveTheSpringingTransomGivesMirrorHalves) {
  NewArch(figArc, 1200, 1500);
  ASSERT_NE(test::InsertDemoMullion(*frame, 0, {0, 6000}, {12000, 6000}), nullptr);
  TImpost* mullion = test::InsertDemoMullion(*frame, 0, {6000, 0}, {6000, 6000});
  ASSERT_NE(mullion, nullptr);
  Glaze();
  ASSERT_EQ(frame->Parts.size(), 3u);

  EXPECT_EQ(mullion->PX1->Owner, frame->Lines[1].get());
  ExpectBar(mullion->ProfSize, 4914, 90, 90);
  EXPECT_NEAR(mullion->SteelSize.Length, 4674, 0.1);
  EXPECT_EQ(dynamic_cast<Tgx25Point*>(mullion->PX2)->SubSetID, 2003);

  EXPECT_EQ(Field(0).GetBoundRect(), (TRect{0, 0, 6000, 6000}));
  EXPECT_EQ(Field(1).GetBoundRect(), (TRect{6000, 0, 12000, 6000}));
  EXPECT_EQ(GlassOf(0).GetInternalSize(), (TSize{5223, 5223}));
  EXPECT_EQ(GlassOf(1).GetInternalSize(), (TSize{5223, 5223}));
  ExpectBead(GlassOf(0), 0, 7974.27, 44.32, 44.32);
  ExpectBead(GlassOf(0), 1, 5305, 43.30, 45);
  ExpectBead(GlassOf(0), 2, 5305, 45, 43.30);
  // The right quarter's contour starts at its bottom-left corner, on the mullion.
  ExpectBead(GlassOf(1), 0, 5305, 45, 43.30);
  ExpectBead(GlassOf(1), 1, 7974.27, 44.32, 44.32);
  ExpectBead(GlassOf(1), 2, 5305, 43.30, 45);
}

// Segmental arch 1300 x 1400 of rise 300: R = (300^2 + 650^2) / 600 = 854.1667 mm, centre
// (6500, 8541.67); corners (0,14000), (0,3000), (13000,3000), (13000,14000). At the springing the
// arc leaves the jamb at an angle: its direction there is asin(650 / 854.17) = 49.55 degrees above
// the level, the contour's corner 139.55 degrees.
//   Width corner at the springing: the jamb moved to x 640 meets R 7901.67 at
//     y = 8541.67 - sqrt(7901.67^2 - 5860^2) = 3241.03 -> (640,3241); the impost corner on
//     R 7921.67 at x 620: 3233.33 -> (620,3233).
//   jamb: 14000 - 3000 = 11000 + 42.43 + 30 / sin 69.37 = 11074.48; its cut at the springing is
//     the angle between the jamb and the mitre towards (640,3241): 180 - (90 + atan(241 / 640)) =
//     69.37; steel from y 13360 to 3241: 10119 - 200 = 9919.
//   arc: the outer corners span 2 asin(6500 / 8541.67) = 99.10 degrees at the centre, 8541.67 x
//     99.10 x pi / 180 = 14773.93 (longer than the width and impost corners on the same R); cut
//     70.18 (the mitre towards (640,3241) measured from the radius to the springing, turned onto
//     the tangent); + 2 x 30 / sin 70.18 = 14837.71. Steel along R 7901.67 between (640,3241) and
//     (12360,3241), 95.74 degrees: 13203.25 - 200 = 13003.25.
//   bottom: 13000 + 2 x 42.43 = 13084.85; steel 13000 - 1280 - 200 = 11520.
// The transom at the springing (300 mm) meets the jamb square and the arc at 49.55 degrees: it
// stands on the jambs. 13000 - 2 x 620 = 11760 - 40 = 11720 (1172 mm, the inner width), cut
// square; steel 11480.
// Above it: glass on R 8041.67 over y 2730: x = 6500 -+ sqrt(8041.67^2 - 5811.67^2) = 6500 -+
// 5558.14 -> 942 and 12058: 11116 x (2730 - 500) = 11116 x 2230. Bead contour R 7901.67 over
// y 2590: 6500 -+ 5197.50 -> 1303 and 11698 (1302.50 and 11697.50 rounded by the cascade); back
// edge R 8081.67 over y 2770: 6500 -+ 5656.96 -> 843 and 12157.
//   arc bead: the back-edge corners (843,2770) and (12157,2770) span 2 atan(5657 / 5771.67) =
//     88.850 degrees at the centre (the visible ones 82.260), on the line's R 7901.67: 12253.36;
//     cut 23.05 and 23.01 (the sharp corner of a segment, the two ends a unit apart by the rounding);
//   transom bead: 12157 - 843 = 11314, cut 21.41 and 21.37.
// Below it: glass 500 to 12500, 3270 to 13500: 12000 x 10230; beads 12080 and 10310, mitred.
TEST_F(ArchedWindows, SegmentalArchWithATransomAtTheSpringing) {
  NewArch(figMiniArc, 1300, 1400, 300);
  TImpost* transom = test::InsertDemoMullion(*frame, 0, {0, 3000}, {13000, 3000});
  ASSERT_NE(transom, nullptr);
  Glaze();

  ExpectBar(Side(0).ProfSize, 11074.48, 45, 69.37);
  ExpectBar(Side(1).ProfSize, 14837.71, 70.18, 70.18);
  ExpectBar(Side(2).ProfSize, 11074.48, 69.37, 45);
  ExpectBar(Side(3).ProfSize, 13084.85, 45, 45);
  EXPECT_NEAR(Side(0).SteelSize.Length, 9919, 0.1);
  EXPECT_NEAR(Side(1).SteelSize.Length, 13003.25, 0.1);
  EXPECT_NEAR(Side(3).SteelSize.Length, 11520, 0.1);

  EXPECT_EQ(transom->PX1->Owner, frame->Lines[0].get());
  EXPECT_EQ(transom->PX2->Owner, frame->Lines[2].get());
  ExpectBar(transom->ProfSize, 11720, 90, 90);
  EXPECT_NEAR(transom->SteelSize.Length, 11480, 0.1);

  EXPECT_EQ(GlassOf(0).GetInternalSize(), (TSize{11116, 2230}));
  ExpectBead(GlassOf(0), 0, 12253.36, 23.05, 23.01);
  ExpectBead(GlassOf(0), 1, 11314, 21.41, 21.37);
  EXPECT_EQ(GlassOf(1).GetInternalSize(), (TSize{12000, 10230}));
  ExpectBead(GlassOf(1), 0, 10310, 45, 45);
  ExpectBead(GlassOf(1), 1, 12080, 45, 45);
}

// A mullion at X across the half-round arch 1200 x 1500, from the arc to the bottom. Its sides lie
// at X -+ 410; at the arc its width corners lie on R 5360, its impost corners on R 5380, at
// y = 6000 - sqrt(r^2 - (x - 6000)^2), rounded; at the bottom its impost corners lie at 14380.
// The end on the arc is cut along the chord of its two width corners: with d the rise of that
// chord over its 820, cut = 90 -+ atan(d / 820), and the slant allowance tan(|90 - cut|) x 410 is
// d / 2. Length = 14380 - (highest impost corner) + d / 2 - 20 / sin(cut) - 20.
//   X 3960: width corners (4370, 6000 - 5106.1 = 893.9 -> 894) and (3550, 1232.8 -> 1233),
//     d = 339, cut 90 - atan(339 / 820) = 67.54; impost corners 873 and 1210; 14380 - 873 = 13507
//     + 169.5 - 21.64 - 20 = 13634.86; steel 13394.86.
//   The others the same way (width corners, impost corners, d, cut, length):
//   X 4110: (4520,848) (3700,1159), 828 / 1136, d 311, 69.23, 13552 + 155.5 - 21.39 - 20 = 13666.11
//   X 4580: (4990,736) (4170,962), 716 / 941, d 226, 74.59, 13664 + 113.0 - 20.75 - 20 = 13736.25
//   X 4880: (5290,687) (4470,863), 667 / 842, d 176, 77.89, 13713 + 88.0 - 20.45 - 20 = 13760.55
//   X 5470: (5880,641) (5060,723), 621 / 703, d 82, 84.29, 13759 + 41.0 - 20.10 - 20 = 13759.90
//   X 6000: (6410,656) (5590,656), 636 / 636, d 0, 90, 13744 - 40 = 13704
//   X 6530, 7120, 7890, 8040: the mirror images of 5470, 4880, 4110, 3960: the same lengths, cut
//     180 minus theirs (measured at side A, now the lower corner).
// At 4000 the fields take their own pieces of the arc: the arc point over the axis is
// 6000 - sqrt(6000^2 - 2000^2) = 343.15 -> 343; the left field spans x 0 to 4000 and y 343 to
// 15000, the right one 4000 to 12000 and 0 (the arc's top) to 15000; the left field comes first.
TEST_F(ArchedWindows, MullionAcrossTheArchAtAnyPosition) {
  const struct {
    int X;
    double Length;
    double Cut;
  } positions[] = {{3960, 13634.86, 67.54},  {4110, 13666.11, 69.23}, {4580, 13736.25, 74.59}, {4880, 13760.55, 77.89},
                   {5470, 13759.90, 84.29},  {6000, 13704, 90},       {6530, 13759.90, 95.71}, {7120, 13760.55, 102.11},
                   {7890, 13666.11, 110.77}, {8040, 13634.86, 112.46}};
  for (const auto& p : positions) {
    SCOPED_TRACE(p.X);
    Tgx25Construction window;
    TFrame& arch = *window.NewFrame(1);
    TInitialSize size{1200, 1500};
    size.Figure = figArc;
    arch.BuildInitial(size);
    TImpost* mullion = test::InsertDemoMullion(arch, 0, {p.X, 0}, {p.X, 15000});
    ASSERT_NE(mullion, nullptr);
    EXPECT_EQ(mullion->PX1->Owner, arch.Lines[1].get());
    EXPECT_EQ(mullion->PX2->Owner, arch.Lines[3].get());
    ExpectBar(mullion->ProfSize, p.Length, p.Cut, 90);
    EXPECT_NEAR(mullion->SteelSize.Length, p.Length - 240, 0.1);
  }

  NewArch(figArc, 1200, 1500);
  ASSERT_NE(test::InsertDemoMullion(*frame, 0, {4000, 0}, {4000, 15000}), nullptr);
  EXPECT_EQ(Field(0).GetBoundRect(), (TRect{0, 343, 4000, 15000}));
  EXPECT_EQ(Field(1).GetBoundRect(), (TRect{4000, 0, 12000, 15000}));
}

// A tilt-and-turn sash in the one field of a half-round arch 1300 x 1400 (R 6500 about (6500,6500)).
// Frame: jambs 7500 + 42.43 + 30 = 7572.43, steel 13360 - 6500 - 200 = 6660; arc pi x 6500 + 60 =
// 20480.35, steel along R 5860: pi x 5860 - 200 = 18209.73 (the outer radius would give 20220);
// bottom 13084.85, steel 11520.
// Sash: its contour lies 56 inside the frame: jambs at 560 and 12440, bottom at 13440, the arc
// R 5940 meeting the jambs tangentially at y 6500. Jambs 13440 - 6500 = 6940 + 42.43 + 30 =
// 7012.43, steel between the width corners (77) 12670 - 6500 = 6170 - 2 x 80 = 6010; arc
// pi x 5940 + 60 = 18721.06, steel along R 5170: pi x 5170 - 160 = 16082.03; bottom 11880 +
// 84.85 = 11964.85, steel 11880 - 1540 - 160 = 10180.
// Sash glass (63): x 1190 to 11810, arc R 5310 with its top at 1190, bottom 12810: 10620 x 11620.
// Beads (77): the visible edge x 1330 to 11670, R 5170, bottom 12670; the back edge x 1150 to
// 11850, R 5350, bottom 12850: jambs 12850 - 6500 = 6350 (cut 45 below, square at the springing),
// arc: both edges span 180 degrees, on the line's R 5170: pi x 5170 = 16242.03 (square at both
// ends), bottom 11850 - 1150 = 10700.
TEST_F(ArchedWindows, SashUnderAHalfRoundArch) {
  NewArch(figArc, 1300, 1400);
  TFlugel* sash = test::InsertDemoSash(Field(0), kGlass);
  frame->FullRecalc();

  ExpectBar(Side(0).ProfSize, 7572.43, 45, 90);
  ExpectBar(Side(1).ProfSize, 20480.35, 90, 90);
  ExpectBar(Side(3).ProfSize, 13084.85, 45, 45);
  EXPECT_NEAR(Side(0).SteelSize.Length, 6660, 0.1);
  EXPECT_NEAR(Side(1).SteelSize.Length, 18209.73, 0.1);
  EXPECT_NEAR(Side(3).SteelSize.Length, 11520, 0.1);

  ASSERT_EQ(sash->Lines.size(), 4u);
  ExpectBar(sash->GetFrameLine(0)->ProfSize, 7012.43, 45, 90);
  ExpectBar(sash->GetFrameLine(1)->ProfSize, 18721.06, 90, 90);
  ExpectBar(sash->GetFrameLine(2)->ProfSize, 7012.43, 90, 45);
  ExpectBar(sash->GetFrameLine(3)->ProfSize, 11964.85, 45, 45);
  EXPECT_NEAR(sash->GetFrameLine(0)->SteelSize.Length, 6010, 0.1);
  EXPECT_NEAR(sash->GetFrameLine(1)->SteelSize.Length, 16082.03, 0.1);
  EXPECT_NEAR(sash->GetFrameLine(3)->SteelSize.Length, 10180, 0.1);

  const Tgx25Glass& glass = *dynamic_cast<Tgx30CustomPart&>(*sash->Parts.at(0)).Glass;
  EXPECT_EQ(glass.GetInternalSize(), (TSize{10620, 11620}));
  ExpectBead(glass, 0, 6350, 45, 90);
  ExpectBead(glass, 1, 16242.03, 90, 90);
  ExpectBead(glass, 2, 6350, 90, 45);
  ExpectBead(glass, 3, 10700, 45, 45);
}

}  // namespace
}  // namespace kv
