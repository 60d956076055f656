// The window table and the user32 window functions over it.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "platform/api.h"
#include "platform/comctl32/list_view.h"
#include "platform/handles.h"
#include "platform/modules.h"
#include "platform/qt_text.h"
#include "platform/user32/input.h"
#include "platform/user32/window_table.h"

namespace platform::user32 {

using namespace win32;

LRESULT ComboBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// ---- Window classes ----

template <class W>
std::function<QWidget*(const CreateRequest&)> Make() {
  return [](const CreateRequest& r) -> QWidget* { return new W(r.parent); };
}

std::map<std::string, WindowClass>& Classes() {
  static std::map<std::string, WindowClass> classes = [] {
    std::map<std::string, WindowClass> standard;
    auto add = [&](WindowClass c) { standard[Lower(c.name)] = std::move(c); };
    add({"PictolanWindow", nullptr, Make<QWidget>()});
    add({"Button", nullptr, Make<QPushButton>()});
    add({"Edit", nullptr, Make<QLineEdit>()});
    add({"ComboBox", &ComboBoxProc, Make<QComboBox>()});
    add({"ListBox", &ListBoxProc, Make<QListWidget>()});
    add({"Static", nullptr, Make<QLabel>()});
    add({"SysTabControl32", nullptr, nullptr});
    add({"msctls_updown32", nullptr, nullptr});
    add(comctl32::ListViewClass());
    add(comctl32::HeaderClass());
    add({"#32770", nullptr, Make<QWidget>()});  // dialogs
    add({"PictolanMessageWindow", nullptr, Make<QWidget>()});
    return standard;
  }();
  return classes;
}

// ---- The table ----

struct WindowEntry {
  QPointer<QWidget> widget;
  QPointer<QWidget> client;
  const WindowClass* windowClass = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  int id = 0;
  HWND owner = 0;
  WNDPROC proc = nullptr;
  WNDPROC firstProc = nullptr;  // the procedure it was registered with: input is translated once it changes
  LONG_PTR userData = 0;
};

HandleTable<WindowEntry>& Table() {
  static HandleTable<WindowEntry> table(HandleKind::Window);
  return table;
}

QHash<const QWidget*, HWND>& ByWidget() {
  static QHash<const QWidget*, HWND> map;
  return map;
}

// Top-level windows, the most recently created first (the order EnumWindows reports).
std::vector<HWND>& TopLevelOrder() {
  static std::vector<HWND> order;
  return order;
}

WindowEntry* Live(HWND window) {
  WindowEntry* entry = Table().Find(window);
  return (entry && entry->widget) ? entry : nullptr;
}

void Detach(HWND window) {
  std::unique_ptr<WindowEntry> entry = Table().Take(window);
  if (!entry) return;
  for (auto it = ByWidget().begin(); it != ByWidget().end();) {
    if (it.value() == window) it = ByWidget().erase(it);
    else ++it;
  }
  auto& order = TopLevelOrder();
  order.erase(std::remove(order.begin(), order.end(), window), order.end());
}

// The Qt event behind the translated input message travelling down a window's procedure chain,
// until DefWindowProcA hands it to the widget.
struct InputDelivery {
  HWND window = 0;
  UINT message = 0;
  QPointer<QObject> target;
  QEvent* event = nullptr;
};
InputDelivery& Delivery() {
  static InputDelivery delivery;
  return delivery;
}
// The event being handed to its widget, which the translator lets through.
QEvent*& Redelivering() {
  static QEvent* event = nullptr;
  return event;
}

bool IsMouseEvent(const QEvent& event) {
  switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      return true;
    default:
      return false;
  }
}

bool IsInputMessage(UINT message) {
  return (message >= WM_KEYDOWN && message <= WM_SYSKEYUP) ||
         (message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL);
}

