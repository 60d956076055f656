#include "imaging/icon_list_view.h"

#include <cstdlib>
#include <memory>
#include <vector>

#include "frame/external_functions.h"
#include "frame/ui_commands.h"

namespace imaging {

using namespace win32;

namespace {

constexpr DWORD kCreateStyle = 0x5001000C;  // child, visible, tab stop, show selection, single
constexpr UINT kAllButSelected = ~LVIS_SELECTED;
constexpr UINT kStateImageShift = 12;
constexpr UINT kCheckedImage = 2;
constexpr UINT kUncheckedImage = 1;

// A private copy of a text for a record, in a block of its own.
std::unique_ptr<char[]> CopyOf(const frame::Text& text) {
  const int size = static_cast<int>(text.size()) + 1;
  auto copy = std::make_unique<char[]>(static_cast<size_t>(size));
  ext::lstrcpyn(copy.get(), text.c_str(), size);
  return copy;
}

// The text a control wrote into a buffer of kTextCapacity bytes, terminated whatever it did.
frame::Text BufferText(char* buffer) {
  buffer[IconListView::kTextCapacity - 1] = '\0';
  return frame::Text(buffer);
}

// A row record for one row (and subitem) with the given mask; a column record with its mask.
LVITEMA RowRecord(UINT mask, int32_t row, int32_t subItem = 0) {
  LVITEMA item{};
  item.mask = mask;
  item.iItem = row;
  item.iSubItem = subItem;
  return item;
}

LVCOLUMNA ColumnRecord(UINT mask) {
  LVCOLUMNA column{};
  column.mask = mask;
  return column;
}

// A row or column index as the message's first parameter (-1 stays -1).
WPARAM IndexParam(int32_t index) {
  return static_cast<WPARAM>(static_cast<intptr_t>(index));
}

int32_t Low32(LRESULT value) {
  return static_cast<int32_t>(value);
}

// Letter case ignored for ASCII letters; a double-byte character compares whole, byte by byte.
int CompareTexts(const frame::Text& a, const frame::Text& b) {
  const auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
  const std::string& x = a.bytes();
  const std::string& y = b.bytes();
  for (size_t i = 0; i < x.size() && i < y.size(); ++i) {
    const int cx = fold(static_cast<unsigned char>(x[i])),
              cy = fold(static_cast<unsigned char>(y[i]));
    if (cx != cy) return cx < cy ? -1 : 1;
  }
  return x.size() == y.size() ? 0 : x.size() < y.size() ? -1 : 1;
}

// What the sort's comparison reads: the rows' keys by their original index, which the rows
// carry as their parameter while they are sorted.
struct SortKeys {
  std::vector<frame::Text> texts;
  bool descending = false;
  bool numbers = false;
};

int CompareRows(LPARAM first, LPARAM second, LPARAM keysAddress) {
  const auto& keys = *reinterpret_cast<const SortKeys*>(keysAddress);
  const size_t count = keys.texts.size();
  if (first < 0 || second < 0 || static_cast<size_t>(first) >= count ||
      static_cast<size_t>(second) >= count)
    return 0;
  const frame::Text& a = keys.texts[static_cast<size_t>(first)];
  const frame::Text& b = keys.texts[static_cast<size_t>(second)];
  int order;
  if (keys.numbers) {
    const double x = std::strtod(a.c_str(), nullptr), y = std::strtod(b.c_str(), nullptr);
    order = x < y ? -1 : x > y ? 1 : 0;
  } else {
    order = CompareTexts(a, b);
  }
  return keys.descending ? -order : order;
}

}  // namespace

LRESULT IconListView::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ext::SendMessageA(window_, message, wParam, lParam);
}

// ---- What the program calls ----

HWND IconListView::Create(HWND parent, int32_t left, int32_t top, int32_t width, int32_t height,
                          int32_t extraStyle) {
  const HINSTANCE module = ext::GetModuleHandleA(frame::GetProgramFileName().c_str());
  window_ = ext::CreateWindowExA(WS_EX_CLIENTEDGE, "SysListView32", "",
                                 kCreateStyle + static_cast<DWORD>(extraStyle), left, top, width,
                                 height, parent, 0, module, nullptr);
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER, LVS_EX_DOUBLEBUFFER);
  return window_;
}

