#include "qt/order_models.h"

#include "calc/construction_calculator.h"
#include "qt/position_picture.h"
#include "shell/format_settings.h"
#include "shell/money.h"

namespace kv {

namespace {

const QSize kThumbnailSize(64, 64);

}  // namespace

TPositionsModel::TPositionsModel(TOrder& order, QObject* parent) : QAbstractTableModel(parent), order_(order) {}

int TPositionsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : order_.Count(); }

int TPositionsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : colCount_; }

QVariant TPositionsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= order_.Count()) return {};
  const Tgx25Construction& position = *order_.GetConstruction(index.row());
  if (role == Qt::DecorationRole && index.column() == colPicture) return PositionImage(position, kThumbnailSize);
  if (role == Qt::SizeHintRole && index.column() == colPicture) return kThumbnailSize + QSize(4, 4);
  if (role == Qt::DisplayRole) return Text(position, index.column());
  if (role == Qt::TextAlignmentRole && index.column() >= colWidth)
    return static_cast<int>(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QString TPositionsModel::Text(const Tgx25Construction& position, int column) const {
  const TSizeF size = position.GetSize();
  const TCurrency price = GetEstimateTotal(position);
  switch (column) {
    case colNo: return QString::fromStdString(position.No);
    case colWidth: return QString::fromStdString(Format("%.1f", size.Width));
    case colHeight: return QString::fromStdString(Format("%.1f", size.Height));
    case colCount: return QString::fromStdString(Format("%d", position.Count));
    case colPrice: return QString::fromStdString(CurrToStr(price, 2));
    case colCost: return QString::fromStdString(CurrToStr(price * position.Count, 2));
    default: return {};
  }
}

QVariant TPositionsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const captions[] = {"Эскиз", "№", "Ширина, мм", "Высота, мм", "Кол-во", "Цена", "Стоимость"};
  return section >= 0 && section < colCount_ ? QString(captions[section]) : QVariant();
}

void TPositionsModel::Reload() {
  beginResetModel();
  endResetModel();
}

TCurrency TPositionsModel::PositionsCost() const {
  TCurrency total;
  for (int i = 0; i < order_.Count(); ++i)
    total += GetEstimateTotal(*order_.GetConstruction(i)) * order_.GetConstruction(i)->Count;
  return total;
}

}  // namespace kv
