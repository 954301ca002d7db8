#pragma once
// The user-message service: every message box, question and beep of the program goes through
// it, so model code runs without a window. The console service prints to stderr; the scripted
// service records what was shown and answers questions from a list, for tests and batch jobs.
#include <deque>
#include <string>
#include <vector>

namespace kv {

enum class TMessageKind { mkError, mkWarning, mkInfo, mkConfirm, mkAsk };

struct TUserMessage {
  TMessageKind Kind = TMessageKind::mkInfo;
  std::string Caption;
  std::string Text;
  std::vector<std::string> Buttons;  // empty for a single OK button
};

// A choice of one line of a list (a lookup list): Default is 1-based.
struct TUserChoice {
  std::string Caption;
  std::string Text;
  std::vector<std::string> Items;
  int Default = 1;
};

class IUserMessages {
public:
  virtual ~IUserMessages() = default;
  // Shows the message modally and returns the chosen button, 1-based (1 for OK).
  virtual int Show(const TUserMessage& message) = 0;
  virtual void Beep(TMessageKind kind) = 0;
  // Lets the user pick one line and returns it, 1-based; 0 when the choice was cancelled. A
  // service that cannot show a list takes the default line.
  virtual int Choose(const TUserChoice& choice) { return choice.Default; }
};

// Records every message and answers questions from a script, then with a default answer.
class TScriptedMessages : public IUserMessages {
public:
  explicit TScriptedMessages(int default_answer = 1) : default_answer_(default_answer) {}
  int Show(const TUserMessage& message) override;
  void Beep(TMessageKind kind) override { ++beeps_; }
  // Answers with the next scripted number (a line outside the list cancels), else the default.
  int Choose(const TUserChoice& choice) override;

  // The next answer, to a question (a button) or to a list choice (a line).
  void Answer(int button) { answers_.push_back(button); }
  const std::vector<TUserMessage>& Shown() const { return shown_; }
  const std::vector<TUserChoice>& Choices() const { return choices_; }
  std::vector<std::string> Texts() const;
  // The text of the last message, "" when none was shown.
  std::string LastText() const { return shown_.empty() ? std::string() : shown_.back().Text; }
  int Beeps() const { return beeps_; }
  void Clear() {
    shown_.clear();
    beeps_ = 0;
  }

private:
  std::deque<int> answers_;
  int default_answer_;
  std::vector<TUserMessage> shown_;
  std::vector<TUserChoice> choices_;
  int beeps_ = 0;
};

// The service of the command-line program: messages go to stderr, questions are answered as
// scripted (default: the first button).
class TConsoleMessages : public TScriptedMessages {
public:
  using TScriptedMessages::TScriptedMessages;
  int Show(const TUserMessage& message) override;
  // Prints the question with numbered lines and the line taken.
  int Choose(const TUserChoice& choice) override;
};

IUserMessages& UserMessages();
// Installs a service in the current session context (the desktop program installs its dialogs);
// nullptr restores the console service.
void SetUserMessages(IUserMessages* service);

// Installs a service for the lifetime of the scope, restoring the previous one afterwards.
class TUserMessagesScope {
public:
  explicit TUserMessagesScope(IUserMessages& service);
  ~TUserMessagesScope();
  TUserMessagesScope(const TUserMessagesScope&) = delete;
  TUserMessagesScope& operator=(const TUserMessagesScope&) = delete;

private:
  IUserMessages* previous_;
};

void ShowError(const std::string& text);
void ShowWarning(const std::string& text);
void ShowInfo(const std::string& text);
// Yes/No question; true for Yes.
bool ShowConfirm(const std::string& text);
// A dialog with two or three caller-labelled buttons; returns the chosen button, 1-based.
int Ask2(const std::string& caption, const std::string& text, const std::string& button1, const std::string& button2);
int Ask3(const std::string& caption, const std::string& text, const std::string& button1, const std::string& button2,
         const std::string& button3);
// The chosen line of the list, 1-based; 0 when cancelled.
int ChooseFromList(const std::string& caption, const std::string& text, const std::vector<std::string>& items,
                   int default_item = 1);
// message + "\r\n" + "[" + detail + "]"
void ShowInfoExt(const std::string& text, const std::string& detail);
void ShowErrorExt(const std::string& text, const std::string& detail);
// An error shown with Yes/No; true for Yes.
bool ShowErrorConfirm(const std::string& text);
// Shows the error, then appends it as one line to the log file (relative names are taken in the
// program's directory); a log that cannot be written is reported in its turn.
void ShowErrorLog(const std::string& text, const std::string& log_file);

}  // namespace kv
