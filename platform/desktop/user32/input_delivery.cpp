// Input for subclassed windows: a window whose procedure was replaced gets the mouse and keyboard
// messages of its widget, and the widget gets the Qt event when the message reaches
// DefWindowProcA.
#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QMouseEvent>

#include <utility>

#include "platform/desktop/user32/input.h"
#include "platform/desktop/user32/window_entries.h"
#include "platform/win32/user32.h"

namespace platform::user32 {

using namespace win32;

namespace {

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

}  // namespace

bool IsInputMessage(UINT message) {
  return (message >= WM_KEYDOWN && message <= WM_SYSKEYUP) ||
         (message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL);
}

namespace {

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

}  // namespace

void TranslateInputOf(QWidget* widget) {
  widget->installEventFilter(&InputTranslator::Instance());
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget))
    area->viewport()->installEventFilter(&InputTranslator::Instance());
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

}  // namespace platform::user32
