#include "app/order_form.h"

#include <iterator>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/position_dialog.h"
#include "order/order_costing.h"
#include "order/order_description.h"
#include "qt/form_values.h"
#include "qt/order_models.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/gx_setup.h"
#include "shell/money.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

// The sections of the order with their switches and discounts, and the whole order's discount last
// (it has no switch).
std::vector<TOrderSectionFields> SectionRows() {
  std::vector<TOrderSectionFields> rows(OrderSectionFields().begin(), OrderSectionFields().end());
  rows.push_back({"Заказ в целом", nullptr, &TOrder::OrderReduce, &TOrder::OrderRedUnit});
  return rows;
}

const std::vector<TOrderSectionFields> kSections = SectionRows();
const int kSectionCount = static_cast<int>(kSections.size());
const QStringList kReduceUnits = {"нет", "%", "сумма", "фикс. цена"};
enum TSectionColumn { scSection, scReduce, scUnit };

// The first whole number from 1 that no position carries.
std::string NextPositionNo(const TOrder& order) {
  int number = 1;
  while (order.PosFind(IntToStr(number)) >= 0) ++number;
  return IntToStr(number);
}

// Thrown from the progress of a recalculation that the user cancelled.
struct TRecalculationCancelled {};

}  // namespace

TOrderForm::TOrderForm(std::unique_ptr<TOrder> order, TOrderDocument document, QWidget* parent)
    : TDocumentForm(parent), order_(std::move(order)), document_(std::move(document)) {
  auto* top = new QWidget(this);
  auto* top_layout = new QHBoxLayout(top);
  top_layout->addWidget(CreateHeader(), 3);
  top_layout->addWidget(CreateSections(), 2);
  LayOutBody(top, CreatePositions(), 900, 640);
  ReadHeader();
  UpdateTotals();
  SetModified(false);
}

TOrderForm::~TOrderForm() = default;

QWidget* TOrderForm::CreateHeader() {
  auto* header = new QWidget(this);
  auto* form = new QFormLayout(header);
  no_ = new QLineEdit(header);
  date_ = NewDateEdit(header);
  customer_ = new QLineEdit(header);
  object_ = new QLineEdit(header);
  address_ = new QLineEdit(header);
  phone_ = new QLineEdit(header);
  status_ = new QComboBox(header);
  for (TOrderStatus status : {soWorking, soPreview, soComplete, soClosed})
    status_->addItem(Q(OrderStatusCaption(status)));
  contract_no_ = new QLineEdit(header);
  note_ = new QPlainTextEdit(header);
  note_->setMaximumHeight(70);
  form->addRow("Номер заказа:", no_);
  form->addRow("Дата:", date_);
  form->addRow("Заказчик:", customer_);
  form->addRow("Объект:", object_);
  form->addRow("Адрес:", address_);
  form->addRow("Телефон:", phone_);
  form->addRow("Статус:", status_);
  form->addRow("Договор №:", contract_no_);
  form->addRow("Примечание:", note_);
  for (QLineEdit* edit : {no_, customer_, object_, address_, phone_, contract_no_})
    connect(edit, &QLineEdit::textEdited, this, &TOrderForm::WriteHeaderField);
  connect(date_, &QDateEdit::dateChanged, this, &TOrderForm::WriteHeaderField);
  connect(status_, &QComboBox::currentIndexChanged, this, &TOrderForm::WriteHeaderField);
  connect(note_, &QPlainTextEdit::textChanged, this, &TOrderForm::WriteHeaderField);
  return header;
}

QWidget* TOrderForm::CreateSections() {
  sections_ = new QTableWidget(kSectionCount, 3, this);
  sections_->setHorizontalHeaderLabels({"Раздел", "Скидка", "Ед."});
  sections_->verticalHeader()->hide();
  sections_->horizontalHeader()->setSectionResizeMode(scSection, QHeaderView::Stretch);
  for (int row = 0; row < kSectionCount; ++row) {
    auto* section = new QTableWidgetItem(kSections[row].Name);
    section->setFlags(kSections[row].Include ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable : Qt::ItemIsEnabled);
    sections_->setItem(row, scSection, section);
    sections_->setItem(row, scReduce, new QTableWidgetItem);
    auto* unit = new QComboBox(sections_);
    unit->addItems(kReduceUnits);
    sections_->setCellWidget(row, scUnit, unit);
    connect(unit, &QComboBox::currentIndexChanged, this, [this, row] { WriteSection(row); });
  }
  connect(sections_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) { WriteSection(item->row()); });
  return sections_;
}

