#include "platform/desktop/user32/input.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "platform/picture/qt_text.h"
#include "platform/win32/user32.h"

namespace platform::user32 {
namespace {

using namespace win32;

WPARAM KeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  WPARAM state = 0;
  if (buttons & Qt::LeftButton) state |= MK_LBUTTON;
  if (buttons & Qt::RightButton) state |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) state |= MK_MBUTTON;
  if (modifiers & Qt::ShiftModifier) state |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) state |= MK_CONTROL;
  return state;
}

std::optional<Message> MouseMessage(const QMouseEvent& mouse) {
  const bool left = mouse.button() == Qt::LeftButton;
  const bool right = mouse.button() == Qt::RightButton;
  UINT message = 0;
  switch (mouse.type()) {
    case QEvent::MouseButtonPress:
      message = left ? WM_LBUTTONDOWN : right ? WM_RBUTTONDOWN : 0;
      break;
    case QEvent::MouseButtonRelease:
      message = left ? WM_LBUTTONUP : right ? WM_RBUTTONUP : 0;
      break;
    case QEvent::MouseButtonDblClick:
      message = left ? WM_LBUTTONDBLCLK : right ? WM_RBUTTONDOWN : 0;
      break;
    case QEvent::MouseMove:
      message = WM_MOUSEMOVE;
      break;
    default:
      break;
  }
  if (message == 0) return std::nullopt;
  return Message{message, KeyState(mouse.buttons(), mouse.modifiers()),
                 PointParam(mouse.position().toPoint())};
}

}  // namespace

UINT VirtualKeyOf(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<UINT>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<UINT>('0' + (key - Qt::Key_0));
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<UINT>(0x70 + (key - Qt::Key_F1));
  switch (key) {
    case Qt::Key_Backspace:
      return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 0x0D;
    case Qt::Key_Shift:
      return 0x10;
    case Qt::Key_Control:
      return 0x11;
    case Qt::Key_Alt:
      return 0x12;
    case Qt::Key_Pause:
      return 0x13;
    case Qt::Key_CapsLock:
      return 0x14;
    case Qt::Key_Escape:
      return 0x1B;
    case Qt::Key_Space:
      return 0x20;
    case Qt::Key_PageUp:
      return 0x21;
    case Qt::Key_PageDown:
      return 0x22;
    case Qt::Key_End:
      return 0x23;
    case Qt::Key_Home:
      return 0x24;
    case Qt::Key_Left:
      return 0x25;
    case Qt::Key_Up:
      return 0x26;
    case Qt::Key_Right:
      return 0x27;
    case Qt::Key_Down:
      return 0x28;
    case Qt::Key_Insert:
      return 0x2D;
    case Qt::Key_Delete:
      return 0x2E;
    case Qt::Key_Menu:
      return 0x5D;
    case Qt::Key_NumLock:
      return 0x90;
    case Qt::Key_ScrollLock:
      return 0x91;
    case Qt::Key_Semicolon:
      return 0xBA;
    case Qt::Key_Equal:
      return 0xBB;
    case Qt::Key_Comma:
      return 0xBC;
    case Qt::Key_Minus:
      return 0xBD;
    case Qt::Key_Period:
      return 0xBE;
    case Qt::Key_Slash:
      return 0xBF;
    case Qt::Key_QuoteLeft:
      return 0xC0;
    case Qt::Key_BracketLeft:
      return 0xDB;
    case Qt::Key_Backslash:
      return 0xDC;
    case Qt::Key_BracketRight:
      return 0xDD;
    case Qt::Key_Apostrophe:
      return 0xDE;
    default:
      return 0;
  }
}

LPARAM PointParam(QPoint p) {
  const uint32_t word =
      (static_cast<uint32_t>(static_cast<uint16_t>(p.y())) << 16) | static_cast<uint16_t>(p.x());
  return static_cast<LPARAM>(word);
}

std::optional<Message> TranslateInput(const QEvent& event) {
  switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      return MouseMessage(static_cast<const QMouseEvent&>(event));
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      const auto& key = static_cast<const QKeyEvent&>(event);
      const UINT code = VirtualKeyOf(key.key());
      if (code == 0) return std::nullopt;
      const bool down = event.type() == QEvent::KeyPress;
      const bool alt = key.modifiers() & Qt::AltModifier;
      LPARAM flags = 1;                                      // repeat count
      if (!down) flags |= static_cast<LPARAM>(0xC0000000u);  // previous state down, released
      UINT message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
      return Message{message, code, flags};
    }
    default:
      return std::nullopt;
  }
}

UINT CharacterOf(const QEvent& event) {
  if (event.type() != QEvent::KeyPress) return 0;
  const QString typed = static_cast<const QKeyEvent&>(event).text();
  if (typed.isEmpty() || typed.front().isNull()) return 0;
  const std::string gbk = ToGbk(QString(typed.front()));
  if (gbk.size() == 1) return static_cast<unsigned char>(gbk[0]);
  if (gbk.size() == 2)
    return (static_cast<UINT>(static_cast<unsigned char>(gbk[0])) << 8) |
           static_cast<unsigned char>(gbk[1]);
  return 0;
}

}  // namespace platform::user32
