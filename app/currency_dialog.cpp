#include "app/currency_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "catalogue/currency_lookups.h"
#include "order/order.h"
#include "shell/configuration.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/gx_setup.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

enum TRateColumn { rcID, rcName, rcRate };

QTableWidget* RateTable(int rows, QWidget* parent) {
  auto* table = new QTableWidget(rows, 3, parent);
  table->setHorizontalHeaderLabels({"Код", "Валюта", "Курс"});
  table->verticalHeader()->hide();
  table->horizontalHeader()->setSectionResizeMode(rcName, QHeaderView::Stretch);
  return table;
}

void SetRow(QTableWidget* table, int row, int id, double rate, bool editable) {
  const QString texts[] = {QString::number(id), QString::fromStdString(GetCurrencyString(id)),
                           QString::fromStdString(Format("%.4f", rate))};
  for (int column = rcID; column <= rcRate; ++column) {
    auto* item = new QTableWidgetItem(texts[column]);
    if (!(editable && column == rcRate)) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    table->setItem(row, column, item);
  }
}

}  // namespace

TCurrencyDialog::TCurrencyDialog(TOrder* order, QWidget* parent) : QDialog(parent), order_(order) {
  setWindowTitle("Курсы валют");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Курсы валют каталога:", this));
  catalogue_ = RateTable(0, this);
  layout->addWidget(catalogue_);
  FillCatalogueRates();
  if (order_) {
    layout->addWidget(new QLabel(QString::fromStdString(Format("Курсы валют заказа № %s:", order_->No)), this));
    order_rates_ = RateTable(0, this);
    layout->addWidget(order_rates_);
    FillOrderRates();
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Save)->setText("Сохранить");
  buttons->button(QDialogButtonBox::Cancel)->setText("Отмена");
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &TCurrencyDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(480, 420);
}

void TCurrencyDialog::FillCatalogueRates() {
  const TCurrencyList list = BuildCurrencyList();
  catalogue_->setRowCount(static_cast<int>(list.size()));
  for (size_t i = 0; i < list.size(); ++i) SetRow(catalogue_, static_cast<int>(i), list[i].ID, list[i].Value, false);
}

void TCurrencyDialog::FillOrderRates() {
  order_rates_->setRowCount(static_cast<int>(order_->Currencies.size()));
  for (size_t i = 0; i < order_->Currencies.size(); ++i)
    SetRow(order_rates_, static_cast<int>(i), order_->Currencies[i].ID, order_->Currencies[i].Rate, true);
}

bool TCurrencyDialog::SaveRates() {
  if (order_) {
    std::vector<double> rates;
    for (int row = 0; row < order_rates_->rowCount(); ++row) {
      const std::string text = order_rates_->item(row, rcRate)->text().toStdString();
      long double rate = 0;
      if (!TryStrToFloat(text, rate) || rate <= 0) {
        ShowError(
            Format("Неверный курс валюты %s: \"%s\"", order_rates_->item(row, rcName)->text().toStdString(), text));
        return false;
      }
      rates.push_back(static_cast<double>(rate));
    }
    for (size_t i = 0; i < rates.size(); ++i) order_->Currencies[i].Rate = rates[i];
  }
  try {
    SaveLastCurrencyUpdate(GXSetup()->ServerName, Date());
  } catch (const EKvError& e) {
    ShowError(e.what());
    return false;
  }
  return true;
}

void TCurrencyDialog::accept() {
  if (SaveRates()) QDialog::accept();
}

}  // namespace kv
