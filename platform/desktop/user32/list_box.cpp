// The list box class's window procedure: the LB_* messages over a QListWidget. Item data lives in
// the item's Qt::UserRole.
#include <QListWidget>

#include <cstring>

#include "platform/desktop/user32/window_table.h"
#include "platform/picture/qt_text.h"
#include "platform/win32/user32.h"

namespace platform::user32 {
namespace {

using namespace win32;

bool Valid(QListWidget* list, WPARAM index) {
  return static_cast<intptr_t>(index) >= 0 && static_cast<intptr_t>(index) < list->count();
}

int Insert(QListWidget* list, int position, const QString& text) {
  auto* item = new QListWidgetItem(text);
  item->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(0));
  list->insertItem(position, item);
  return position;
}

int SortedPosition(QListWidget* list, const QString& text) {
  int position = 0;
  while (position < list->count() &&
         QString::compare(list->item(position)->text(), text, Qt::CaseInsensitive) <= 0)
    ++position;
  return position;
}

}  // namespace

LRESULT ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* list = qobject_cast<QListWidget*>(WidgetOf(window));
  if (!list) return DefWindowProcA(window, message, wParam, lParam);
  const int index = static_cast<int>(static_cast<intptr_t>(wParam));
  const QString text =
      (message == LB_ADDSTRING || message == LB_INSERTSTRING || message == LB_FINDSTRINGEXACT)
          ? FromGbk(reinterpret_cast<const char*>(lParam))
          : QString();
  switch (message) {
    case LB_ADDSTRING: {
      const bool sorted = GetWindowLongA(window, GWL_STYLE) & LBS_SORT;
      return Insert(list, sorted ? SortedPosition(list, text) : list->count(), text);
    }
    case LB_INSERTSTRING:
      if (index > list->count()) return LB_ERR;
      return Insert(list, index < 0 ? list->count() : index, text);
    case LB_DELETESTRING:
      if (!Valid(list, wParam)) return LB_ERR;
      if (list->item(index)->isSelected()) list->setCurrentRow(-1);  // no item takes its selection
      delete list->takeItem(index);
      return list->count();
    case LB_RESETCONTENT:
      list->clear();
      return 0;
    case LB_SETCURSEL:
      if (!Valid(list, wParam)) {
        list->setCurrentRow(-1);
        return LB_ERR;
      }
      list->setCurrentRow(index);
      return index;
    case LB_GETCURSEL:
      return list->currentItem() && list->currentItem()->isSelected() ? list->currentRow() : LB_ERR;
    case LB_GETTEXT: {
      if (!Valid(list, wParam) || lParam == 0) return LB_ERR;
      const std::string gbk = ToGbk(list->item(index)->text());
      std::memcpy(reinterpret_cast<char*>(lParam), gbk.c_str(), gbk.size() + 1);
      return static_cast<LRESULT>(gbk.size());
    }
    case LB_GETTEXTLEN:
      if (!Valid(list, wParam)) return LB_ERR;
      return static_cast<LRESULT>(ToGbk(list->item(index)->text()).size());
    case LB_GETCOUNT:
      return list->count();
    case LB_GETITEMDATA:
      if (!Valid(list, wParam)) return LB_ERR;
      return static_cast<LRESULT>(list->item(index)->data(Qt::UserRole).toLongLong());
    case LB_SETITEMDATA:
      if (!Valid(list, wParam)) return LB_ERR;
      list->item(index)->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(lParam));
      return TRUE;
    case LB_FINDSTRINGEXACT: {
      const int count = list->count();
      const int first = Valid(list, wParam) ? index + 1 : 0;
      for (int step = 0; step < count; ++step) {
        const int at = (first + step) % count;
        if (QString::compare(list->item(at)->text(), text, Qt::CaseInsensitive) == 0) return at;
      }
      return LB_ERR;
    }
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace platform::user32
