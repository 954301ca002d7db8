// The money commands of an order, selections and complect lists from the command line.
#include <gtest/gtest.h>
#include "cli/cli_run.h"
#include "shell/value_stream.h"

namespace kv::cli {
namespace {

using CostingCommands = TCliFolderTest;

TEST_F(CostingCommands, ServiceDiscountVatAndPaymentMakeTheTotals) {
  const std::string order = Path("o.gxo");
  Run({"order", "new", order, "--no", "5"});
  Run({"order", "service", order, "--id", "1", "--name", "Доставка", "--value", "1500", "--common"});
  Run({"order", "discount", order, "--section", "order", "--percent", "-10"});
  Run({"order", "vat", order, "--rate", "20"});
  Run({"order", "payment", order, "--date", "01.03.2024", "--amount", "500", "--form", "Наличные"});
  const auto totals = Json({"order", "show", order, "--json"})["totals"];
  // Service 1500; -10 %: 1350; VAT 20 %: 270, with VAT 1620; paid 500, 1120 to pay.
  EXPECT_EQ(totals["summary_service"], 1500);
  EXPECT_EQ(totals["summary_without_nds"], 1500);
  EXPECT_EQ(totals["order_reduce_str"], "-10,00 %");
  EXPECT_EQ(totals["summary_with_reduce"], 1350);
  EXPECT_EQ(totals["nds"], 270);
  EXPECT_EQ(totals["summary_with_nds"], 1620);
  EXPECT_EQ(totals["payment_sum"], 500);
  EXPECT_EQ(totals["balance"], 1120);
  EXPECT_EQ(totals["window_total"], 0);

  // Bad values are refused with the program's words and leave the file as it was.
  TSpecStream before;
  before.LoadFromFile(order);
  const std::vector<std::vector<std::string>> refused = {
      {"order", "discount", order, "--section", "window", "--percent", "abc"},
      {"order", "discount", order, "--section", "window", "--percent", "-200"},
      {"order", "discount", order, "--section", "window"},
      {"order", "discount", order, "--section", "hall", "--amount", "5"},
      {"order", "payment", order, "--date", "31.02.2024", "--amount", "5", "--form", "Банк"},
      {"order", "service", order, "--id", "9", "--delete"},
  };
  for (const auto& args : refused) {
    const TCliRun run = RunCliCaptured(args);
    EXPECT_NE(run.Code, 0) << args[4];
    EXPECT_FALSE(run.Err.empty());
  }
  TSpecStream after;
  after.LoadFromFile(order);
  EXPECT_TRUE(std::ranges::equal(after.Bytes(), before.Bytes()));
}

TEST_F(CostingCommands, SelectionAndComplectOfAnOrder) {
  const std::string order = Path("o.gxo");
  Run({"order", "new", order, "--no", "7", "--customer", "Петров"});
  Run({"order", "add", order, "--count", "2"});
  Run({"order", "calc", order});
  const std::string selection = Path("s.gxs");
  Run({"selection", "new", selection, "--no", "В-1"});
  Run({"selection", "add", selection, order});
  EXPECT_NE(RunCliCaptured({"selection", "add", selection, order, "--pos", "9"}).Code, 0);
  const auto shown = Json({"selection", "show", selection, "--json", "--materials"});
  ASSERT_EQ(shown["items"].size(), 1u);
  // Two windows of 1300 x 1400 mm: 3.64 m2.
  EXPECT_EQ(shown["statistics"]["constructions"], 2);
  EXPECT_NEAR(shown["statistics"]["total_square"].get<double>(), 3.64, 1e-9);
  // The batch holds the position's materials twice: the first of them, as the order lists it once.
  const auto position = Json({"order", "show", order, "--json"})["positions"][0];
  ASSERT_FALSE(shown["batch"]["materials"].empty());
  EXPECT_NEAR(shown["batch"]["materials"][0]["quantity"].get<double>(),
              2 * position["materials"][0]["quantity"].get<double>(), 1e-9);

  EXPECT_NE(RunCliCaptured({"selection", "delete", selection, "--order", "7", "--pos", "9"}).Code, 0);
  Run({"selection", "delete", selection, "--order", "7", "--pos", "1"});
  EXPECT_TRUE(Json({"selection", "show", selection, "--json"})["items"].empty());

  const std::string complect = Path("c.gxc");
  Run({"complect", "new", complect, "--order", order, "--no", "К-1"});
  const auto list = Json({"complect", "show", complect, "--json"});
  EXPECT_EQ(list["order"], "7");
  EXPECT_EQ(list["customer"], "Петров");
  ASSERT_FALSE(list["items"].empty());
  EXPECT_EQ(list["items"][0]["article"], "1");
  EXPECT_EQ(list["items"][0]["size"], "1300 x 1400");
  EXPECT_EQ(list["items"][0]["number"], 2);
  EXPECT_NE(RunCliCaptured({"complect", "new", complect, "--order", order}).Code, 0);
}

}  // namespace
}  // namespace kv::cli
