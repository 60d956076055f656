// Placeholders: every function answers its documented failure value until implemented.
#include "platform/api.h"

namespace platform::gdi32 {

HDC CreateCompatibleDC(HDC) { return 0; }
HBITMAP CreateCompatibleBitmap(HDC, int, int) { return 0; }
HGDIOBJ SelectObject(HDC, HGDIOBJ) { return 0; }
HBRUSH CreateSolidBrush(COLORREF) { return 0; }
BOOL DeleteObject(HGDIOBJ) { return 0; }
BOOL DeleteDC(HDC) { return 0; }
int GetDIBits(HDC, HBITMAP, UINT, UINT, void*, BITMAPINFO*, UINT) { return 0; }
int GetObjectA(HANDLE, int, void*) { return 0; }
int SetStretchBltMode(HDC, int) { return 0; }

}  // namespace platform::gdi32
