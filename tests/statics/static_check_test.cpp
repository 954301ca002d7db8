#include <gtest/gtest.h>

#include <algorithm>

#include "construction/construction_builder.h"
#include "construction/demo_catalogue.h"
#include "construction/demo_windows.h"
#include "construction/furn_comp.h"
#include "construction/walks.h"
#include "shell/error_of.h"
#include "statics/static_check.h"
#include "statics/steel_choice.h"

namespace kv {
namespace {

TStaticSite Region(const std::string& ID) {
  TStaticSite site;
  site.Region = ID;
  return site;
}

// The demo window 1300 x 1400 with mullion TL-301 (steel TL-S20, Ix 2.94) at 650 and a tilt-and-turn
// sash in field 2. The mullion is 1272 long (1400 - 2 x 62 - 2 x 2); 650 to the frame on either side,
// so a = 650 / 2 = 32.5 cm each (below L / 2 = 63.6). Tallest glass 1300: K1 = 1.0. Region 1 at
// 10 m, terrain B: Qr = 0.0023 x 0.65 x 0.8 x 1.4 = 0.0016744. Fdop = 127.2 / 300 = 0.424.
// Ix1 = 127.2^4 x 0.0016744 x 32.5 / (2100000 x 1920 x 0.424) x (25 - 40 x 0.2555^2 + 16 x 0.2555^4)
//     = 0.0083331 x 22.456913 = 0.187135; Ix = 2 x Ix1 = 0.374270.
TEST(ConstructionStatics, DemoWindowPassesWithItsMullionAndSash) {
  test::TDemoCatalogue catalogue;
  auto window = test::BuildDemoWindow(1300, 1400, {650}, {2});
  EXPECT_FALSE(StaticChecked(*window));
  EXPECT_NE(ReplacementWarning(*window), "");
  const TStaticReport report = CheckStatic(*window, Region("1"), true);
  EXPECT_EQ(ReplacementWarning(*window), "");
  ASSERT_EQ(report.Mullions.size(), 1u);
  const TMullionResult& m = report.Mullions[0];
  EXPECT_FLOAT_EQ(m.Length, 1272.0f);
  EXPECT_FLOAT_EQ(m.Aperture.Width1, 650.0f);
  EXPECT_FLOAT_EQ(m.Aperture.Width2, 650.0f);
  EXPECT_NEAR(m.NeedIx, 0.374270, 1e-5);
  EXPECT_EQ(MullionInfoText(m),
            "Импост № I.1\r\nРасчетная длина импоста = 1272,0 мм\r\nШирина нагрузки 1 = 650\r\n"
            "Ширина нагрузки 2 = 650\r\nНеобходимый Ix = 0,37");
  EXPECT_FLOAT_EQ(m.Impost->SelfIx, 2.94f);
  EXPECT_FALSE(m.Impost->StaticFailed);
  ASSERT_EQ(report.Flugels.size(), 1u);
  EXPECT_EQ(report.Flugels[0].Result, 0);  // 561 x 1288 under the tilt graph of TL-201
  EXPECT_TRUE(StaticValid(*window));
  EXPECT_TRUE(StaticChecked(*window));
  EXPECT_TRUE(StaticPassed(report));
  EXPECT_EQ(ProposalText(ProposeSteel(report)[0]), "Замен не требуется");
  EXPECT_FALSE(CheckStatic(*window, Region("1"), false).Ran);  // its own check is off
  // With two mullions each aperture reaches the nearest parallel mullion or the frame on each side.
  auto three_fields = test::BuildDemoWindow(1800, 1400, {500, 1200}, {});
  const TStaticReport apertures = CheckStatic(*three_fields, Region("1"), true);
  ASSERT_EQ(apertures.Mullions.size(), 2u);
  std::vector<std::pair<float, float>> widths;
  for (const TMullionResult& each : apertures.Mullions)
    widths.emplace_back(std::min(each.Aperture.Width1, each.Aperture.Width2),
                        std::max(each.Aperture.Width1, each.Aperture.Width2));
  std::sort(widths.begin(), widths.end());
  // 500 to the frame and 700 to the other mullion; 700 back and 600 to the frame.
  EXPECT_EQ(widths, (std::vector<std::pair<float, float>>{{500, 700}, {600, 700}}));
}

// 1300 x 2400 in region 4 (W0 = 48): mullion 2272, Qr = 0.0048 x 0.65 x 0.8 x 1.4 = 0.0034944,
// glass 2300 high: K1 = 1.2 (row 2500); Fdop = 227.2 / 300 = 0.757333, a / L = 32.5 / 227.2.
// Ix1 = 227.2^4 x 0.0034944 x 32.5 / (2100000 x 1920 x 0.757333) x 24.188215 x 1.2 = 2.876516;
// Ix = 5.753032 > 2.94 of TL-S20: the weakest steel reaching it is TL-S30 (Ix 5.82).
TEST(ConstructionStatics, TallWindowInAWindyRegionGetsAStrongerSteel) {
  test::TDemoCatalogue catalogue;
  auto window = test::BuildDemoWindow(1300, 2400, {650}, {});
  const TStaticReport report = CheckStatic(*window, Region("4"), true);
  ASSERT_EQ(report.Mullions.size(), 1u);
  EXPECT_NEAR(report.Mullions[0].NeedIx, 5.753032, 1e-4);
  EXPECT_TRUE(report.Mullions[0].Impost->StaticFailed);
  EXPECT_FALSE(StaticValid(*window));
  const std::vector<TSteelProposal> proposals = ProposeSteel(report);
  EXPECT_EQ(ProposalText(proposals[0]), "TL-S30 (Ix = 5,82)");

  auto copy = ApplySteelProposals(*window, proposals);
  EXPECT_TRUE(StaticPassed(CheckStatic(*copy, Region("4"), true)));
  EXPECT_FALSE(StaticValid(*window));  // the original keeps its steel
}

TEST(ConstructionStatics, BrokenSizeLimitsStopTheCheck) {
  test::TDemoCatalogue catalogue;
  auto wide = test::BuildDemoWindow(3100, 1400, {}, {});
  try {
    CheckStatic(*wide, Region("1"), true);
    ADD_FAILURE() << "a frame wider than 3000";
  } catch (const EStaticError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Размеры рамы [3100,0 x 1400,0] превышают\r\nмаксимально допустимые [3000 x 2400]!");
  }
  // The frame 1300 x 1400 is welded of bars 1300 + 2 x 3 / sin 45 = 1308.5 and 1408.5 long.
  auto window = test::BuildDemoWindow(1300, 1400, {}, {});
  struct TCase {
    int WeldMin, WeldMax;
    const char* Message;
  } cases[] = {
      {1350, 0, "Длина профиля TL-101 [1308,5] меньше минимально допустимой для сварки [1350]!"},
      {0, 1400, "Длина профиля TL-101 [1408,5] превышает максимально допустимую для сварки [1400]!"},
  };
  for (const TCase& c : cases) {
    TStaticLimit limit;
    limit.WeldMinSize = c.WeldMin;
    limit.WeldMaxSize = c.WeldMax;
    try {
      CheckWelding(*window->GetFrame(0), limit);
      ADD_FAILURE() << c.Message;
    } catch (const EStaticError& error) {
      EXPECT_EQ(std::string(error.what()), c.Message);
    }
  }
  TStaticLimit fits;
  fits.WeldMinSize = 1300;
  fits.WeldMaxSize = 1410;
  EXPECT_NO_THROW(CheckWelding(*window->GetFrame(0), fits));
  fits.EckverMinSize = {1400, 400};  // corner connectors need 400 x 400 in the demo scheme
  EXPECT_EQ(test::ErrorOf([&] { CheckEckver(*window->GetFrame(0), fits); }),
            "Размеры рамы [1300,0 x 1400,0] меньше минимально допустимых для угловых соединителей [1400 x 400]!");
  // TL-101 is sold in bars of 6500: the top of a frame 6600 wide is 6600 + 8.5 long.
  auto long_frame = test::BuildDemoWindow(6600, 1400, {}, {});
  EXPECT_EQ(test::ErrorOf([&] { CheckProfLen(*long_frame->GetFrame(0), fits); }),
            "Длина профиля TL-101 [6608,5] превышает максимальную длину хлыста [6500]!");
  fits.ProfOptCheck.ProfLen = false;
  EXPECT_NO_THROW(CheckProfLen(*long_frame->GetFrame(0), fits));
}

// Mullion TL-301 (default steel TL-S20) at 650 of 1300 x 1400 is 1272 long, a transom at 700 left
// of it 650 - 62 - 41 - 2 x 2 = 543. With ImpostSteelMinSize 1300 both are short: the mullion loses
// its steel, the transom keeps it while AllwaysEnforceHImpost holds. At 1200 the mullion gets the
// default back. Needing Ix 1.2 the mullion may take TL-S15 (1.35, priority 2 with TL-301), TL-S20
// (2.94, the default, priority 1) or TL-S30 (5.82, priority 1).
TEST(ConstructionStatics, MullionSteelFollowsTheSwitches) {
  test::TDemoCatalogue catalogue;
  auto window = test::BuildDemoWindow(1300, 1400, {650}, {});
  auto& mullion = dynamic_cast<TImpost&>(*window->GetFrame(0)->Imposts[0]);
  TImpost& transom = *test::InsertDemoMullion(*window->GetFrame(0), 0, {0, 7000}, {6500, 7000});
  TStaticLimit limit;
  const auto steel_of = [&limit](TImpost& Bar, float Length, int MinSize, bool EnforceH) {
    limit.ImpostSteelMinSize = MinSize;
    limit.ProfOptCheck.AllwaysEnforceHImpost = EnforceH;
    SetMullionSteel(Bar, Length, limit);
    return Bar.Steel.ID;
  };
  EXPECT_EQ(steel_of(mullion, 1272, 1300, true), "");
  EXPECT_EQ(steel_of(transom, 543, 1300, true), "TL-S20");
  EXPECT_EQ(steel_of(transom, 543, 1300, false), "");
  EXPECT_EQ(steel_of(mullion, 1272, 1200, true), "TL-S20");
  TStaticReport report;
  report.Mullions.push_back({&mullion, 1272, {}, 0, smWindow, 1.2f, 1.1f, {}});
  const auto proposed = [&report](bool SaveDefault, bool MaxIx, bool Priority) {
    report.Options.ImpostSaveDefSteel = SaveDefault;
    report.Options.ImpostSetMaxIxIfStatic = MaxIx;
    report.Options.UseSteelPriority = Priority;
    return ProposeSteel(report)[0].Steel;
  };
  EXPECT_EQ(proposed(true, true, true), "TL-S20");
  EXPECT_EQ(proposed(false, true, true), "TL-S30");
  EXPECT_EQ(proposed(false, false, true), "TL-S20");
  EXPECT_EQ(proposed(false, false, false), "TL-S15");
}

// The sash of a 1300 x 2400 window is 561 x 2288, above the tilt graph of TL-201 (1900 at most):
// the user is told, and takes the strongest steel TL-201 takes (TL-S20, Ix 2.94, over TL-S15).
TEST(SashGraphs, FailingSashIsReportedAndTakesTheStrongestSteel) {
  test::TDemoCatalogue catalogue;
  auto window = test::BuildDemoWindow(1300, 2400, {650}, {2});
  const TStaticReport report = CheckStatic(*window, Region("1"), true);
  ASSERT_EQ(report.Flugels.size(), 1u);
  EXPECT_EQ(report.Flugels[0].Result, -1);
  const std::vector<std::string> texts = catalogue.Messages.Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].rfind("Створка не проходит по статическим расчетам!\r\n\r\nСтворка № 2: TL-201\r\nЦвет: WH\r\n"
                           "Размер: 561 x 2288\r\nВысота здания: 10\r\n",
                           0),
            0u)
      << texts[0];
  EXPECT_EQ(texts[1],
            "Створка не проходит по статическим расчетам!\r\n\r\nПоставить арматуру с максимальным Ix\r\n(TL-S20, Ix = "
            "2,94)?");
  EXPECT_EQ(report.Flugels[0].Flugel->GetFrameLine(0)->Steel.ID, "TL-S20");
  EXPECT_FALSE(StaticPassed(report));
  // With FlugelSetMaxIxIfStatic (and no ShowAlertIfMaxIx) it is taken without a word.
  TFlugel& sash = *report.Flugels[0].Flugel;
  for (int i = 0; i < 4; ++i) sash.GetFrameLine(i)->SetSteel("TL-S15");
  TStaticLimit limit;
  limit.ProfOptCheck.FlugelSetMaxIxIfStatic = true;
  catalogue.Messages.Clear();
  TStaticReport again;
  CheckFlugelStatic(sash, limit, 1, again);
  EXPECT_EQ(catalogue.Messages.Texts().size(), 1u);  // the failure only
  EXPECT_EQ(sash.GetFrameLine(3)->Steel.ID, "TL-S20");
}

