#include "qt/qt_user_messages.h"

#include <algorithm>

#include <QApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kv {

namespace {

QMessageBox::Icon IconOf(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::mkError: return QMessageBox::Critical;
    case TMessageKind::mkWarning: return QMessageBox::Warning;
    case TMessageKind::mkInfo: return QMessageBox::Information;
    case TMessageKind::mkConfirm:
    case TMessageKind::mkAsk: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

// The caption of a message without one: the application title, as message boxes of desktop
// programs carry it.
QString CaptionOf(const TUserMessage& message) {
  return message.Caption.empty() ? QApplication::applicationDisplayName() : QString::fromStdString(message.Caption);
}

// The program's texts break lines with "\r\n".
QString TextOf(const std::string& text) { return QString::fromStdString(text).replace("\r\n", "\n"); }

}  // namespace

int TQtUserMessages::Show(const TUserMessage& message) {
  // The hourglass is put away while the user reads the message.
  const bool busy = QGuiApplication::overrideCursor() != nullptr;
  if (busy) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  QMessageBox box(IconOf(message.Kind), CaptionOf(message), TextOf(message.Text), QMessageBox::NoButton,
                  QApplication::activeWindow());
  std::vector<QPushButton*> buttons;
  const std::vector<std::string> captions = message.Buttons.empty() ? std::vector<std::string>{"OK"} : message.Buttons;
  for (const std::string& caption : captions)
    buttons.push_back(box.addButton(QString::fromStdString(caption), QMessageBox::AcceptRole));
  box.setDefaultButton(buttons.front());
  box.setEscapeButton(buttons.back());
  box.exec();
  if (busy) QGuiApplication::restoreOverrideCursor();
  for (size_t i = 0; i < buttons.size(); ++i)
    if (box.clickedButton() == buttons[i]) return static_cast<int>(i) + 1;
  return static_cast<int>(buttons.size());
}

void TQtUserMessages::Beep(TMessageKind) { QApplication::beep(); }

int TQtUserMessages::Choose(const TUserChoice& choice) {
  QStringList items;
  for (const std::string& item : choice.Items) items << QString::fromStdString(item);
  bool accepted = false;
  const QString chosen =
      QInputDialog::getItem(QApplication::activeWindow(), QString::fromStdString(choice.Caption), TextOf(choice.Text),
                            items, std::max(choice.Default - 1, 0), false, &accepted);
  return accepted ? static_cast<int>(items.indexOf(chosen)) + 1 : 0;
}

}  // namespace kv
