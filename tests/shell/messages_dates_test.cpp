#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "shell/date_time.h"
#include "shell/errors.h"
#include "shell/random.h"
#include "shell/user_messages.h"

namespace kv {
namespace {

TEST(UserMessages, ScriptedAnswersKindsAndBeeps) {
  TScriptedMessages messages(/*default_answer=*/2);
  TUserMessagesScope scope(messages);
  messages.Answer(1);
  EXPECT_TRUE(ShowConfirm("Сохранить заказ?"));
  EXPECT_FALSE(ShowConfirm("Сохранить заказ?"));  // default answer: the second button
  messages.Answer(3);
  EXPECT_EQ(Ask3("Изделие", "Записать изделие ?", "Да", "Нет", "Отмена"), 3);
  ShowErrorExt("Ошибка сохранения заказа!", "диск полон");
  ShowWarning("Внимание");
  ASSERT_EQ(messages.Shown().size(), 5u);
  EXPECT_EQ(messages.Shown()[2].Caption, "Изделие");
  EXPECT_EQ(messages.Shown()[2].Buttons.size(), 3u);
  EXPECT_EQ(messages.Shown()[3].Kind, TMessageKind::mkError);
  EXPECT_EQ(messages.Shown()[3].Text, "Ошибка сохранения заказа!\r\n[диск полон]");
  EXPECT_EQ(messages.Shown()[4].Kind, TMessageKind::mkWarning);
  EXPECT_EQ(messages.Beeps(), 5);
}

TEST(UserMessages, ErrorLogAppendsAndReportsItsOwnFailureDatesAndIdentifiers) {
  TScriptedMessages messages;
  TUserMessagesScope scope(messages);
  const auto log = std::filesystem::temp_directory_path() / "kv_messages_test.log";
  std::filesystem::remove(log);
  ShowErrorLog("Первая\r\nошибка", log.string());
  ShowErrorLog("Вторая", log.string());
  std::ifstream in(log);
  std::string first, second;
  std::getline(in, first);
  std::getline(in, second);
  EXPECT_EQ(first, "Первая");
  EXPECT_EQ(messages.Texts().size(), 2u);
  std::filesystem::remove(log);

  ShowErrorLog("Третья", "/nonexistent-dir/x/y.log");
  EXPECT_EQ(messages.LastText(), "Не могу записать в файл сообщение!\r\n");
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(2014, 4, 23), 41752);
  EXPECT_EQ(DateToStr(EncodeDate(2014, 4, 23)), "23.04.2014");
  EXPECT_EQ(StrToDate("23.04.2014"), 41752);
  EXPECT_EQ(StrToDate("1.2.26"), EncodeDate(2026, 2, 1));
  EXPECT_THROW(StrToDate("31.02.2014"), EConvertError);
  EXPECT_THROW(StrToDate("дата"), EConvertError);
  EXPECT_THROW(EncodeDate(2014, 13, 1), EConvertError);
  const TDate d = DecodeDate(41752.75);
  EXPECT_EQ(d.Year, 2014);
  EXPECT_EQ(d.Month, 4);
  EXPECT_EQ(d.Day, 23);
  EXPECT_EQ(DateTimeToStr(41752.75), "23.04.2014 18:00:00");
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 5)), 7);  // a Saturday
  RandomGenerator().Seed(42);
  const int32_t first_id = GetRandomID();
  RandomGenerator().Seed(42);
  EXPECT_EQ(GetRandomID(), first_id);
  for (int i = 0; i < 1000; ++i) {
    const int32_t id = GetRandomID();
    EXPECT_GE(id, 0);
    EXPECT_LT(id, 213000 * 10000);
    EXPECT_LT(id % 10000, 9999);
  }
  EXPECT_EQ(RandomGenerator().Random(0), 0);
}

}  // namespace
}  // namespace kv
