#include "qt/config_list_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv {

namespace {

constexpr int kNameRole = Qt::UserRole;

}  // namespace

TConfigListDialog::TConfigListDialog(const std::vector<std::string>& names, const std::string& default_name,
                                     QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)) {
  setWindowTitle("Выбор конфигурации");
  for (const std::string& name : names) {
    const bool is_default = name == default_name;
    auto* item = new QListWidgetItem(QString::fromStdString(name) + (is_default ? " (по умолчанию)" : ""), list_);
    item->setData(kNameRole, QString::fromStdString(name));
    if (is_default) list_->setCurrentItem(item);
  }
  if (list_->currentRow() < 0 && list_->count() > 0) list_->setCurrentRow(0);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText("Отмена");
  buttons->button(QDialogButtonBox::Ok)->setEnabled(list_->count() > 0);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

std::string TConfigListDialog::Chosen() const {
  const QListWidgetItem* item = list_->currentItem();
  return item ? item->data(kNameRole).toString().toStdString() : std::string();
}

bool TQtConfigListDialog::Execute(const std::vector<std::string>& names, const std::string& default_name,
                                  std::string& chosen) {
  TConfigListDialog dialog(names, default_name);
  if (dialog.exec() != QDialog::Accepted || dialog.Chosen().empty()) return false;
  chosen = dialog.Chosen();
  return true;
}

}  // namespace kv
