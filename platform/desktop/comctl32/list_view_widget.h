// The list view's widget: a tree view that shows the model in report form (every view style
// draws as a report; the style bits are kept and answered). It draws each row itself, so the
// image lists, the state images or check boxes, indents, colours, grid lines and the
// label-only or full-row highlight look as the styles ask. Selection and focus are the view's
// selection model and current index.
#pragma once

#include <QImage>
#include <QTimer>
#include <QTreeView>

#include <functional>
#include <string>

#include "platform/desktop/comctl32/list_view_model.h"
#include "platform/win32/comctl32.h"

namespace platform::comctl32 {

// The state bits a row keeps itself (the others are the view's selection and focus).
inline constexpr win32::UINT kStoredStateBits = win32::LVIS_CUT | win32::LVIS_DROPHILITED |
                                                win32::LVIS_OVERLAYMASK |
                                                win32::LVIS_STATEIMAGEMASK;

struct ListBackgroundImage {
  win32::ULONG flags = win32::LVBKIF_SOURCE_NONE;  // source and tiling as LVM_SETBKIMAGEA gave them
  win32::HBITMAP bitmap = 0;
  std::string path;  // GBK
  QImage image;
  int xPercent = 0;
  int yPercent = 0;
};

// Where the parts of a cell go.
struct CellLayout {
  QRect state;  // state image or check box (column 0)
  QRect image;  // small image (column 0)
  QRect label;  // the text
};

class ListViewWidget final : public QTreeView {
 public:
  ListViewWidget(QWidget* parent, win32::DWORD style, win32::DWORD exStyle);

  ListViewModel& Data() { return *data_; }
  const ListViewModel& Data() const { return *data_; }

  win32::DWORD Style() const { return style_; }
  void ApplyStyle(win32::DWORD style);
  win32::DWORD ExtendedStyle() const { return extended_; }
  void SetExtendedStyle(win32::DWORD extended);

  // Row state: the row's own bits plus LVIS_SELECTED and LVIS_FOCUSED from the view.
  win32::UINT StateOf(int row) const;
  void SetState(int row, win32::UINT state, win32::UINT mask);
  bool SingleSelection() const { return style_ & win32::LVS_SINGLESEL; }
  // Runs a change of the columns: the selected rows and the focused one stay so, whatever
  // columns the selection model knew.
  void KeepingSelection(const std::function<void()>& change);
  // A press at a point of the window (its own coordinates) as the control handles it: focus, and
  // the row under the point alone selected (none when the point is on no row).
  void PressAt(QPoint point);

  win32::HIMAGELIST ImageList(int kind) const;
  win32::HIMAGELIST SetImageList(int kind, win32::HIMAGELIST list);

  win32::COLORREF Background() const { return background_; }
  void SetBackground(win32::COLORREF colour);
  win32::COLORREF TextColour() const { return text_; }
  win32::COLORREF TextBackground() const { return textBackground_; }
  void SetTextColours(win32::COLORREF text, win32::COLORREF background);
  ListBackgroundImage& BackgroundImage() { return backgroundImage_; }

  int RowHeight() const;
  // The width the column's texts need.
  int ContentWidth(int column) const { return sizeHintForColumn(column); }
  int TopRow() const;
  int RowsPerPage() const;
  int HotRow() const;
  CellLayout LayoutOf(const QRect& cell, int row, int column) const;
  // The row's label is highlighted: selected, and shown (focus or LVS_SHOWSELALWAYS).
  bool ShowsSelected(int row) const;

  // Starts editing the row's label; the editor's window, or 0.
  win32::HWND EditLabel(int row);
  void CancelEdit();
  win32::HWND EditControl() const;
  void SetEditorWindow(win32::HWND editor) { editor_ = editor; }

 protected:
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void Relayout();

  ListViewModel* data_;
  win32::DWORD style_ = 0;
  win32::DWORD extended_ = 0;
  win32::HIMAGELIST images_[3] = {};
  win32::COLORREF background_ = 0;
  win32::COLORREF text_ = 0;
  win32::COLORREF textBackground_ = 0;
  ListBackgroundImage backgroundImage_;
  int hot_ = -1;
  QTimer hoverSelect_;
  win32::HWND editor_ = 0;
};

}  // namespace platform::comctl32
