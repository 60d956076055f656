#include "platform/desktop/comctl32/list_view_model.h"

#include <QPixmap>

#include "platform/desktop/comctl32/image_lists.h"
#include "platform/picture/qt_text.h"

namespace platform::comctl32 {

using namespace win32;

void ListViewModel::Announce() {
  if (announced_ >= RowCount()) return;
  beginInsertRows(QModelIndex(), announced_, RowCount() - 1);
  announced_ = RowCount();
  endInsertRows();
}

void ListViewModel::InsertRow(int at, ListRow row) {
  Announce();
  beginInsertRows(QModelIndex(), at, at);
  rows_.insert(rows_.begin() + at, std::move(row));
  announced_ = RowCount();
  endInsertRows();
}

void ListViewModel::RemoveRow(int row) {
  Announce();
  beginRemoveRows(QModelIndex(), row, row);
  rows_.erase(rows_.begin() + row);
  announced_ = RowCount();
  endRemoveRows();
}

void ListViewModel::Clear() {
  beginResetModel();
  rows_.clear();
  announced_ = 0;
  endResetModel();
}

ListCell& ListViewModel::Cell(int row, int subItem) {
  std::vector<ListCell>& cells = rows_[static_cast<size_t>(row)].cells;
  if (cells.size() <= static_cast<size_t>(subItem)) cells.resize(static_cast<size_t>(subItem) + 1);
  return cells[static_cast<size_t>(subItem)];
}

void ListViewModel::RowChanged(int row) {
  Announce();
  emit dataChanged(index(row, 0), index(row, columnCount(QModelIndex()) - 1));
}

// The row's own cell (subitem 0) stays with column 0; the subitems from the new column on move
// one column to the right.
void ListViewModel::InsertColumn(int at, ListColumn column) {
  Announce();
  const bool first = columns_.empty();  // the empty column shown so far becomes this one
  if (!first) beginInsertColumns(QModelIndex(), at, at);
  columns_.insert(columns_.begin() + at, std::move(column));
  const size_t from = static_cast<size_t>(std::max(at, 1));
  for (ListRow& row : rows_)
    if (row.cells.size() > from)
      row.cells.insert(row.cells.begin() + static_cast<ptrdiff_t>(from), ListCell());
  if (!first)
    endInsertColumns();
  else
    emit headerDataChanged(Qt::Horizontal, 0, 0);
  if (!rows_.empty())
    emit dataChanged(index(0, 0), index(RowCount() - 1, columnCount(QModelIndex()) - 1));
}

void ListViewModel::RemoveColumn(int column) {
  Announce();
  const bool last = columns_.size() == 1;  // the model keeps showing one empty column
  if (!last) beginRemoveColumns(QModelIndex(), column, column);
  columns_.erase(columns_.begin() + column);
  if (column > 0)
    for (ListRow& row : rows_)
      if (row.cells.size() > static_cast<size_t>(column))
        row.cells.erase(row.cells.begin() + column);
  if (!last)
    endRemoveColumns();
  else
    emit headerDataChanged(Qt::Horizontal, 0, 0);
  if (!rows_.empty())
    emit dataChanged(index(0, 0), index(RowCount() - 1, columnCount(QModelIndex()) - 1));
}

void ListViewModel::ColumnChanged(int column) {
  emit headerDataChanged(Qt::Horizontal, column, column);
}

void ListViewModel::Reorder(const std::vector<int>& order) {
  Announce();
  emit layoutAboutToBeChanged();
  std::vector<ListRow> sorted;
  sorted.reserve(rows_.size());
  std::vector<int> newRowOf(rows_.size());
  for (size_t i = 0; i < order.size(); ++i) {
    sorted.push_back(std::move(rows_[static_cast<size_t>(order[i])]));
    newRowOf[static_cast<size_t>(order[i])] = static_cast<int>(i);
  }
  rows_ = std::move(sorted);
  for (const QModelIndex& old : persistentIndexList())
    changePersistentIndex(old, index(newRowOf[static_cast<size_t>(old.row())], old.column()));
  emit layoutChanged();
}

int ListViewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : announced_;
}

int ListViewModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(1, ColumnCount());
}

QVariant ListViewModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  const std::vector<ListCell>& cells = rows_[static_cast<size_t>(index.row())].cells;
  const size_t subItem = static_cast<size_t>(index.column());
  return subItem < cells.size() ? cells[subItem].shown : QString();
}

bool ListViewModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || index.column() != 0) return false;
  ListCell& cell = Cell(index.row(), 0);
  cell.text = ToGbk(value.toString());
  cell.shown = FromGbk(cell.text);
  RowChanged(index.row());
  return true;
}

Qt::ItemFlags ListViewModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
  if (editable && index.column() == 0) flags |= Qt::ItemIsEditable;
  return flags;
}

QVariant ListViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || !ValidColumn(section)) return {};
  const ListColumn& column = columns_[static_cast<size_t>(section)];
  switch (role) {
    case Qt::DisplayRole:
      return column.shown;
    case Qt::TextAlignmentRole: {
      // The first column is always left-aligned, as the native control draws it.
      const int justify = section == 0 ? LVCFMT_LEFT : column.format & LVCFMT_JUSTIFYMASK;
      const Qt::Alignment horizontal = justify == LVCFMT_RIGHT    ? Qt::AlignRight
                                       : justify == LVCFMT_CENTER ? Qt::AlignHCenter
                                                                  : Qt::AlignLeft;
      return (horizontal | Qt::AlignVCenter).toInt();
    }
    case Qt::DecorationRole:
      if (const QImage* image = ImageListImage(headerImages, column.image);
          image && column.showsImage)
        return QPixmap::fromImage(*image);
      return {};
    default:
      return {};
  }
}

}  // namespace platform::comctl32
