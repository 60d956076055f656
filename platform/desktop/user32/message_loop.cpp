#include "platform/desktop/user32/message_loop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QThread>

#include <optional>

#include "platform/win32/user32.h"

namespace platform::user32 {
namespace {

using namespace win32;

std::optional<int>& QuitCode() {
  static std::optional<int> code;
  return code;
}

bool IsIdleTrigger(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Close:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
      return true;
    default:
      return false;
  }
}

// Watches what the dispatcher delivers while a pump runs.
class TriggerWatch final : public QObject {
 public:
  bool sawTrigger = false;
  bool eventFilter(QObject*, QEvent* event) override {
    if (IsIdleTrigger(event->type())) sawTrigger = true;
    return false;
  }
};

}  // namespace

PumpResult PumpMessages(bool wait) {
  PumpResult result;
  QAbstractEventDispatcher* dispatcher =
      QAbstractEventDispatcher::instance(QThread::currentThread());
  if (!dispatcher) return result;
  TriggerWatch watch;
  QCoreApplication::instance()->installEventFilter(&watch);
  QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents;
  if (wait && !QuitMessagePending()) flags |= QEventLoop::WaitForMoreEvents;
  result.processed = dispatcher->processEvents(flags);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::instance()->removeEventFilter(&watch);
  result.idleTrigger = watch.sawTrigger;
  return result;
}

bool QuitMessagePending() {
  return QuitCode().has_value();
}

bool TakeQuitMessage(int* exitCode) {
  if (!QuitCode()) return false;
  if (exitCode) *exitCode = *QuitCode();
  QuitCode().reset();
  return true;
}

void PostQuitMessage(int exitCode) {
  QuitCode() = exitCode;
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
    dispatcher->wakeUp();
}

}  // namespace platform::user32