QWidget* TOrderForm::CreatePositions() {
  auto* box = new QWidget(this);
  positions_model_ = new TPositionsModel(*order_, this);
  positions_view_ = new QTableView(box);
  positions_view_->setModel(positions_model_);
  positions_view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  positions_view_->setSelectionMode(QAbstractItemView::SingleSelection);
  positions_view_->setIconSize(QSize(64, 64));
  positions_view_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  positions_view_->horizontalHeader()->setStretchLastSection(true);
  connect(positions_view_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& index) { emit ViewPositionRequested(index.row()); });
  QHBoxLayout* buttons = CommandButtons({{"Добавить...", [this] { AddPosition(); }},
                                         {"Копировать", [this] { CopyPosition(); }},
                                         {"Удалить", [this] { DeletePosition(); }},
                                         {"Выше", [this] { MovePosition(-1); }},
                                         {"Ниже", [this] { MovePosition(1); }},
                                         {"Просмотр", [this] { emit ViewPositionRequested(CurrentPosition()); }},
                                         {"Пересчитать", [this] { Recalculate(); }}});
  totals_ = new QLabel(box);
  auto* layout = new QVBoxLayout(box);
  layout->addLayout(buttons);
  layout->addWidget(positions_view_);
  layout->addWidget(totals_);
  return box;
}

void TOrderForm::ReadHeader() {
  reading_ = true;
  no_->setText(Q(order_->No));
  date_->setDate(ToQDate(order_->Date));
  customer_->setText(Q(order_->Customer));
  object_->setText(Q(order_->Obj));
  address_->setText(Q(order_->Address));
  phone_->setText(Q(order_->Phone));
  status_->setCurrentIndex(order_->Status);
  contract_no_->setText(Q(order_->ContractNo));
  note_->setPlainText(Q(JoinLines(order_->Note)));
  for (int row = 0; row < kSectionCount; ++row) {
    const TOrderSectionFields& fields = kSections[row];
    if (fields.Include)
      sections_->item(row, scSection)->setCheckState((*order_).*fields.Include ? Qt::Checked : Qt::Unchecked);
    sections_->item(row, scReduce)->setText(Q(CurrToStr((*order_).*fields.Reduce, 2)));
    static_cast<QComboBox*>(sections_->cellWidget(row, scUnit))->setCurrentIndex((*order_).*fields.Unit);
  }
  reading_ = false;
}

// Every header field goes into the order as it is edited; a text the order file cannot hold is
// refused with the field's name.
void TOrderForm::WriteHeaderField() {
  if (reading_) return;
  const struct {
    const char* Field;
    QLineEdit* Edit;
    std::string TOrder::*Value;
  } texts[] = {{"Номер заказа", no_, &TOrder::No},  {"Заказчик", customer_, &TOrder::Customer},
               {"Объект", object_, &TOrder::Obj},   {"Адрес", address_, &TOrder::Address},
               {"Телефон", phone_, &TOrder::Phone}, {"Договор №", contract_no_, &TOrder::ContractNo}};
  for (const auto& text : texts) {
    const std::string value = S(text.Edit->text());
    if ((*order_).*text.Value == value) continue;
    if (CheckOrderText(text.Field, value))
      (*order_).*text.Value = value;
    else
      text.Edit->setText(Q((*order_).*text.Value));
  }
  order_->Date = FromQDate(date_->date());
  order_->SetStatus(static_cast<TOrderStatus>(status_->currentIndex()));
  order_->Note = SplitLines(note_->toPlainText());
  SetModified(true);
}

void TOrderForm::WriteSection(int row) {
  if (reading_ || row < 0 || row >= kSectionCount) return;
  const TOrderSectionFields& fields = kSections[row];
  if (fields.Include) (*order_).*fields.Include = sections_->item(row, scSection)->checkState() == Qt::Checked;
  long double reduce = 0;
  if (TryStrToFloat(S(sections_->item(row, scReduce)->text().remove(' ').remove(QChar(0xA0))), reduce))
    (*order_).*fields.Reduce = TCurrency::FromExtended(reduce);
  else
    ShowError(Format("Неверное значение скидки: \"%s\"", S(sections_->item(row, scReduce)->text())));
  (*order_).*fields.Unit =
      static_cast<TNumUnit>(static_cast<QComboBox*>(sections_->cellWidget(row, scUnit))->currentIndex());
  reading_ = true;
  sections_->item(row, scReduce)->setText(Q(CurrToStr((*order_).*fields.Reduce, 2)));
  reading_ = false;
  SetModified(true);
}