// Gives a subclassed window's procedures the mouse and keyboard messages of its widget. Mouse
// positions are in the window's client coordinates, also for events of an inner widget (the
// viewport of a list).
class InputTranslator final : public QObject {
 public:
  static InputTranslator& Instance() {
    static auto* translator = new InputTranslator;
    return *translator;
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event == Redelivering()) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    HWND window = WindowContaining(widget);
    WindowEntry* entry = Live(window);
    if (!entry || entry->proc == entry->firstProc) return false;
    std::optional<Message> message = TranslateInput(*event);
    if (!message) return false;
    if (QWidget* client = entry->client; client && client != widget && IsMouseEvent(*event)) {
      const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
      message->lParam = PointParam(client->mapFromGlobal(widget->mapToGlobal(position)));
    }
    InputDelivery saved =
        std::exchange(Delivery(), InputDelivery{window, message->message, watched, event});
    SendMessageA(window, message->message, message->wParam, message->lParam);
    Delivery() = saved;
    return true;  // the widget had it from DefWindowProcA, or a procedure kept it
  }
};

QString WidgetText(QWidget* widget) {
  if (widget->isWindow()) return widget->windowTitle();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentText();
  return widget->windowTitle();
}

void SetWidgetText(QWidget* widget, const QString& text) {
  if (widget->isWindow()) widget->setWindowTitle(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(text);
  else if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(text);
  else if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setText(text);
  else if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->isEditable())
    combo->setEditText(text);
  else widget->setWindowTitle(text);
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

RECT ToRect(const QRect& r) { return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

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

// ---- The table's interface ----

void RegisterWindowClass(WindowClass windowClass) {
  Classes()[Lower(windowClass.name)] = std::move(windowClass);
}

const WindowClass* FindWindowClass(std::string_view name) {
  auto it = Classes().find(Lower(name));
  return it == Classes().end() ? nullptr : &it->second;
}

HWND AttachWindow(QWidget* widget, const WindowInfo& info) {
  const WindowClass* windowClass = FindWindowClass(info.className);
  if (!widget || !windowClass || WindowOf(widget)) return 0;
  auto entry = std::make_unique<WindowEntry>();
  entry->widget = widget;
  entry->client = info.client ? info.client : widget;
  entry->windowClass = windowClass;
  entry->style = info.style;
  entry->exStyle = info.exStyle;
  entry->id = info.id;
  entry->owner = info.owner;
  entry->proc = info.proc ? info.proc : windowClass->defaultProc ? windowClass->defaultProc
                                                                   : &DefWindowProcA;
  entry->firstProc = entry->proc;
  const HWND window = Table().Insert(std::move(entry));
  if (window == 0) return 0;
  ByWidget().insert(widget, window);
  if (widget->isWindow()) TopLevelOrder().insert(TopLevelOrder().begin(), window);
  QObject::connect(widget, &QObject::destroyed, [window] { Detach(window); });
  widget->installEventFilter(&InputTranslator::Instance());
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget))
    area->viewport()->installEventFilter(&InputTranslator::Instance());
  return window;
}

HWND WindowOf(const QWidget* widget) { return widget ? ByWidget().value(widget, 0) : 0; }

HWND WindowContaining(const QWidget* widget) {
  for (; widget; widget = widget->parentWidget())
    if (HWND window = WindowOf(widget)) return window;
  return 0;
}

QWidget* WidgetOf(HWND window) {
  WindowEntry* entry = Live(window);
  return entry ? entry->widget.data() : nullptr;
}

QWidget* ClientOf(HWND window) {
  WindowEntry* entry = Live(window);
  return entry ? entry->client.data() : nullptr;
}

