// The program's own top-level window, found by walking every top-level window of the desktop: the
// owner the open and save dialogs get when their caller names none.
#pragma once

#include <cstdint>

#include "platform/win32/types.h"

namespace imaging {

// FindProcessWindow of this process.
win32::HWND FindOwnMainWindow();

// The top-level window without a parent that belongs to the process and passes the test below,
// the last one the enumeration reaches when several do; 0 when none does.
//  - Its class name (lowered) is none of the helper classes ("ime", "msctfime ui",
//    "tooltips_class32", "systemtray_main", "afx:10000000:0:10003:1900015:0") and it has a title;
//  - or else it is wider than 200 pixels.
win32::HWND FindProcessWindow(uint32_t processId);

}  // namespace imaging
