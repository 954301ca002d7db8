#include "app/complect_form.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

#include "order/order_costing.h"
#include "order/order_saving.h"
#include "qt/document_models.h"
#include "qt/form_values.h"
#include "shell/format_settings.h"
#include "shell/gx_setup.h"
#include "shell/money.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

// The stored switches in the file's order, with their captions.
const struct {
  const char* Caption;
  bool Tgx25OrderComplect::*Value;
} kSwitches[] = {{"Изделия", &Tgx25OrderComplect::Window},
                 {"Доборные профили", &Tgx25OrderComplect::AttachProf},
                 {"Доп. профили", &Tgx25OrderComplect::DopProf},
                 {"Прочие профили", &Tgx25OrderComplect::OtherProf},
                 {"Фурнитура", &Tgx25OrderComplect::Furniture},
                 {"Подоконники", &Tgx25OrderComplect::Sill},
                 {"Отливы", &Tgx25OrderComplect::Sink},
                 {"Моск. сетки", &Tgx25OrderComplect::Mosquito},
                 {"Роллеты", &Tgx25OrderComplect::Rollet},
                 {"Жалюзи", &Tgx25OrderComplect::Jalousie},
                 {"Компл. подоконников", &Tgx25OrderComplect::SillComp},
                 {"Компл. отливов", &Tgx25OrderComplect::SinkComp},
                 {"Компл. моск. сеток", &Tgx25OrderComplect::MosquitoComp},
                 {"Компл. роллет", &Tgx25OrderComplect::RolletComp},
                 {"Компл. жалюзи", &Tgx25OrderComplect::JalousieComp},
                 {"Монтажные материалы", &Tgx25OrderComplect::MontMat}};

constexpr int kSwitchColumns = 4;

}  // namespace

TComplectForm::TComplectForm(std::unique_ptr<Tgx25OrderComplect> complect, std::string file, QWidget* parent)
    : TDocumentForm(parent), complect_(std::move(complect)), file_(std::move(file)) {
  auto* top = new QWidget(this);
  auto* top_layout = new QHBoxLayout(top);
  top_layout->addWidget(CreateHeader(), 1);
  top_layout->addWidget(CreateSwitches(), 2);
  LayOutBody(top, CreateItems(), 900, 600);
  ReadHeader();
  UpdateTotals();
  SetModified(false);
}

TComplectForm::~TComplectForm() = default;

QWidget* TComplectForm::CreateHeader() {
  auto* header = new QWidget(this);
  auto* form = new QFormLayout(header);
  no_ = new QLineEdit(header);
  date_ = NewDateEdit(header);
  order_ = new QLineEdit(header);
  customer_ = new QLineEdit(header);
  representative_ = new QLineEdit(header);
  document_ = new QLineEdit(header);
  form->addRow("Номер ведомости:", no_);
  form->addRow("Дата:", date_);
  form->addRow("Заказ №:", order_);
  form->addRow("Заказчик:", customer_);
  form->addRow("Представитель:", representative_);
  form->addRow("Документ:", document_);
  for (QLineEdit* edit : {no_, order_, customer_, representative_, document_})
    connect(edit, &QLineEdit::textEdited, this, &TComplectForm::WriteHeaderField);
  connect(date_, &QDateEdit::dateChanged, this, &TComplectForm::WriteHeaderField);
  return header;
}

QWidget* TComplectForm::CreateSwitches() {
  auto* box = new QGroupBox("Разделы", this);
  auto* grid = new QGridLayout(box);
  for (const auto& entry : kSwitches) {
    auto* check = new QCheckBox(entry.Caption, box);
    const int index = static_cast<int>(switches_.size());
    grid->addWidget(check, index / kSwitchColumns, index % kSwitchColumns);
    connect(check, &QCheckBox::toggled, this, &TComplectForm::WriteHeaderField);
    switches_.push_back(check);
  }
  return box;
}

QWidget* TComplectForm::CreateItems() {
  auto* box = new QWidget(this);
  items_model_ = new TComplectItemsModel(*complect_, this);
  connect(items_model_, &TComplectItemsModel::Edited, this, [this] { SetModified(true); });
  items_view_ = new QTableView(box);
  items_view_->setModel(items_model_);
  items_view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  items_view_->setSelectionMode(QAbstractItemView::SingleSelection);
  items_view_->horizontalHeader()->setSectionResizeMode(TComplectItemsModel::colName, QHeaderView::Stretch);
  totals_ = new QLabel(box);
  auto* layout = new QVBoxLayout(box);
  layout->addLayout(CommandButtons(
      {{"Заполнить по заказу...", [this] { AskOrderFile(); }}, {"Удалить строку", [this] { RemoveItem(); }}}));
  layout->addWidget(items_view_);
  layout->addWidget(totals_);
  return box;
}