LRESULT CallClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowEntry* entry = Live(window);
  if (!entry) return 0;
  WNDPROC proc = entry->windowClass->defaultProc ? entry->windowClass->defaultProc : &DefWindowProcA;
  return proc(window, message, wParam, lParam);
}

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
      return CopyToBuffer(ToGbk(WidgetText(widget)),
                          reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
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

bool DeliverPendingInput(HWND window, UINT message) {
  InputDelivery& pending = Delivery();
  if (!pending.event || pending.window != window || pending.message != message) return false;
  QEvent* event = std::exchange(pending.event, nullptr);
  const QPointer<QObject> target = pending.target;
  if (!target) return false;
  // notify keeps the event spontaneous, as the widget would have had it; the event is then
  // accepted, since Qt's own delivery has already offered it to the parents.
  QEvent* outer = std::exchange(Redelivering(), event);
  QCoreApplication::instance()->notify(target, event);
  Redelivering() = outer;
  event->accept();
  return true;
}

// ---- user32 ----

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
  QRect normal = widget->isWindow() && (widget->isMinimized() || widget->isMaximized())
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
    if (insertAfter == HWND_TOP) widget->raise();
    else if (insertAfter == HWND_BOTTOM) widget->lower();
    else if (QWidget* above = WidgetOf(insertAfter);
             above && above->parentWidget() == widget->parentWidget())
      widget->stackUnder(above);
    else widget->raise();  // topmost and not-topmost both bring it up
  }
  if (flags & SWP_SHOWWINDOW) widget->show();
  if (flags & SWP_HIDEWINDOW) widget->hide();
  if (!(flags & SWP_NOACTIVATE) && widget->isWindow() && widget->isVisible()) widget->activateWindow();
  if (!(flags & SWP_NOREDRAW)) widget->update();
  return TRUE;
}

BOOL IsWindow(HWND window) { return Live(window) ? TRUE : FALSE; }

BOOL IsWindowVisible(HWND window) {
  QWidget* widget = WidgetOf(window);
  return widget && widget->isVisible() ? TRUE : FALSE;
}

BOOL ShowWindow(HWND window, int command) {
  QWidget* widget = WidgetOf(window);
  if (!widget) return FALSE;
  const BOOL wasVisible = widget->isVisible() ? TRUE : FALSE;
  switch (command) {
    case SW_HIDE: widget->hide(); break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      if (widget->isWindow()) widget->showMinimized();
      else widget->show();
      break;
    case SW_SHOWMAXIMIZED:
      if (widget->isWindow()) widget->showMaximized();
      else widget->show();
      break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
      if (widget->isWindow()) widget->showNormal();
      else widget->show();
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
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(entry->proc);
    case GWL_HINSTANCE: return static_cast<LONG_PTR>(ProgramModule());
    case GWL_ID: return entry->id;
    case GWL_STYLE: {
      DWORD style = entry->style & ~(WS_VISIBLE | WS_DISABLED);
      if (!entry->widget->isHidden()) style |= WS_VISIBLE;
      if (!entry->widget->isEnabled()) style |= WS_DISABLED;
      return static_cast<LONG_PTR>(style);
    }
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(entry->exStyle);
    case GWL_USERDATA: return entry->userData;
    default: return 0;
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
    case GWL_ID: entry->id = static_cast<int>(value); break;
    case GWL_STYLE:
      entry->style = static_cast<DWORD>(value);
      entry->widget->setEnabled(!(entry->style & WS_DISABLED));
      entry->widget->setVisible(entry->style & WS_VISIBLE);
      break;
    case GWL_EXSTYLE: entry->exStyle = static_cast<DWORD>(value); break;
    case GWL_USERDATA: entry->userData = value; break;
    default: return 0;
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
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE, void* param) {
  const WindowClass* windowClass = FindWindowClass(className ? className : "");
  if (!windowClass || !windowClass->create) return 0;
  const bool child = style & WS_CHILD;
  QWidget* parentWidget = ClientOf(parent);
  if (child && !parentWidget) return 0;
  if (!child && parent && !parentWidget) return 0;

  CreateRequest request{exStyle, title ? title : "", style, x, y, width, height,
                        child ? parentWidget : nullptr, param};
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
  for (HWND each : gone) SendMessageA(each, WM_DESTROY, 0, 0);
  for (HWND each : gone) Detach(each);
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
  return SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

HWND GetFocus() { return WindowContaining(QApplication::focusWidget()); }

}  // namespace platform::user32