// A frame W x 1512 holds a sash (W - 112) x 1400. Graphs of TL-201 (base colour, load group 1):
// tilting "...;800:1800;1100:1500;1300:900" allows 1200 at x 1200 and 1600 at x 1000, turning only
// "1200:1900", with the meeting stile TL-401 and its steel TL-S15 "900:1800". The fittings complect,
// where chosen, says whether the sash tilts (P-R turns, PO-R tilts).
TEST(SashGraphs, SinglePointAndPolygonGraphsByTheTiltOfTheFittingsAndTheMeetingStile) {
  test::TDemoCatalogue catalogue;
  const auto result_of = [](int Width, const char* Complect, bool Kipp, bool WithStulp) {
    auto window = test::BuildDemoWindow(Width, 1512, {}, {1});
    TFrame& frame = *window->GetFrame(0);
    TFlugel& sash = *Flugels(frame).begin();
    sash.SetKipp(Kipp);
    sash.FurnComp = std::make_unique<TFurnComp>();
    sash.FurnComp->ID = Complect;
    Tgx25Stulp stulp(&frame, nullptr, nullptr);
    stulp.Profile.ID = "TL-401";
    stulp.Steel.ID = "TL-S15";
    auto& field = dynamic_cast<Tgx30CustomPart&>(*frame.Parts[0]);
    field.StulpPtr = WithStulp ? &stulp : nullptr;
    const int32_t result = CheckStatic(*window, Region("1"), true).Flugels.at(0).Result;
    field.StulpPtr = nullptr;
    return result;
  };
  EXPECT_EQ(result_of(1312, "", true, false), -1);  // 1200 x 1400 above the tilt graph
  EXPECT_EQ(result_of(1312, "P-R", true, false), 0);
  EXPECT_EQ(result_of(1312, "PO-R", false, false), -1);
  EXPECT_EQ(result_of(1112, "", true, false), 0);  // 1000 x 1400 under it
  EXPECT_EQ(result_of(1112, "", true, true), 2);   // wider than 900, within 1800
  struct TCase {
    const char* Graph;
    int Width, Height;
    bool Strict;
    int Result;
  } cases[] = {
      {"1200:1400", 1200, 1400, false, 0},
      {"1200:1400", 1201, 1400, false, 2},  // only the height holds
      {"1200:1400", 1200, 1401, false, 1},  // only the width holds
      {"1200:1400", 1300, 1500, false, -1},
      {"1200:1400", 1201, 1400, true, -1},
      {"400:1900;800:1800;1100:1500;1300:900", 561, 1288, false, 0},
      // On the edge 1100:1500 - 1300:900 (at x = 1200 it falls to 1200).
      {"400:1900;800:1800;1100:1500;1300:900", 1200, 1200, false, 0},
      {"400:1900;800:1800;1100:1500;1300:900", 1200, 1201, false, -1},
      {"400:1900;800:1800;1100:1500;1300:900", 1301, 100, false, -1},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(TestLimitGraph(c.Graph, c.Width, c.Height, c.Strict), c.Result) << c.Graph << " " << c.Width;
  EXPECT_THROW(TestLimitGraph("1200x1400", 100, 100, false), EInterfaceError);
}

// The sash of TL-201 takes TL-S15 (its default, Ix 1.35) and TL-S20 (Ix 2.94, the strongest).
// Sides before -> after the sash steel switches, or after the strongest steel is put on.
TEST(SashGraphs, SashSteelFollowsTheSwitches) {
  test::TDemoCatalogue catalogue;
  auto window = test::BuildDemoWindow(1300, 1400, {650}, {2});
  TFlugel& sash = *Flugels(*window->GetFrame(0)).begin();
  const std::vector<std::string> none(4), s20(4, "TL-S20");
  const auto sides = [&sash](const std::vector<std::string>& Steels) {
    for (int i = 0; i < 4; ++i) sash.GetFrameLine(i)->SetSteel(Steels[static_cast<size_t>(i)]);
  };
  const auto steels = [&sash] {
    std::vector<std::string> result;
    for (int i = 0; i < 4; ++i) result.push_back(sash.GetFrameLine(i)->Steel.ID);
    return result;
  };
  struct TCase {
    bool MaxIx, NoSteel, ByPerimeter;
    std::vector<std::string> Before, After;
  } cases[] = {
      {false, true, false, {"TL-S20", "", "", ""}, {"TL-S20", "", "", ""}},
      {false, true, true, {"TL-S20", "", "", ""}, s20},
      {false, false, false, {"TL-S20", "", "", ""}, {"TL-S20", "TL-S15", "TL-S15", "TL-S15"}},
      {false, true, true, none, none},
      {true, true, false, {"TL-S15", "", "", ""}, {"TL-S20", "", "", ""}},
      {true, true, true, {"TL-S15", "", "", ""}, s20},
      {true, true, false, none, s20},
  };
  TStaticLimit limit;
  for (const TCase& c : cases) {
    sides(c.Before);
    limit.ProfOptCheck.FlugelNoSteelAvailable = c.NoSteel;
    limit.ProfOptCheck.SteelByPerimeter = c.ByPerimeter;
    if (c.MaxIx)
      SetMaxIxSteel(sash, limit);
    else
      SetFlugelSteel(sash, limit);
    EXPECT_EQ(steels(), c.After) << c.MaxIx << c.NoSteel << c.ByPerimeter;
  }
  // With its check off the sash takes the strongest steel when asked to, and says so.
  sides(none);
  limit.ProfOptCheck.FlugelMaxSize = false;
  limit.ProfOptCheck.FlugelSetMaxIxIfNoStatic = limit.ProfOptCheck.ShowAlertIfMaxIx = true;
  TStaticReport report;
  CheckFlugelStatic(sash, limit, 1, report);
  EXPECT_TRUE(report.Flugels.empty());
  EXPECT_EQ(steels(), s20);
  EXPECT_EQ(catalogue.Messages.LastText(), "Створка № 2: выбрана арматура с максимальным Ix\r\n(TL-S20, Ix = 2,94).");
  // So do the mullions (TL-301 takes up to TL-S30, Ix 5.82), none of them checked.
  limit.ProfOptCheck.ImpostMaxSize = false;
  limit.ProfOptCheck.ImpostSetMaxIxIfNoStatic = true;
  CheckALUImpostStatic(*window->GetFrame(0), limit, TkvStatic{}, 1.4f, report);
  EXPECT_TRUE(report.Mullions.empty());
  EXPECT_EQ(dynamic_cast<TImpost&>(*window->GetFrame(0)->Imposts[0]).Steel.ID, "TL-S30");
}

// Two sashes 844 x 1888 on the meeting stile TL-401 of a 1800 x 2000 window (base colour, load
// group 1). With the stile's TL-S15 the graph is "900:1800": only the width holds (1). TL-S20
// ("1000:2000", Ix 2.94, priority 2) and TL-S30 ("1100:2200", Ix 5.82, priority 1) pass both.
TEST(SashGraphs, MeetingStileGetsTheSteelWhoseGraphItsSashesPass) {
  test::TDemoCatalogue catalogue;
  TFrameBuildOptions options;
  options.Width = 1800;
  options.Height = 2000;
  options.Color = "WH";
  options.Stulps = {900};
  options.Sashes = {1, 2};
  auto window = BuildConstruction(options);
  TStaticReport report = CheckStatic(*window, Region("1"), true);
  ASSERT_EQ(report.Flugels.size(), 2u);
  for (const TFlugelResult& f : report.Flugels) EXPECT_EQ(f.Result, 1) << f.Width << " x " << f.Height;
  const auto proposed = [&report](bool SaveDefault, bool MaxIx, bool Priority) {
    report.Options.FlugelSaveDefSteel = SaveDefault;
    report.Options.FlugelSetMaxIxIfStatic = MaxIx;
    report.Options.UseSteelPriority = Priority;
    const std::vector<TSteelProposal> proposals = ProposeStulpSteel(report);
    return proposals.size() == 1 ? ProposalText(proposals[0]) : "";
  };
  EXPECT_EQ(proposed(true, false, false), "TL-S20 (Ix = 2,94)");  // the default TL-S15 fails
  EXPECT_EQ(proposed(false, true, false), "TL-S30 (Ix = 5,82)");
  EXPECT_EQ(proposed(false, false, true), "TL-S30 (Ix = 5,82)");
  auto copy = ApplySteelProposals(*window, ProposeStulpSteel(report));
  const TStaticReport again = CheckStatic(*copy, Region("1"), true);
  EXPECT_EQ(ProposalText(ProposeStulpSteel(again).at(0)), "Замен не требуется");
  EXPECT_EQ(Stulps(*window).begin()->Steel.ID, "TL-S15");  // the original keeps its steel
}

}  // namespace
}  // namespace kv
