// The list view's window procedure: the LVM_* messages over ListViewWidget, with the results the
// native control gives (a new index or -1, counts, TRUE or FALSE), and its header's procedure.
// Records come as the platform lays them out (win32/comctl32.h): texts are read up to their
// terminator and written through CopyToBuffer within the capacity the record gives.
#include "platform/desktop/comctl32/list_view.h"

#include <QHeaderView>

#include <algorithm>
#include <numeric>

#include "platform/desktop/comctl32/list_view_widget.h"
#include "platform/picture/gdi/objects.h"
#include "platform/picture/qt_text.h"
#include "platform/win32/comctl32.h"
#include "platform/win32/user32.h"

namespace platform::comctl32 {
namespace {

using namespace win32;

constexpr int kMaxColumnWidth = 0x7FFF;
constexpr int LVSCW_AUTOSIZE = -1;
constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;
constexpr UINT LVFI_SUBSTRING = 0x0004;
constexpr DWORD HDS_BUTTONS = 0x0002;
constexpr LRESULT kIconSpacing = 75;  // the default spacing of icon views, both ways

std::string TextOf(const char* text) {
  return text && text != LPSTR_TEXTCALLBACKA ? std::string(text) : std::string();
}

bool Writable(const char* buffer, int size) {
  return buffer && buffer != LPSTR_TEXTCALLBACKA && size > 0;
}

LRESULT MakeLong(int low, int high) {
  return static_cast<LRESULT>((static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16) |
                              static_cast<uint16_t>(low));
}

void SetText(ListCell& cell, const char* text) {
  cell.text = TextOf(text);
  cell.shown = FromGbk(cell.text);
}

void SetText(ListColumn& column, const char* text) {
  column.text = TextOf(text);
  column.shown = FromGbk(column.text);
}

bool IconView(const ListViewWidget& view) {
  const DWORD type = view.Style() & LVS_TYPEMASK;
  return type == LVS_ICON || type == LVS_SMALLICON;
}

// ---- Rows ----

int SortedPosition(const ListViewModel& data, const QString& text, bool descending) {
  int at = 0;
  for (; at < data.RowCount(); ++at) {
    const int order = QString::compare(text, data.rows()[static_cast<size_t>(at)].cells[0].shown,
                                       Qt::CaseInsensitive);
    if (descending ? order > 0 : order < 0) break;
  }
  return at;
}

LRESULT InsertItem(ListViewWidget& view, const LVITEMA* item) {
  if (!item || item->iItem < 0 || item->iSubItem != 0) return -1;
  ListViewModel& data = view.Data();
  ListRow row;
  if (item->mask & LVIF_TEXT) SetText(row.cells[0], item->pszText);
  if (item->mask & LVIF_IMAGE) row.cells[0].image = item->iImage;
  if (item->mask & LVIF_PARAM) row.param = item->lParam;
  if (item->mask & LVIF_INDENT) row.indent = item->iIndent;
  int at = std::min(item->iItem, data.RowCount());
  if (view.Style() & (LVS_SORTASCENDING | LVS_SORTDESCENDING))
    at = SortedPosition(data, row.cells[0].shown, view.Style() & LVS_SORTDESCENDING);
  // Appended while the control does not draw, with no selection or focus to give: the view
  // hears of it with the next message that is neither an insertion nor the count.
  const UINT viewBits =
      (item->mask & LVIF_STATE) ? item->stateMask & (LVIS_SELECTED | LVIS_FOCUSED) : 0;
  if (at == data.RowCount() && viewBits == 0 && !view.updatesEnabled()) {
    if (item->mask & LVIF_STATE) {
      const UINT stored = item->stateMask & kStoredStateBits;
      row.state = (row.state & ~stored) | (item->state & stored);
    }
    data.AppendUnannounced(std::move(row));
    return at;
  }
  data.InsertRow(at, std::move(row));
  if (item->mask & LVIF_STATE) view.SetState(at, item->state, item->stateMask);
  return at;
}

// The row and subitem a record names, when the control has them.
bool Addressed(const ListViewModel& data, const LVITEMA* item) {
  return item && data.ValidRow(item->iItem) && item->iSubItem >= 0 &&
         (item->iSubItem == 0 || item->iSubItem < data.ColumnCount());
}

LRESULT GetItem(ListViewWidget& view, LVITEMA* item) {
  ListViewModel& data = view.Data();
  if (!Addressed(data, item)) return FALSE;
  const ListRow& row = data.rows()[static_cast<size_t>(item->iItem)];
  const size_t subItem = static_cast<size_t>(item->iSubItem);
  const ListCell* cell = subItem < row.cells.size() ? &row.cells[subItem] : nullptr;
  if ((item->mask & LVIF_TEXT) && Writable(item->pszText, item->cchTextMax))
    CopyToBuffer(cell ? cell->text : std::string(), item->pszText, item->cchTextMax);
  if (item->mask & LVIF_IMAGE) item->iImage = cell ? cell->image : 0;
  if (subItem == 0) {
    if (item->mask & LVIF_PARAM) item->lParam = row.param;
    if (item->mask & LVIF_STATE) item->state = view.StateOf(item->iItem) & item->stateMask;
    if (item->mask & LVIF_INDENT) item->iIndent = row.indent;
  }
  return TRUE;
}

LRESULT SetItem(ListViewWidget& view, const LVITEMA* item) {
  ListViewModel& data = view.Data();
  if (!Addressed(data, item)) return FALSE;
  ListCell& cell = data.Cell(item->iItem, item->iSubItem);
  if (item->mask & LVIF_TEXT) SetText(cell, item->pszText);
  if (item->mask & LVIF_IMAGE) cell.image = item->iImage;
  if (item->iSubItem == 0) {
    ListRow& row = data.Row(item->iItem);
    if (item->mask & LVIF_PARAM) row.param = item->lParam;
    if (item->mask & LVIF_INDENT) row.indent = item->iIndent;
    if (item->mask & LVIF_STATE) view.SetState(item->iItem, item->state, item->stateMask);
  }
  data.RowChanged(item->iItem);
  return TRUE;
}

LRESULT SetItemState(ListViewWidget& view, intptr_t index, const LVITEMA* item) {
  ListViewModel& data = view.Data();
  if (!item) return FALSE;
  if (index == -1) {  // every row
    for (int row = 0; row < data.RowCount(); ++row)
      view.SetState(row, item->state, item->stateMask);
    return TRUE;
  }
  if (!data.ValidRow(index)) return FALSE;
  view.SetState(static_cast<int>(index), item->state, item->stateMask);
  return TRUE;
}

// The next row after `start` (from the first when -1), or before it with LVNI_ABOVE, whose state
// has every bit the flags ask for. A report has nothing to the left or right.
LRESULT NextItem(const ListViewWidget& view, intptr_t start, UINT flags) {
  const int count = view.Data().RowCount();
  const UINT wanted = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVIS_CUT | LVIS_DROPHILITED);
  if (flags & (LVNI_TOLEFT | LVNI_TORIGHT)) return -1;
  const bool up = flags & LVNI_ABOVE;
  if (start < -1 || start >= count || (up && start < 0)) return -1;
  for (intptr_t row = up ? start - 1 : start + 1; row >= 0 && row < count; row += up ? -1 : 1)
    if ((view.StateOf(static_cast<int>(row)) & wanted) == wanted) return row;
  return -1;
}

bool Matches(const ListRow& row, const LVFINDINFOA& find, const QString& text) {
  if (find.flags & LVFI_PARAM) return row.param == find.lParam;
  if (find.flags & (LVFI_PARTIAL | LVFI_SUBSTRING))
    return row.cells[0].shown.startsWith(text, Qt::CaseInsensitive);
  return QString::compare(row.cells[0].shown, text, Qt::CaseInsensitive) == 0;
}

LRESULT FindItem(const ListViewWidget& view, intptr_t start, const LVFINDINFOA* find) {
  const ListViewModel& data = view.Data();
  if (!find || !(find->flags & (LVFI_PARAM | LVFI_STRING | LVFI_PARTIAL | LVFI_SUBSTRING)))
    return -1;
  if (!(find->flags & LVFI_PARAM) && !find->psz) return -1;
  if (start < -1 || start >= data.RowCount()) start = -1;
  const QString text = (find->flags & LVFI_PARAM) ? QString() : FromGbk(find->psz);
  const int count = data.RowCount();
  const intptr_t first = start + 1;
  const intptr_t steps = (find->flags & LVFI_WRAP) ? count : count - first;
  for (intptr_t step = 0; step < steps; ++step) {
    const intptr_t row = (first + step) % count;
    if (Matches(data.rows()[static_cast<size_t>(row)], *find, text)) return row;
  }
  return -1;
}

// Sorts through the program's comparison. The comparison may do anything, even change the list:
// it sees a snapshot of the parameters, a bottom-up merge sort stays within bounds whatever it
// answers, and the new order is applied only when the rows are still the ones sorted.
LRESULT SortItems(ListViewWidget& view, LPARAM sortParam, PFNLVCOMPARE compare) {
  ListViewModel& data = view.Data();
  if (!compare) return FALSE;
  const size_t count = data.rows().size();
  std::vector<LPARAM> params;
  for (const ListRow& row : data.rows())
    params.push_back(row.param);
  std::vector<int> order(count), merged(count);
  std::iota(order.begin(), order.end(), 0);
  for (size_t width = 1; width < count; width *= 2) {
    for (size_t left = 0; left < count; left += 2 * width) {
      const size_t middle = std::min(left + width, count),
                   right = std::min(left + 2 * width, count);
      size_t a = left, b = middle, out = left;
      while (a < middle && b < right)
        merged[out++] = compare(params[static_cast<size_t>(order[b])],
                                params[static_cast<size_t>(order[a])], sortParam) < 0
                            ? order[b++]
                            : order[a++];
      while (a < middle)
        merged[out++] = order[a++];
      while (b < right)
        merged[out++] = order[b++];
    }
    order.swap(merged);
  }
  if (data.rows().size() != count) return FALSE;
  data.Reorder(order);
  return TRUE;
}

// ---- Columns ----

int ColumnWidth(int width) {
  return std::clamp(width, 0, kMaxColumnWidth);
}

void MoveColumn(ListViewWidget& view, int column, int order) {
  QHeaderView* header = view.header();
  header->moveSection(header->visualIndex(column), std::clamp(order, 0, header->count() - 1));
}

LRESULT InsertColumn(ListViewWidget& view, intptr_t index, const LVCOLUMNA* record) {
  ListViewModel& data = view.Data();
  if (!record || index < 0) return -1;
  const int at = static_cast<int>(std::min<intptr_t>(index, data.ColumnCount()));
  ListColumn column;
  if (record->mask & LVCF_FMT) column.format = record->fmt;
  if (record->mask & LVCF_TEXT) SetText(column, record->pszText);
  if (record->mask & LVCF_IMAGE) {
    column.image = record->iImage;
    column.showsImage = true;
  }
  view.KeepingSelection([&] { data.InsertColumn(at, std::move(column)); });
  view.header()->resizeSection(at, (record->mask & LVCF_WIDTH) ? ColumnWidth(record->cx) : 0);
  if (record->mask & LVCF_ORDER) MoveColumn(view, at, record->iOrder);
  return at;
}

LRESULT GetColumn(ListViewWidget& view, intptr_t index, LVCOLUMNA* record) {
  const ListViewModel& data = view.Data();
  if (!record || !data.ValidColumn(index)) return FALSE;
  const int at = static_cast<int>(index);
  const ListColumn& column = data.columns()[static_cast<size_t>(at)];
  if (record->mask & LVCF_FMT) record->fmt = column.format;
  if (record->mask & LVCF_WIDTH) record->cx = view.header()->sectionSize(at);
  if ((record->mask & LVCF_TEXT) && Writable(record->pszText, record->cchTextMax))
    CopyToBuffer(column.text, record->pszText, record->cchTextMax);
  if (record->mask & LVCF_SUBITEM) record->iSubItem = at;
  if (record->mask & LVCF_IMAGE) record->iImage = column.image;
  if (record->mask & LVCF_ORDER) record->iOrder = view.header()->visualIndex(at);
  return TRUE;
}

LRESULT SetColumn(ListViewWidget& view, intptr_t index, const LVCOLUMNA* record) {
  ListViewModel& data = view.Data();
  if (!record || !data.ValidColumn(index)) return FALSE;
  const int at = static_cast<int>(index);
  ListColumn& column = data.Column(at);
  if (record->mask & LVCF_FMT) column.format = record->fmt;
  if (record->mask & LVCF_TEXT) SetText(column, record->pszText);
  if (record->mask & LVCF_IMAGE) {
    column.image = record->iImage;
    column.showsImage = true;
  }
  if (record->mask & LVCF_WIDTH) view.header()->resizeSection(at, ColumnWidth(record->cx));
  if (record->mask & LVCF_ORDER) MoveColumn(view, at, record->iOrder);
  data.ColumnChanged(at);
  view.viewport()->update();
  return TRUE;
}

LRESULT DeleteColumn(ListViewWidget& view, intptr_t index) {
  ListViewModel& data = view.Data();
  if (!data.ValidColumn(index)) return FALSE;
  view.KeepingSelection([&] { data.RemoveColumn(static_cast<int>(index)); });
  if (data.ColumnCount() == 0) view.header()->resizeSection(0, 0);
  return TRUE;
}

LRESULT SetColumnWidth(ListViewWidget& view, intptr_t index, int width) {
  if (!view.Data().ValidColumn(index)) return FALSE;
  const int column = static_cast<int>(index);
  if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
    const int contents = view.ContentWidth(column);
    const int header =
        width == LVSCW_AUTOSIZE_USEHEADER ? view.header()->sectionSizeHint(column) : 0;
    width = std::max(contents, header);
  }
  view.header()->resizeSection(column, ColumnWidth(width));
  return TRUE;
}

