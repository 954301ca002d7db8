#include "app/document_form.h"

#include <QCloseEvent>
#include <QDateEdit>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "shell/user_messages.h"

namespace kv {

TDocumentForm::TDocumentForm(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_DeleteOnClose); }

void TDocumentForm::SetModified(bool modified) {
  setWindowModified(modified);
  setWindowTitle(Caption() + "[*]");
  emit CaptionChanged();
}

std::string TDocumentForm::AskFileName(const QString& caption, const QString& filter, const std::string& current) {
  return QFileDialog::getSaveFileName(this, caption, QString::fromStdString(current), filter + ";;Все файлы (*.*)")
      .toStdString();
}

QHBoxLayout* TDocumentForm::CommandButtons(const std::vector<TCommand>& commands) {
  auto* buttons = new QHBoxLayout;
  for (const TCommand& command : commands) {
    auto* button = new QPushButton(command.Caption, this);
    connect(button, &QPushButton::clicked, this, command.Run);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  return buttons;
}

void TDocumentForm::LayOutBody(QWidget* header, QWidget* list, int width, int height) {
  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->addWidget(header);
  splitter->addWidget(list);
  splitter->setStretchFactor(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter);
  resize(width, height);
}

QDateEdit* TDocumentForm::NewDateEdit(QWidget* parent) {
  auto* date = new QDateEdit(parent);
  date->setDisplayFormat("dd.MM.yyyy");
  date->setCalendarPopup(true);
  return date;
}

bool TDocumentForm::CloseAccepted() {
  if (!Modified()) return true;
  switch (Ask3("", CloseQuestion(), "Да", "Нет", "Отмена")) {
    case 1: return Save();
    case 2: return true;
    default: return false;
  }
}

void TDocumentForm::closeEvent(QCloseEvent* event) {
  if (!CloseAccepted()) {
    event->ignore();
    return;
  }
  emit Closing();
  event->accept();
}

}  // namespace kv
