#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli/cli_run.h"

namespace kv::cli {
namespace {

class ConstructionCommandOnACatalogue : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    root = std::filesystem::temp_directory_path() / ("kv-cli-construction-" + std::to_string(getpid()));
    std::filesystem::remove_all(root);
    // The scripts are named, since the catalogue command keeps its options from an earlier run.
    const std::string scripts = (std::filesystem::path(KV_SOURCE_DIR) / "data" / "catalogue").string();
    const TCliRun create = RunCliCaptured({"catalogue", "create", root.string(), "--from", scripts});
    ASSERT_EQ(create.Code, 0) << create.Err;
  }
  static void TearDownTestSuite() { std::filesystem::remove_all(root); }
  static TCliRun Build(std::vector<std::string> Args) {
    Args.insert(Args.begin(), {"construction", "build", "--catalogue", root.string()});
    return RunCliCaptured(Args);
  }
  static std::filesystem::path root;
};

std::filesystem::path ConstructionCommandOnACatalogue::root;

TEST_F(ConstructionCommandOnACatalogue, JsonCarriesContourBarsGlassesAndBeads) {
  const TCliRun run = Build({"--width", "1800", "--vertical", "600", "1200", "--sash", "1", "3", "--json"});
  ASSERT_EQ(run.Code, 0) << run.Err;
  const auto document = nlohmann::json::parse(run.Out);
  EXPECT_EQ(document["width"], 1800.0);
  EXPECT_EQ(document["contour"].size(), 4u);
  // Four frame sides, two mullions, four sides of each of the two sashes.
  EXPECT_EQ(document["bars"].size(), 14u);
  EXPECT_EQ(document["glasses"].size(), 3u);
  // The fixed middle field first (600 mm between the mullion axes, 27 mm glass delta each), then
  // the sash of field 1: 600 - 56 - 33 = 511 mm, less 63 mm on each side.
  EXPECT_EQ(document["glasses"][0]["width"], 600.0 - 2 * 27);
  EXPECT_EQ(document["glasses"][1]["width"], 511.0 - 2 * 63);
  EXPECT_EQ(document["glasses"][1]["beads"].size(), 4u);
  EXPECT_EQ(document["bars"][4]["profile"], "TL-301");
  EXPECT_EQ(document["bars"][4]["steel"]["article"], "TL-S20");
}

TEST_F(ConstructionCommandOnACatalogue, RefusalsPrintTheProgramsMessage) {
  const struct {
    std::vector<std::string> Args;
    const char* Message;  // nullptr: refused by the option parser, with its own code
  } refusals[] = {
      {{"--sash", "5"}, "В раме нет поля с номером 5!"},
      {{"--vertical", "2000"}, "не пересекает ни одного раздела рамы"},
      {{"--glass", "NOSUCH"}, "[NOSUCH]"},
      {{"--figure", "arc", "--radius", "600"}, "Фигура [arc] не использует параметр --radius!"},
      {{"--figure", "tri", "--hy", "300"}, "Фигура [tri] не использует параметр --hy!"},
      {{"--hx", "100"}, "Фигура [rect] не использует параметр --hx!"},
      {{"--figure", "mini-arc", "--radius2", "900"}, "Фигура [mini-arc] не использует параметр --radius2!"},
      {{"--figure", "mini-arc", "--hy", "200", "--radius", "2000"}, "либо высоту дуги --hy, либо ее радиус --radius"},
      {{"--radius2", "900"}, "Второй радиус --radius2 задается только вместе с радиусом --radius!"},
      {{"--figure", "circle"}, nullptr},
      {{"--width", "wide"}, nullptr},
  };
  for (const auto& refusal : refusals) {
    SCOPED_TRACE(refusal.Args.front() + " " + refusal.Args.back());
    const TCliRun run = Build(refusal.Args);
    if (refusal.Message == nullptr) {
      EXPECT_NE(run.Code, 0);
      continue;
    }
    EXPECT_EQ(run.Code, 1);
    EXPECT_TRUE(test::Contains(run.Err, refusal.Message));
  }
}

TEST_F(ConstructionCommandOnACatalogue, ArchesShowTheirRadiiAndTheDemoCatalogueBuildsAWindowAndADoor) {
  // The second radius is shown beside the first.
  const TCliRun run = Build({"--width", "1000", "--radius", "600", "--radius2", "700"});
  ASSERT_EQ(run.Code, 0) << run.Err;
  EXPECT_TRUE(test::Contains(run.Out, "дуга R = 600,0, R2 = 700,0, центр"));
  // Without a catalogue folder the demo catalogue builds.
  const TCliRun demo = RunCliCaptured({"construction", "build", "--vertical", "650", "--sash", "2"});
  ASSERT_EQ(demo.Code, 0) << demo.Err;
  EXPECT_TRUE(test::Contains(demo.Out, "Конструкция: тип 1, система TL70, цвет WH, 1300,0 x 1400,0 мм"));
  EXPECT_TRUE(test::Contains(demo.Out, "G.1    4M1-16-4M1  573,0 x 1300,0 мм"));
  // A door's mullion runs from the frame's impost delta at the top (82) to the threshold's (18), less
  // 2 per end: 2150 - 82 - 18 - 4 = 2046.
  const TCliRun door = RunCliCaptured({"construction", "build", "--type", "2", "--width", "1500", "--height", "2150",
                                       "--vertical", "750", "--sash", "1", "2"});
  ASSERT_EQ(door.Code, 0) << door.Err;
  EXPECT_TRUE(
      test::Contains(door.Out, "I.1        TL-301   WH       2046,0   90,0°  90,0°  армирование TL-S20 2022,0"));
  EXPECT_TRUE(test::Contains(door.Out, "створка 2    сторона 4  TL-202"));
}

// A mullion 1 mm from the jamb cannot be built; the refusal says which bar, in millimetres, before
// the program's message.
TEST_F(ConstructionCommandOnACatalogue, ARefusedBarIsNamedInMillimetresAndAMissingCatalogueFolderIsRefused) {
  const TCliRun run = Build({"--figure", "arc", "--width", "1200", "--height", "1500", "--vertical", "1"});
  EXPECT_EQ(run.Code, 1);
  EXPECT_EQ(run.Err.rfind("Ошибка: Импост (1,0; 0,0)-(1,0; 1500,0) мм не может быть установлен:\n", 0), 0u) << run.Err;
  const TCliRun missing = RunCliCaptured({"construction", "build", "--catalogue", (root / "nowhere").string()});
  EXPECT_NE(missing.Code, 0);
  EXPECT_FALSE(missing.Err.empty());
}

}  // namespace
}  // namespace kv::cli
