#include "order/order_saving.h"

#include <gtest/gtest.h>

#include <fstream>

#include "catalogue/small_catalogue.h"
#include "order/order_inbox.h"
#include "shell/user_messages.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

TEST(OrderFileNames, AutomaticNameByDefFileNameType) {
  TOrder order;
  order.No = "12:3";
  order.Customer = "A/B";
  order.Obj = "Дом (1)";
  const struct {
    TDefFileNameType Type;
    std::string Prefix, Current, Expected;
  } cases[] = {{dfnByCustomer, "", "", "A_B"},
               {dfnByOrderNo, "K-", "", "K-12_3"},
               {dfnByObject, "", "", "Дом _1_"},
               {dfnNoDefault, "", "/x/old name.gxo", "old name"},
               {dfnNoDefault, "", "", ""}};
  for (const auto& c : cases) EXPECT_EQ(GetAutoFileName(order, c.Current, c.Type, c.Prefix), c.Expected) << c.Expected;
  EXPECT_EQ(CheckFileNameValidity("a\\b:c*d?e,f;g\"h`i!j{k}l[m]n<o>p|q%r's.t"),
            "a_b_c_d_e_f_g_h_i_j_k_l_m_n_o_p_q_r_s.t");
}

class OrderSaving : public ::testing::Test {
protected:
  void SetUp() override {
    folder_ = test::MakeTempFolder("order-saving");
    setup_.ServerName = folder_.string();
    setup_.WorkDir = "ORDERS\\WORK";
    setup_.CalcDir = "ORDERS\\CALC";
    setup_.CompleteDir = "ORDERS\\COMPLETE";
    setup_.ClosedDir = "ORDERS\\CLOSED";
    setup_.RecycledDir = "RECYCLED";
    order_.No = "2026-1";
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path At(const std::string& Relative) const { return folder_ / Relative; }
  void Touch(const fs::path& File) const {
    fs::create_directories(File.parent_path());
    std::ofstream(File) << "x";
  }

  fs::path folder_;
  TGXSetup setup_;
  TOrder order_;
  TOrderDocument document_;
  TScriptedMessages messages_;
  TUserMessagesScope scope_{messages_};
};

TEST_F(OrderSaving, NewOrderGetsItsNumberAsNameInTheWorkDirectoryAndMovesTheCounter) {
  setup_.OrderNoTemplate = "%yyyy-%i";
  const TOrderNoCounter counter(setup_);
  order_.No = counter.NewOrderNo(Date());
  EXPECT_EQ(TOrderSaver(setup_).Save(order_, document_), TSaveResult::srSaved);
  EXPECT_EQ(fs::path(document_.FileName), At("ORDERS/WORK/" + order_.No + ".gxo"));
  EXPECT_TRUE(fs::exists(document_.FileName));
  EXPECT_FALSE(document_.New);
  EXPECT_EQ(counter.NewOrderNo(Date()), std::to_string(DecodeDate(Date()).Year) + "-2");
  // The month's name and the week of the month: 1.3.2026 is a Sunday, so Monday 2.3 opens the
  // second week, which holds 7.3.
  setup_.OrderNoTemplate = "%MMMM/%WW-%i";
  EXPECT_EQ(counter.NewOrderNo(EncodeDate(2026, 3, 7)), "Март/02-2");
}

TEST_F(OrderSaving, ClosedOrderMovesIntoTheClosedDirectory) {
  ASSERT_EQ(TOrderSaver(setup_).Save(order_, document_), TSaveResult::srSaved);
  order_.SetStatus(soClosed);
  EXPECT_EQ(TOrderSaver(setup_).Save(order_, document_), TSaveResult::srSaved);
  EXPECT_EQ(fs::path(document_.FileName), At("ORDERS/CLOSED/2026-1.gxo"));
  EXPECT_FALSE(fs::exists(At("ORDERS/WORK/2026-1.gxo")));
  EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(OrderSaving, ChangedNumberAsksToRenameAndAnExistingFileToOverwrite) {
  ASSERT_EQ(TOrderSaver(setup_).Save(order_, document_), TSaveResult::srSaved);
  Touch(At("ORDERS/WORK/2026-9.gxo"));
  order_.No = "2026-9";
  messages_.Answer(1);  // rename: yes
  messages_.Answer(2);  // overwrite: no, the old name stays
  EXPECT_EQ(TOrderSaver(setup_).Save(order_, document_), TSaveResult::srSaved);
  EXPECT_EQ(fs::path(document_.FileName), At("ORDERS/WORK/2026-1.gxo"));
  EXPECT_EQ(messages_.Texts(),
            (std::vector<std::string>{
                "Изменился номер заказа. Переименовать файл согласно нового номера?",
                "Файл " + At("ORDERS/WORK/2026-9.gxo").string() + " уже существует! Переписать поверх?"}));
  // The number saved last is 2026-9 now: a further change asks again.
  Touch(At("ORDERS/WORK/2026-7.gxo"));
  order_.No = "2026-7";
  messages_.Clear();
  messages_.Answer(1);  // rename: yes
  messages_.Answer(1);  // overwrite: yes; the replaced file goes to the recycle directory
  EXPECT_EQ(TOrderSaver(setup_).Save(order_, document_), TSaveResult::srSaved);
  EXPECT_EQ(messages_.Shown().size(), 2u);
  EXPECT_EQ(fs::path(document_.FileName), At("ORDERS/WORK/2026-7.gxo"));
  EXPECT_FALSE(fs::exists(At("ORDERS/WORK/2026-1.gxo")));
  EXPECT_TRUE(fs::exists(At("RECYCLED/2026-7.gxo")));
}

TEST_F(OrderSaving, RefusalsAndNamesToAskFor) {
  order_.No.clear();
  EXPECT_EQ(TOrderSaver(setup_).Save(order_, document_), TSaveResult::srFailed);
  EXPECT_EQ(messages_.LastText(), "Не указан номер заказа!");
  order_.No = "7";
  TOrderSaver saver(setup_);
  saver.IsRegistered = [](const std::string& No) { return No == "7"; };
  EXPECT_EQ(saver.Save(order_, document_), TSaveResult::srFailed);
  EXPECT_EQ(messages_.LastText(), "Заказ с номером 7 уже был зарегистрирован!\r\nУкажите другой номер заказа.");
  setup_.DefFileNameType = dfnByCustomer;
  EXPECT_EQ(TOrderSaver(setup_).Save(order_, document_), TSaveResult::srNeedName);
}

TEST_F(OrderSaving, RecycledFilesTakeTheNextFreeNameAndTheInboxListsItsOrderFilesOnly) {
  Touch(At("RECYCLED/report.gxo"));
  const struct {
    std::string File, Expected;
  } cases[] = {{"report.gxo", "report~1.gxo"}, {"report.gxo", "report~2.gxo"}, {"a.b.gxo", "a_b.gxo"}};
  for (const auto& c : cases) {
    Touch(At("ORDERS/" + c.File));
    EXPECT_EQ(MoveToRecycled(At("ORDERS/" + c.File), At("RECYCLED")), At("RECYCLED/" + c.Expected));
    EXPECT_TRUE(fs::exists(At("RECYCLED/" + c.Expected)));
  }
  for (const char* name : {"INBOX/b.GXO", "INBOX/a.gxo", "INBOX/note.txt", "INBOX/sub.gxo/c.gxo"}) Touch(At(name));
  EXPECT_EQ(InboxOrderFiles(At("INBOX")), (std::vector<fs::path>{At("INBOX/a.gxo"), At("INBOX/b.GXO")}));
  EXPECT_TRUE(InboxOrderFiles(At("missing")).empty());
}

TEST_F(OrderSaving, NewSelectionIsNamedAfterItsNumberAndReplacesAFileOnlyWhenAllowed) {
  setup_.SelectionDir = "ORDERS\\SELECT";
  std::vector<std::string> written;
  const auto write = [&](const std::string& File) {
    written.push_back(File);
    Touch(File);
    return true;
  };
  std::string file;
  EXPECT_EQ(SaveDocumentFile(setup_, file, SelectionDirectory(setup_), "", ".gxs", write), TSaveResult::srNeedName);
  EXPECT_EQ(SaveDocumentFile(setup_, file, SelectionDirectory(setup_), "В/1", ".gxs", write), TSaveResult::srSaved);
  EXPECT_EQ(fs::path(file), At("ORDERS/SELECT/В_1.gxs"));
  // A second new selection of that number: "no" leaves the file alone, "yes" recycles it first.
  std::string other;
  messages_.Answer(2);
  EXPECT_EQ(SaveDocumentFile(setup_, other, SelectionDirectory(setup_), "В/1", ".gxs", write), TSaveResult::srNeedName);
  EXPECT_EQ(messages_.LastText(), "Файл " + file + " уже существует! Переписать поверх?");
  messages_.Answer(1);
  EXPECT_EQ(SaveDocumentFile(setup_, other, SelectionDirectory(setup_), "В/1", ".gxs", write), TSaveResult::srSaved);
  EXPECT_TRUE(fs::exists(At("RECYCLED/В_1.gxs")));
  EXPECT_EQ(written.size(), 2u);
  // A document with a file is written there; a failed write keeps the name it had.
  EXPECT_EQ(SaveDocumentFile(setup_, other, "unused", "В/2", ".gxs", [](const std::string&) { return false; }),
            TSaveResult::srFailed);
  EXPECT_EQ(other, file);
}

}  // namespace
}  // namespace kv
