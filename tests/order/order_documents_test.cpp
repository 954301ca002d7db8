// Selection and complect list files read from fixtures written by hand from their tables, written
// back byte for byte, and refused when damaged; the items of a selection refreshed from their
// orders; the numbering of new documents.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "catalogue/small_catalogue.h"
#include "construction/sample_constructions.h"
#include "order/document_numbers.h"
#include "order/order_complect.h"
#include "order/order_selection.h"
#include "shell/stream_description.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

fs::path Fixtures() { return fs::path(KV_SOURCE_DIR) / "tests/order/fixtures"; }

std::string FixtureText(const std::string& Name) {
  std::ifstream in(Fixtures() / Name);
  return {std::istreambuf_iterator<char>(in), {}};
}

class OrderDocuments : public ::testing::Test {
protected:
  void SetUp() override { folder = test::MakeTempFolder("order-documents"); }
  void TearDown() override { fs::remove_all(folder); }

  std::string Write(const std::string& Name, const std::vector<uint8_t>& Bytes) {
    const fs::path path = folder / Name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(Bytes.data()), Bytes.size());
    return path.string();
  }

  TScriptedMessages messages;
  TUserMessagesScope scope{messages};
  fs::path folder;
};

TEST_F(OrderDocuments, SelectionFixtureLoadsAndIsWrittenBackUnchanged) {
  const std::vector<uint8_t> bytes = test::DescribedStreamFile(Fixtures() / "selection_2006-04-20.txt");
  Tgx25OrderSelection selection;
  ASSERT_TRUE(selection.LoadSelection(Write("s.gxs", bytes))) << messages.LastText();
  EXPECT_EQ(selection.No, "2024-7");
  EXPECT_EQ(selection.Name, "Партия на вторник");
  ASSERT_EQ(selection.Currencies.size(), 2u);
  EXPECT_EQ(selection.Currencies[1].Rate, 95.5);
  EXPECT_EQ(selection.RoundMode, rmMinTrade);
  EXPECT_EQ(selection.ColorVariant, cvTechnology);
  EXPECT_EQ(selection.Note, (TStringList{"Срочно", "Собрать до обеда"}));
  ASSERT_EQ(selection.Count(), 2);
  EXPECT_EQ(selection.Items[1].PosNo, "3А");
  EXPECT_EQ(selection.Items[1].Width, 750.5f);
  EXPECT_EQ(selection.SelectedCount(), 1);
  EXPECT_EQ(selection.PosFind("2024-16", "3а"), 1);
  EXPECT_EQ(selection.GetOrderList(), "2024-15, 2024-16");
  selection.NameSort();  // Дверь before Окно
  EXPECT_EQ(selection.Items[0].PosNo, "3А");
  selection.OrderSort();
  EXPECT_EQ(selection.Items[0].PosNo, "1");
  // Both order files are gone: the items keep what they stored. Checked: one window of
  // 1.3 x 1.4 m, two pieces: 3.64 m2.
  EXPECT_FALSE(selection.UpdateSelectionData());
  selection.GatherStatistics();
  EXPECT_EQ(selection.Items[0].Number, 2);
  EXPECT_EQ(selection.Items[0].Name, "Окно");
  EXPECT_EQ(selection.PosCount, 1);
  EXPECT_EQ(selection.ConsCount, 2);
  EXPECT_NEAR(static_cast<double>(selection.TotalSquare), 3.64, 1e-9);
  TSpecStream saved;
  selection.Save(saved);
  EXPECT_EQ(test::FirstDifference(saved.Bytes(), bytes), -1);
  EXPECT_FALSE(selection.Delete("2024-15", "9"));
  EXPECT_TRUE(selection.Delete("2024-15", "1"));
  EXPECT_EQ(selection.PosFind("2024-15", "1"), -1);
  EXPECT_EQ(selection.Count(), 1);
}

TEST_F(OrderDocuments, SelectionVersionsAndDamage) {
  const std::string text = FixtureText("selection_2006-04-20.txt");
  struct TCase {
    const char* Marker;
    const char* Line;
    bool Refuse;          // "no" to the conversion question
    const char* Message;  // the start of the message shown
  };
  const TCase cases[] = {
      {"# 1 ProductID", "str QETA Korvent Order File", false,
       "Данный файл не является файлом QETA Korvent Selection File!"},
      {"# 2 Version", "str 01.01.2005", true,
       "Необходимо конвертировать файл выборки!\r\nЗагружаемая версия: 01.01.2005\r\nТекущая версия: 20.04.2006"},
      {"# 2 Version", "str 01.01.2030", false,
       "Данный модуль технолога поддерживает файлы выборки\r\nверсии не старше: 20.04.2006!\r\nЗагружаемая версия: "
       "01.01.2030"},
      {"# 25 items", "int 1000000", false, "Ошибка загрузки выборки!\r\n(Ошибка чтения из потока!\r\nНеверное число"},
      {"# 20 RoundMode", "byte 3", false, "Ошибка загрузки выборки!\r\n(Ошибка чтения из потока!\r\nНедопустимое"},
      {"# 13 No", "int 7", false, "Ошибка загрузки выборки!"},
      {"# 12 ModifyCount", "str 2", false, "Ошибка загрузки выборки!"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Line);
    messages.Clear();
    if (c.Refuse) messages.Answer(2);
    Tgx25OrderSelection selection;
    EXPECT_FALSE(
        selection.LoadSelection(Write("bad.gxs", test::DescribedStreamWithLine(text, c.Marker, c.Line).Bytes)));
    EXPECT_EQ(messages.LastText().rfind(c.Message, 0), 0u) << messages.LastText();
  }
  // Cut anywhere, the file is refused with the program's message; so is a byte too many.
  const std::vector<uint8_t> bytes = test::DescribedStream(text);
  for (size_t length : {size_t{0}, size_t{3}, size_t{40}, bytes.size() / 2, bytes.size() - 40}) {
    messages.Clear();
    Tgx25OrderSelection selection;
    EXPECT_FALSE(selection.LoadSelection(Write("cut.gxs", {bytes.begin(), bytes.begin() + length})));
    EXPECT_FALSE(messages.LastText().empty());
  }
  std::vector<uint8_t> longer = bytes;
  longer.push_back(0);
  Tgx25OrderSelection selection;
  EXPECT_FALSE(selection.LoadSelection(Write("long.gxs", longer)));
  EXPECT_TRUE(test::Contains(messages.LastText(), "Лишние данные"));
}

