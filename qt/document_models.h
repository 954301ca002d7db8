#pragma once
// The lists of a selection's items and of a complect list's lines for their windows and tests.
#include <QAbstractTableModel>

#include "order/order_complect.h"
#include "order/order_selection.h"

namespace kv {

// A selection's positions: the check mark (only checked items are batched), order and position
// numbers, name, sizes, quantity and order file; an item whose order file is gone is greyed.
class TSelectionItemsModel : public QAbstractTableModel {
  Q_OBJECT
public:
  enum TColumn { colChecked, colOrderNo, colPosNo, colName, colWidth, colHeight, colNumber, colFile, colCount_ };

  explicit TSelectionItemsModel(Tgx25OrderSelection& selection, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  void Reload();

signals:
  void Edited();

private:
  Tgx25OrderSelection& selection_;
};

// A complect list's lines: group, article, name, size, quantity, unit, place number (editable),
// price and cost.
class TComplectItemsModel : public QAbstractTableModel {
  Q_OBJECT
public:
  enum TColumn { colGroup, colArticle, colName, colSize, colNumber, colUnit, colPlace, colPrice, colCost, colCount_ };

  explicit TComplectItemsModel(Tgx25OrderComplect& complect, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  void Reload();
  // The cost of every line.
  TCurrency TotalCost() const;

signals:
  void Edited();

private:
  Tgx25OrderComplect& complect_;
};

}  // namespace kv