void IconListView::SetFullRowSelect(bool on) {
  SetExtended(LVS_EX_FULLROWSELECT, on);
}

int32_t IconListView::InsertColumn(std::optional<int32_t> index, const frame::Text& text,
                                   std::optional<int32_t> width, std::optional<int32_t> alignment,
                                   std::optional<int32_t> image, int32_t imageOnRight) {
  const bool withImage = image && *image != -1;
  const auto copy = CopyOf(text);
  auto column = std::make_unique<LVCOLUMNA>();
  column->mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | (withImage ? LVCF_IMAGE : 0);
  column->fmt = alignment == 2 ? LVCFMT_RIGHT : alignment == 1 ? LVCFMT_CENTER : LVCFMT_LEFT;
  if (imageOnRight != 0) column->fmt += LVCFMT_BITMAP_ON_RIGHT;
  column->cx = width.value_or(80);
  column->pszText = copy.get();
  column->cchTextMax = kTextCapacity;
  column->iImage = image.value_or(-1);
  const int32_t at = !index || *index == -1 ? ColumnCount() : *index;
  return Low32(
      Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(column.get())));
}

int32_t IconListView::InsertItem(std::optional<int32_t> index, const frame::Text& text,
                                 int32_t image, int32_t stateImage, int32_t indent,
                                 int32_t parameter) {
  const auto copy = CopyOf(text);
  auto item = std::make_unique<LVITEMA>();
  item->mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_DI_SETITEM;
  item->iItem = !index || *index == -1 ? ItemCount() : *index;
  item->iSubItem = 0;
  item->state = (static_cast<UINT>(stateImage) + 1) << kStateImageShift;
  item->stateMask = 0xFFFFF000u;
  item->pszText = copy.get();
  item->cchTextMax = kTextCapacity;
  item->iImage = image;
  item->lParam = parameter;
  item->iIndent = indent;
  return Low32(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(item.get())));
}

frame::Text IconListView::GetItemText(int32_t row, int32_t column) const {
  auto buffer = std::make_unique<char[]>(kTextCapacity);
  auto item = std::make_unique<LVITEMA>();
  item->mask = LVIF_TEXT;
  item->iItem = row;
  item->iSubItem = column;
  item->pszText = buffer.get();
  item->cchTextMax = kTextCapacity;
  if (!Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item.get()))) return frame::Text();
  return BufferText(buffer.get());
}

int32_t IconListView::GetItemParam(int32_t row) const {
  auto item = std::make_unique<LVITEMA>();
  item->mask = LVIF_PARAM;
  item->iItem = row;
  GetItem(*item);
  return Low32(item->lParam);
}

void IconListView::DeleteAllItems() {
  Send(LVM_DELETEALLITEMS);
}

