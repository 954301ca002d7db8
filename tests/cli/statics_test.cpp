#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_run.h"

namespace kv::cli {
namespace {

// Region 1, terrain B at 10 m, L = 140, A = B = 60 cm, glass 1300 (K1 = 1.0), PVC under a glass unit:
// Qr = 0.0016744, Fdop = 140 / 300; Ix1 = 140^4 x 0.0016744 x 30 / (2100000 x 1920 x 0.46667)
// x (25 - 40 x 0.21429^2 + 16 x 0.21429^4) = 0.0102557 x 23.197 = 0.23790; Ix = 0.47581.
TEST(StaticsCommand, RequiredIxWithItsLogAndABuiltWindowsVerdict) {
  const TCliRun run =
      RunCliCaptured({"statics",   "ix",  "--method",       "0",    "--material", "pvc",  "--region", "1",
                      "--terrain", "B",   "--height",       "10",   "--span",     "1400", "--a",      "600",
                      "--b",       "600", "--glass-height", "1300", "--glass",    "unit", "--json"});
  ASSERT_EQ(run.Code, 0) << run.Err;
  const auto json = nlohmann::json::parse(run.Out);
  EXPECT_NEAR(json["ix"].get<double>(), 0.47581, 1e-4);
  EXPECT_EQ(json["log"][23], "   Ix1 = 0,2379");
  const TCliRun bad = RunCliCaptured({"statics", "ix", "--terrain", "D", "--span", "1", "--a", "1", "--b", "1"});
  EXPECT_NE(bad.Code, 0);
  const TCliRun demo = RunCliCaptured({"construction", "build", "--vertical", "650", "--sash", "2", "--statics"});
  ASSERT_EQ(demo.Code, 0) << demo.Err;
  EXPECT_TRUE(
      test::Contains(demo.Out, "Конструкция соответствует расчетам по статике.\n  Импост № I.1: Замен не требуется"));
  const TCliRun tall =
      RunCliCaptured({"construction", "build", "--height", "2400", "--vertical", "650", "--statics", "--region", "4"});
  ASSERT_EQ(tall.Code, 0) << tall.Err;
  EXPECT_TRUE(
      test::Contains(tall.Out, "Конструкция не проходит по статическим расчетам!\n  Импост № I.1: TL-S30 (Ix = 5,82)"));
}

}  // namespace
}  // namespace kv::cli
