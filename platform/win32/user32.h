// user32: windows, messages and input, cursors, message boxes, icons and device contexts; its
// constants and records, and its functions. The core loads and destroys icons, the picture part
// draws them, the desktop part does the rest.
// Texts are GBK byte strings; paths accept "\" and "/" and come back with "/". The binder finds
// the functions by library and name through the module registry (platform/core/modules.h).
#pragma once

#include "platform/win32/types.h"

namespace win32 {

// Images.
constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT IMAGE_CURSOR = 2;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_LOADFROMFILE = 0x0010;
constexpr UINT LR_DEFAULTSIZE = 0x0040;
constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = 0x0003;

// Windows: long indices, show commands, styles (window, edit, button, static, list box, combo
// box), position flags.
constexpr int GWL_WNDPROC = -4;
constexpr int GWL_HINSTANCE = -6;
constexpr int GWL_ID = -12;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWL_USERDATA = -21;
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
constexpr int SW_SHOWDEFAULT = 10;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD BS_DEFPUSHBUTTON = 0x01;
constexpr DWORD BS_AUTOCHECKBOX = 0x03;
constexpr DWORD SS_BITMAP = 0x000E;
constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_SORT = 0x0100;
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
constexpr HWND HWND_TOP = 0;
constexpr HWND HWND_BOTTOM = 1;
constexpr UINT WPF_NONE = 0;

// Standard cursors (LoadCursorA with a null instance).
constexpr uintptr_t IDC_ARROW = 32512;
constexpr uintptr_t IDC_IBEAM = 32513;
constexpr uintptr_t IDC_WAIT = 32514;
constexpr uintptr_t IDC_CROSS = 32515;
constexpr uintptr_t IDC_UPARROW = 32516;
constexpr uintptr_t IDC_SIZENWSE = 32642;
constexpr uintptr_t IDC_SIZENESW = 32643;
constexpr uintptr_t IDC_SIZEWE = 32644;
constexpr uintptr_t IDC_SIZENS = 32645;
constexpr uintptr_t IDC_SIZEALL = 32646;
constexpr uintptr_t IDC_NO = 32648;
constexpr uintptr_t IDC_HAND = 32649;
constexpr uintptr_t IDC_APPSTARTING = 32650;
constexpr uintptr_t IDC_HELP = 32651;

// Messages the program and its stand-ins use, and the key states of mouse messages.
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SETREDRAW = 0x000B;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr UINT WM_CAPTURECHANGED = 0x0215;
constexpr UINT WM_USER = 0x0400;
constexpr WPARAM MK_LBUTTON = 0x01;
constexpr WPARAM MK_RBUTTON = 0x02;
constexpr WPARAM MK_SHIFT = 0x04;
constexpr WPARAM MK_CONTROL = 0x08;
constexpr WPARAM MK_MBUTTON = 0x10;
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;
constexpr LRESULT CB_ERR = -1;
constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_INSERTSTRING = 0x0181;
constexpr UINT LB_DELETESTRING = 0x0182;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_GETITEMDATA = 0x0199;
constexpr UINT LB_SETITEMDATA = 0x019A;
constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;
constexpr LRESULT LB_ERR = -1;

// Message box.
constexpr UINT MB_OK = 0x00;
constexpr UINT MB_OKCANCEL = 0x01;
constexpr UINT MB_ABORTRETRYIGNORE = 0x02;
constexpr UINT MB_YESNOCANCEL = 0x03;
constexpr UINT MB_YESNO = 0x04;
constexpr UINT MB_RETRYCANCEL = 0x05;
constexpr UINT MB_ICONSTOP = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_SYSTEMMODAL = 0x1000;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr UINT MB_TYPEMASK = 0x0F;
constexpr UINT MB_ICONMASK = 0xF0;
constexpr UINT MB_DEFMASK = 0xF00;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

struct WINDOWPLACEMENT {
  UINT length;
  UINT flags;
  UINT showCmd;
  POINT ptMinPosition;
  POINT ptMaxPosition;
  RECT rcNormalPosition;
};

struct ICONINFO {
  BOOL fIcon;
  DWORD xHotspot;
  DWORD yHotspot;
  HBITMAP hbmMask;
  HBITMAP hbmColor;
};

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);

