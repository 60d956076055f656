// The combo box class's window procedure: the CB_* messages over a QComboBox. Item data lives in
// the item's Qt::UserRole.
#include <QComboBox>
#include <QSignalBlocker>

#include <cstring>

#include "platform/desktop/user32/window_table.h"
#include "platform/picture/qt_text.h"
#include "platform/win32/user32.h"

namespace platform::user32 {
namespace {

using namespace win32;

QString TextOf(LPARAM text) {
  return FromGbk(reinterpret_cast<const char*>(text));
}

std::string ItemGbk(QComboBox* combo, int index) {
  return ToGbk(combo->itemText(index));
}

bool Valid(QComboBox* combo, WPARAM index) {
  return static_cast<intptr_t>(index) >= 0 && static_cast<intptr_t>(index) < combo->count();
}

int SortedPosition(QComboBox* combo, const QString& text) {
  int position = 0;
  while (position < combo->count() &&
         QString::compare(combo->itemText(position), text, Qt::CaseInsensitive) <= 0)
    ++position;
  return position;
}

// Whole text, letter case ignored; from the item after `start` round to `start` itself.
LRESULT FindExact(QComboBox* combo, WPARAM start, const QString& text) {
  const int count = combo->count();
  if (count == 0) return CB_ERR;
  const int first = Valid(combo, start) ? static_cast<int>(start) + 1 : 0;
  for (int step = 0; step < count; ++step) {
    const int index = (first + step) % count;
    if (QString::compare(combo->itemText(index), text, Qt::CaseInsensitive) == 0) return index;
  }
  return CB_ERR;
}

}  // namespace

LRESULT ComboBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* combo = qobject_cast<QComboBox*>(WidgetOf(window));
  if (!combo) return DefWindowProcA(window, message, wParam, lParam);
  const int index = static_cast<int>(static_cast<intptr_t>(wParam));
  switch (message) {
    case CB_ADDSTRING: {
      const QString text = TextOf(lParam);
      const bool sorted = GetWindowLongA(window, GWL_STYLE) & CBS_SORT;
      const int position = sorted ? SortedPosition(combo, text) : combo->count();
      // The control leaves the selection (and the edit text) alone; Qt would make the first item
      // added to an empty box current.
      const bool noneSelected = combo->currentIndex() < 0;
      const QString editText = combo->currentText();
      const QSignalBlocker quiet(combo);
      combo->insertItem(position, text, QVariant::fromValue<qlonglong>(0));
      if (noneSelected && combo->currentIndex() >= 0) {
        combo->setCurrentIndex(-1);
        if (combo->isEditable()) combo->setEditText(editText);
      }
      return position;
    }
    case CB_DELETESTRING:
      if (!Valid(combo, wParam)) return CB_ERR;
      combo->removeItem(index);
      return combo->count();
    case CB_GETCOUNT:
      return combo->count();
    case CB_GETCURSEL:
      return combo->currentIndex();
    case CB_SETCURSEL:
      if (!Valid(combo, wParam)) {
        combo->setCurrentIndex(-1);
        return CB_ERR;
      }
      combo->setCurrentIndex(index);
      return index;
    case CB_GETLBTEXT: {
      if (!Valid(combo, wParam) || lParam == 0) return CB_ERR;
      const std::string text = ItemGbk(combo, index);
      std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
      return static_cast<LRESULT>(text.size());
    }
    case CB_GETLBTEXTLEN:
      if (!Valid(combo, wParam)) return CB_ERR;
      return static_cast<LRESULT>(ItemGbk(combo, index).size());
    case CB_RESETCONTENT:
      combo->clear();
      return 0;
    case CB_SHOWDROPDOWN:
      if (wParam)
        combo->showPopup();
      else
        combo->hidePopup();
      return TRUE;
    case CB_GETITEMDATA:
      if (!Valid(combo, wParam)) return CB_ERR;
      return static_cast<LRESULT>(combo->itemData(index).toLongLong());
    case CB_SETITEMDATA:
      if (!Valid(combo, wParam)) return CB_ERR;
      combo->setItemData(index, QVariant::fromValue<qlonglong>(lParam));
      return TRUE;
    case CB_FINDSTRINGEXACT:
      return FindExact(combo, wParam, TextOf(lParam));
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace platform::user32
