// The window table: which widget each window handle stands for, with its class, styles, id and
// procedures.
#include <QHash>

#include <algorithm>
#include <memory>

#include "platform/desktop/user32/window_entries.h"

namespace platform::user32 {

using namespace win32;

namespace {

QHash<const QWidget*, HWND>& ByWidget() {
  static QHash<const QWidget*, HWND> map;
  return map;
}

}  // namespace

HandleTable<WindowEntry>& Table() {
  static HandleTable<WindowEntry> table(HandleKind::Window);
  return table;
}

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
    if (it.value() == window)
      it = ByWidget().erase(it);
    else
      ++it;
  }
  auto& order = TopLevelOrder();
  order.erase(std::remove(order.begin(), order.end(), window), order.end());
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
  entry->proc = info.proc                  ? info.proc
                : windowClass->defaultProc ? windowClass->defaultProc
                                           : &DefWindowProcA;
  entry->firstProc = entry->proc;
  const HWND window = Table().Insert(std::move(entry));
  if (window == 0) return 0;
  ByWidget().insert(widget, window);
  if (widget->isWindow()) TopLevelOrder().insert(TopLevelOrder().begin(), window);
  QObject::connect(widget, &QObject::destroyed, [window] { Detach(window); });
  TranslateInputOf(widget);
  return window;
}

HWND WindowOf(const QWidget* widget) {
  return widget ? ByWidget().value(widget, 0) : 0;
}

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
  WNDPROC proc =
      entry->windowClass->defaultProc ? entry->windowClass->defaultProc : &DefWindowProcA;
  return proc(window, message, wParam, lParam);
}

}  // namespace platform::user32
