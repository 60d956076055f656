// Input to events: a unit's widget and its inner widgets raise the unit's common events.
#include "frame/units/common_events.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <optional>
#include <string>

#include "frame/units/qt_unit.h"
#include "platform/desktop/user32/input.h"
#include "platform/desktop/user32/window_table.h"
#include "platform/picture/qt_text.h"

namespace frame::units {
namespace {

using namespace win32;

int32_t KeyState(Qt::KeyboardModifiers modifiers) {
  int32_t state = 0;
  if (modifiers & Qt::ControlModifier) state |= kKeyStateCtrl;
  if (modifiers & Qt::ShiftModifier) state |= kKeyStateShift;
  if (modifiers & Qt::AltModifier) state |= kKeyStateAlt;
  return state;
}

int32_t MouseEventIndex(const QMouseEvent& mouse) {
  const bool left = mouse.button() == Qt::LeftButton;
  const bool right = mouse.button() == Qt::RightButton;
  switch (mouse.type()) {
    case QEvent::MouseButtonPress:
      return left ? event::kLeftButtonDown : right ? event::kRightButtonDown : 0;
    case QEvent::MouseButtonRelease:
      return left ? event::kLeftButtonUp : right ? event::kRightButtonUp : 0;
    case QEvent::MouseButtonDblClick:
      return left ? event::kLeftDoubleClick : right ? event::kRightButtonDown : 0;
    case QEvent::MouseMove:
      return event::kMouseMove;
    default:
      return 0;
  }
}

// Coordinates of the position word: each taken as an unsigned 16-bit value.
int32_t Word(int value) {
  return static_cast<uint16_t>(value);
}

bool Refused(const std::optional<int32_t>& result) {
  return result && *result == 0;
}

}  // namespace

void CommonEventWatcher::Watch(QWidget* root) {
  const HWND own = unit_.window();
  root->installEventFilter(this);
  root->setMouseTracking(true);
  for (QWidget* child : root->findChildren<QWidget*>()) {
    if (platform::user32::WindowContaining(child) != own || child->isWindow()) continue;
    child->installEventFilter(this);
    child->setMouseTracking(true);
  }
}

bool CommonEventWatcher::eventFilter(QObject* watched, QEvent* e) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return false;
  switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
      const auto& mouse = static_cast<const QMouseEvent&>(*e);
      const int32_t index = MouseEventIndex(mouse);
      if (index == 0) return false;
      QPoint p = mouse.position().toPoint();
      if (widget == unit_.widget()) p -= unit_.ClientOrigin();
      return FireConsumes(index, {Word(p.x()), Word(p.y()), KeyState(mouse.modifiers())});
    }
    case QEvent::Wheel: {
      const auto& wheel = static_cast<const QWheelEvent&>(*e);
      return FireConsumes(event::kMouseWheel,
                          {wheel.angleDelta().y() / 120, KeyState(wheel.modifiers())});
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut:
      if (static_cast<const QFocusEvent&>(*e).reason() != Qt::PopupFocusReason)
        unit_.Fire(e->type() == QEvent::FocusIn ? event::kFocusGained : event::kFocusLost);
      return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      return Key(widget, static_cast<QKeyEvent&>(*e));
    default:
      return false;
  }
}

bool CommonEventWatcher::FireConsumes(int32_t index, std::initializer_list<int32_t> arguments) {
  std::optional<int32_t> result;
  unit_.Fire(index, arguments, &result);
  return Refused(result);
}

bool CommonEventWatcher::Key(QWidget* widget, QKeyEvent& key) {
  if (replaying_) return false;
  const bool down = key.type() == QEvent::KeyPress;
  const int32_t code = static_cast<int32_t>(platform::user32::VirtualKeyOf(key.key()));
  if (code != 0 &&
      FireConsumes(down ? event::kKeyDown : event::kKeyUp, {code, KeyState(key.modifiers())}))
    return true;
  const UINT character = platform::user32::CharacterOf(key);
  if (!down || character == 0) return false;
  std::optional<int32_t> result;
  unit_.Fire(event::kCharacter, {static_cast<int32_t>(character)}, &result);
  if (!result || static_cast<UINT>(*result) == character) return false;
  if (*result == 0) return true;
  // The handler typed another character: the widget gets that one instead.
  const uint32_t replaced = static_cast<uint32_t>(*result);
  std::string gbk;
  if (replaced > 0xFF) gbk.push_back(static_cast<char>(replaced >> 8));
  gbk.push_back(static_cast<char>(replaced & 0xFF));
  QKeyEvent substitute(QEvent::KeyPress, 0, key.modifiers(), platform::FromGbk(gbk));
  replaying_ = true;
  QApplication::sendEvent(widget, &substitute);
  replaying_ = false;
  return true;
}

}  // namespace frame::units
