// The window table's entries, shared by the files of the window functions: the table itself
// (window_table.cpp), the input given to subclassed windows (input_delivery.cpp) and the user32
// window functions (window_exports.cpp). Not for other stand-ins: they use window_table.h.
#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <vector>

#include "platform/core/handles.h"
#include "platform/desktop/user32/window_table.h"

namespace platform::user32 {

struct WindowEntry {
  QPointer<QWidget> widget;
  QPointer<QWidget> client;
  const WindowClass* windowClass = nullptr;
  win32::DWORD style = 0;
  win32::DWORD exStyle = 0;
  int id = 0;
  win32::HWND owner = 0;
  win32::WNDPROC proc = nullptr;
  win32::WNDPROC firstProc =
      nullptr;  // the procedure it was registered with: input is translated once it changes
  win32::LONG_PTR userData = 0;
};

HandleTable<WindowEntry>& Table();
// Top-level windows, the most recently created first (the order EnumWindows reports).
std::vector<win32::HWND>& TopLevelOrder();
// The entry of a window whose widget still exists, or null.
WindowEntry* Live(win32::HWND window);
// Takes the window out of the table.
void Detach(win32::HWND window);

// Mouse and keyboard messages, which a subclassed window's procedures get translated from Qt.
bool IsInputMessage(win32::UINT message);
// Translates the input of the widget (and of its viewport) for its window's procedures.
void TranslateInputOf(QWidget* widget);

}  // namespace platform::user32