void TComplectForm::ReadHeader() {
  reading_ = true;
  const Tgx25OrderComplect& c = *complect_;
  no_->setText(Q(c.No));
  date_->setDate(ToQDate(c.Date));
  order_->setText(Q(c.Order));
  customer_->setText(Q(c.Customer));
  representative_->setText(Q(c.Representative));
  document_->setText(Q(c.Document));
  for (size_t i = 0; i < switches_.size(); ++i) switches_[i]->setChecked(c.*kSwitches[i].Value);
  reading_ = false;
}

// A text the complect file cannot hold is refused with the field's name.
void TComplectForm::WriteHeaderField() {
  if (reading_) return;
  const struct {
    const char* Field;
    QLineEdit* Edit;
    std::string Tgx25OrderComplect::*Value;
  } texts[] = {{"Номер ведомости", no_, &Tgx25OrderComplect::No},
               {"Заказ", order_, &Tgx25OrderComplect::Order},
               {"Заказчик", customer_, &Tgx25OrderComplect::Customer},
               {"Представитель", representative_, &Tgx25OrderComplect::Representative},
               {"Документ", document_, &Tgx25OrderComplect::Document}};
  for (const auto& text : texts) {
    const std::string value = S(text.Edit->text());
    if ((*complect_).*text.Value == value) continue;
    if (CheckOrderText(text.Field, value))
      (*complect_).*text.Value = value;
    else
      text.Edit->setText(Q((*complect_).*text.Value));
  }
  complect_->Date = FromQDate(date_->date());
  for (size_t i = 0; i < switches_.size(); ++i) (*complect_).*kSwitches[i].Value = switches_[i]->isChecked();
  SetModified(true);
}

QString TComplectForm::Caption() const { return Q(Format("Ведомость № %s", complect_->No)); }

bool TComplectForm::Save() {
  const TSaveResult result = SaveDocumentFile(*GXSetup(), file_, ComplectDirectory(*GXSetup()), complect_->No, ".gxc",
                                              [this](const std::string& file) { return complect_->SaveFile(file); });
  switch (result) {
    case TSaveResult::srSaved: SetModified(false); return true;
    case TSaveResult::srNeedName: return SaveAs();
    case TSaveResult::srFailed: return false;
  }
  return false;
}

bool TComplectForm::SaveAs() {
  const std::string file = AskFileName("Сохранить ведомость...", "Ведомость комплектации (*.gxc)", file_);
  return !file.empty() && SaveAsFile(file);
}

bool TComplectForm::SaveAsFile(const std::string& file) {
  if (!complect_->SaveFile(file)) return false;
  file_ = file;
  SetModified(false);
  return true;
}

void TComplectForm::FillFromOrder(const TOrder& order) {
  TOrder whole;
  if (!whole.Assign(order)) return;
  CheckAllPositions(whole);
  complect_->FillFromOrder(whole);
  ReadHeader();
  ItemsChanged();
}

void TComplectForm::AskOrderFile() {
  const QString file = QFileDialog::getOpenFileName(this, "Открыть...", Q(GXSetup()->ServerName), "Заказ (*.gxo)");
  if (file.isEmpty()) return;
  TOrder order;
  if (order.LoadOrder(S(file))) FillFromOrder(order);
}

void TComplectForm::RemoveItem() {
  const int row = CurrentItem();
  if (row < 0) return;
  const Tgx25OrderComplectItem& item = complect_->Items[static_cast<size_t>(row)];
  if (!ShowConfirm(Format("Удалить строку \"%s %s\" из ведомости?", item.Article, item.Name))) return;
  complect_->Items.erase(complect_->Items.begin() + row);
  ItemsChanged();
  SetCurrentItem(std::min(row, static_cast<int>(complect_->Items.size()) - 1));
}

int TComplectForm::CurrentItem() const {
  const QModelIndex current = items_view_->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void TComplectForm::SetCurrentItem(int row) {
  if (row >= 0 && row < static_cast<int>(complect_->Items.size())) items_view_->selectRow(row);
}

void TComplectForm::ItemsChanged() {
  items_model_->Reload();
  UpdateTotals();
  SetModified(true);
}

void TComplectForm::UpdateTotals() {
  const long long lines = static_cast<long long>(complect_->Items.size());
  totals_->setText(Q(Format("Строк: %d    Стоимость: %s", lines, CurrToStr(items_model_->TotalCost(), 2))));
}

}  // namespace kv
