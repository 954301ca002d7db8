#include "qt/login_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace kv {

TLoginDialog::TLoginDialog(TLogin& login, QWidget* parent)
    : QDialog(parent), login_(login), users_(new QComboBox(this)), password_(new QLineEdit(this)) {
  setWindowTitle("Вход в систему");
  for (const TUserInfo& user : login.Users()) {
    users_->addItem(QString::fromStdString(user.Name), user.ID);
    if (user.ID == login.PreselectedUser()) users_->setCurrentIndex(users_->count() - 1);
  }
  password_->setEchoMode(QLineEdit::Password);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  buttons->button(QDialogButtonBox::Cancel)->setText("Отмена");
  auto* layout = new QFormLayout(this);
  layout->addRow("Пользователь:", users_);
  layout->addRow("Пароль:", password_);
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &TLoginDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TLoginDialog::reject);
  connect(users_, &QComboBox::currentIndexChanged, this, &TLoginDialog::UpdateOk);
  connect(password_, &QLineEdit::textChanged, this, &TLoginDialog::UpdateOk);
  password_->setFocus();
  UpdateOk();
}

int32_t TLoginDialog::SelectedUser() const { return users_->currentData().toInt(); }

void TLoginDialog::UpdateOk() {
  ok_->setEnabled(users_->currentIndex() >= 0 &&
                  login_.PasswordAccepted(SelectedUser(), password_->text().toStdString()));
}

void TLoginDialog::accept() {
  if (!ok_->isEnabled()) return;
  if (login_.Accept(SelectedUser(), password_->text().toStdString())) QDialog::accept();
}

bool TQtLoginDialog::Execute(TLogin& login) {
  TLoginDialog dialog(login);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace kv
