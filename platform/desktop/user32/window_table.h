// The window table: every window of the process (the frame's windows and units, the windows
// CreateWindowExA makes) is a Qt widget registered here with its HWND, class name, style bits,
// control id and window procedure chain. user32's window functions work on this table; the
// frame registers its widgets here, and other stand-ins register window classes that
// CreateWindowExA may create.
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>
#include <string_view>

#include "platform/win32/user32.h"

namespace platform::user32 {

// The classic window frame around a top-level window's client area: GetWindowRect, SetWindowPos
// and the frame's window geometry use outer sizes (523 x 412 outside is 515 x 378 inside).
constexpr int kFrameLeft = 4;
constexpr int kFrameTop = 30;
constexpr int kFrameRight = 4;
constexpr int kFrameBottom = 4;

struct CreateRequest {
  win32::DWORD exStyle = 0;
  std::string title;  // GBK
  win32::DWORD style = 0;
  int x = 0, y = 0, width = 0, height = 0;
  QWidget* parent = nullptr;  // the parent's widget for WS_CHILD windows
  void* param = nullptr;
};

struct WindowClass {
  std::string name;
  win32::WNDPROC defaultProc = nullptr;  // the class's window procedure; null: DefWindowProcA
  // Makes the widget for CreateWindowExA; null for classes only the frame creates.
  std::function<QWidget*(const CreateRequest&)> create;
};

// Adds or replaces (names compare without case) a window class.
void RegisterWindowClass(WindowClass windowClass);
const WindowClass* FindWindowClass(std::string_view name);

struct WindowInfo {
  std::string_view className;
  win32::DWORD style = 0;  // WS_VISIBLE and WS_DISABLED are read live from the widget
  win32::DWORD exStyle = 0;
  int id = 0;                     // control id of a child window
  win32::HWND owner = 0;          // owner of a top-level window
  win32::WNDPROC proc = nullptr;  // the window's first procedure; null: the class's
  // Where child windows go and client coordinates start (inside a border); null: the widget.
  QWidget* client = nullptr;
};

// Registers a widget as a window; it leaves the table when the widget is destroyed or when
// DestroyWindow is called. Returns 0 when the class is unknown or the table is full.
win32::HWND AttachWindow(QWidget* widget, const WindowInfo& info);
// The widget's own window, or 0.
win32::HWND WindowOf(const QWidget* widget);
// The window of the widget or of its nearest registered ancestor, or 0.
win32::HWND WindowContaining(const QWidget* widget);
QWidget* WidgetOf(win32::HWND window);
// The widget holding the window's children (its client area), or null.
QWidget* ClientOf(win32::HWND window);

// What a window's class does with a message by default.
win32::LRESULT CallClassProc(win32::HWND window, win32::UINT message, win32::WPARAM wParam,
                             win32::LPARAM lParam);
// The default processing every class procedure ends in: texts, redraw, close and destroy; an input
// message translated from Qt goes on to the widget (DeliverPendingInput).
win32::LRESULT DefWindowProcA(win32::HWND window, win32::UINT message, win32::WPARAM wParam,
                              win32::LPARAM lParam);
// While a subclassed window's procedures handle a mouse or keyboard message translated from a Qt
// event, that event waits: this gives it to the widget now, so what the widget does with it is
// done when the call returns (a class procedure can act on the result, as the list view does
// after a press). False when no event of this window and message waits (a message a program
// sent, or one already delivered). An event no procedure passes on never reaches the widget.
bool DeliverPendingInput(win32::HWND window, win32::UINT message);

}  // namespace platform::user32
