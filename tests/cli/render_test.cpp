#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>

#include "cli/cli_run.h"
#include "construction_options.h"
#include "qt/picture_export.h"
#include "render.h"

namespace kv::cli {
namespace {

namespace fs = std::filesystem;

// Golden pictures of the demo positions. When the drawing changes on purpose, they are made anew by
//   KV_UPDATE_GOLDEN=1 build-asan/tests/test_cli --gtest_filter='RenderGolden.*'
TEST(RenderGolden, EveryDemoPositionMatchesItsPicture) {
  const TBuildCatalogue catalogue("");
  const bool update = std::getenv("KV_UPDATE_GOLDEN") != nullptr;
  int number = 0;
  for (const auto& [caption, options] : DemoPositions()) {
    const fs::path golden =
        fs::path(KV_SOURCE_DIR) / "tests/cli/golden" / ("position-" + std::to_string(++number) + ".png");
    auto construction = BuildConstruction(options);
    const QImage picture = RenderPicture(*construction, 400, 300, PictureStyles({}));
    if (update) {
      ASSERT_TRUE(picture.save(QString::fromStdString(golden.string()), "PNG"));
      continue;
    }
    const QImage expected(QString::fromStdString(golden.string()));
    ASSERT_EQ(expected.size(), picture.size()) << golden;
    // A pixel differs when a channel is off by more than 64; 0.5 % of them may (font hinting).
    int differing = 0;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) {
        const QRgb a = picture.pixel(x, y);
        const QRgb b = expected.pixel(x, y);
        if (std::abs(qRed(a) - qRed(b)) > 64 || std::abs(qGreen(a) - qGreen(b)) > 64 ||
            std::abs(qBlue(a) - qBlue(b)) > 64)
          ++differing;
      }
    EXPECT_LE(differing, picture.width() * picture.height() / 200) << caption;
  }
}

using RenderCommand = TCliFolderTest;

TEST_F(RenderCommand, DrawsAPositionAndNamesWhatIsWrong) {
  const std::string order = Path("o.gxo");
  Run({"order", "new", order, "--no", "5"});
  Run({"order", "add", order, "--vertical", "650", "--sash", "2"});
  const std::string svg = Path("p.svg");
  const TCliRun drawn = RunCliCaptured({"render", order, "--pos", "1", "--svg", svg, "--style", "drsFrameVisible",
                                        "--style", "drsTotalSizing", "--size", "600x400"});
  ASSERT_EQ(drawn.Code, 0) << drawn.Err;
  EXPECT_TRUE(test::Contains(drawn.Out, "Рисунок SVG: " + svg));
  EXPECT_TRUE(fs::file_size(svg) > 0);

  const TCliRun missing = RunCliCaptured({"render", order, "--pos", "9", "--svg", svg});
  EXPECT_EQ(missing.Code, 1);
  EXPECT_TRUE(test::Contains(missing.Err, "В заказе нет позиции [9]"));
  const TCliRun bad = RunCliCaptured({"render", order, "--pos", "1", "--svg", svg, "--styles", "12"});
  EXPECT_TRUE(test::Contains(bad.Err, "ожидается 12 шестнадцатеричных цифр"));
}

}  // namespace
}  // namespace kv::cli
