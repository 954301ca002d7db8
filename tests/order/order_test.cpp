#include "order/order.h"
#include "order/order_defaults.h"

#include <gtest/gtest.h>

#include "construction/model_builders.h"
#include "construction/sample_constructions.h"
#include "shell/user_messages.h"

namespace kv {
namespace {

using test::SimpleWindow;

// An order numbered No with single windows numbered by Numbers.
std::unique_ptr<TOrder> OrderWith(const std::string& No, const std::vector<std::string>& Numbers) {
  auto order = std::make_unique<TOrder>();
  order->No = No;
  for (const std::string& number : Numbers) order->Add(SimpleWindow(number, 1000, 1200));
  return order;
}

std::vector<std::string> Numbers(const TOrder& Order) {
  std::vector<std::string> numbers;
  for (int i = 0; i < Order.Count(); ++i) numbers.push_back(Order.GetConstruction(i)->No);
  return numbers;
}

TEST(OrderDefaults, NewOrderTakesTheOptions) {
  TGXSetup setup;
  setup.DefaultSillCheck = true;
  setup.DefaultMontPeriodCheck = true;
  TOrder order;
  SetOrderDefaults(order, setup, 45000);
  EXPECT_TRUE(order.IncludeWindow && order.IncludeSill && !order.IncludeSink);
  // Ten days of production and ten of montage by default.
  EXPECT_TRUE(order.PrepareDateEnabled && order.MontageDateEnabled && !order.MeasureDateEnabled);
  EXPECT_EQ(order.PrepareDate, 45010);
  EXPECT_EQ(order.MontageDate, 45020);
}

TEST(OrderPositions, AddOwnsAndStampsTheConstructionFoundByItsNumberInAnyCase) {
  TOrder order;
  auto window = SimpleWindow("1", 1000, 1000);
  window->TimeStamp1 = window->TimeStamp2 = 1;
  Tgx25Construction* added = order.Add(std::move(window));
  EXPECT_EQ(added->Owner, &order);
  EXPECT_GT(added->TimeStamp1, 40000);
  EXPECT_EQ(added->TimeStamp1, added->TimeStamp2);
  EXPECT_EQ(added->GetFrame(0)->GetParentOrder(), &order);
  order.Delete(0);
  EXPECT_EQ(order.Count(), 0);
  // Positions are found by their numbers in any letter case.
  const auto numbered = OrderWith("7", {"1", "1A", "2б"});
  EXPECT_EQ(numbered->PosFind("1a"), 1);
  EXPECT_EQ(numbered->PosFind("2Б"), 2);
  EXPECT_EQ(numbered->PosFind("3"), -1);
  EXPECT_EQ(numbered->GetPosByNo("1A"), numbered->GetConstruction(1));
  EXPECT_EQ(numbered->GetPosByNo("x"), nullptr);
}

TEST(OrderPositions, AppendPosRenumbersWithTheSourceOrderNumberUntilUniqueOrSkipsExisting) {
  auto target = OrderWith("10", {"1", "2"});
  ASSERT_TRUE(target->AppendPos(*OrderWith("15", {"1", "2", "3"}), false));
  EXPECT_EQ(Numbers(*target), (std::vector<std::string>{"1", "2", "1.15", "2.15", "3"}));
  EXPECT_EQ(target->GetConstruction(2)->GetFrame(0)->Name, "1.15");
  EXPECT_EQ(target->GetConstruction(2)->Owner, target.get());
  target = OrderWith("10", {"1", "1.15"});
  ASSERT_TRUE(target->AppendPos(*OrderWith("15", {"1"}), false));
  EXPECT_EQ(Numbers(*target), (std::vector<std::string>{"1", "1.15", "1.15.15"}));
  target = OrderWith("10", {"1", "2"});
  ASSERT_TRUE(target->AppendPos(*OrderWith("15", {"2", "4"}), true));
  EXPECT_EQ(Numbers(*target), (std::vector<std::string>{"1", "2", "4"}));
}

// A backup taken before the operation restores the order; updating takes the positions of the
// same numbers, appending updating adds the others.
TEST(OrderPositions, BackupUpdateAndAppendUpdate) {
  auto target = OrderWith("10", {"1", "2"});
  EXPECT_FALSE(target->RestoreBackup());
  ASSERT_TRUE(target->CopyPos(*OrderWith("15", {"3"})));
  EXPECT_EQ(target->Count(), 3);
  ASSERT_TRUE(target->RestoreBackup());
  EXPECT_EQ(Numbers(*target), (std::vector<std::string>{"1", "2"}));
  auto source = OrderWith("15", {"2", "5"});
  source->GetConstruction(0)->Count = 7;
  ASSERT_TRUE(target->UpdatePos(*source));
  EXPECT_EQ(Numbers(*target), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(target->GetConstruction(1)->Count, 7);
  EXPECT_EQ(target->GetConstruction(1)->Owner, target.get());
  ASSERT_TRUE(target->AppendUpdatePos(*source));
  EXPECT_EQ(Numbers(*target), (std::vector<std::string>{"1", "2", "5"}));
}

TEST(OrderPositions, MovePosKeepsTheOrderOfTheOthersAndClonePosCopiesWithNewNumbers) {
  const struct {
    int From, To;
    std::vector<std::string> Expected;
    bool Moved;
  } cases[] = {{0, 2, {"2", "3", "1", "4"}, true},
               {3, 1, {"1", "4", "2", "3"}, true},
               {1, 1, {"1", "2", "3", "4"}, true},
               {0, 4, {"1", "2", "3", "4"}, false},
               {-1, 0, {"1", "2", "3", "4"}, false}};
  for (const auto& c : cases) {
    auto order = OrderWith("5", {"1", "2", "3", "4"});
    EXPECT_EQ(order->MovePos(c.From, c.To), c.Moved);
    EXPECT_EQ(Numbers(*order), c.Expected) << c.From << "->" << c.To;
  }
  auto order = OrderWith("10", {"1", "2"});
  order->GetConstruction(0)->Checked = true;
  const auto source = OrderWith("10", {"1", "2"});
  source->GetConstruction(0)->Checked = true;
  ASSERT_TRUE(order->ClonePos(*source));
  EXPECT_EQ(Numbers(*order), (std::vector<std::string>{"1", "2", "1-1"}));
  EXPECT_NE(order->GetConstruction(2)->GetFrame(0)->InternalID, source->GetConstruction(0)->GetFrame(0)->InternalID);
}

TEST(OrderSelection, WalksVisitCheckedPositionsInOrder) {
  auto order = OrderWith("1", {"1", "2", "3"});
  EXPECT_EQ(order->GetFirstSelected(), nullptr);
  EXPECT_EQ(order->GetSelectedPosAsString(), "");
  EXPECT_FALSE(order->SelectedExists());
  EXPECT_EQ(order->GetFirstFrame(), nullptr);
  order->GetConstruction(0)->Checked = true;
  order->GetConstruction(2)->Checked = true;
  order->GetConstruction(2)->Count = 4;
  EXPECT_EQ(order->GetFirstSelected(), order->GetConstruction(0));
  EXPECT_EQ(order->GetNextSelected(), order->GetConstruction(2));
  EXPECT_EQ(order->GetNextSelected(), nullptr);
  EXPECT_EQ(order->GetSelectedPosAsString(), "1, 3");
  EXPECT_EQ(order->GetPosList(), (std::vector<std::string>{"1", "3"}));
  EXPECT_EQ(order->SelectedCount(), 2);
  EXPECT_EQ(order->SelectedNumber(), 5);  // 1 + 4 pieces
  EXPECT_EQ(order->GetFirstFrame(), order->GetConstruction(0)->GetFrame(0));
  EXPECT_EQ(order->GetNextFrame(), order->GetConstruction(2)->GetFrame(0));
  EXPECT_EQ(order->GetNextFrame(), nullptr);
}

TEST(OrderAggregates, OnlyCheckedPositionsWeightedByTheirQuantity) {
  auto order = OrderWith("1", {"1", "2"});
  order->Add(test::RichConstruction("3"));
  order->GetConstruction(1)->Checked = true;
  order->GetConstruction(1)->Count = 3;
  // 1000 x 1200 mm = 1.2 m2, three pieces.
  EXPECT_NEAR(static_cast<double>(order->GetSquare()), 3.6, 1e-9);
  EXPECT_EQ(order->GetPartCount(), 3);
  EXPECT_EQ(order->SelFrameNumber(), 3);
  EXPECT_EQ(order->SelFrameNumber("XX"), 0);
  EXPECT_EQ(order->GetWinTypeCount(), 3);
  EXPECT_EQ(order->GetDoorTypeCount(), 0);
  EXPECT_EQ(order->GetFillingCount(), 3);
  order->GetConstruction(2)->Checked = true;
  EXPECT_EQ(order->GetDoorTypeCount(), 2);
  EXPECT_EQ(order->SelFrameNumber("TL70"), 3 + 2 * 3);
  EXPECT_EQ(order->GetConstructionSystems(), (std::vector<std::string>{"TL70"}));
}

TEST(OrderAggregates, LeaveAWalkOfAPositionWhereItStands) {
  auto order = OrderWith("1", {"1"});
  Tgx25Construction& window = *order->GetConstruction(0);
  window.Checked = true;
  // A second glazed frame beside the first: two parts and two glasses, one in each frame.
  TFrame* second = window.NewFrame(1);
  test::BuildRectContour(*second, {10000, 0}, 5000, 12000, 600);
  auto* part = static_cast<Tgx30CustomPart*>(second->AddBasePart());
  part->SetNewGlass(1);
  EXPECT_EQ(window.GetFirstPart(), test::CustomPart(*window.GetFrame(0), 0));
  EXPECT_EQ(order->GetPartCount(), 2);
  EXPECT_EQ(window.GetNextPart(), part);
  EXPECT_NE(window.GetFirstGlass(), part->Glass.get());
  EXPECT_EQ(order->GetFillingCount(), 2);
  EXPECT_EQ(window.GetNextGlass(), part->Glass.get());
}

TEST(OrderAggregates, AddOnLists) {
  TOrder order;
  Tgx25CustomSill sill;
  sill.Int1 = 2;
  sill.Int2 = 1500;
  sill.Int3 = 300;
  order.Sills = {sill, sill};
  order.Sills[1].Flag = true;
  EXPECT_EQ(order.GetSillCount(), 4);
  EXPECT_NEAR(static_cast<double>(order.GetSillLength()), 6.0, 1e-12);
  EXPECT_NEAR(static_cast<double>(order.GetSillSquare()), 1.8, 1e-12);
  EXPECT_NEAR(static_cast<double>(order.GetSillPerimeter()), 14.4, 1e-12);
  EXPECT_EQ(order.SelSillNumber(), 2);
  EXPECT_NEAR(static_cast<double>(order.SelSillLength()), 3.0, 1e-12);
  Tgx25CustomNet net;
  net.Int1 = 1;
  net.Int2 = 600;
  net.Int3 = 1000;
  order.Mosquitos = {net};
  EXPECT_EQ(order.GetMosquitoCount(), 1);
  EXPECT_NEAR(static_cast<double>(order.GetMosquitoSquare()), 0.6, 1e-12);
  EXPECT_EQ(order.SelMosquitoNumber(), 0);
  EXPECT_EQ(order.GetSill(1)->Int2, 1500);
  EXPECT_EQ(order.GetSill(2), nullptr);
  order.ClearSillList();
  EXPECT_EQ(order.GetSillCount(), 0);
}

}  // namespace
}  // namespace kv
