#pragma once
// The selection window: the selection's number, date, name and notes, its positions taken from
// several orders with their check marks, and the statistics of the checked ones. Positions come
// in by whole order files; the items are refreshed from their order files on opening.
#include <memory>
#include <string>

#include "app/document_form.h"
#include "order/order_selection.h"

class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;

namespace kv {

class TSelectionItemsModel;

class TSelectionForm : public TDocumentForm {
  Q_OBJECT
public:
  // file: "" for a new selection.
  TSelectionForm(std::unique_ptr<Tgx25OrderSelection> selection, std::string file, QWidget* parent = nullptr);
  ~TSelectionForm() override;

  Tgx25OrderSelection& Selection() const { return *selection_; }
  const std::string& FileName() const { return file_; }
  TSelectionItemsModel* ItemsModel() const { return items_model_; }
  QTableView* ItemsView() const { return items_view_; }
  QLabel* StatisticsLabel() const { return statistics_; }
  // "Выборка № %s".
  QString Caption() const override;

  bool Save() override;
  bool SaveAs() override;
  bool SaveAsFile(const std::string& file);

  // Adds every position of the order file that the selection does not hold yet; false when the
  // order could not be loaded (its message shown).
  bool AddOrderFile(const std::string& file);
  // Removes the current item after the question.
  void RemoveItem();
  // Every item refreshed from its order file, and the statistics gathered anew.
  void Refresh();
  int CurrentItem() const;
  void SetCurrentItem(int row);

protected:
  std::string CloseQuestion() const override { return "Сохранить выборку?"; }

private:
  QWidget* CreateHeader();
  QWidget* CreateItems();
  void ReadHeader();
  void WriteHeaderField();
  void AskOrderFile();
  void ItemsChanged();
  void UpdateStatistics();

  std::unique_ptr<Tgx25OrderSelection> selection_;
  std::string file_;
  bool reading_ = false;
  QLineEdit* no_;
  QDateEdit* date_;
  QLineEdit* name_;
  QPlainTextEdit* note_;
  TSelectionItemsModel* items_model_;
  QTableView* items_view_;
  QLabel* statistics_;
};

}  // namespace kv
