#include "shell/user_messages.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "shell/paths.h"

namespace kv {

int TScriptedMessages::Show(const TUserMessage& message) {
  shown_.push_back(message);
  if (message.Buttons.empty()) return 1;
  if (answers_.empty()) return default_answer_;
  const int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

int TScriptedMessages::Choose(const TUserChoice& choice) {
  choices_.push_back(choice);
  if (answers_.empty()) return choice.Default;
  const int answer = answers_.front();
  answers_.pop_front();
  return answer >= 1 && answer <= static_cast<int>(choice.Items.size()) ? answer : 0;
}

std::vector<std::string> TScriptedMessages::Texts() const {
  std::vector<std::string> texts;
  for (const auto& m : shown_) texts.push_back(m.Text);
  return texts;
}

namespace {

const char* KindCaption(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::mkError: return "Ошибка";
    case TMessageKind::mkWarning: return "Предупреждение";
    case TMessageKind::mkInfo: return "Информация";
    case TMessageKind::mkConfirm: return "Подтверждение";
    case TMessageKind::mkAsk: return "Вопрос";
  }
  return "";
}

// Windows line breaks of the program's texts are printed as plain line breaks.
std::string ConsoleText(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != '\r') out += c;
  return out;
}

int ShowWithBeep(TMessageKind kind, const std::string& caption, const std::string& text,
                 std::vector<std::string> buttons = {}) {
  IUserMessages& service = UserMessages();
  service.Beep(kind);
  return service.Show(TUserMessage{kind, caption.empty() ? KindCaption(kind) : caption, text, std::move(buttons)});
}

}  // namespace

int TConsoleMessages::Show(const TUserMessage& message) {
  const int answer = TScriptedMessages::Show(message);
  std::cerr << message.Caption << ": " << ConsoleText(message.Text);
  if (answer >= 1 && answer <= static_cast<int>(message.Buttons.size()))
    std::cerr << " [" << message.Buttons[answer - 1] << "]";
  std::cerr << std::endl;
  return answer;
}

int TConsoleMessages::Choose(const TUserChoice& choice) {
  const int answer = TScriptedMessages::Choose(choice);
  std::cerr << choice.Caption << ": " << ConsoleText(choice.Text) << std::endl;
  for (size_t i = 0; i < choice.Items.size(); ++i) std::cerr << "  " << i + 1 << ". " << choice.Items[i] << std::endl;
  std::cerr << "  -> " << answer << std::endl;
  return answer;
}

TUserMessagesScope::TUserMessagesScope(IUserMessages& service) : previous_(&UserMessages()) {
  SetUserMessages(&service);
}

TUserMessagesScope::~TUserMessagesScope() { SetUserMessages(previous_); }

void ShowError(const std::string& text) { ShowWithBeep(TMessageKind::mkError, "", text); }
void ShowWarning(const std::string& text) { ShowWithBeep(TMessageKind::mkWarning, "", text); }
void ShowInfo(const std::string& text) { ShowWithBeep(TMessageKind::mkInfo, "", text); }

bool ShowConfirm(const std::string& text) {
  return ShowWithBeep(TMessageKind::mkConfirm, "", text, {"Да", "Нет"}) == 1;
}

int Ask2(const std::string& caption, const std::string& text, const std::string& button1, const std::string& button2) {
  return ShowWithBeep(TMessageKind::mkAsk, caption, text, {button1, button2});
}

int Ask3(const std::string& caption, const std::string& text, const std::string& button1, const std::string& button2,
         const std::string& button3) {
  return ShowWithBeep(TMessageKind::mkAsk, caption, text, {button1, button2, button3});
}

int ChooseFromList(const std::string& caption, const std::string& text, const std::vector<std::string>& items,
                   int default_item) {
  return UserMessages().Choose(TUserChoice{caption, text, items, default_item});
}

void ShowInfoExt(const std::string& text, const std::string& detail) { ShowInfo(text + "\r\n[" + detail + "]"); }

void ShowErrorExt(const std::string& text, const std::string& detail) { ShowError(text + "\r\n[" + detail + "]"); }

bool ShowErrorConfirm(const std::string& text) {
  return ShowWithBeep(TMessageKind::mkError, "", text, {"Да", "Нет"}) == 1;
}

void ShowErrorLog(const std::string& text, const std::string& log_file) {
  ShowError(text);
  std::filesystem::path path(log_file);
  if (path.is_relative()) path = ProgramDir() / path;
  std::ofstream log(path, std::ios::app | std::ios::binary);
  if (log) log << ConsoleText(text) << '\n';
  if (!log) ShowError("Не могу записать в файл сообщение!\r\n");
}

}  // namespace kv
