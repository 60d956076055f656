// Qt input as Windows' window messages: virtual-key codes, MK_* key states and the
// mouse and keyboard messages a window procedure sees.
#pragma once

#include <QEvent>
#include <QPoint>

#include <optional>

#include "platform/win32/types.h"

namespace platform::user32 {

struct Message {
  win32::UINT message = 0;
  win32::WPARAM wParam = 0;
  win32::LPARAM lParam = 0;
};

// The virtual-key code of a Qt key, 0 when it has none.
win32::UINT VirtualKeyOf(int qtKey);
// Position word of a mouse message: x and y as the low and high 16 bits.
win32::LPARAM PointParam(QPoint position);
// The mouse or keyboard message of a Qt input event (positions in the receiving widget's
// coordinates), or none for other events. A key press that types a character gives WM_KEYDOWN;
// the character itself is CharacterOf.
std::optional<Message> TranslateInput(const QEvent& event);
// The character a key press types, as its GBK code (a double-byte character as lead << 8 | trail),
// or 0.
win32::UINT CharacterOf(const QEvent& event);

}  // namespace platform::user32