int32_t IconListView::SelectedIndex(std::optional<int32_t> index) {
  if (index) {
    const LRESULT selected = Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    auto item = std::make_unique<LVITEMA>();
    item->state = kAllButSelected;
    item->stateMask = LVIS_SELECTED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(item.get()));
    item->state = LVIS_SELECTED;
    Send(LVM_SETITEMSTATE, IndexParam(*index), reinterpret_cast<LPARAM>(item.get()));
    return *index;
  }
  if (!(ext::GetWindowLongA(window_, GWL_STYLE) & LVS_SINGLESEL)) return -1;
  return Low32(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

COLORREF IconListView::GetBkColor() const {
  return static_cast<COLORREF>(Send(LVM_GETBKCOLOR));
}

void IconListView::DisableRedraw() {
  Send(WM_SETREDRAW, 0);
}

void IconListView::EnableRedraw() {
  Send(WM_SETREDRAW, 1);
}

HIMAGELIST IconListView::ReplaceImageList(HIMAGELIST& list, int32_t kind, int32_t width,
                                          int32_t height, uint32_t flags, COLORREF background) {
  ext::ImageList_Destroy(list);
  list = ext::ImageList_Create(width, height, flags, 0, 0);
  ext::ImageList_SetBkColor(list, background);
  Send(LVM_SETIMAGELIST, static_cast<WPARAM>(kind), static_cast<LPARAM>(list));
  return list;
}

HIMAGELIST IconListView::CreateSmallImageList(int32_t width, int32_t height, uint32_t flags,
                                              COLORREF background) {
  return ReplaceImageList(smallImages_, LVSIL_SMALL, width, height, flags, background);
}

HIMAGELIST IconListView::CreateStateImageList(int32_t width, int32_t height, uint32_t flags,
                                              COLORREF background) {
  return ReplaceImageList(stateImages_, LVSIL_STATE, width, height, flags, background);
}

int32_t IconListView::AddSmallIcon(HICON icon) {
  return ext::ImageList_AddIcon(smallImages_, icon);
}

int32_t IconListView::AddStateIcon(HICON icon) {
  return ext::ImageList_AddIcon(stateImages_, icon);
}

int32_t IconListView::ItemCount() const {
  return Low32(Send(LVM_GETITEMCOUNT));
}

int32_t IconListView::ColumnCount() const {
  const HWND header = static_cast<HWND>(Send(LVM_GETHEADER));
  return Low32(ext::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

// ---- Helpers ----

DWORD IconListView::SetExtended(DWORD mask, bool on) {
  return static_cast<DWORD>(
      Send(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, on ? static_cast<LPARAM>(mask) : 0));
}

void IconListView::SetStyle(DWORD bits, bool on) {
  const auto style = static_cast<DWORD>(ext::GetWindowLongA(window_, GWL_STYLE));
  ext::SetWindowLongA133(window_, GWL_STYLE,
                         static_cast<LONG_PTR>(on ? style | bits : style & ~bits));
}

void IconListView::SetState(int32_t row, UINT state, UINT mask) {
  LVITEMA item{};
  item.state = state;
  item.stateMask = mask;
  Send(LVM_SETITEMSTATE, IndexParam(row), reinterpret_cast<LPARAM>(&item));
}

bool IconListView::SetItem(LVITEMA& item) {
  return Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool IconListView::GetItem(LVITEMA& item) const {
  return Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool IconListView::GetColumn(int32_t column, LVCOLUMNA& record) const {
  return Send(LVM_GETCOLUMNA, IndexParam(column), reinterpret_cast<LPARAM>(&record)) != 0;
}

bool IconListView::SetColumn(int32_t column, LVCOLUMNA& record) {
  return Send(LVM_SETCOLUMNA, IndexParam(column), reinterpret_cast<LPARAM>(&record)) != 0;
}

RECT IconListView::Placement() const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  ext::GetWindowPlacement(window_, &placement);
  return placement.rcNormalPosition;
}

// ---- The rest of the control's surface ----

void IconListView::SetGridLines(bool on) {
  SetExtended(LVS_EX_GRIDLINES, on);
}
void IconListView::SetOneClickActivate(bool on) {
  SetExtended(LVS_EX_ONECLICKACTIVATE, on);
}
// Switching it off clears hover selection itself (not one-click activation).
void IconListView::SetHoverSelect(bool on) {
  SetExtended(LVS_EX_TRACKSELECT, on);
}
void IconListView::SetUnderlineHot(bool on) {
  SetExtended(LVS_EX_UNDERLINEHOT | LVS_EX_ONECLICKACTIVATE, on);
}
void IconListView::SetAlignLeft(bool on) {
  SetStyle(LVS_ALIGNLEFT, on);
}
void IconListView::SetIconViewOption(IconViewOption option, bool on) {
  SetStyle(static_cast<DWORD>(option), on);
}

void IconListView::SetView(int32_t view) {
  if (view < 0 || view > 3) return;
  const auto style = static_cast<DWORD>(ext::GetWindowLongA(window_, GWL_STYLE));
  ext::SetWindowLongA133(window_, GWL_STYLE,
                         static_cast<LONG_PTR>((style & ~LVS_TYPEMASK) | static_cast<DWORD>(view)));
}

void IconListView::SetNoColumnHeader(bool on) {
  SetStyle(LVS_NOCOLUMNHEADER, on);
}
void IconListView::SetNoSortHeader(bool on) {
  SetStyle(LVS_NOSORTHEADER, on);
}
void IconListView::SetHeaderDragDrop(bool on) {
  SetExtended(LVS_EX_HEADERDRAGDROP, on);
}
void IconListView::SetEditableLabels(bool on) {
  SetStyle(LVS_EDITLABELS, on);
}

// Each row's parameter becomes its index while the control sorts, so the comparison finds the
// row's key; the parameters are put back afterwards.
void IconListView::SortBy(int32_t column, bool descending, bool numbers) {
  const int32_t count = ItemCount();
  SortKeys keys{{}, descending, numbers};
  std::vector<int32_t> parameters;
  for (int32_t row = 0; row < count; ++row) {
    parameters.push_back(GetItemParam(row));
    keys.texts.push_back(GetItemText(row, column));
    SetItemParam(row, row);
  }
  Send(LVM_SORTITEMS, reinterpret_cast<WPARAM>(&keys), reinterpret_cast<LPARAM>(&CompareRows));
  for (int32_t row = 0; row < count; ++row) {
    const int32_t original = GetItemParam(row);
    if (original >= 0 && original < count)
      SetItemParam(row, parameters[static_cast<size_t>(original)]);
  }
}

void IconListView::SortByColumn(int32_t column) {
  SortBy(column, false, false);
}
void IconListView::SortByColumnText(int32_t column, bool descending) {
  SortBy(column, descending, false);
}
void IconListView::SortByColumnNumber(int32_t column, bool descending) {
  SortBy(column, descending, true);
}

void IconListView::SetSortStyle(int32_t order) {
  const auto style = static_cast<DWORD>(ext::GetWindowLongA(window_, GWL_STYLE));
  const DWORD sort = order == 1 ? LVS_SORTASCENDING : order == 2 ? LVS_SORTDESCENDING : 0;
  ext::SetWindowLongA133(
      window_, GWL_STYLE,
      static_cast<LONG_PTR>((style & ~(LVS_SORTASCENDING | LVS_SORTDESCENDING)) | sort));
}

void IconListView::SetCheckBoxes(bool on) {
  SetExtended(LVS_EX_CHECKBOXES, on);
}
void IconListView::SetSingleSelection(bool on) {
  SetStyle(LVS_SINGLESEL, on);
}

bool IconListView::EnsureVisible(int32_t row) {
  return Send(LVM_ENSUREVISIBLE, IndexParam(row), FALSE) != 0;
}

HWND IconListView::EditLabel(int32_t row) {
  ext::SetFocus(window_);
  return static_cast<HWND>(Send(LVM_EDITLABELA, IndexParam(row)));
}

bool IconListView::Arrange() {
  return Send(LVM_ARRANGE, 0) != 0;
}

void IconListView::DeselectRow(int32_t row) {
  SetState(row, kAllButSelected, LVIS_SELECTED);
}

int32_t IconListView::FindText(const frame::Text& text, std::optional<int32_t> start, bool partial,
                               bool wrap) const {
  const auto copy = CopyOf(text);
  LVFINDINFOA find{};
  find.flags = LVFI_STRING | (partial ? LVFI_PARTIAL : 0) | (wrap ? LVFI_WRAP : 0);
  find.psz = copy.get();
  return Low32(
      Send(LVM_FINDITEMA, IndexParam(start.value_or(-1)), reinterpret_cast<LPARAM>(&find)));
}

int32_t IconListView::FindParam(int32_t parameter, std::optional<int32_t> start) const {
  LVFINDINFOA find{};
  find.flags = LVFI_PARAM;
  find.lParam = parameter;
  return Low32(
      Send(LVM_FINDITEMA, IndexParam(start.value_or(-1)), reinterpret_cast<LPARAM>(&find)));
}

bool IconListView::IsChecked(int32_t row) const {
  const auto state =
      static_cast<UINT>(Send(LVM_GETITEMSTATE, IndexParam(row), LVIS_STATEIMAGEMASK));
  return (state >> kStateImageShift) == kCheckedImage;
}

int32_t IconListView::TopIndex() const {
  return Low32(Send(LVM_GETTOPINDEX));
}
int32_t IconListView::CountPerPage() const {
  return Low32(Send(LVM_GETCOUNTPERPAGE));
}

frame::Text IconListView::ColumnText(int32_t column) const {
  auto buffer = std::make_unique<char[]>(kTextCapacity);
  LVCOLUMNA record = ColumnRecord(LVCF_TEXT);
  record.pszText = buffer.get();
  record.cchTextMax = kTextCapacity;
  return GetColumn(column, record) ? BufferText(buffer.get()) : frame::Text();
}

int32_t IconListView::ColumnAlignment(int32_t column) const {
  LVCOLUMNA record = ColumnRecord(LVCF_FMT);
  if (!GetColumn(column, record)) return 0;
  const int justify = record.fmt & LVCFMT_JUSTIFYMASK;
  return justify == LVCFMT_CENTER ? 1 : justify == LVCFMT_RIGHT ? 2 : 0;
}

int32_t IconListView::ColumnWidth(int32_t column) const {
  LVCOLUMNA record = ColumnRecord(LVCF_WIDTH);
  GetColumn(column, record);
  return record.cx;
}

int32_t IconListView::ColumnImage(int32_t column) const {
  LVCOLUMNA record = ColumnRecord(LVCF_IMAGE);
  record.iImage = -1;
  GetColumn(column, record);
  return record.iImage;
}

bool IconListView::ColumnImageOnRight(int32_t column) const {
  LVCOLUMNA record = ColumnRecord(LVCF_FMT);
  return GetColumn(column, record) && (record.fmt & LVCFMT_BITMAP_ON_RIGHT);
}

int32_t IconListView::HotItem() const {
  return Low32(Send(LVM_GETHOTITEM));
}

int32_t IconListView::ItemIndent(int32_t row) const {
  LVITEMA item = RowRecord(LVIF_INDENT, row);
  GetItem(item);
  return item.iIndent;
}

int32_t IconListView::ItemImage(int32_t row) const {
  LVITEMA item = RowRecord(LVIF_IMAGE, row);
  item.iImage = -1;
  GetItem(item);
  return item.iImage;
}

bool IconListView::DeleteItem(int32_t row) {
  return Send(LVM_DELETEITEM, IndexParam(row)) != 0;
}

bool IconListView::DeleteColumn(int32_t column) {
  return Send(LVM_DELETECOLUMN, IndexParam(column)) != 0;
}

bool IconListView::IsSelected(int32_t row) const {
  return Send(LVM_GETITEMSTATE, IndexParam(row), LVIS_SELECTED) != 0;
}

void IconListView::SelectRow(int32_t row) {
  SetState(row, LVIS_SELECTED, LVIS_SELECTED);
}

bool IconListView::SetItemText(int32_t row, int32_t column, const frame::Text& text) {
  const auto copy = CopyOf(text);
  LVITEMA item = RowRecord(LVIF_TEXT, row, column);
  item.pszText = copy.get();
  item.cchTextMax = kTextCapacity;
  return SetItem(item);
}

bool IconListView::SetItemParam(int32_t row, int32_t parameter) {
  LVITEMA item = RowRecord(LVIF_PARAM, row);
  item.lParam = parameter;
  return SetItem(item);
}

bool IconListView::SetColumnText(int32_t column, const frame::Text& text) {
  const auto copy = CopyOf(text);
  LVCOLUMNA record = ColumnRecord(LVCF_TEXT);
  record.pszText = copy.get();
  record.cchTextMax = kTextCapacity;
  return SetColumn(column, record);
}

bool IconListView::SetColumnWidth(int32_t column, int32_t width) {
  LVCOLUMNA record = ColumnRecord(LVCF_WIDTH);
  record.cx = width;
  return SetColumn(column, record);
}

bool IconListView::SetColumnImage(int32_t column, int32_t image) {
  LVCOLUMNA record = ColumnRecord(LVCF_IMAGE);
  record.iImage = image;
  return SetColumn(column, record);
}

bool IconListView::SetItemIndent(int32_t row, int32_t indent) {
  LVITEMA item = RowRecord(LVIF_INDENT, row);
  item.iIndent = indent;
  return SetItem(item);
}

bool IconListView::SetItemImage(int32_t row, int32_t image) {
  LVITEMA item = RowRecord(LVIF_IMAGE, row);
  item.iImage = image;
  return SetItem(item);
}

void IconListView::SetChecked(int32_t row, bool checked) {
  SetState(row, (checked ? kCheckedImage : kUncheckedImage) << kStateImageShift,
           LVIS_STATEIMAGEMASK);
}

frame::Text IconListView::BackgroundImage() const {
  auto buffer = std::make_unique<char[]>(kTextCapacity);
  LVBKIMAGEA record{};
  record.pszImage = buffer.get();
  record.cchImageMax = kTextCapacity;
  if (!Send(LVM_GETBKIMAGEA, 0, reinterpret_cast<LPARAM>(&record)) ||
      (record.ulFlags & LVBKIF_SOURCE_MASK) != LVBKIF_SOURCE_URL)
    return frame::Text();
  return BufferText(buffer.get());
}

bool IconListView::SetBackgroundImage(const frame::Text& path, bool tile, int32_t xPercent,
                                      int32_t yPercent) {
  const auto copy = CopyOf(path);
  LVBKIMAGEA record{};
  record.ulFlags =
      (path.empty() ? LVBKIF_SOURCE_NONE : LVBKIF_SOURCE_URL) | (tile ? LVBKIF_STYLE_TILE : 0);
  record.pszImage = copy.get();
  record.cchImageMax = kTextCapacity;
  record.xOffsetPercent = xPercent;
  record.yOffsetPercent = yPercent;
  return Send(LVM_SETBKIMAGEA, 0, reinterpret_cast<LPARAM>(&record)) != 0;
}

void IconListView::SetBkColor(COLORREF colour) {
  Send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour));
  RedrawVisibleRows();
}

void IconListView::RedrawVisibleRows() {
  const int32_t top = TopIndex();
  Send(LVM_REDRAWITEMS, IndexParam(top), top + CountPerPage());
}

int32_t IconListView::ItemSpacing(bool smallIcons) const {
  return Low32(Send(LVM_GETITEMSPACING, smallIcons));
}
int32_t IconListView::IconSpacing() const {
  return Low32(Send(LVM_GETITEMSPACING, FALSE));
}

COLORREF IconListView::TextBkColor() const {
  return static_cast<COLORREF>(Send(LVM_GETTEXTBKCOLOR));
}

void IconListView::SetTextBkColor(COLORREF colour) {
  Send(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colour));
  RedrawVisibleRows();
}

COLORREF IconListView::TextColor() const {
  return static_cast<COLORREF>(Send(LVM_GETTEXTCOLOR));
}

void IconListView::SetTextColor(COLORREF colour) {
  Send(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colour));
  RedrawVisibleRows();
}

