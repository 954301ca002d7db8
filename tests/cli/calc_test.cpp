#include <gtest/gtest.h>

#include "cli/cli_run.h"

namespace kv::cli {
namespace {

double CostOfEstimate(const nlohmann::json& Json) {
  double sum = 0;
  for (const auto& line : Json["estimate"]) sum += line["cost"].get<double>();
  return sum;
}

using CalcCommands = TCliFolderTest;

TEST_F(CalcCommands, WindowCalculationAndOrderRecalculation) {
  const TCliRun built =
      RunCliCaptured({"construction", "build", "--vertical", "650", "--sash", "2", "--calc", "--json"});
  ASSERT_EQ(built.Code, 0) << built.Err;
  const auto json = nlohmann::json::parse(built.Out);
  // One mullion piece, vertical, joined at both ends to the frame's top and bottom sides (A.2, A.4).
  int mullions = 0;
  for (const auto& piece : json["cut_list"])
    if (piece["article"] == "TL-301") {
      mullions += piece["count"].get<int>();
      EXPECT_TRUE(
          test::Contains(piece["description"].get<std::string>(), "GRP=3\r\nDIR=Вертикальный\r\nIMPL=A.2;TL-101"));
    }
  EXPECT_EQ(mullions, 1);
  EXPECT_GT(json["materials"].size(), 10u);
  // The rules of the T-joint: one connector and four screws at each end of the mullion.
  for (const auto& item : json["materials"])
    if (item["origin"] == "Комбинация 2001") {
      EXPECT_EQ(item["quantity"].get<double>(), item["article"] == "TL-V01" ? 2 : 8) << item;
    }
  EXPECT_NEAR(json["cost"].get<double>(), CostOfEstimate(json), 0.005);

  const std::string file = Path("c.gxo");
  Run({"order", "new", file, "--no", "5"});
  Run({"order", "add", file, "--vertical", "650", "--sash", "2"});
  const TCliRun calculated = RunCliCaptured({"order", "calc", file});
  ASSERT_EQ(calculated.Code, 0) << calculated.Err;
  EXPECT_TRUE(test::Contains(calculated.Out, "Расчет позиций: 1 из 1 (позиция 1)"));
  // The saved position holds the same cost as the window calculated on its own.
  const auto shown = Json({"order", "show", file, "--json"});
  EXPECT_NEAR(shown["positions"][0]["cost"].get<double>(), json["cost"].get<double>(), 0.005);
  EXPECT_EQ(shown["positions"][0]["materials"].size(), json["materials"].size());
}

}  // namespace
}  // namespace kv::cli
