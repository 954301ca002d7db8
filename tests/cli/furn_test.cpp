#include <gtest/gtest.h>

#include "cli/cli_run.h"

namespace kv::cli {
namespace {

TEST(FurnCommand, BuildShowsTheFittingsOfTheNamedComplectAndCheckTellsWhyNoneFitsASmallSash) {
  const TCliRun run =
      RunCliCaptured({"construction", "build", "--vertical", "650", "--sash", "2", "--furn", "PO-L", "--calc"});
  ASSERT_EQ(run.Code, 0) << run.Err;
  // The sash is 1400 - 2 x 56 = 1288 mm high: the espagnolette of 1201..1600 mm.
  EXPECT_TRUE(test::Contains(run.Out, "Комплект:PO-L -> Элемент:OZ -> Артикул:OZ-14"));
  // 450 - 2 x 56 = 338 mm: below every complect's 400 mm minimum of some side.
  const TCliRun check = RunCliCaptured({"furn", "check", "--width", "450", "--height", "450"});
  ASSERT_EQ(check.Code, 0) << check.Err;
  EXPECT_TRUE(test::Contains(check.Out, "не подходит: сторона 1: длина 338 мм вне пределов 400..2400 мм"));
  EXPECT_TRUE(test::Contains(check.Out, "Установлен комплект: нет"));
}

TEST(FurnCommand, RefusedOrUnknownComplectFailsWithTheProgramsMessage) {
  for (const auto& [complect, message] : {std::pair{"NOPE", "Комплект фурнитуры [NOPE] не найден в документации!"},
                                          std::pair{"D-R", "Комплект фурнитуры [D-R] не подходит к створке [2]!"}}) {
    const TCliRun run =
        RunCliCaptured({"construction", "build", "--vertical", "650", "--sash", "2", "--furn", complect});
    EXPECT_NE(run.Code, 0);
    EXPECT_TRUE(test::Contains(run.Err, message));
  }
}

}  // namespace
}  // namespace kv::cli