QString TOrderForm::Caption() const { return Q(Format("Заказ № %s", order_->No)); }

bool TOrderForm::Save() {
  TOrderSaver saver(*GXSetup());
  switch (saver.Save(*order_, document_)) {
    case TSaveResult::srSaved: SetModified(false); return true;
    case TSaveResult::srNeedName: return SaveAs();
    case TSaveResult::srFailed: return false;
  }
  return false;
}

bool TOrderForm::SaveAs() {
  const std::string file = AskFileName("Сохранить заказ...", "Заказ (*.gxo)", document_.FileName);
  return !file.empty() && SaveAsFile(file);
}

bool TOrderForm::SaveAsFile(const std::string& file) {
  if (!TOrderSaver(*GXSetup()).SaveOrderAs(*order_, document_, file)) return false;
  SetModified(false);
  return true;
}

int TOrderForm::CurrentPosition() const {
  const QModelIndex current = positions_view_->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void TOrderForm::SetCurrentPosition(int row) {
  if (row >= 0 && row < order_->Count()) positions_view_->selectRow(row);
}

void TOrderForm::AddPosition() {
  TPositionDialog dialog(this);
  if (dialog.exec() != QDialog::Accepted) return;
  try {
    AddConstruction(BuildConstruction(dialog.Options()));
  } catch (const EKvError& e) {
    ShowError(e.what());
  }
}

void TOrderForm::AddConstruction(std::unique_ptr<Tgx25Construction> construction) {
  construction->ChangeNo(NextPositionNo(*order_));
  order_->Add(std::move(construction));
  PositionsChanged();
  SetCurrentPosition(order_->Count() - 1);
}

void TOrderForm::DeletePosition() {
  const int row = CurrentPosition();
  if (row < 0) return;
  if (!ShowConfirm(Format("Удалить позицию %s?", order_->GetConstruction(row)->No))) return;
  order_->Delete(row);
  PositionsChanged();
  SetCurrentPosition(std::min(row, order_->Count() - 1));
}

// The copy is made by the order's clone of the selected positions, from a copy of the order in
// which only this position is checked.
void TOrderForm::CopyPosition() {
  const int row = CurrentPosition();
  if (row < 0) return;
  TOrder source;
  if (!source.CopyPos(*order_)) return;
  for (int i = 0; i < source.Count(); ++i) source.GetConstruction(i)->Checked = i == row;
  if (!order_->ClonePos(source)) return;
  PositionsChanged();
  SetCurrentPosition(order_->Count() - 1);
}

void TOrderForm::MovePosition(int delta) {
  const int row = CurrentPosition();
  if (row < 0 || !order_->MovePos(row, row + delta)) return;
  PositionsChanged();
  SetCurrentPosition(row + delta);
}

bool TOrderForm::Recalculate() {
  TOrder backup;
  if (!backup.Assign(*order_)) return false;
  QProgressDialog progress("Расчет позиций...", "Отмена", 0, order_->Count(), this);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  bool calculated = false;
  try {
    calculated = order_->CalculatePositions([&](int done, int total, const std::string& no) {
      progress.setValue(done);
      progress.setLabelText(Q(Format("Расчет позиций: %d из %d (позиция %s)", done, total, no)));
      if (progress.wasCanceled()) throw TRecalculationCancelled{};
    });
  } catch (const TRecalculationCancelled&) {
    order_->Assign(backup);
  }
  PositionsChanged();
  return calculated;
}

void TOrderForm::PositionsChanged() {
  positions_model_->Reload();
  UpdateTotals();
  SetModified(true);
}

// The cost of the positions and the order's totals with its discounts, services and VAT.
void TOrderForm::UpdateTotals() {
  const TOrderTotals totals = GetOrderTotals(*order_);
  totals_->setText(
      Q(Format("Позиций: %d    Стоимость позиций: %s    Без НДС: %s    НДС: %s    Итого: %s", order_->Count(),
               CurrToStr(positions_model_->PositionsCost(), 2), CurrToStr(totals.SummaryWithoutNDS, totals.Decimals),
               CurrToStr(totals.NDS, totals.Decimals), CurrToStr(totals.SummaryWithNDS, totals.Decimals))));
}

}  // namespace kv
