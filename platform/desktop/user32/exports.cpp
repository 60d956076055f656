// Exports of the user32 stand-in library for windows (the desktop part), found by name by the
// binder; drawing_exports.cpp has those that draw icons, core_exports.cpp those that read bytes.
#include <array>

#include "platform/core/modules.h"
#include "platform/win32/user32.h"

namespace platform {

std::span<const Export> User32Exports() {
  using namespace user32;
  static const std::array<Export, 34> exports = {{
      {"SendMessageA", ToAnyFunction(&SendMessageA)},
      {"EnumWindows", ToAnyFunction(&EnumWindows)},
      {"GetParent", ToAnyFunction(&GetParent)},
      {"GetWindowThreadProcessId", ToAnyFunction(&GetWindowThreadProcessId)},
      {"GetWindowRect", ToAnyFunction(&GetWindowRect)},
      {"GetClassNameA", ToAnyFunction(&GetClassNameA)},
      {"GetWindowTextA", ToAnyFunction(&GetWindowTextA)},
      {"GetWindowPlacement", ToAnyFunction(&GetWindowPlacement)},
      {"SetWindowPos", ToAnyFunction(&SetWindowPos)},
      {"IsWindow", ToAnyFunction(&IsWindow)},
      {"IsWindowVisible", ToAnyFunction(&IsWindowVisible)},
      {"ShowWindow", ToAnyFunction(&ShowWindow)},
      {"SetFocus", ToAnyFunction(&SetFocus)},
      {"GetWindowLongA", ToAnyFunction(&GetWindowLongA)},
      {"SetWindowLongA", ToAnyFunction(&SetWindowLongA)},
      {"CallWindowProcA", ToAnyFunction(&CallWindowProcA)},
      {"CreateWindowExA", ToAnyFunction(&CreateWindowExA)},
      {"DestroyWindow", ToAnyFunction(&DestroyWindow)},
      {"MessageBoxA", ToAnyFunction(&MessageBoxA)},
      {"EnableWindow", ToAnyFunction(&EnableWindow)},
      {"IsWindowEnabled", ToAnyFunction(&IsWindowEnabled)},
      {"SetParent", ToAnyFunction(&SetParent)},
      {"GetClientRect", ToAnyFunction(&GetClientRect)},
      {"MapWindowPoints", ToAnyFunction(&MapWindowPoints)},
      {"MoveWindow", ToAnyFunction(&MoveWindow)},
      {"SetWindowTextA", ToAnyFunction(&SetWindowTextA)},
      {"GetFocus", ToAnyFunction(&GetFocus)},
      {"PostQuitMessage", ToAnyFunction(&PostQuitMessage)},
      {"LoadCursorA", ToAnyFunction(&LoadCursorA)},
      {"SetCursor", ToAnyFunction(&SetCursor)},
      {"DestroyCursor", ToAnyFunction(&DestroyCursor)},
      {"GetCursorPos", ToAnyFunction(&GetCursorPos)},
      {"SetCursorPos", ToAnyFunction(&SetCursorPos)},
      {"ReleaseCapture", ToAnyFunction(&ReleaseCapture)},
  }};
  return exports;
}

}  // namespace platform
