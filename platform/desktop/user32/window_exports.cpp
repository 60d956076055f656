// The user32 window functions over the window table: messages, texts, geometry, styles,
// creation and destruction.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <vector>

#include "platform/core/modules.h"
#include "platform/desktop/user32/window_entries.h"
#include "platform/picture/qt_text.h"
#include "platform/win32/kernel32.h"
#include "platform/win32/user32.h"

namespace platform::user32 {

using namespace win32;

namespace {

QString WidgetText(QWidget* widget) {
  if (widget->isWindow()) return widget->windowTitle();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentText();
  return widget->windowTitle();
}

void SetWidgetText(QWidget* widget, const QString& text) {
  if (widget->isWindow())
    widget->setWindowTitle(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(widget))
    button->setText(text);
  else if (auto* label = qobject_cast<QLabel*>(widget))
    label->setText(text);
  else if (auto* edit = qobject_cast<QLineEdit*>(widget))
    edit->setText(text);
  else if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->isEditable())
    combo->setEditText(text);
  else
    widget->setWindowTitle(text);
}

// Outer rectangle: the client area plus the classic frame for top-level windows.
QRect OuterRect(QWidget* widget) {
  if (widget->isWindow())
    return widget->geometry().adjusted(-kFrameLeft, -kFrameTop, kFrameRight, kFrameBottom);
  return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

// Position in the parent's client area (children) or on the screen (top-level windows).
QRect PlacementRect(QWidget* widget) {
  if (widget->isWindow()) return OuterRect(widget);
  return widget->geometry();
}

RECT ToRect(const QRect& r) {
  return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void Move(QWidget* widget, int x, int y, int width, int height, bool move, bool size) {
  QRect outer = PlacementRect(widget);
  if (move) outer.moveTo(x, y);
  if (size) outer.setSize(QSize(std::max(0, width), std::max(0, height)));
  if (widget->isWindow()) {
    const QRect client = outer.adjusted(kFrameLeft, kFrameTop, -kFrameRight, -kFrameBottom);
    // A window the user cannot resize keeps a fixed size: its new one.
    if (widget->minimumSize() == widget->maximumSize()) widget->setFixedSize(client.size());
    widget->setGeometry(client);
  } else
    widget->setGeometry(outer);
}

}  // namespace

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  QWidget* widget = WidgetOf(window);
  if (!widget) return 0;
  if (IsInputMessage(message)) {
    DeliverPendingInput(window, message);
    return 0;
  }
  switch (message) {
    case WM_SETTEXT:
      SetWidgetText(widget, FromGbk(reinterpret_cast<const char*>(lParam)));
      return TRUE;
    case WM_GETTEXT:
      return CopyToBuffer(ToGbk(WidgetText(widget)), reinterpret_cast<char*>(lParam),
                          static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(ToGbk(WidgetText(widget)).size());
    case WM_SETREDRAW:
      widget->setUpdatesEnabled(wParam != 0);
      if (wParam) widget->update();
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    default:
      return 0;
  }
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowEntry* entry = Live(window);
  if (!entry) return 0;
  return entry->proc(window, message, wParam, lParam);
}

LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(window, message, wParam, lParam) : 0;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM param) {
  if (!proc) return FALSE;
  const std::vector<HWND> snapshot = TopLevelOrder();
  for (HWND window : snapshot)
    if (Live(window) && !proc(window, param)) return FALSE;
  return TRUE;
}

HWND GetParent(HWND window) {
  WindowEntry* entry = Live(window);
  if (!entry) return 0;
  if (!entry->widget->isWindow()) return WindowContaining(entry->widget->parentWidget());
  return Live(entry->owner) ? entry->owner : 0;
}

DWORD GetWindowThreadProcessId(HWND window, DWORD* processId) {
  if (!Live(window)) return 0;
  if (processId) *processId = kernel32::GetCurrentProcessId();
  return kernel32::GetCurrentThreadId();
}

int GetClassNameA(HWND window, char* buffer, int size) {
  WindowEntry* entry = Live(window);
  if (!entry) return 0;
  return CopyToBuffer(entry->windowClass->name, buffer, size);
}

int GetWindowTextA(HWND window, char* buffer, int size) {
  if (!Live(window) || !buffer || size <= 0) return 0;
  buffer[0] = '\0';
  return static_cast<int>(SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(size),
                                       reinterpret_cast<LPARAM>(buffer)));
}

BOOL GetWindowRect(HWND window, RECT* rect) {
  QWidget* widget = WidgetOf(window);
  if (!widget || !rect) return FALSE;
  *rect = ToRect(OuterRect(widget));
  return TRUE;
}

BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement) {
  QWidget* widget = WidgetOf(window);
  if (!widget || !placement) return FALSE;
  placement->length = sizeof(WINDOWPLACEMENT);
  placement->flags = WPF_NONE;
  placement->showCmd = widget->isMinimized()   ? SW_SHOWMINIMIZED
                       : widget->isMaximized() ? SW_SHOWMAXIMIZED
                                               : SW_SHOWNORMAL;
  placement->ptMinPosition = POINT{-1, -1};
  placement->ptMaxPosition = POINT{-1, -1};
  QRect normal =
      widget->isWindow() && (widget->isMinimized() || widget->isMaximized())
          ? widget->normalGeometry().adjusted(-kFrameLeft, -kFrameTop, kFrameRight, kFrameBottom)
          : PlacementRect(widget);
  placement->rcNormalPosition = ToRect(normal);
  return TRUE;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  QWidget* widget = WidgetOf(window);
  if (!widget) return FALSE;
  if (!(flags & SWP_NOMOVE) || !(flags & SWP_NOSIZE))
    Move(widget, x, y, width, height, !(flags & SWP_NOMOVE), !(flags & SWP_NOSIZE));
  if (!(flags & SWP_NOZORDER)) {
    if (insertAfter == HWND_TOP)
      widget->raise();
    else if (insertAfter == HWND_BOTTOM)
      widget->lower();
    else if (QWidget* above = WidgetOf(insertAfter);
             above && above->parentWidget() == widget->parentWidget())
      widget->stackUnder(above);
    else
      widget->raise();  // topmost and not-topmost both bring it up
  }
  if (flags & SWP_SHOWWINDOW) widget->show();
  if (flags & SWP_HIDEWINDOW) widget->hide();
  if (!(flags & SWP_NOACTIVATE) && widget->isWindow() && widget->isVisible())
    widget->activateWindow();
  if (!(flags & SWP_NOREDRAW)) widget->update();
  return TRUE;
}

BOOL IsWindow(HWND window) {
  return Live(window) ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND window) {
  QWidget* widget = WidgetOf(window);
  return widget && widget->isVisible() ? TRUE : FALSE;
}

BOOL ShowWindow(HWND window, int command) {
  QWidget* widget = WidgetOf(window);
  if (!widget) return FALSE;
  const BOOL wasVisible = widget->isVisible() ? TRUE : FALSE;
  switch (command) {
    case SW_HIDE:
      widget->hide();
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      if (widget->isWindow())
        widget->showMinimized();
      else
        widget->show();
      break;
    case SW_SHOWMAXIMIZED:
      if (widget->isWindow())
        widget->showMaximized();
      else
        widget->show();
      break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
      if (widget->isWindow())
        widget->showNormal();
      else
        widget->show();
      break;
    case SW_SHOW:
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA:
    default:
      widget->show();
      break;
  }
  return wasVisible;
}

HWND SetFocus(HWND window) {
  const HWND previous = WindowContaining(QApplication::focusWidget());
  if (window == 0) {
    if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
    return previous;
  }
  QWidget* widget = WidgetOf(window);
  if (!widget) return 0;
  widget->setFocus(Qt::OtherFocusReason);
  return previous;
}

LONG_PTR GetWindowLongA(HWND window, int index) {
  WindowEntry* entry = Live(window);
  if (!entry) return 0;
  switch (index) {
    case GWL_WNDPROC:
      return reinterpret_cast<LONG_PTR>(entry->proc);
    case GWL_HINSTANCE:
      return static_cast<LONG_PTR>(ProgramModule());
    case GWL_ID:
      return entry->id;
    case GWL_STYLE: {
      DWORD style = entry->style & ~(WS_VISIBLE | WS_DISABLED);
      if (!entry->widget->isHidden()) style |= WS_VISIBLE;
      if (!entry->widget->isEnabled()) style |= WS_DISABLED;
      return static_cast<LONG_PTR>(style);
    }
    case GWL_EXSTYLE:
      return static_cast<LONG_PTR>(entry->exStyle);
    case GWL_USERDATA:
      return entry->userData;
    default:
      return 0;
  }
}

