#include <gtest/gtest.h>

#include "statics/kv_static.h"

namespace kv {
namespace {

// The wind tables of the demo catalogue, cut to what the cases below use.
TkvStatic DemoTables() {
  TkvStatic s;
  s.Regions = {{1, 23.0f}, {4, 48.0f}, {7, 85.0f}};
  s.K0 = {{5, 0.75f, 0.5f, 0.4f}, {10, 1.0f, 0.65f, 0.4f}, {100, 2.0f, 1.6f, 1.25f}};
  s.K1 = {{1000, 0.9f}, {1500, 1.0f}, {2000, 1.1f}};
  s.K2 = {{1000, 1.0f, 1.0f, 1.0f, 1.0f}, {2000, 1.05f, 1.1f, 1.15f, 1.2f}};
  return s;
}

TEST(WindTables, LookupsTakeTheFirstRowReachingTheValueAndFallBackToTheDefaults) {
  const TkvStatic s = DemoTables();
  const TkvStatic empty;
  EXPECT_FLOAT_EQ(s.GetW0(4), 48.0f);
  EXPECT_FLOAT_EQ(s.GetW0(9), 23.0f);  // unknown region
  EXPECT_FLOAT_EQ(s.GetK0(10, ttA), 1.0f);
  EXPECT_FLOAT_EQ(s.GetK0(10.5f, ttB), 1.6f);  // next row up: 100 m
  EXPECT_FLOAT_EQ(s.GetK0(150, ttC), 1.25f);   // above the last row: the last row
  EXPECT_FLOAT_EQ(s.GetK0(10, 3), 0.85f);      // no such terrain
  EXPECT_FLOAT_EQ(empty.GetK0(10, ttA), 0.85f);
  EXPECT_FLOAT_EQ(s.GetK1(1001), 1.0f);
  EXPECT_FLOAT_EQ(s.GetK1(2600), 1.1f);
  EXPECT_FLOAT_EQ(empty.GetK1(1200), 1.0f);
  EXPECT_FLOAT_EQ(s.GetK2(1200, 3), 1.15f);  // row 2000, column K3
  EXPECT_FLOAT_EQ(s.GetK2(2600, 4), 1.2f);
  EXPECT_FLOAT_EQ(s.GetK2(1200, 0), 1.0f);  // no edge case: no correction
  EXPECT_FLOAT_EQ(empty.GetK2(1200, 1), 1.0f);
  EXPECT_NEAR(static_cast<double>(GetStdTriH(45, 140)), 70.0, 1e-9);
}

// Region 1 (W0 = 23 kgf/m2 = 0.0023 kgf/cm2), terrain B at 10 m (K = 0.65), C = 0.8, Y = 1.4:
// Qr = 0.0023 x 0.65 x 0.8 x 1.4 = 0.0016744 kgf/cm2. PVC with steel: E = 2100000. Glass 1200 mm
// high: K1 = 1.0 (row 1500).
TWindLoadInput Region1(int Method, float L, float A, float B) {
  TWindLoadInput in;
  in.H = 10;
  in.GlassMaxH = 1200;
  in.Method = Method;
  in.Material = smtPVC;
  in.RegionID = 1;
  in.Terrain = ttB;
  in.Y = 1.4f;
  in.L = L;
  in.A = A;
  in.B = B;
  return in;
}

TEST(MomentIx, EachMethodByHandTheDefaultPressureAndTheGlassHeightsK1AndK2) {
  const TkvStatic s = DemoTables();
  struct TCase {
    TWindLoadInput In;
    double Ix;
  };
  TWindLoadInput alu = Region1(smFacadeSingleSpan, 3000, 1000, 1000);
  alu.Material = smtALU;
  alu.GlassType = sgtSingleGlass;
  const TCase cases[] = {
      // L = 100, A = B = 200 >= L: a = L / 2 = 50, a / L = 0.5, bracket 25 - 10 + 1 = 16; Fdop = 100 / 300.
      // Ix1 = 100^4 x 0.0016744 x 50 / (2100000 x 1920 x 0.33333) x 16 = 0.0062292 x 16 = 0.099667; x 2
      {Region1(smWindow, 1000, 2000, 2000), 0.199333},
      // L = 300: L / 300 = 1.0 > 0.8, so Fdop = 0.8; a = 50, a / L = 1/6,
      // bracket 25 - 40 / 36 + 16 / 1296 = 23.901235;
      // Ix1 = 300^4 x 0.0016744 x 50 / (2100000 x 1920 x 0.8) x 23.901235 = 0.210234 x 23.901235 = 5.024861; x 2
      {Region1(smWindow, 3000, 1000, 1000), 10.049722},
      // The same mullion as a facade transom: no cap, Fdop = 1.0: 10.049722 x 0.8 = 8.039778
      {Region1(smFacadeInOpening, 3000, 1000, 1000), 8.039778},
      // b = 100: Ix = 300^4 x 5 x 100 x 0.0016744 / (2100000 x 384 x 1.0) = 6781320000 / 806400000
      {Region1(smFacadeSingleSpan, 3000, 1000, 1000), 8.409375},
      // Ix = 300^4 x 0.0052 x 0.0016744 x 100 / (2100000 x 1.0) = 7052572.8 / 2100000
      {Region1(smFacadeTwoSpan, 3000, 1000, 1000), 3.358368},
      // Aluminium (E = 710000) under single glass (Fdop = 300 / 200 = 1.5):
      // 6781320000 / (710000 x 384 x 1.5) = 6781320000 / 408960000
      {alu, 16.581866},
  };
  for (const TCase& c : cases)
    EXPECT_NEAR(static_cast<double>(s.GetMomentIx(c.In, nullptr)), c.Ix, 1e-5) << "method " << c.In.Method;
  TWindLoadInput unknown = Region1(smWindow, 1000, 2000, 2000);
  unknown.RegionID = 99;  // W0 = 23.0 as region 1
  EXPECT_NEAR(static_cast<double>(s.GetMomentIx(unknown, nullptr)), 0.199333, 1e-5);
  TWindLoadInput tall = unknown;
  tall.GlassMaxH = 1800;  // K1 = 1.1: 0.199333 x 1.1
  EXPECT_NEAR(static_cast<double>(s.GetMomentIx(tall, nullptr)), 0.219267, 1e-5);
  TWindLoadInput edge = unknown;
  edge.EdgeColumn = 2;  // K2 = 1.1 (row 2000 for 1200 mm): 0.199333 x 1.1
  EXPECT_NEAR(static_cast<double>(s.GetMomentIx(edge, nullptr)), 0.219267, 1e-5);
}

TEST(MomentIx, LogShowsEveryStepWithItsNumbersAndTheGlassWeightOfATransom) {
  const TkvStatic s = DemoTables();
  TStaticLog log;
  s.GetMomentIx(Region1(smWindow, 1000, 2000, 2000), &log);
  ASSERT_EQ(log.size(), 25u);
  EXPECT_EQ(log[1], "   Fdop = 0,3333 см");
  EXPECT_EQ(log[3], "   Size = 100,0000 см");
  EXPECT_EQ(log[5], "   W0 = 23,0000 кгс/м2 = 0,0023 кгс/cм2");
  EXPECT_EQ(log[7], "   K = 0,6500");
  EXPECT_EQ(log[13], "   E = 2100000,0000 кгс/см2");
  EXPECT_EQ(log[19], "   Wm = W0 * K * C = 0,0023 * 0,6500 * 0,8000 = 0,0012 кгс/cм2");
  EXPECT_EQ(log[21], "   Qr = Wm * Y = 0,0012 * 1,4000 = 0,0017 кгс/cм");
  EXPECT_EQ(log[24], "   Ix2 = 0,0997");
  // The glass weight of a transom, its deflection capped at three millimetres.
  TGlassWeightInput in;
  in.Material = smtALU;
  in.ProfileWeight = 1.2f;
  in.GlassWeight = 30;
  in.PadDistance = 150;
  in.GlassHeight = 1200;
  in.Span = 1500;
  TStaticLog weight_log;
  // L = 150, H = 120, a = 15 cm, W = 0.003, PW = 0.012; Fdop = min(150 / 300, 0.3) = 0.3.
  // F = 150 x 120 x 0.003 / 2 = 27; Iy1 = 27 x 15 x (3 x 22500 - 4 x 225) / (24 x 710000 x 0.3)
  //   = 405 x 66600 / 5112000 = 5.276408; Iy2 = 5 x 0.012 x 150^4 / (384 x 710000 x 0.5) = 0.222821.
  EXPECT_NEAR(static_cast<double>(TkvStatic().GetGlassWeightIx(in, &weight_log)), 5.499230, 1e-5);
  EXPECT_EQ(weight_log[1], "   F = L * H * W / 2 = 150,0000 * 120,0000 * 0,0030 / 2 = 27,0000 кгс");
  EXPECT_EQ(weight_log.back(), "   Iy = Iy1 + Iy2 = 5,2764 + 0,2228 = 5,4992");
}

}  // namespace
}  // namespace kv
