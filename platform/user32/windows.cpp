// Placeholders: every function answers its documented failure value until implemented.
#include "platform/api.h"

namespace platform::user32 {

LRESULT SendMessageA(HWND, UINT, WPARAM, LPARAM) { return 0; }
BOOL EnumWindows(WNDENUMPROC, LPARAM) { return 0; }
HWND GetParent(HWND) { return 0; }
DWORD GetWindowThreadProcessId(HWND, DWORD*) { return 0; }
BOOL GetWindowRect(HWND, RECT*) { return 0; }
int GetClassNameA(HWND, char*, int) { return 0; }
int GetWindowTextA(HWND, char*, int) { return 0; }
BOOL GetWindowPlacement(HWND, WINDOWPLACEMENT*) { return 0; }
BOOL SetWindowPos(HWND, HWND, int, int, int, int, UINT) { return 0; }
BOOL IsWindow(HWND) { return 0; }
BOOL IsWindowVisible(HWND) { return 0; }
BOOL ShowWindow(HWND, int) { return 0; }
HWND SetFocus(HWND) { return 0; }
LONG_PTR GetWindowLongA(HWND, int) { return 0; }
LONG_PTR SetWindowLongA(HWND, int, LONG_PTR) { return 0; }
LRESULT CallWindowProcA(WNDPROC, HWND, UINT, WPARAM, LPARAM) { return 0; }
HWND CreateWindowExA(DWORD, const char*, const char*, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE, void*) { return 0; }
BOOL DestroyWindow(HWND) { return 0; }
int MessageBoxA(HWND, const char*, const char*, UINT) { return 0; }

}  // namespace platform::user32
