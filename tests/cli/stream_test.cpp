#include <gtest/gtest.h>
#include <fstream>

#include "cli/cli_run.h"
#include "shell/stream_description.h"

namespace kv::cli {
namespace {

namespace fs = std::filesystem;

// Offsets: the string takes 4 + 6 bytes, each record 16, the empty string 4.
constexpr const char* kValues =
    "str Окно\\r\\n  # 0\n"
    "int 3          # 10\n"
    "bool 1         # 26\n"
    "cur 1308,5     # 42\n"
    "date 01.02.2008  # 58\n"
    "str            # 74\n"
    "double 2,5     # 78\n";

class StreamCommand : public TCliFolderTest {
protected:
  std::string Written(const std::vector<uint8_t>& Bytes) const {
    const std::string path = Path("values.gxo");
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(Bytes.data()), Bytes.size());
    return path;
  }
};

TEST_F(StreamCommand, DumpShowsEveryValueWithOffsetKindAndValueAndWhereADamagedFileBreaks) {
  const std::string file = Written(test::DescribedStream(kValues));
  const TCliRun text = RunCliCaptured({"stream", "dump", file});
  ASSERT_EQ(text.Code, 0) << text.Err;
  EXPECT_TRUE(test::Contains(text.Out, "         0  str     Окно\\r\\n\n"));
  EXPECT_TRUE(test::Contains(text.Out, "        10  int     3\n"));
  EXPECT_TRUE(test::Contains(text.Out, "        26  bool    1\n"));
  EXPECT_TRUE(test::Contains(text.Out, "        42  cur     1308,5\n"));
  EXPECT_TRUE(test::Contains(text.Out, "        58  date    01.02.2008"));
  EXPECT_TRUE(test::Contains(text.Out, "        74  str     \n"));
  EXPECT_TRUE(test::Contains(text.Out, "        78  double  2,5\n"));

  const TCliRun json = RunCliCaptured({"stream", "dump", file, "--json"});
  ASSERT_EQ(json.Code, 0) << json.Err;
  const auto values = nlohmann::json::parse(json.Out);
  ASSERT_EQ(values.size(), 7u);
  EXPECT_EQ(values[0]["value"], "Окно\r\n");
  EXPECT_EQ(values[3]["kind"], "cur");
  EXPECT_EQ(values[3]["value"], 1308.5);
  EXPECT_EQ(values[4]["value"], 39479);  // 01.02.2008: 39448 for 01.01.2008 + 31
  EXPECT_EQ(values[6]["offset"], 78);
  // Cut ten bytes into the money record at 42. Messages are printed with plain line breaks.
  std::vector<uint8_t> truncated = test::DescribedStream(kValues);
  truncated.resize(52);
  const TCliRun cut = RunCliCaptured({"stream", "dump", Written(truncated)});
  EXPECT_NE(cut.Code, 0);
  EXPECT_TRUE(test::Contains(cut.Out, "        26  bool    1\n"));
  EXPECT_FALSE(test::Contains(cut.Out, "        42  "));
  EXPECT_TRUE(test::Contains(cut.Err, "Заказано: [16 байт], Считано: [10 байт]!\nСмещение: [42]"));

  struct TDamage {
    const char* Description;
    const char* Message;
  };
  for (const TDamage& damage : {TDamage{"int 3\nraw 63 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00",
                                        "Неизвестный тип значения [99]!\nСмещение: [16]"},
                                TDamage{"int 3\nstr ab\nraw E8 03 00 00 41 42",
                                        "Заказано: [1000 символов], Считано: [2 символов]!\nСмещение: [22]"}}) {
    const TCliRun run = RunCliCaptured({"stream", "dump", Written(test::DescribedStream(damage.Description))});
    EXPECT_NE(run.Code, 0);
    EXPECT_TRUE(test::Contains(run.Out, "         0  int     3\n"));
    EXPECT_TRUE(test::Contains(run.Err, damage.Message));
  }
}

TEST_F(StreamCommand, AWholeOrderReadsToItsEnd) {
  const std::string file =
      Written(test::DescribedStreamFile(fs::path(KV_SOURCE_DIR) / "tests/order/fixtures/order_2012-04-23.txt"));
  const TCliRun json = RunCliCaptured({"stream", "dump", file, "--json"});
  ASSERT_EQ(json.Code, 0) << json.Err;
  const auto values = nlohmann::json::parse(json.Out);
  ASSERT_GT(values.size(), 2u);
  EXPECT_EQ(values[0]["value"], "QETA Korvent Order File");
  EXPECT_EQ(values[1]["value"], "23.04.2012");
  // The last value is the position's last time stamp, 03.02.2010.
  EXPECT_EQ(values.back()["kind"], "date");
  EXPECT_EQ(values.back()["value"], 40212);
}

}  // namespace
}  // namespace kv::cli
