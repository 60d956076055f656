// gdi32: bitmaps, device contexts and brushes; its records (file layouts keep their sizes) and
// functions.
// Texts are GBK byte strings; paths accept "\" and "/" and come back with "/". The binder finds
// the functions by library and name through the module registry (platform/core/modules.h).
#pragma once

#include "platform/win32/types.h"

namespace win32 {

// Bitmaps.
constexpr UINT DIB_RGB_COLORS = 0;
constexpr DWORD BI_RGB = 0;
constexpr int HALFTONE = 4;

struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  void* bmBits;
};

#pragma pack(push, 1)
struct BITMAPFILEHEADER {
  WORD bfType;
  DWORD bfSize;
  WORD bfReserved1;
  WORD bfReserved2;
  DWORD bfOffBits;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14);

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};

struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};

}  // namespace win32

namespace platform::gdi32 {
win32::HDC CreateCompatibleDC(win32::HDC dc);
win32::HBITMAP CreateCompatibleBitmap(win32::HDC dc, int width, int height);
win32::HGDIOBJ SelectObject(win32::HDC dc, win32::HGDIOBJ object);
win32::HBRUSH CreateSolidBrush(win32::COLORREF colour);
win32::BOOL DeleteObject(win32::HGDIOBJ object);
win32::BOOL DeleteDC(win32::HDC dc);
int GetDIBits(win32::HDC dc, win32::HBITMAP bitmap, win32::UINT startRow, win32::UINT rows,
              void* bits, win32::BITMAPINFO* info, win32::UINT usage);
int GetObjectA(win32::HANDLE object, int size, void* buffer);
int SetStretchBltMode(win32::HDC dc, int mode);
}  // namespace platform::gdi32