LONG_PTR SetWindowLongA(HWND window, int index, LONG_PTR value) {
  WindowEntry* entry = Live(window);
  if (!entry) return 0;
  const LONG_PTR previous = GetWindowLongA(window, index);
  switch (index) {
    case GWL_WNDPROC:
      if (value == 0) return 0;  // a window always has a procedure
      entry->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWL_ID:
      entry->id = static_cast<int>(value);
      break;
    case GWL_STYLE:
      entry->style = static_cast<DWORD>(value);
      entry->widget->setEnabled(!(entry->style & WS_DISABLED));
      entry->widget->setVisible(entry->style & WS_VISIBLE);
      break;
    case GWL_EXSTYLE:
      entry->exStyle = static_cast<DWORD>(value);
      break;
    case GWL_USERDATA:
      entry->userData = value;
      break;
    default:
      return 0;
  }
  // The window hears of its new style (a list view shows its header or not, ...).
  if (index == GWL_STYLE || index == GWL_EXSTYLE) {
    STYLESTRUCT change{static_cast<DWORD>(previous), static_cast<DWORD>(value)};
    SendMessageA(window, WM_STYLECHANGED, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&change));
  }
  return previous;
}

HWND CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE,
                     void* param) {
  const WindowClass* windowClass = FindWindowClass(className ? className : "");
  if (!windowClass || !windowClass->create) return 0;
  const bool child = style & WS_CHILD;
  QWidget* parentWidget = ClientOf(parent);
  if (child && !parentWidget) return 0;
  if (!child && parent && !parentWidget) return 0;

  CreateRequest request{
      exStyle, title ? title : "", style, x, y, width, height, child ? parentWidget : nullptr,
      param};
  QWidget* widget = windowClass->create(request);
  if (!widget) return 0;
  const HWND window = AttachWindow(
      widget, WindowInfo{windowClass->name, style, exStyle, child ? static_cast<int>(menu) : 0,
                         child ? HWND{0} : parent, nullptr});
  if (window == 0) {
    delete widget;
    return 0;
  }
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) width = height = 0;
  Move(widget, x, y, width, height, true, true);
  if (!request.title.empty()) SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title));
  widget->setEnabled(!(style & WS_DISABLED));
  if (style & WS_VISIBLE) widget->show();
  return window;
}

BOOL DestroyWindow(HWND window) {
  WindowEntry* entry = Live(window);
  if (!entry) return FALSE;
  QPointer<QWidget> widget = entry->widget;
  // Children go with their parent, as their windows do; each hears WM_DESTROY, parent first.
  std::vector<HWND> gone{window};
  Table().ForEach([&](HWND other, const WindowEntry& e) {
    if (other != window && e.widget && widget->isAncestorOf(e.widget)) gone.push_back(other);
  });
  for (HWND each : gone)
    SendMessageA(each, WM_DESTROY, 0, 0);
  for (HWND each : gone)
    Detach(each);
  if (widget) {
    widget->hide();
    widget->deleteLater();  // a handler of one of its units may still be running
  }
  return TRUE;
}

BOOL EnableWindow(HWND window, BOOL enable) {
  QWidget* widget = WidgetOf(window);
  if (!widget) return FALSE;
  const BOOL wasDisabled = widget->isEnabled() ? FALSE : TRUE;
  widget->setEnabled(enable != FALSE);
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND window) {
  QWidget* widget = WidgetOf(window);
  return widget && widget->isEnabled() ? TRUE : FALSE;
}

HWND SetParent(HWND window, HWND parent) {
  QWidget* widget = WidgetOf(window);
  QWidget* client = ClientOf(parent);
  if (!widget || (parent && !client) || widget == client) return 0;
  const HWND previous = GetParent(window);
  const QRect geometry = widget->geometry();
  const bool hidden = widget->isHidden();
  widget->setParent(client);  // Qt hides a widget it moves to a new parent
  widget->setGeometry(geometry);
  widget->setVisible(!hidden);
  return previous;
}

BOOL GetClientRect(HWND window, RECT* rect) {
  QWidget* client = ClientOf(window);
  if (!client || !rect) return FALSE;
  *rect = RECT{0, 0, client->width(), client->height()};
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  QWidget* source = from ? ClientOf(from) : nullptr;
  QWidget* target = to ? ClientOf(to) : nullptr;
  if ((from && !source) || (to && !target)) return 0;
  const QPoint origin = source ? source->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
  const QPoint destination = target ? target->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
  const QPoint delta = origin - destination;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += delta.x();
    points[i].y += delta.y();
  }
  return static_cast<int>((static_cast<uint32_t>(static_cast<uint16_t>(delta.y())) << 16) |
                          static_cast<uint16_t>(delta.x()));
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(window, 0, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL SetWindowTextA(HWND window, const char* text) {
  if (!Live(window)) return FALSE;
  return SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE
                                                                                         : FALSE;
}

HWND GetFocus() {
  return WindowContaining(QApplication::focusWidget());
}

}  // namespace platform::user32
