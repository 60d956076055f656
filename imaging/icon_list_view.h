// IconListView: the program's class over the list-view control ("SysListView32"). The picture
// browser keeps one for the whole run (ui::Globals::pictureList) and shows a folder in it as one
// column of rows, each a 24 x 24 icon, a name and a parameter (1 for a folder, 0 for a picture).
//
// How the picture browser uses it:
//   Create(host, 0, 0, width, height, 1)       report view filling the host window
//   SetFullRowSelect(true); InsertColumn(std::nullopt, "图片文件", 200)
//   SetWindowLongA(Handle(), GWL_WNDPROC, own procedure), passing every message on
//   listing a folder: EnableRedraw, DoEvents, DisableRedraw, CreateSmallImageList(24, 24, 24,
//   GetBkColor()), DeleteAllItems, then per entry AddSmallIcon(icon) and
//   InsertItem(std::nullopt, name, image, 0, 0, parameter), EnableRedraw
//   on a click: SelectedIndex(), GetItemParam(row), GetItemText(row, 0)
// The subclassed procedure sees WM_LBUTTONDOWN with the old selection and the WM_CAPTURECHANGED
// that follows with the new one (the row under the pointer), as with the native control.
//
// Every operation is one message (or call) through the table of external functions; records are
// built in fresh blocks as the control lays them out (LVCOLUMNA, LVITEMA: the text pointer and
// the row parameter are pointer-sized, see win32/comctl32.h), texts are private copies with
// capacity 260. No operation reports errors: a refused text is empty, a refused index -1, a refused
// flag false. Optional arguments are std::optional where "missing" differs from any value. The
// object does not own the control: destroying it leaves the window and the image lists alone (the
// control goes with its parent window).
#pragma once

#include <cstdint>
#include <optional>

#include "frame/values.h"
#include "platform/win32/comctl32.h"

namespace imaging {

// Options of the icon views (slot "auto arrange / no label wrap").
enum class IconViewOption : uint32_t { AutoArrange = 0x100, NoLabelWrap = 0x80 };

class IconListView {
 public:
  static constexpr int32_t kTextCapacity = 260;

  IconListView() = default;
  ~IconListView() = default;                    // the control and its image lists stay
  IconListView(const IconListView&) = default;  // copies the fields
  IconListView& operator=(const IconListView&) = default;

  // ---- What the program calls ----

  // Makes the control (client edge, style 0x5001000C + extraStyle: child, visible, tab stop,
  // selection always shown, single selection; 1 adds the report view) and switches on double
  // buffering. The new window, also kept as Handle().
  win32::HWND Create(win32::HWND parent, int32_t left, int32_t top, int32_t width, int32_t height,
                     int32_t extraStyle = 0);
  win32::HWND Handle() const { return window_; }
  void SetFullRowSelect(bool on);
  // Appends when index is missing or -1; width 80 when missing; alignment 1 centre, 2 right,
  // others left; the image only when given and not -1. The new column's index, -1 when refused.
  int32_t InsertColumn(std::optional<int32_t> index, const frame::Text& text,
                       std::optional<int32_t> width = std::nullopt,
                       std::optional<int32_t> alignment = std::nullopt,
                       std::optional<int32_t> image = std::nullopt, int32_t imageOnRight = 0);
  // Appends when index is missing or -1. The state image is stateImage + 1 (the control's
  // numbering); the indent travels in the record but is not applied (its mask bit is not set).
  // The new row's index, -1 when refused.
  int32_t InsertItem(std::optional<int32_t> index, const frame::Text& text, int32_t image = 0,
                     int32_t stateImage = 0, int32_t indent = 0, int32_t parameter = 0);
  frame::Text GetItemText(int32_t row, int32_t column) const;
  // The row's parameter; 0 when the control refuses.
  int32_t GetItemParam(int32_t row) const;
  void DeleteAllItems();
  // Without an index: the selected row, -1 when none or when several may be selected. With one:
  // the selected row loses its selection, the given row gets it, and the index is returned.
  int32_t SelectedIndex(std::optional<int32_t> index = std::nullopt);
  win32::COLORREF GetBkColor() const;
  void DisableRedraw();
  void EnableRedraw();
  // Destroy the previous list of that kind, make a new one (24-bit colour without a mask draws
  // each icon over `background`), attach it and return it.
  win32::HIMAGELIST CreateSmallImageList(int32_t width, int32_t height, uint32_t flags,
                                         win32::COLORREF background);
  win32::HIMAGELIST CreateStateImageList(int32_t width, int32_t height, uint32_t flags,
                                         win32::COLORREF background);
  // The new image's index, -1 when refused. The icon stays the caller's.
  int32_t AddSmallIcon(win32::HICON icon);
  int32_t AddStateIcon(win32::HICON icon);
  int32_t ItemCount() const;
  int32_t ColumnCount() const;

  // ---- The rest of the control's surface ----

