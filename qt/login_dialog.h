#pragma once
// The login window: the users of the system database with the preselected one, the password, and
// an OK button that is enabled only while the password is the user's. OK lets the user in through
// the login's checks; a refusal shows its message and the window stays open.
#include <QDialog>

#include "shell/login.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kv {

class TLoginDialog : public QDialog {
  Q_OBJECT
public:
  TLoginDialog(TLogin& login, QWidget* parent = nullptr);

  QComboBox* UserBox() const { return users_; }
  QLineEdit* PasswordEdit() const { return password_; }
  QPushButton* OkButton() const { return ok_; }

  void accept() override;

private:
  int32_t SelectedUser() const;
  void UpdateOk();

  TLogin& login_;
  QComboBox* users_;
  QLineEdit* password_;
  QPushButton* ok_;
};

// The start-up's login runs this window.
class TQtLoginDialog : public ILoginDialog {
public:
  bool Execute(TLogin& login) override;
};

}  // namespace kv
