// The rows and columns a list view holds, as a Qt table model. Texts are kept as the GBK bytes
// they were given (so they come back byte for byte) and as the QString the view shows. A row
// exists without columns; the model then shows one empty column, so rows can still be selected.
#pragma once

#include <QAbstractTableModel>

#include <string>
#include <vector>

#include "platform/win32/comctl32.h"

namespace platform::comctl32 {

struct ListCell {
  std::string text;  // GBK
  QString shown;
  int image = 0;
};

struct ListRow {
  std::vector<ListCell> cells = std::vector<ListCell>(1);  // [0] is the row itself, then subitems
  win32::LPARAM param = 0;
  int indent = 0;
  // The state bits the row keeps itself; selection and focus live in the view's selection model.
  win32::UINT state = 0;
};

struct ListColumn {
  std::string text;  // GBK
  QString shown;
  int format = win32::LVCFMT_LEFT;
  int image = 0;
  bool showsImage = false;  // an image was given: the header shows it from the small image list
};

class ListViewModel final : public QAbstractTableModel {
 public:
  explicit ListViewModel(QObject* parent) : QAbstractTableModel(parent) {}

  const std::vector<ListRow>& rows() const { return rows_; }
  const std::vector<ListColumn>& columns() const { return columns_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  bool ValidRow(intptr_t row) const { return row >= 0 && row < RowCount(); }
  bool ValidColumn(intptr_t column) const { return column >= 0 && column < ColumnCount(); }

  void InsertRow(int at, ListRow row);
  // Appends the row without telling the view: rows appended one by one while the control does
  // not draw are announced together (Announce) when anything else happens to the control, so
  // the view lays its rows out once instead of once per row. Until then the view sees the rows
  // it was told of (rowCount) and the control's messages see every row (RowCount).
  void AppendUnannounced(ListRow row) { rows_.push_back(std::move(row)); }
  void Announce();
  void RemoveRow(int row);
  void Clear();
  // Cell (row, subitem), made when missing; the subitem must be below max(1, column count).
  ListCell& Cell(int row, int subItem);
  ListRow& Row(int row) { return rows_[static_cast<size_t>(row)]; }
  void RowChanged(int row);

  // Inserting and removing columns moves the subitems of every row with them.
  void InsertColumn(int at, ListColumn column);
  void RemoveColumn(int column);
  ListColumn& Column(int column) { return columns_[static_cast<size_t>(column)]; }
  void ColumnChanged(int column);

  // Puts the rows in the given order (order[i] is the row that comes i-th); selection and focus
  // move with their rows.
  void Reorder(const std::vector<int>& order);

  bool editable = false;
  win32::HIMAGELIST headerImages = 0;  // the small image list, for column images

  int rowCount(const QModelIndex& parent) const override;
  int columnCount(const QModelIndex& parent) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<ListRow> rows_;
  std::vector<ListColumn> columns_;
  int announced_ = 0;  // the rows the view knows of: the first ones of rows_
};

}  // namespace platform::comctl32
