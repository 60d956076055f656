// The common controls' window classes: the list view "SysListView32" and its column header
// "SysHeader32". The window table lists them with the standard classes, so CreateWindowExA makes
// them from the start, as the common controls' classes are there once the program is loaded.
#pragma once

#include "platform/desktop/user32/window_table.h"

namespace platform::comctl32 {

user32::WindowClass ListViewClass();
user32::WindowClass HeaderClass();

}  // namespace platform::comctl32
