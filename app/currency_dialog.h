#pragma once
// The currency dialog: the rates of the catalogue's currencies and, for the active order, the
// rates of the order's currencies, which can be edited. Saving stores the order's rates and today
// as the date of the last currency update.
#include <QDialog>

class QTableWidget;

namespace kv {

class TOrder;

class TCurrencyDialog : public QDialog {
  Q_OBJECT
public:
  // order: the active order, nullptr when none is open.
  explicit TCurrencyDialog(TOrder* order, QWidget* parent = nullptr);
  QTableWidget* CatalogueRates() const { return catalogue_; }
  QTableWidget* OrderRates() const { return order_rates_; }
  // The order's rates taken from the table and today recorded; false after the message.
  bool SaveRates();
  void accept() override;

private:
  void FillCatalogueRates();
  void FillOrderRates();

  TOrder* order_;
  QTableWidget* catalogue_;
  QTableWidget* order_rates_ = nullptr;
};

}  // namespace kv
