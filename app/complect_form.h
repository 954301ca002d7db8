#pragma once
// The complect-list window: the delivery note's number, date, order, customer, representative and
// document, its section switches, and its lines (constructions and loose materials) with their
// place numbers and the total cost.
#include <memory>
#include <string>

#include "app/document_form.h"
#include "order/order_complect.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableView;

namespace kv {

class TComplectItemsModel;

class TComplectForm : public TDocumentForm {
  Q_OBJECT
public:
  // file: "" for a new complect list.
  TComplectForm(std::unique_ptr<Tgx25OrderComplect> complect, std::string file, QWidget* parent = nullptr);
  ~TComplectForm() override;

  Tgx25OrderComplect& Complect() const { return *complect_; }
  const std::string& FileName() const { return file_; }
  TComplectItemsModel* ItemsModel() const { return items_model_; }
  QTableView* ItemsView() const { return items_view_; }
  QLabel* TotalsLabel() const { return totals_; }
  // "Ведомость № %s".
  QString Caption() const override;

  bool Save() override;
  bool SaveAs() override;
  bool SaveAsFile(const std::string& file);

  // The lines of the order's positions (all of them) and materials under the switches, replacing
  // the present ones.
  void FillFromOrder(const TOrder& order);
  // Removes the current line after the question.
  void RemoveItem();
  int CurrentItem() const;
  void SetCurrentItem(int row);

protected:
  std::string CloseQuestion() const override { return "Сохранить ведомость?"; }

private:
  QWidget* CreateHeader();
  QWidget* CreateSwitches();
  QWidget* CreateItems();
  void ReadHeader();
  void WriteHeaderField();
  void AskOrderFile();
  void ItemsChanged();
  void UpdateTotals();

  std::unique_ptr<Tgx25OrderComplect> complect_;
  std::string file_;
  bool reading_ = false;
  QLineEdit* no_;
  QDateEdit* date_;
  QLineEdit* order_;
  QLineEdit* customer_;
  QLineEdit* representative_;
  QLineEdit* document_;
  std::vector<QCheckBox*> switches_;
  TComplectItemsModel* items_model_;
  QTableView* items_view_;
  QLabel* totals_;
};

}  // namespace kv
