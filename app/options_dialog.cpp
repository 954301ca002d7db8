#include "app/options_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "shell/format_settings.h"
#include "shell/gx_setup.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

enum TOptionColumn { ocName, ocValue };
// The text of a value as it was loaded: only values the user changed are set.
constexpr int kStoredTextRole = Qt::UserRole;

}  // namespace

TOptionsDialog::TOptionsDialog(QWidget* parent) : QDialog(parent), tree_(new QTreeWidget(this)) {
  setWindowTitle("Параметры");
  tree_->setColumnCount(2);
  tree_->setHeaderLabels({"Параметр", "Значение"});
  tree_->header()->setSectionResizeMode(ocName, QHeaderView::ResizeToContents);
  GXSetup()->ListValues([this](const std::string& section, const std::string& name, const std::string& text) {
    auto* item =
        new QTreeWidgetItem(SectionItem(section), {QString::fromStdString(name), QString::fromStdString(text)});
    item->setData(ocValue, kStoredTextRole, QString::fromStdString(text));
    if (TGXSetup::IsSavedSection(section)) item->setFlags(item->flags() | Qt::ItemIsEditable);
  });
  tree_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Save)->setText("Сохранить");
  buttons->button(QDialogButtonBox::Cancel)->setText("Отмена");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tree_);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &TOptionsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(640, 560);
}

QTreeWidgetItem* TOptionsDialog::SectionItem(const std::string& section) {
  const QString caption = QString::fromStdString(section);
  for (int i = 0; i < tree_->topLevelItemCount(); ++i)
    if (tree_->topLevelItem(i)->text(ocName) == caption) return tree_->topLevelItem(i);
  return new QTreeWidgetItem(tree_, {caption});
}

bool TOptionsDialog::SaveOptions() {
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* section = tree_->topLevelItem(i);
    if (!TGXSetup::IsSavedSection(section->text(ocName).toStdString())) continue;
    for (int j = 0; j < section->childCount(); ++j) {
      const QTreeWidgetItem* item = section->child(j);
      const QString edited = item->text(ocValue).trimmed();
      if (edited == item->data(ocValue, kStoredTextRole).toString()) continue;
      const std::string name = item->text(ocName).toStdString();
      const std::string text = edited.toStdString();
      if (!GXSetup()->SetSavedValue(name, text)) {
        ShowError(Format("Неверное значение параметра %s: \"%s\"", name, text));
        return false;
      }
    }
  }
  return GXSetup()->Save();
}

void TOptionsDialog::accept() {
  if (SaveOptions()) QDialog::accept();
}

}  // namespace kv
