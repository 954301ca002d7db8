#include "qt/document_models.h"

#include <QBrush>

#include "order/order_costing.h"
#include "qt/form_values.h"
#include "shell/format_settings.h"
#include "shell/money.h"

namespace kv {

namespace {

QVariant Header(int section, Qt::Orientation orientation, int role, const QStringList& captions) {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= captions.size()) return {};
  return captions[section];
}

QVariant RightAligned() { return static_cast<int>(Qt::AlignRight | Qt::AlignVCenter); }

}  // namespace

TSelectionItemsModel::TSelectionItemsModel(Tgx25OrderSelection& selection, QObject* parent)
    : QAbstractTableModel(parent), selection_(selection) {}

int TSelectionItemsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : selection_.Count();
}

int TSelectionItemsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : colCount_; }

QVariant TSelectionItemsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= selection_.Count()) return {};
  const Tgx25OrderSelectionItem& item = selection_.Items[static_cast<size_t>(index.row())];
  if (role == Qt::CheckStateRole && index.column() == colChecked) return item.Checked ? Qt::Checked : Qt::Unchecked;
  if (role == Qt::ForegroundRole && item.Construction == nullptr) return QBrush(Qt::gray);
  if (role == Qt::TextAlignmentRole && index.column() >= colWidth && index.column() <= colNumber) return RightAligned();
  if (role != Qt::DisplayRole) return {};
  switch (index.column()) {
    case colOrderNo: return Q(item.OrderNo);
    case colPosNo: return Q(item.PosNo);
    case colName: return Q(item.Name);
    case colWidth: return Q(Format("%.1f", item.Width));
    case colHeight: return Q(Format("%.1f", item.Height));
    case colNumber: return Q(Format("%d", item.Number));
    case colFile: return Q(item.FileName);
    default: return {};
  }
}

bool TSelectionItemsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.column() != colChecked || role != Qt::CheckStateRole) return false;
  selection_.Items[static_cast<size_t>(index.row())].Checked = value.toInt() == Qt::Checked;
  emit dataChanged(index, index, {role});
  emit Edited();
  return true;
}

Qt::ItemFlags TSelectionItemsModel::flags(const QModelIndex& index) const {
  const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  return index.column() == colChecked ? flags | Qt::ItemIsUserCheckable : flags;
}

QVariant TSelectionItemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  return Header(section, orientation, role,
                {"", "Заказ", "Позиция", "Наименование", "Ширина, мм", "Высота, мм", "Кол-во", "Файл заказа"});
}

void TSelectionItemsModel::Reload() {
  beginResetModel();
  endResetModel();
}

TComplectItemsModel::TComplectItemsModel(Tgx25OrderComplect& complect, QObject* parent)
    : QAbstractTableModel(parent), complect_(complect) {}

int TComplectItemsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(complect_.Items.size());
}

int TComplectItemsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : colCount_; }

QVariant TComplectItemsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const Tgx25OrderComplectItem& item = complect_.Items[static_cast<size_t>(index.row())];
  if (role == Qt::TextAlignmentRole && (index.column() == colNumber || index.column() >= colPrice))
    return RightAligned();
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  switch (index.column()) {
    case colGroup: return Q(item.Group == 0 ? std::string("Изделие") : MaterialGroupName(item.Group));
    case colArticle: return Q(item.Article);
    case colName: return Q(item.Name);
    case colSize: return Q(item.Size);
    case colNumber: return Q(Format("%.3f", static_cast<double>(item.Number)));
    case colUnit: return Q(item.UnitName);
    case colPlace: return Q(item.PlaceNum);
    case colPrice: return Q(CurrToStr(item.Price, 2));
    case colCost: return Q(CurrToStr(item.Cost, 2));
    default: return {};
  }
}

// The place or package number is written when the delivery is packed; a text the file cannot hold
// is refused with the program's message.
bool TComplectItemsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.column() != colPlace || role != Qt::EditRole) return false;
  const std::string text = value.toString().toStdString();
  if (!CheckOrderText("Место", text)) return false;
  complect_.Items[static_cast<size_t>(index.row())].PlaceNum = text;
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  emit Edited();
  return true;
}

Qt::ItemFlags TComplectItemsModel::flags(const QModelIndex& index) const {
  const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  return index.column() == colPlace ? flags | Qt::ItemIsEditable : flags;
}

QVariant TComplectItemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  return Header(section, orientation, role,
                {"Группа", "Артикул", "Наименование", "Размер", "Кол-во", "Ед.", "Место", "Цена", "Стоимость"});
}

void TComplectItemsModel::Reload() {
  beginResetModel();
  endResetModel();
}

TCurrency TComplectItemsModel::TotalCost() const {
  TCurrency total;
  for (const Tgx25OrderComplectItem& item : complect_.Items) total += item.Cost;
  return total;
}

}  // namespace kv