// ---- Background image ----

LRESULT SetBackgroundImage(ListViewWidget& view, const LVBKIMAGEA* record) {
  if (!record) return FALSE;
  ListBackgroundImage image;
  image.flags = record->ulFlags;
  image.xPercent = record->xOffsetPercent;
  image.yPercent = record->yOffsetPercent;
  switch (record->ulFlags & LVBKIF_SOURCE_MASK) {
    case LVBKIF_SOURCE_NONE:
      break;
    case LVBKIF_SOURCE_HBITMAP: {
      const gdi::BitmapObject* bitmap = gdi::Bitmaps().Find(record->hbm);
      if (!bitmap) return FALSE;
      image.bitmap = record->hbm;
      image.image = bitmap->image;
      break;
    }
    case LVBKIF_SOURCE_URL:
      image.path = TextOf(record->pszImage);
      image.image = QImage(NativeQPath(image.path));
      if (image.image.isNull()) return FALSE;
      break;
    default:
      return FALSE;
  }
  view.BackgroundImage() = std::move(image);
  view.viewport()->update();
  return TRUE;
}

LRESULT GetBackgroundImage(ListViewWidget& view, LVBKIMAGEA* record) {
  if (!record) return FALSE;
  const ListBackgroundImage& image = view.BackgroundImage();
  record->ulFlags = image.flags;
  record->hbm = image.bitmap;
  if (Writable(record->pszImage, static_cast<int>(std::min<UINT>(record->cchImageMax, INT32_MAX))))
    CopyToBuffer(image.path, record->pszImage,
                 static_cast<int>(std::min<UINT>(record->cchImageMax, INT32_MAX)));
  record->xOffsetPercent = image.xPercent;
  record->yOffsetPercent = image.yPercent;
  return TRUE;
}

