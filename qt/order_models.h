#pragma once
// The list of an order's positions for the order window and its tests: a small picture of each
// construction, its number, sizes, count, unit cost and cost.
#include <QAbstractTableModel>

#include "order/order.h"

namespace kv {

class TPositionsModel : public QAbstractTableModel {
  Q_OBJECT
public:
  enum TColumn { colPicture, colNo, colWidth, colHeight, colCount, colPrice, colCost, colCount_ };

  explicit TPositionsModel(TOrder& order, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  // After the positions changed: everything is read anew.
  void Reload();
  // The cost of every position (unit cost x count), in the order's currency.
  TCurrency PositionsCost() const;

private:
  QString Text(const Tgx25Construction& position, int column) const;

  TOrder& order_;
};

}  // namespace kv
