#include "geometry/sizing.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kv {
namespace {

Tgx25SizePointList Chain(std::initializer_list<int32_t> xs) {
  Tgx25SizePointList list;
  for (int32_t x : xs) list.Add(Tgx25SizePoint::CreateX(x, TPoint{x, 0}));
  return list;
}

TEST(SizePointList, PointsSortStablyCompareAndFormRowsWithoutRepetition) {
  Tgx25SizePointList list;
  EXPECT_THROW(list.GetItem(0), std::out_of_range);
  list.Add(Tgx25SizePoint::CreateX(300, TPoint{300, 9}));
  list.Add(Tgx25SizePoint::CreateX(100, TPoint{100, 1}));
  list.Add(Tgx25SizePoint::CreateX(200, TPoint{200, 5}));
  list.Add(Tgx25SizePoint::CreateX(100, TPoint{100, 2}));
  list.SortX();
  EXPECT_EQ(list.GetItem(0).GetPoint().Y, 1);
  EXPECT_EQ(list.GetItem(1).GetPoint().Y, 2);
  EXPECT_EQ(list.GetItem(2).Value(), 200);
  EXPECT_EQ(list.Last().Value(), 300);
  list.SortY();
  EXPECT_EQ(list.First().GetPoint().Y, 1);
  EXPECT_EQ(list.Last().GetPoint().Y, 9);
  const Tgx25SizePoint x = Tgx25SizePoint::CreateX(120, TPoint{118, 40});
  EXPECT_EQ(x.X(), 120) << "the size coordinate, not the point's";
  EXPECT_EQ(x.Y(), 40);
  const Tgx25SizePoint y = Tgx25SizePoint::CreateY(75, TPoint{5, 70});
  EXPECT_EQ(y.X(), 5);
  EXPECT_EQ(y.Y(), 75);
  EXPECT_TRUE(Chain({0, 500, 1000}).Equal(Chain({0, 500, 1000})));
  EXPECT_FALSE(Chain({0, 500, 1000}).Equal(Chain({0, 500})));
  EXPECT_FALSE(Chain({0, 500, 1000}).Equal(Chain({0, 1000, 500})));
  Tgx25SizePointList ys;
  for (int32_t y : {0, 500, 1000}) ys.Add(Tgx25SizePoint::CreateY(y, TPoint{0, y}));
  EXPECT_FALSE(Chain({0, 500, 1000}).Equal(ys));
  EXPECT_TRUE(ys.PointExists(TSizeAxis::Y, 500));
  EXPECT_FALSE(ys.PointExists(TSizeAxis::X, 500));
  EXPECT_FALSE(ys.PointExists(TSizeAxis::Y, 501));
  Tgx25Sizing sizing(TSizeAxis::X, "Проём");
  EXPECT_TRUE(sizing.Add(std::make_unique<Tgx25SizePointList>(Chain({0, 1000}))));
  EXPECT_TRUE(sizing.Add(std::make_unique<Tgx25SizePointList>(Chain({0, 400, 1000}))));
  EXPECT_FALSE(sizing.Add(std::make_unique<Tgx25SizePointList>(Chain({0, 1000}))));
  EXPECT_EQ(sizing.Count(), 2u);
  EXPECT_EQ(sizing.GetItem(1).GetItem(1).Value(), 400);
}

}  // namespace
}  // namespace kv
