#include <gtest/gtest.h>

#include <unistd.h>

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

TEST(RenderCommand, DrawsAPositionAndNamesWhatIsWrong) {
  const fs::path root = fs::temp_directory_path() / ("kv-cli-render-" + std::to_string(getpid()));
  fs::create_directories(root);
  const std::string order = (root / "o.gxo").string();
  ASSERT_EQ(RunCliCaptured({"order", "new", order, "--no", "5"}).Code, 0);
  ASSERT_EQ(RunCliCaptured({"order", "add", order, "--vertical", "650", "--sash", "2"}).Code, 0);

  const std::string svg = (root / "p.svg").string();
  const TCliRun drawn = RunCliCaptured({"render", order, "--pos", "1", "--svg", svg, "--style", "drsFrameVisible",
                                        "--style", "drsTotalSizing", "--size", "600x400"});
  ASSERT_EQ(drawn.Code, 0) << drawn.Err;
  EXPECT_NE(drawn.Out.find("Рисунок SVG: " + svg), std::string::npos);
  EXPECT_TRUE(fs::file_size(svg) > 0);

  const TCliRun missing = RunCliCaptured({"render", order, "--pos", "9", "--svg", svg});
  EXPECT_EQ(missing.Code, 1);
  EXPECT_NE(missing.Err.find("В заказе нет позиции [9]"), std::string::npos) << missing.Err;
  const TCliRun bad = RunCliCaptured({"render", order, "--pos", "1", "--svg", svg, "--styles", "12"});
  EXPECT_NE(bad.Err.find("ожидается 12 шестнадцатеричных цифр"), std::string::npos) << bad.Err;
  fs::remove_all(root);
}

}  // namespace
}  // namespace kv::cli
