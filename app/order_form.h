#pragma once
// The order window: the order header, the sections with their switches and discounts, the list of
// positions with a small picture of each, and the commands on positions. It owns its order and the
// file it came from; saving follows the order's saving rules.
#include <memory>

#include "app/document_form.h"

#include "order/order.h"
#include "order/order_saving.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class QTableWidget;

namespace kv {

class TPositionsModel;

class TOrderForm : public TDocumentForm {
  Q_OBJECT
public:
  TOrderForm(std::unique_ptr<TOrder> order, TOrderDocument document, QWidget* parent = nullptr);
  ~TOrderForm() override;

  TOrder& Order() const { return *order_; }
  const TOrderDocument& Document() const { return document_; }
  TPositionsModel* PositionsModel() const { return positions_model_; }
  QTableView* PositionsView() const { return positions_view_; }
  // "Заказ № %s".
  QString Caption() const override;

  // ---- saving ----
  bool Save() override;
  bool SaveAs() override;
  bool SaveAsFile(const std::string& file);

  // ---- positions ----
  // The row of the current position, -1 when none.
  int CurrentPosition() const;
  void SetCurrentPosition(int row);
  // The position dialog (size, figure, mullions, sashes), then the construction built and appended.
  void AddPosition();
  // Appends a construction that the caller built; it is numbered with the first free number.
  void AddConstruction(std::unique_ptr<Tgx25Construction> construction);
  void DeletePosition();
  void CopyPosition();
  void MovePosition(int delta);
  // Gathers, prices and calculates every position behind a progress dialog that can cancel it
  // (the order is then as it was).
  bool Recalculate();

signals:
  void ViewPositionRequested(int row);

protected:
  std::string CloseQuestion() const override { return "Сохранить заказ?"; }

private:
  QWidget* CreateHeader();
  QWidget* CreateSections();
  QWidget* CreatePositions();
  void ReadHeader();
  void WriteHeaderField();
  void WriteSection(int row);
  void PositionsChanged();
  void UpdateTotals();

  std::unique_ptr<TOrder> order_;
  TOrderDocument document_;
  bool reading_ = false;
  QLineEdit* no_;
  QDateEdit* date_;
  QLineEdit* customer_;
  QLineEdit* object_;
  QLineEdit* address_;
  QLineEdit* phone_;
  QComboBox* status_;
  QLineEdit* contract_no_;
  QPlainTextEdit* note_;
  QTableWidget* sections_;
  TPositionsModel* positions_model_;
  QTableView* positions_view_;
  QLabel* totals_;
};

}  // namespace kv
