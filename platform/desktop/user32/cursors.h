// Mouse cursors as handles: the standard ones, cursors made from cursor or icon file bytes, the
// application-wide cursor (SetCursor) and the cursor of one window.
#pragma once

#include <cstdint>
#include <span>

#include "platform/win32/types.h"

namespace platform::user32 {

// A cursor from the bytes of a .cur file (hot spot from its directory) or a .ico file (hot spot
// at the centre); 0 when the bytes are neither. Destroy it with DestroyCursor.
win32::HCURSOR CreateCursorFromFile(std::span<const uint8_t> file);

// The cursor shown over the window; 0 for the window's default.
win32::BOOL SetWindowCursor(win32::HWND window, win32::HCURSOR cursor);

}  // namespace platform::user32
