// Placeholders: every function answers its documented failure value until implemented.
#include "platform/api.h"

namespace platform::user32 {

BOOL DestroyIcon(HICON) { return 0; }
BOOL GetIconInfo(HICON, ICONINFO*) { return 0; }
BOOL DrawIconEx(HDC, int, int, HICON, int, int, UINT, HBRUSH, UINT) { return 0; }
BOOL DrawIcon(HDC, int, int, HICON) { return 0; }
HANDLE LoadImageA(HINSTANCE, const char*, UINT, int, int, UINT) { return 0; }
HDC GetDC(HWND) { return 0; }
int ReleaseDC(HWND, HDC) { return 0; }
int FillRect(HDC, const RECT*, HBRUSH) { return 0; }

}  // namespace platform::user32