TEST_F(OrderDocuments, SelectionItemsFollowTheirOrdersAndNewDocumentsAreNumberedFromTemplates) {
  TOrder order;
  order.No = "2024-20";
  order.Add(test::SimpleWindow("1", 900, 1200))->Count = 3;
  order.Add(test::SimpleWindow("2", 600, 600));
  const std::string order_file = (folder / "o.gxo").string();
  ASSERT_TRUE(order.SaveOrder(order_file));
  Tgx25OrderSelection selection;
  ASSERT_TRUE(selection.AddPosition(order, *order.GetConstruction(0), order_file));
  EXPECT_FALSE(selection.AddPosition(order, *order.GetConstruction(0), order_file));
  selection.Items[0].Number = 1;
  // A refresh stopped before the first item leaves it as stored, linked to no position.
  EXPECT_FALSE(selection.UpdateSelectionData([](int, int) { return false; }));
  EXPECT_EQ(selection.Items[0].Number, 1);
  EXPECT_EQ(selection.Items[0].Construction, nullptr);
  EXPECT_TRUE(selection.UpdateSelectionData());
  EXPECT_EQ(selection.Items[0].Number, 3);
  EXPECT_FALSE(selection.UpdateSelectionData());
  EXPECT_NE(selection.Items[0].Construction, nullptr);
  const std::string file = (folder / "s.gxs").string();
  ASSERT_TRUE(selection.SaveSelection(file));
  EXPECT_FALSE(selection.SaveSelection(file, TWriteMode::wmCreateNew));
  Tgx25OrderSelection read;
  ASSERT_TRUE(read.LoadSelection(file));
  EXPECT_EQ(read.Items[0].FileName, order_file);
  EXPECT_EQ(read.Items[0].Width, 900);
  // 05.03.2024 is a Tuesday in the second week of March (from Monday 04.03) and the tenth week
  // of 2024 (01.01.2024 is a Monday: 64 days later, 64 / 7 = 9 whole weeks).
  const TDateTime date = EncodeDate(2024, 3, 5);
  const std::pair<const char*, const char*> cases[] = {
      {"%yyyy-%i", "2024-7"},
      {"%YY/%MM/%DD-%IIII", "24/03/05-0007"},
      {"%MMMM %D %DDD", "Март 5 Вт"},
      {"%MMM-%DDDD", "Мар-Вторник"},
      {"%W/%ZZ", "2/10"},
      {"[%3i] %q%", "[  7] %q%"},
  };
  for (const auto& [pattern, number] : cases) EXPECT_EQ(ExpandNoTemplate(pattern, date, 7), number) << pattern;
  const fs::path counter = folder / "Korvent.lsn";
  EXPECT_EQ(TakeNextCounter(counter, 5), 5);
  EXPECT_EQ(TakeNextCounter(counter, 5), 6);
  std::ofstream(counter) << "junk";
  EXPECT_EQ(TakeNextCounter(counter, 5), 5);
}

TEST_F(OrderDocuments, ComplectFixtureLoadsAndIsWrittenBackUnchanged) {
  const std::vector<uint8_t> bytes = test::DescribedStreamFile(Fixtures() / "complect.txt");
  Tgx25OrderComplect complect;
  ASSERT_TRUE(complect.LoadFile(Write("c.gxc", bytes))) << messages.LastText();
  // Mounting materials on and windows off, although the mounting switch comes last.
  EXPECT_TRUE(complect.MontMat);
  EXPECT_FALSE(complect.Window);
  EXPECT_TRUE(complect.AttachProf);
  EXPECT_TRUE(complect.Sill);
  EXPECT_FALSE(complect.Furniture);
  EXPECT_EQ(complect.Representative, "Петров П. П.");
  ASSERT_EQ(complect.Items.size(), 2u);
  EXPECT_EQ(complect.Items[1].Number, 1.5f);
  EXPECT_EQ(complect.Items[1].Cost, test::Money("465.375"));
  TSpecStream saved;
  complect.Save(saved);
  EXPECT_EQ(test::FirstDifference(saved.Bytes(), bytes), -1);
  // Damaged: cut, or a string where the count stands.
  for (size_t length : {size_t{2}, bytes.size() / 3, bytes.size() - 8}) {
    messages.Clear();
    EXPECT_FALSE(complect.LoadFile(Write("cut.gxc", {bytes.begin(), bytes.begin() + length})));
    EXPECT_EQ(messages.LastText().rfind("Ошибка загрузки ведомости!", 0), 0u);
    EXPECT_TRUE(complect.Items.empty());
  }
  const auto wrong = test::DescribedStreamWithLine(FixtureText("complect.txt"), "# 23 items", "str 2");
  EXPECT_FALSE(complect.LoadFile(Write("wrong.gxc", wrong.Bytes)));
}

}  // namespace
}  // namespace kv
