#include "app/selection_form.h"

#include <filesystem>

#include <QDateEdit>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTableView>
#include <QVBoxLayout>

#include "order/order_saving.h"
#include "qt/document_models.h"
#include "qt/form_values.h"
#include "shell/format_settings.h"
#include "shell/gx_setup.h"
#include "shell/user_messages.h"

namespace kv {

TSelectionForm::TSelectionForm(std::unique_ptr<Tgx25OrderSelection> selection, std::string file, QWidget* parent)
    : TDocumentForm(parent), selection_(std::move(selection)), file_(std::move(file)) {
  LayOutBody(CreateHeader(), CreateItems(), 900, 600);
  ReadHeader();
  Refresh();
  SetModified(false);
}

TSelectionForm::~TSelectionForm() = default;

QWidget* TSelectionForm::CreateHeader() {
  auto* header = new QWidget(this);
  auto* form = new QFormLayout(header);
  no_ = new QLineEdit(header);
  date_ = NewDateEdit(header);
  name_ = new QLineEdit(header);
  note_ = new QPlainTextEdit(header);
  note_->setMaximumHeight(60);
  form->addRow("Номер выборки:", no_);
  form->addRow("Дата:", date_);
  form->addRow("Наименование:", name_);
  form->addRow("Примечание:", note_);
  for (QLineEdit* edit : {no_, name_}) connect(edit, &QLineEdit::textEdited, this, &TSelectionForm::WriteHeaderField);
  connect(date_, &QDateEdit::dateChanged, this, &TSelectionForm::WriteHeaderField);
  connect(note_, &QPlainTextEdit::textChanged, this, &TSelectionForm::WriteHeaderField);
  return header;
}

QWidget* TSelectionForm::CreateItems() {
  auto* box = new QWidget(this);
  items_model_ = new TSelectionItemsModel(*selection_, this);
  connect(items_model_, &TSelectionItemsModel::Edited, this, [this] {
    UpdateStatistics();
    SetModified(true);
  });
  items_view_ = new QTableView(box);
  items_view_->setModel(items_model_);
  items_view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  items_view_->setSelectionMode(QAbstractItemView::SingleSelection);
  items_view_->horizontalHeader()->setStretchLastSection(true);
  statistics_ = new QLabel(box);
  statistics_->setWordWrap(true);
  auto* layout = new QVBoxLayout(box);
  layout->addLayout(CommandButtons({{"Добавить заказ...", [this] { AskOrderFile(); }},
                                    {"Удалить", [this] { RemoveItem(); }},
                                    {"Обновить", [this] { Refresh(); }}}));
  layout->addWidget(items_view_);
  layout->addWidget(statistics_);
  return box;
}

void TSelectionForm::ReadHeader() {
  reading_ = true;
  no_->setText(Q(selection_->No));
  date_->setDate(ToQDate(selection_->Date));
  name_->setText(Q(selection_->Name));
  note_->setPlainText(Q(JoinLines(selection_->Note)));
  reading_ = false;
}

// A text the selection file cannot hold is refused with the field's name.
void TSelectionForm::WriteHeaderField() {
  if (reading_) return;
  const struct {
    const char* Field;
    QLineEdit* Edit;
    std::string Tgx25OrderSelection::*Value;
  } texts[] = {{"Номер выборки", no_, &Tgx25OrderSelection::No},
               {"Наименование выборки", name_, &Tgx25OrderSelection::Name}};
  for (const auto& text : texts) {
    const std::string value = S(text.Edit->text());
    if ((*selection_).*text.Value == value) continue;
    if (CheckOrderText(text.Field, value))
      (*selection_).*text.Value = value;
    else
      text.Edit->setText(Q((*selection_).*text.Value));
  }
  selection_->Date = FromQDate(date_->date());
  selection_->Note = SplitLines(note_->toPlainText());
  SetModified(true);
}

QString TSelectionForm::Caption() const { return Q(Format("Выборка № %s", selection_->No)); }

bool TSelectionForm::Save() {
  const TSaveResult result =
      SaveDocumentFile(*GXSetup(), file_, SelectionDirectory(*GXSetup()), selection_->No, ".gxs",
                       [this](const std::string& file) { return selection_->SaveSelection(file); });
  switch (result) {
    case TSaveResult::srSaved: SetModified(false); return true;
    case TSaveResult::srNeedName: return SaveAs();
    case TSaveResult::srFailed: return false;
  }
  return false;
}

bool TSelectionForm::SaveAs() {
  const std::string file = AskFileName("Сохранить выборку...", "Выборка (*.gxs)", file_);
  return !file.empty() && SaveAsFile(file);
}

bool TSelectionForm::SaveAsFile(const std::string& file) {
  if (!selection_->SaveSelection(file)) return false;
  file_ = file;
  SetModified(false);
  return true;
}

void TSelectionForm::AskOrderFile() {
  const QString file = QFileDialog::getOpenFileName(this, "Открыть...", Q(GXSetup()->ServerName), "Заказ (*.gxo)");
  if (!file.isEmpty()) AddOrderFile(S(file));
}

bool TSelectionForm::AddOrderFile(const std::string& file) {
  TOrder order;
  if (!order.LoadOrder(file)) return false;
  const std::string path = std::filesystem::absolute(file).lexically_normal().string();
  bool added = false;
  for (int i = 0; i < order.Count(); ++i)
    added = selection_->AddPosition(order, *order.GetConstruction(i), path) || added;
  // The new items are linked to the positions of the selection's own copy of the order.
  Refresh();
  if (added) SetModified(true);
  return true;
}

void TSelectionForm::RemoveItem() {
  const int row = CurrentItem();
  const Tgx25OrderSelectionItem* item = selection_->GetSelectionItem(row);
  if (item == nullptr || !ShowConfirm(Format("Удалить из выборки позицию %s заказа № %s?", item->PosNo, item->OrderNo)))
    return;
  selection_->Delete(row);
  ItemsChanged();
  SetCurrentItem(std::min(row, selection_->Count() - 1));
}

// Reading the order files of a large selection takes a while: the user sees how far it is and may
// stop it, the items not reached keeping what they stored.
void TSelectionForm::Refresh() {
  QProgressDialog progress("Обновление выборки...", "Отмена", 0, selection_->Count(), this);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(500);
  selection_->UpdateSelectionData([&](int done, int total) {
    progress.setValue(done);
    progress.setLabelText(Q(Format("Обновление выборки: %d из %d", done, total)));
    return !progress.wasCanceled();
  });
  progress.setValue(selection_->Count());
  items_model_->Reload();
  UpdateStatistics();
}

int TSelectionForm::CurrentItem() const {
  const QModelIndex current = items_view_->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void TSelectionForm::SetCurrentItem(int row) {
  if (row >= 0 && row < selection_->Count()) items_view_->selectRow(row);
}

void TSelectionForm::ItemsChanged() {
  items_model_->Reload();
  UpdateStatistics();
  SetModified(true);
}

void TSelectionForm::UpdateStatistics() {
  Tgx25OrderSelection& s = *selection_;
  s.GatherStatistics();
  statistics_->setText(
      Q(Format("Заказы: %s\nЗаказов: %d    Позиций: %d    Изделий: %d    Рам: %d    "
               "Окон: %d (%.2f м2)    Дверей: %d (%.2f м2)    Площадь: %.2f м2",
               s.GetOrderList(), s.OrderCount, s.PosCount, s.ConsCount, s.FrameCount, s.WinCount,
               static_cast<double>(s.WinSquare), s.DoorCount, static_cast<double>(s.DoorSquare),
               static_cast<double>(s.TotalSquare))));
}

}  // namespace kv