// ---- Procedures ----

LRESULT ListViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* view = dynamic_cast<ListViewWidget*>(user32::WidgetOf(window));
  if (!view) return user32::DefWindowProcA(window, message, wParam, lParam);
  ListViewModel& data = view->Data();
  if (message != LVM_INSERTITEMA && message != LVM_GETITEMCOUNT) data.Announce();
  const auto index = static_cast<intptr_t>(wParam);
  switch (message) {
    case LVM_GETBKCOLOR:
      return view->Background();
    case LVM_SETBKCOLOR:
      view->SetBackground(static_cast<COLORREF>(lParam));
      return TRUE;
    case LVM_GETIMAGELIST:
      return view->ImageList(static_cast<int>(index));
    case LVM_SETIMAGELIST:
      return view->SetImageList(static_cast<int>(index), static_cast<HIMAGELIST>(lParam));
    case LVM_GETITEMCOUNT:
      return data.RowCount();
    case LVM_GETITEMA:
      return GetItem(*view, reinterpret_cast<LVITEMA*>(lParam));
    case LVM_SETITEMA:
      return SetItem(*view, reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_INSERTITEMA:
      return InsertItem(*view, reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_DELETEITEM:
      if (!data.ValidRow(index)) return FALSE;
      data.RemoveRow(static_cast<int>(index));
      return TRUE;
    case LVM_DELETEALLITEMS:
      data.Clear();
      return TRUE;
    case LVM_GETNEXTITEM:
      return NextItem(*view, index, static_cast<UINT>(lParam));
    case LVM_FINDITEMA:
      return FindItem(*view, index, reinterpret_cast<const LVFINDINFOA*>(lParam));
    case LVM_ENSUREVISIBLE:
      if (!data.ValidRow(index)) return FALSE;
      view->scrollTo(data.index(static_cast<int>(index), 0), QAbstractItemView::EnsureVisible);
      return TRUE;
    case LVM_REDRAWITEMS:
      if (index < 0 || static_cast<intptr_t>(lParam) < index) return FALSE;
      view->viewport()->update();
      return TRUE;
    case LVM_ARRANGE:
      return IconView(*view) ? TRUE : FALSE;  // icon views only; they draw as a report
    case LVM_EDITLABELA:
      if (index == -1) {
        view->CancelEdit();
        return 0;
      }
      return data.ValidRow(index) ? view->EditLabel(static_cast<int>(index)) : 0;
    case LVM_GETEDITCONTROL:
      return view->EditControl();
    case LVM_GETCOLUMNA:
      return GetColumn(*view, index, reinterpret_cast<LVCOLUMNA*>(lParam));
    case LVM_SETCOLUMNA:
      return SetColumn(*view, index, reinterpret_cast<const LVCOLUMNA*>(lParam));
    case LVM_INSERTCOLUMNA:
      return InsertColumn(*view, index, reinterpret_cast<const LVCOLUMNA*>(lParam));
    case LVM_DELETECOLUMN:
      return DeleteColumn(*view, index);
    case LVM_GETCOLUMNWIDTH:
      return data.ValidColumn(index) ? view->header()->sectionSize(static_cast<int>(index)) : 0;
    case LVM_SETCOLUMNWIDTH:
      return SetColumnWidth(*view, index, static_cast<int>(lParam));
    case LVM_GETHEADER:
      return user32::WindowOf(view->header());
    case LVM_GETTEXTCOLOR:
      return view->TextColour();
    case LVM_SETTEXTCOLOR:
      view->SetTextColours(static_cast<COLORREF>(lParam), view->TextBackground());
      return TRUE;
    case LVM_GETTEXTBKCOLOR:
      return view->TextBackground();
    case LVM_SETTEXTBKCOLOR:
      view->SetTextColours(view->TextColour(), static_cast<COLORREF>(lParam));
      return TRUE;
    case LVM_GETTOPINDEX:
      return view->TopRow();
    case LVM_GETCOUNTPERPAGE:
      return view->RowsPerPage();
    case LVM_SETITEMSTATE:
      return SetItemState(*view, index, reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_GETITEMSTATE:
      return data.ValidRow(index)
                 ? view->StateOf(static_cast<int>(index)) & static_cast<UINT>(lParam)
                 : 0;
    case LVM_SORTITEMS:
      return SortItems(*view, static_cast<LPARAM>(wParam), reinterpret_cast<PFNLVCOMPARE>(lParam));
    case LVM_GETITEMSPACING:
      // Small: a report row's extent; normal: the icon views' spacing.
      return wParam ? MakeLong(view->header()->length(), view->RowHeight())
                    : MakeLong(kIconSpacing, kIconSpacing);
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
      const DWORD previous = view->ExtendedStyle();
      const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
      view->SetExtendedStyle((previous & ~mask) | (static_cast<DWORD>(lParam) & mask));
      return previous;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
      return view->ExtendedStyle();
    case LVM_GETHOTITEM:
      return view->HotRow();
    case LVM_SETBKIMAGEA:
      return SetBackgroundImage(*view, reinterpret_cast<const LVBKIMAGEA*>(lParam));
    case LVM_GETBKIMAGEA:
      return GetBackgroundImage(*view, reinterpret_cast<LVBKIMAGEA*>(lParam));
    case WM_STYLECHANGED:
      if (static_cast<int>(index) == GWL_STYLE && lParam)
        view->ApplyStyle(reinterpret_cast<const STYLESTRUCT*>(lParam)->styleNew);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      // The control selects the row under the pointer, then (the button released) gives the
      // mouse capture back: a procedure that previews on the capture loss sees the new selection.
      if (!user32::DeliverPendingInput(window, message)) {
        const auto point = static_cast<uint32_t>(lParam);
        view->PressAt(
            QPoint(static_cast<int16_t>(point & 0xFFFF), static_cast<int16_t>(point >> 16)));
      }
      user32::SendMessageA(window, WM_CAPTURECHANGED, 0, 0);
      return 0;
    }
    default:
      return user32::DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT HeaderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* header = qobject_cast<QHeaderView*>(user32::WidgetOf(window));
  if (!header || message != HDM_GETITEMCOUNT)
    return user32::DefWindowProcA(window, message, wParam, lParam);
  // A list view's model shows one empty column while it has none; its own count is the answer.
  if (auto* view = dynamic_cast<ListViewWidget*>(header->parentWidget());
      view && view->header() == header)
    return view->Data().ColumnCount();
  return header->count();
}

}  // namespace

user32::WindowClass ListViewClass() {
  return {"SysListView32", &ListViewProc, [](const user32::CreateRequest& request) -> QWidget* {
            auto* view = new ListViewWidget(request.parent, request.style, request.exStyle);
            const DWORD headerStyle =
                WS_CHILD | ((request.style & LVS_NOSORTHEADER) ? 0 : HDS_BUTTONS);
            if (user32::AttachWindow(view->header(), {"SysHeader32", headerStyle}) == 0) {
              delete view;
              return nullptr;
            }
            return view;
          }};
}

user32::WindowClass HeaderClass() {
  return {"SysHeader32", &HeaderProc, [](const user32::CreateRequest& request) -> QWidget* {
            return new QHeaderView(Qt::Horizontal, request.parent);
          }};
}

}  // namespace platform::comctl32