struct STYLESTRUCT {
  DWORD styleOld;
  DWORD styleNew;
};
constexpr UINT WM_STYLECHANGED = 0x007D;

}  // namespace win32

namespace platform::user32 {
// Icons and device contexts.
win32::BOOL DestroyIcon(win32::HICON icon);
win32::BOOL GetIconInfo(win32::HICON icon, win32::ICONINFO* info);
win32::BOOL DrawIconEx(win32::HDC dc, int x, int y, win32::HICON icon, int width, int height,
                       win32::UINT step, win32::HBRUSH flickerFreeBrush, win32::UINT flags);
win32::BOOL DrawIcon(win32::HDC dc, int x, int y, win32::HICON icon);
win32::HANDLE LoadImageA(win32::HINSTANCE instance, const char* name, win32::UINT type, int width,
                         int height, win32::UINT flags);
win32::HDC GetDC(win32::HWND window);
int ReleaseDC(win32::HWND window, win32::HDC dc);
int FillRect(win32::HDC dc, const win32::RECT* rect, win32::HBRUSH brush);
// Windows.
win32::LRESULT SendMessageA(win32::HWND window, win32::UINT message, win32::WPARAM wParam,
                            win32::LPARAM lParam);
win32::BOOL EnumWindows(win32::WNDENUMPROC proc, win32::LPARAM param);
win32::HWND GetParent(win32::HWND window);
win32::DWORD GetWindowThreadProcessId(win32::HWND window, win32::DWORD* processId);
win32::BOOL GetWindowRect(win32::HWND window, win32::RECT* rect);
int GetClassNameA(win32::HWND window, char* buffer, int size);
int GetWindowTextA(win32::HWND window, char* buffer, int size);
win32::BOOL GetWindowPlacement(win32::HWND window, win32::WINDOWPLACEMENT* placement);
win32::BOOL SetWindowPos(win32::HWND window, win32::HWND insertAfter, int x, int y, int width,
                         int height, win32::UINT flags);
win32::BOOL IsWindow(win32::HWND window);
win32::BOOL IsWindowVisible(win32::HWND window);
win32::BOOL ShowWindow(win32::HWND window, int command);
win32::HWND SetFocus(win32::HWND window);
win32::LONG_PTR GetWindowLongA(win32::HWND window, int index);
win32::LONG_PTR SetWindowLongA(win32::HWND window, int index, win32::LONG_PTR value);
win32::LRESULT CallWindowProcA(win32::WNDPROC proc, win32::HWND window, win32::UINT message,
                               win32::WPARAM wParam, win32::LPARAM lParam);
win32::HWND CreateWindowExA(win32::DWORD exStyle, const char* className, const char* title,
                            win32::DWORD style, int x, int y, int width, int height,
                            win32::HWND parent, win32::HMENU menu, win32::HINSTANCE instance,
                            void* param);
win32::BOOL DestroyWindow(win32::HWND window);
int MessageBoxA(win32::HWND owner, const char* text, const char* caption, win32::UINT flags);
// Not in the program's table; the frame uses them for its windows, units and cursors.
win32::BOOL EnableWindow(win32::HWND window, win32::BOOL enable);
win32::BOOL IsWindowEnabled(win32::HWND window);
win32::HWND SetParent(win32::HWND window, win32::HWND parent);
win32::BOOL GetClientRect(win32::HWND window, win32::RECT* rect);
int MapWindowPoints(win32::HWND from, win32::HWND to, win32::POINT* points, win32::UINT count);
win32::BOOL MoveWindow(win32::HWND window, int x, int y, int width, int height,
                       win32::BOOL repaint);
win32::BOOL SetWindowTextA(win32::HWND window, const char* text);
win32::HWND GetFocus();
void PostQuitMessage(int exitCode);
win32::HCURSOR LoadCursorA(win32::HINSTANCE instance, const char* name);
win32::HCURSOR SetCursor(win32::HCURSOR cursor);
win32::BOOL DestroyCursor(win32::HCURSOR cursor);
win32::BOOL GetCursorPos(win32::POINT* point);
win32::BOOL SetCursorPos(int x, int y);
win32::BOOL ReleaseCapture();
}  // namespace platform::user32