  void SetGridLines(bool on);
  void SetOneClickActivate(bool on);
  void SetHoverSelect(bool on);
  void SetUnderlineHot(bool on);
  void SetAlignLeft(bool on);
  void SetIconViewOption(IconViewOption option, bool on);
  // 0 icons, 1 report, 2 small icons, 3 list; larger values are ignored.
  void SetView(int32_t view);
  void SetNoColumnHeader(bool on);
  void SetNoSortHeader(bool on);
  void SetHeaderDragDrop(bool on);
  void SetEditableLabels(bool on);
  // Sorts the rows by a column's texts (letter case ignored), or by their numbers.
  void SortByColumn(int32_t column);
  void SortByColumnText(int32_t column, bool descending);
  void SortByColumnNumber(int32_t column, bool descending);
  // 1 ascending, 2 descending, 0 none: how the control places rows it is given.
  void SetSortStyle(int32_t order);
  void SetCheckBoxes(bool on);
  void SetSingleSelection(bool on);
  bool EnsureVisible(int32_t row);
  win32::HWND EditLabel(int32_t row);
  bool Arrange();
  void DeselectRow(int32_t row);
  // The first row after `start` (from the first when missing) with that text (letter case
  // ignored; `partial`: beginning with it) or parameter; -1 when none.
  int32_t FindText(const frame::Text& text, std::optional<int32_t> start = std::nullopt,
                   bool partial = false, bool wrap = false) const;
  int32_t FindParam(int32_t parameter, std::optional<int32_t> start = std::nullopt) const;
  bool IsChecked(int32_t row) const;
  int32_t TopIndex() const;
  int32_t CountPerPage() const;
  frame::Text ColumnText(int32_t column) const;
  // 0 left, 1 centre, 2 right (InsertColumn's numbering).
  int32_t ColumnAlignment(int32_t column) const;
  int32_t ColumnWidth(int32_t column) const;
  int32_t ColumnImage(int32_t column) const;
  bool ColumnImageOnRight(int32_t column) const;
  int32_t HotItem() const;
  int32_t ItemIndent(int32_t row) const;
  int32_t ItemImage(int32_t row) const;
  bool DeleteItem(int32_t row);
  bool DeleteColumn(int32_t column);
  bool IsSelected(int32_t row) const;
  void SelectRow(int32_t row);
  bool SetItemText(int32_t row, int32_t column, const frame::Text& text);
  bool SetItemParam(int32_t row, int32_t parameter);
  bool SetColumnText(int32_t column, const frame::Text& text);
  bool SetColumnWidth(int32_t column, int32_t width);
  bool SetColumnImage(int32_t column, int32_t image);
  bool SetItemIndent(int32_t row, int32_t indent);
  bool SetItemImage(int32_t row, int32_t image);
  void SetChecked(int32_t row, bool checked);
  // The background picture's path (empty when it has none or is not from a file).
  frame::Text BackgroundImage() const;
  bool SetBackgroundImage(const frame::Text& path, bool tile = false, int32_t xPercent = 0,
                          int32_t yPercent = 0);
  void SetBkColor(win32::COLORREF colour);
  void RedrawVisibleRows();
  // Low word the width, high word the height.
  int32_t ItemSpacing(bool smallIcons) const;
  int32_t IconSpacing() const;
  win32::COLORREF TextBkColor() const;
  void SetTextBkColor(win32::COLORREF colour);
  win32::COLORREF TextColor() const;
  void SetTextColor(win32::COLORREF colour);
  win32::HWND EditControl() const;
  win32::HIMAGELIST SmallImageList() const;
  win32::HIMAGELIST StateImageList() const;
  void DestroySmallImageList();
  void DestroyStateImageList();
  // Moves and sizes the control in its parent; what is missing keeps its current value.
  void MoveAndSize(std::optional<int32_t> left, std::optional<int32_t> top = std::nullopt,
                   std::optional<int32_t> width = std::nullopt,
                   std::optional<int32_t> height = std::nullopt);
  int32_t Left() const;
  int32_t Top() const;
  int32_t Width() const;
  int32_t Height() const;
  int32_t Right() const;
  int32_t Bottom() const;
  bool Exists() const;
  void SetHandle(win32::HWND window) { window_ = window; }
  bool IsVisible() const;
  void Show(bool visible);

 private:
  win32::LRESULT Send(win32::UINT message, win32::WPARAM wParam = 0,
                      win32::LPARAM lParam = 0) const;
  win32::DWORD SetExtended(win32::DWORD mask, bool on);
  void SetStyle(win32::DWORD bits, bool on);
  void SetState(int32_t row, win32::UINT state, win32::UINT mask);
  bool SetItem(win32::LVITEMA& item);
  bool GetItem(win32::LVITEMA& item) const;
  bool GetColumn(int32_t column, win32::LVCOLUMNA& record) const;
  bool SetColumn(int32_t column, win32::LVCOLUMNA& record);
  void SortBy(int32_t column, bool descending, bool numbers);
  win32::HIMAGELIST ReplaceImageList(win32::HIMAGELIST& list, int32_t kind, int32_t width,
                                     int32_t height, uint32_t flags, win32::COLORREF background);
  win32::RECT Placement() const;

  win32::HWND window_ = 0;
  win32::HIMAGELIST smallImages_ = 0;
  win32::HIMAGELIST stateImages_ = 0;
};

}  // namespace imaging
