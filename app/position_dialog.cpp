#include "app/position_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

#include "shell/format_settings.h"
#include "shell/input_limits.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

QSpinBox* SizeBox(QWidget* parent, int value) {
  auto* box = new QSpinBox(parent);
  box->setRange(1, static_cast<int>(kMaxLengthMm));
  box->setValue(value);
  box->setSuffix(" мм");
  return box;
}

}  // namespace

bool ParseNumberList(const QString& text, std::vector<int>& numbers) {
  numbers.clear();
  for (const QString& word : text.split(QRegularExpression("[\\s;,]+"), Qt::SkipEmptyParts)) {
    bool ok = false;
    const int number = word.toInt(&ok);
    if (!ok) return false;
    numbers.push_back(number);
  }
  return true;
}

TPositionDialog::TPositionDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Новая позиция");
  const TFrameBuildOptions defaults;
  type_ = new QSpinBox(this);
  type_->setRange(1, 9999);
  type_->setValue(defaults.TypeWin);
  figure_ = new QComboBox(this);
  for (const std::string& name : FigureNames()) figure_->addItem(QString::fromStdString(name));
  width_ = SizeBox(this, defaults.Width);
  height_ = SizeBox(this, defaults.Height);
  vertical_ = new QLineEdit(this);
  horizontal_ = new QLineEdit(this);
  sashes_ = new QLineEdit(this);
  turn_ = new QCheckBox("только поворотные", this);
  glass_ = new QLineEdit(this);
  glass_->setPlaceholderText("стекло типа конструкции");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText("Отмена");
  auto* form = new QFormLayout(this);
  form->addRow("Тип конструкции:", type_);
  form->addRow("Фигура:", figure_);
  form->addRow("Ширина:", width_);
  form->addRow("Высота:", height_);
  form->addRow("Вертикальные импосты (оси от левого края, мм):", vertical_);
  form->addRow("Горизонтальные импосты (оси от верхнего края, мм):", horizontal_);
  form->addRow("Поля со створками (номера):", sashes_);
  form->addRow("Створки:", turn_);
  form->addRow("Заполнение (артикул):", glass_);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &TPositionDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TFrameBuildOptions TPositionDialog::Options() const {
  TFrameBuildOptions options;
  options.TypeWin = type_->value();
  options.Figure = figure_->currentText().toStdString();
  options.Width = width_->value();
  options.Height = height_->value();
  ParseNumberList(vertical_->text(), options.Vertical);
  ParseNumberList(horizontal_->text(), options.Horizontal);
  ParseNumberList(sashes_->text(), options.Sashes);
  options.Turn = turn_->isChecked();
  options.Glass = glass_->text().trimmed().toStdString();
  return options;
}

// The lists must be whole numbers; each wrong one is named.
void TPositionDialog::accept() {
  const struct {
    const char* Field;
    QLineEdit* Edit;
  } lists[] = {
      {"Вертикальные импосты", vertical_}, {"Горизонтальные импосты", horizontal_}, {"Поля со створками", sashes_}};
  std::vector<int> numbers;
  for (const auto& list : lists)
    if (!ParseNumberList(list.Edit->text(), numbers)) {
      ShowError(Format("%s: ожидаются целые числа через пробел, указано \"%s\"", list.Field,
                       list.Edit->text().toStdString()));
      return;
    }
  QDialog::accept();
}

}  // namespace kv