HWND IconListView::EditControl() const {
  return static_cast<HWND>(Send(LVM_GETEDITCONTROL));
}

HIMAGELIST IconListView::SmallImageList() const {
  return static_cast<HIMAGELIST>(Send(LVM_GETIMAGELIST, LVSIL_SMALL));
}

HIMAGELIST IconListView::StateImageList() const {
  return static_cast<HIMAGELIST>(Send(LVM_GETIMAGELIST, LVSIL_STATE));
}

void IconListView::DestroySmallImageList() {
  ext::ImageList_Destroy(smallImages_);
  smallImages_ = 0;
}

void IconListView::DestroyStateImageList() {
  ext::ImageList_Destroy(stateImages_);
  stateImages_ = 0;
}

void IconListView::MoveAndSize(std::optional<int32_t> left, std::optional<int32_t> top,
                               std::optional<int32_t> width, std::optional<int32_t> height) {
  const RECT now = Placement();
  ext::SetWindowPos(window_, 0, left.value_or(now.left), top.value_or(now.top),
                    width.value_or(now.right - now.left), height.value_or(now.bottom - now.top),
                    SWP_NOZORDER | SWP_NOACTIVATE);
}

int32_t IconListView::Left() const {
  return Placement().left;
}
int32_t IconListView::Top() const {
  return Placement().top;
}
int32_t IconListView::Width() const {
  const RECT r = Placement();
  return r.right - r.left;
}
int32_t IconListView::Height() const {
  const RECT r = Placement();
  return r.bottom - r.top;
}
int32_t IconListView::Right() const {
  return Placement().right;
}
int32_t IconListView::Bottom() const {
  return Placement().bottom;
}
bool IconListView::Exists() const {
  return ext::IsWindow(window_) != FALSE;
}
bool IconListView::IsVisible() const {
  return ext::IsWindowVisible(window_) != FALSE;
}
void IconListView::Show(bool visible) {
  ext::ShowWindow(window_, visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

}  // namespace imaging
