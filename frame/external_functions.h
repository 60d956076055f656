// Typed call wrappers, one per index of the table of external functions, named after the
// function. Where the table declares a function more than once, the lowest index keeps the plain
// name and the others carry their index (RtlMoveMemory33, SendMessageA61, ...): each index is
// bound and cached on its own. The types come from the stand-in declarations; the call itself
// goes through the binder.
#pragma once

#include "frame/external.h"
#include "platform/api.h"

namespace ext {
using namespace win32;
using frame::CallExternal;

inline BOOL PathRemoveFileSpecA(char* path) {
  return CallExternal<0, decltype(&platform::shlwapi::PathRemoveFileSpecA)>(path);
}

inline BOOL DestroyIcon(HICON icon) {
  return CallExternal<1, decltype(&platform::user32::DestroyIcon)>(icon);
}

inline BOOL PathIsDirectoryA(const char* path) {
  return CallExternal<2, decltype(&platform::shlwapi::PathIsDirectoryA)>(path);
}

inline char* PathFindExtensionA(const char* path) {
  return CallExternal<3, decltype(&platform::shlwapi::PathFindExtensionA)>(path);
}

inline HMODULE GetModuleHandleA(const char* name) {
  return CallExternal<4, decltype(&platform::kernel32::GetModuleHandleA)>(name);
}

inline HICON ExtractAssociatedIconA(HINSTANCE instance, char* path, WORD* index) {
  return CallExternal<5, decltype(&platform::shell32::ExtractAssociatedIconA)>(instance, path, index);
}

inline PIDLIST SHBrowseForFolderA(BROWSEINFOA* info) {
  return CallExternal<6, decltype(&platform::shell32::SHBrowseForFolderA)>(info);
}

inline BOOL SHGetPathFromIDListA(PIDLIST folder, char* path) {
  return CallExternal<7, decltype(&platform::shell32::SHGetPathFromIDListA)>(folder, path);
}

inline LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallExternal<8, decltype(&platform::user32::SendMessageA)>(window, message, wParam, lParam);
}

inline BOOL GetSaveFileNameA(OPENFILENAMEA* request) {
  return CallExternal<9, decltype(&platform::comdlg32::GetSaveFileNameA)>(request);
}

inline DWORD GetCurrentProcessId() {
  return CallExternal<10, decltype(&platform::kernel32::GetCurrentProcessId)>();
}

inline BOOL EnumWindows(WNDENUMPROC proc, LPARAM param) {
  return CallExternal<11, decltype(&platform::user32::EnumWindows)>(proc, param);
}

inline HWND GetParent(HWND window) {
  return CallExternal<12, decltype(&platform::user32::GetParent)>(window);
}

inline DWORD GetWindowThreadProcessId(HWND window, DWORD* processId) {
  return CallExternal<13, decltype(&platform::user32::GetWindowThreadProcessId)>(window, processId);
}

inline BOOL GetWindowRect(HWND window, RECT* rect) {
  return CallExternal<14, decltype(&platform::user32::GetWindowRect)>(window, rect);
}

inline int GetClassNameA(HWND window, char* buffer, int size) {
  return CallExternal<15, decltype(&platform::user32::GetClassNameA)>(window, buffer, size);
}

inline int GetWindowTextA(HWND window, char* buffer, int size) {
  return CallExternal<16, decltype(&platform::user32::GetWindowTextA)>(window, buffer, size);
}

inline BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement) {
  return CallExternal<17, decltype(&platform::user32::GetWindowPlacement)>(window, placement);
}

inline HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data) {
  return CallExternal<18, decltype(&platform::kernel32::FindFirstFileA)>(pattern, data);
}

inline BOOL FindClose(HANDLE search) {
  return CallExternal<19, decltype(&platform::kernel32::FindClose)>(search);
}

inline char* PathFindFileNameA(const char* path) {
  return CallExternal<20, decltype(&platform::shlwapi::PathFindFileNameA)>(path);
}

inline int MessageBoxA(HWND owner, const char* text, const char* caption, UINT flags) {
  return CallExternal<21, decltype(&platform::user32::MessageBoxA)>(owner, text, caption, flags);
}

inline HDC GetDC(HWND window) {
  return CallExternal<22, decltype(&platform::user32::GetDC)>(window);
}

inline HDC CreateCompatibleDC(HDC dc) {
  return CallExternal<23, decltype(&platform::gdi32::CreateCompatibleDC)>(dc);
}

inline BOOL GetIconInfo(HICON icon, ICONINFO* info) {
  return CallExternal<24, decltype(&platform::user32::GetIconInfo)>(icon, info);
}

inline HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  return CallExternal<25, decltype(&platform::gdi32::CreateCompatibleBitmap)>(dc, width, height);
}

inline HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  return CallExternal<26, decltype(&platform::gdi32::SelectObject)>(dc, object);
}

inline HBRUSH CreateSolidBrush(COLORREF colour) {
  return CallExternal<27, decltype(&platform::gdi32::CreateSolidBrush)>(colour);
}

inline int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  return CallExternal<28, decltype(&platform::user32::FillRect)>(dc, rect, brush);
}

inline BOOL DeleteObject(HGDIOBJ object) {
  return CallExternal<29, decltype(&platform::gdi32::DeleteObject)>(object);
}

inline BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flickerFreeBrush, UINT flags) {
  return CallExternal<30, decltype(&platform::user32::DrawIconEx)>(dc, x, y, icon, width, height, step, flickerFreeBrush, flags);
}

inline int GetDIBits(HDC dc, HBITMAP bitmap, UINT startRow, UINT rows, void* bits, BITMAPINFO* info, UINT usage) {
  return CallExternal<31, decltype(&platform::gdi32::GetDIBits)>(dc, bitmap, startRow, rows, bits, info, usage);
}

inline int GetDIBits32(HDC dc, HBITMAP bitmap, UINT startRow, UINT rows, void* bits, BITMAPINFO* info, UINT usage) {
  return CallExternal<32, decltype(&platform::gdi32::GetDIBits)>(dc, bitmap, startRow, rows, bits, info, usage);
}

inline void RtlMoveMemory(void* destination, const void* source, SIZE_T length) {
  return CallExternal<33, decltype(&platform::kernel32::RtlMoveMemory)>(destination, source, length);
}

inline void RtlMoveMemory34(void* destination, const void* source, SIZE_T length) {
  return CallExternal<34, decltype(&platform::kernel32::RtlMoveMemory)>(destination, source, length);
}

inline BOOL DeleteDC(HDC dc) {
  return CallExternal<35, decltype(&platform::gdi32::DeleteDC)>(dc);
}

inline int ReleaseDC(HWND window, HDC dc) {
  return CallExternal<36, decltype(&platform::user32::ReleaseDC)>(window, dc);
}

inline void RtlMoveMemory37(void* destination, const void* source, SIZE_T length) {
  return CallExternal<37, decltype(&platform::kernel32::RtlMoveMemory)>(destination, source, length);
}

inline void RtlMoveMemory38(void* destination, const void* source, SIZE_T length) {
  return CallExternal<38, decltype(&platform::kernel32::RtlMoveMemory)>(destination, source, length);
}

inline HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters, const char* folder, int show) {
  return CallExternal<39, decltype(&platform::shell32::ShellExecuteA)>(owner, verb, file, parameters, folder, show);
}

inline DWORD GetTempPathA(DWORD size, char* buffer) {
  return CallExternal<40, decltype(&platform::kernel32::GetTempPathA)>(size, buffer);
}

inline HANDLE LoadImageA(HINSTANCE instance, const char* name, UINT type, int width, int height, UINT flags) {
  return CallExternal<41, decltype(&platform::user32::LoadImageA)>(instance, name, type, width, height, flags);
}

inline HBRUSH CreateSolidBrush42(COLORREF colour) {
  return CallExternal<42, decltype(&platform::gdi32::CreateSolidBrush)>(colour);
}

inline int FillRect43(HDC dc, const RECT* rect, HBRUSH brush) {
  return CallExternal<43, decltype(&platform::user32::FillRect)>(dc, rect, brush);
}

inline BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  return CallExternal<44, decltype(&platform::user32::DrawIcon)>(dc, x, y, icon);
}

inline BOOL GetOpenFileNameA(OPENFILENAMEA* request) {
  return CallExternal<45, decltype(&platform::comdlg32::GetOpenFileNameA)>(request);
}

inline HICON ExtractIconA(HINSTANCE instance, const char* path, UINT index) {
  return CallExternal<46, decltype(&platform::shell32::ExtractIconA)>(instance, path, index);
}

inline int GetObjectA(HANDLE object, int size, void* buffer) {
  return CallExternal<47, decltype(&platform::gdi32::GetObjectA)>(object, size, buffer);
}

inline int SetStretchBltMode(HDC dc, int mode) {
  return CallExternal<48, decltype(&platform::gdi32::SetStretchBltMode)>(dc, mode);
}

inline void* VirtualAlloc(void* address, SIZE_T size, DWORD type, DWORD protect) {
  return CallExternal<49, decltype(&platform::kernel32::VirtualAlloc)>(address, size, type, protect);
}

inline void RtlMoveMemory50(void* destination, const void* source, SIZE_T length) {
  return CallExternal<50, decltype(&platform::kernel32::RtlMoveMemory)>(destination, source, length);
}

inline void RtlMoveMemory51(void* destination, const void* source, SIZE_T length) {
  return CallExternal<51, decltype(&platform::kernel32::RtlMoveMemory)>(destination, source, length);
}

inline BOOL VirtualFree(void* address, SIZE_T size, DWORD type) {
  return CallExternal<52, decltype(&platform::kernel32::VirtualFree)>(address, size, type);
}

inline int SHCreateDirectoryExA(HWND owner, const char* path, const SECURITY_ATTRIBUTES* security) {
  return CallExternal<53, decltype(&platform::shell32::SHCreateDirectoryExA)>(owner, path, security);
}

inline int SHFileOperationA(SHFILEOPSTRUCTA* operation) {
  return CallExternal<54, decltype(&platform::shell32::SHFileOperationA)>(operation);
}

inline LONG_PTR SetWindowLongA(HWND window, int index, LONG_PTR value) {
  return CallExternal<55, decltype(&platform::user32::SetWindowLongA)>(window, index, value);
}

inline DWORD GetLogicalDriveStringsA(DWORD size, char* buffer) {
  return CallExternal<56, decltype(&platform::kernel32::GetLogicalDriveStringsA)>(size, buffer);
}

inline UINT GetDriveTypeA(const char* root) {
  return CallExternal<57, decltype(&platform::kernel32::GetDriveTypeA)>(root);
}

inline BOOL SHGetSpecialFolderPathA(HWND owner, char* path, int folder, BOOL create) {
  return CallExternal<58, decltype(&platform::shell32::SHGetSpecialFolderPathA)>(owner, path, folder, create);
}

inline GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, void* output) {
  return CallExternal<59, decltype(&platform::gdiplus::GdiplusStartup)>(token, input, output);
}

inline LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallExternal<60, decltype(&platform::user32::CallWindowProcA)>(proc, window, message, wParam, lParam);
}

inline LRESULT SendMessageA61(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallExternal<61, decltype(&platform::user32::SendMessageA)>(window, message, wParam, lParam);
}

inline GpStatus GdipDisposeImage(GpImage image) {
  return CallExternal<62, decltype(&platform::gdiplus::GdipDisposeImage)>(image);
}

inline GpStatus GdipCreateBitmapFromGraphics(INT width, INT height, GpGraphics graphics, GpBitmap* bitmap) {
  return CallExternal<63, decltype(&platform::gdiplus::GdipCreateBitmapFromGraphics)>(width, height, graphics, bitmap);
}

inline GpStatus GdipLoadImageFromFile(const WCHAR* path, GpImage* image) {
  return CallExternal<64, decltype(&platform::gdiplus::GdipLoadImageFromFile)>(path, image);
}

inline int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length, WCHAR* wide, int wideLength) {
  return CallExternal<65, decltype(&platform::kernel32::MultiByteToWideChar)>(codePage, flags, text, length, wide, wideLength);
}

inline GpStatus GdipLoadImageFromStream(ISTREAM stream, GpImage* image) {
  return CallExternal<66, decltype(&platform::gdiplus::GdipLoadImageFromStream)>(stream, image);
}

inline void RtlMoveMemory67(void* destination, const void* source, SIZE_T length) {
  return CallExternal<67, decltype(&platform::kernel32::RtlMoveMemory)>(destination, source, length);
}

inline GpStatus GdipSaveImageToStream(GpImage image, ISTREAM stream, const CLSID* encoder, const EncoderParameters* parameters) {
  return CallExternal<68, decltype(&platform::gdiplus::GdipSaveImageToStream)>(image, stream, encoder, parameters);
}

inline GpStatus GdipSaveImageToStream69(GpImage image, ISTREAM stream, const CLSID* encoder, const EncoderParameters* parameters) {
  return CallExternal<69, decltype(&platform::gdiplus::GdipSaveImageToStream)>(image, stream, encoder, parameters);
}

inline HDC CreateCompatibleDC70(HDC dc) {
  return CallExternal<70, decltype(&platform::gdi32::CreateCompatibleDC)>(dc);
}

inline GpStatus GdipCreateFromHDC(HDC dc, GpGraphics* graphics) {
  return CallExternal<71, decltype(&platform::gdiplus::GdipCreateFromHDC)>(dc, graphics);
}

inline GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0, GpBitmap* bitmap) {
  return CallExternal<72, decltype(&platform::gdiplus::GdipCreateBitmapFromScan0)>(width, height, stride, format, scan0, bitmap);
}

inline GpStatus GdipGetImageGraphicsContext(GpImage image, GpGraphics* graphics) {
  return CallExternal<73, decltype(&platform::gdiplus::GdipGetImageGraphicsContext)>(image, graphics);
}

inline GpStatus GdipCreateSolidFill(ARGB colour, GpSolidFill* brush) {
  return CallExternal<74, decltype(&platform::gdiplus::GdipCreateSolidFill)>(colour, brush);
}

inline GpStatus GdipFillRectangle(GpGraphics graphics, GpBrush brush, REAL x, REAL y, REAL width, REAL height) {
  return CallExternal<75, decltype(&platform::gdiplus::GdipFillRectangle)>(graphics, brush, x, y, width, height);
}

inline GpStatus GdipDrawImageRect(GpGraphics graphics, GpImage image, REAL x, REAL y, REAL width, REAL height) {
  return CallExternal<76, decltype(&platform::gdiplus::GdipDrawImageRect)>(graphics, image, x, y, width, height);
}

inline GpStatus GdipDeleteBrush(GpBrush brush) {
  return CallExternal<77, decltype(&platform::gdiplus::GdipDeleteBrush)>(brush);
}

inline BOOL DeleteDC78(HDC dc) {
  return CallExternal<78, decltype(&platform::gdi32::DeleteDC)>(dc);
}

inline GpStatus GdipDeleteGraphics(GpGraphics graphics) {
  return CallExternal<79, decltype(&platform::gdiplus::GdipDeleteGraphics)>(graphics);
}

inline GpStatus GdipCreateBitmapFromHBITMAP(HBITMAP bitmap, HPALETTE palette, GpBitmap* result) {
  return CallExternal<80, decltype(&platform::gdiplus::GdipCreateBitmapFromHBITMAP)>(bitmap, palette, result);
}

inline BOOL DeleteObject81(HGDIOBJ object) {
  return CallExternal<81, decltype(&platform::gdi32::DeleteObject)>(object);
}

inline GpStatus GdipGetImageType(GpImage image, ImageType* type) {
  return CallExternal<82, decltype(&platform::gdiplus::GdipGetImageType)>(image, type);
}

inline GpStatus GdipCreateBitmapFromFile(const WCHAR* path, GpBitmap* bitmap) {
  return CallExternal<83, decltype(&platform::gdiplus::GdipCreateBitmapFromFile)>(path, bitmap);
}

inline GpStatus GdipGetImageWidth(GpImage image, UINT* width) {
  return CallExternal<84, decltype(&platform::gdiplus::GdipGetImageWidth)>(image, width);
}

inline GpStatus GdipGetImageHeight(GpImage image, UINT* height) {
  return CallExternal<85, decltype(&platform::gdiplus::GdipGetImageHeight)>(image, height);
}

inline GpStatus GdipCreateBitmapFromHICON(HICON icon, GpBitmap* bitmap) {
  return CallExternal<86, decltype(&platform::gdiplus::GdipCreateBitmapFromHICON)>(icon, bitmap);
}

inline GpStatus GdipCreateHBITMAPFromBitmap(GpBitmap bitmap, HBITMAP* result, ARGB background) {
  return CallExternal<87, decltype(&platform::gdiplus::GdipCreateHBITMAPFromBitmap)>(bitmap, result, background);
}

inline GpStatus GdipCreateHICONFromBitmap(GpBitmap bitmap, HICON* result) {
  return CallExternal<88, decltype(&platform::gdiplus::GdipCreateHICONFromBitmap)>(bitmap, result);
}

inline GpStatus GdipBitmapSetPixel(GpBitmap bitmap, INT x, INT y, ARGB colour) {
  return CallExternal<89, decltype(&platform::gdiplus::GdipBitmapSetPixel)>(bitmap, x, y, colour);
}

inline GpStatus GdipBitmapGetPixel(GpBitmap bitmap, INT x, INT y, ARGB* colour) {
  return CallExternal<90, decltype(&platform::gdiplus::GdipBitmapGetPixel)>(bitmap, x, y, colour);
}

inline GpStatus GdipBitmapSetResolution(GpBitmap bitmap, REAL xdpi, REAL ydpi) {
  return CallExternal<91, decltype(&platform::gdiplus::GdipBitmapSetResolution)>(bitmap, xdpi, ydpi);
}

inline GpStatus GdipGetImageRawFormat(GpImage image, GUID* format) {
  return CallExternal<92, decltype(&platform::gdiplus::GdipGetImageRawFormat)>(image, format);
}

inline GpStatus GdipSaveImageToFile(GpImage image, const WCHAR* path, const CLSID* encoder, const EncoderParameters* parameters) {
  return CallExternal<93, decltype(&platform::gdiplus::GdipSaveImageToFile)>(image, path, encoder, parameters);
}

inline GpStatus GdipSaveImageToFile94(GpImage image, const WCHAR* path, const CLSID* encoder, const EncoderParameters* parameters) {
  return CallExternal<94, decltype(&platform::gdiplus::GdipSaveImageToFile)>(image, path, encoder, parameters);
}

inline GpStatus GdipGetImageDimension(GpImage image, REAL* width, REAL* height) {
  return CallExternal<95, decltype(&platform::gdiplus::GdipGetImageDimension)>(image, width, height);
}

inline GpStatus GdipGetImageBounds(GpImage image, GpRectF* bounds, GpUnit* unit) {
  return CallExternal<96, decltype(&platform::gdiplus::GdipGetImageBounds)>(image, bounds, unit);
}

inline GpStatus GdipGetImageHorizontalResolution(GpImage image, REAL* resolution) {
  return CallExternal<97, decltype(&platform::gdiplus::GdipGetImageHorizontalResolution)>(image, resolution);
}

inline GpStatus GdipGetImageVerticalResolution(GpImage image, REAL* resolution) {
  return CallExternal<98, decltype(&platform::gdiplus::GdipGetImageVerticalResolution)>(image, resolution);
}

inline GpStatus GdipGetImageFlags(GpImage image, UINT* flags) {
  return CallExternal<99, decltype(&platform::gdiplus::GdipGetImageFlags)>(image, flags);
}

inline GpStatus GdipGetImagePixelFormat(GpImage image, PixelFormat* format) {
  return CallExternal<100, decltype(&platform::gdiplus::GdipGetImagePixelFormat)>(image, format);
}

inline GpStatus GdipGetImageEncodersSize(UINT* count, UINT* size) {
  return CallExternal<101, decltype(&platform::gdiplus::GdipGetImageEncodersSize)>(count, size);
}

inline GpStatus GdipGetImageEncoders(UINT count, UINT size, ImageCodecInfo* encoders) {
  return CallExternal<102, decltype(&platform::gdiplus::GdipGetImageEncoders)>(count, size, encoders);
}

inline int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideLength, char* text, int length, const char* defaultChar, BOOL* usedDefault) {
  return CallExternal<103, decltype(&platform::kernel32::WideCharToMultiByte)>(codePage, flags, wide, wideLength, text, length, defaultChar, usedDefault);
}

inline GpStatus GdipGetEncoderParameterListSize(GpImage image, const CLSID* encoder, UINT* size) {
  return CallExternal<104, decltype(&platform::gdiplus::GdipGetEncoderParameterListSize)>(image, encoder, size);
}

inline GpStatus GdipGetEncoderParameterList(GpImage image, const CLSID* encoder, UINT size, EncoderParameters* list) {
  return CallExternal<105, decltype(&platform::gdiplus::GdipGetEncoderParameterList)>(image, encoder, size, list);
}

inline void RtlMoveMemory106(void* destination, const void* source, SIZE_T length) {
  return CallExternal<106, decltype(&platform::kernel32::RtlMoveMemory)>(destination, source, length);
}

inline GpStatus GdipCloneImage(GpImage image, GpImage* clone) {
  return CallExternal<107, decltype(&platform::gdiplus::GdipCloneImage)>(image, clone);
}

inline GpStatus GdipSetInterpolationMode(GpGraphics graphics, InterpolationMode mode) {
  return CallExternal<108, decltype(&platform::gdiplus::GdipSetInterpolationMode)>(graphics, mode);
}

inline GpStatus GdipGetImageThumbnail(GpImage image, UINT width, UINT height, GpImage* thumbnail, GetThumbnailImageAbort callback, void* callbackData) {
  return CallExternal<109, decltype(&platform::gdiplus::GdipGetImageThumbnail)>(image, width, height, thumbnail, callback, callbackData);
}

inline GpStatus GdipImageRotateFlip(GpImage image, RotateFlipType kind) {
  return CallExternal<110, decltype(&platform::gdiplus::GdipImageRotateFlip)>(image, kind);
}

inline GpStatus GdipGetPropertySize(GpImage image, UINT* totalSize, UINT* count) {
  return CallExternal<111, decltype(&platform::gdiplus::GdipGetPropertySize)>(image, totalSize, count);
}

inline GpStatus GdipGetPropertyIdList(GpImage image, UINT count, PROPID* list) {
  return CallExternal<112, decltype(&platform::gdiplus::GdipGetPropertyIdList)>(image, count, list);
}

inline GpStatus GdipGetPropertyItemSize(GpImage image, PROPID id, UINT* size) {
  return CallExternal<113, decltype(&platform::gdiplus::GdipGetPropertyItemSize)>(image, id, size);
}

inline GpStatus GdipGetPropertyItem(GpImage image, PROPID id, UINT size, PropertyItem* buffer) {
  return CallExternal<114, decltype(&platform::gdiplus::GdipGetPropertyItem)>(image, id, size, buffer);
}

inline GpStatus GdipDrawImage(GpGraphics graphics, GpImage image, REAL x, REAL y) {
  return CallExternal<115, decltype(&platform::gdiplus::GdipDrawImage)>(graphics, image, x, y);
}

inline void RtlMoveMemory116(void* destination, const void* source, SIZE_T length) {
  return CallExternal<116, decltype(&platform::kernel32::RtlMoveMemory)>(destination, source, length);
}

inline GpStatus GdipImageGetFrameCount(GpImage image, const GUID* dimension, UINT* count) {
  return CallExternal<117, decltype(&platform::gdiplus::GdipImageGetFrameCount)>(image, dimension, count);
}

inline GpStatus GdipImageGetFrameDimensionsCount(GpImage image, UINT* count) {
  return CallExternal<118, decltype(&platform::gdiplus::GdipImageGetFrameDimensionsCount)>(image, count);
}

inline GpStatus GdipImageGetFrameDimensionsList(GpImage image, GUID* dimensions, UINT count) {
  return CallExternal<119, decltype(&platform::gdiplus::GdipImageGetFrameDimensionsList)>(image, dimensions, count);
}

inline GpStatus GdipImageSelectActiveFrame(GpImage image, const GUID* dimension, UINT index) {
  return CallExternal<120, decltype(&platform::gdiplus::GdipImageSelectActiveFrame)>(image, dimension, index);
}

inline GpStatus GdipSaveAdd(GpImage image, const EncoderParameters* parameters) {
  return CallExternal<121, decltype(&platform::gdiplus::GdipSaveAdd)>(image, parameters);
}

inline GpStatus GdipSaveAddImage(GpImage image, GpImage added, const EncoderParameters* parameters) {
  return CallExternal<122, decltype(&platform::gdiplus::GdipSaveAddImage)>(image, added, parameters);
}

inline HGLOBAL GlobalFree(HGLOBAL memory) {
  return CallExternal<123, decltype(&platform::kernel32::GlobalFree)>(memory);
}

inline HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  return CallExternal<124, decltype(&platform::kernel32::GlobalAlloc)>(flags, bytes);
}

inline HRESULT CreateStreamOnHGlobal(HGLOBAL memory, BOOL deleteOnRelease, ISTREAM* stream) {
  return CallExternal<125, decltype(&platform::ole32::CreateStreamOnHGlobal)>(memory, deleteOnRelease, stream);
}

inline void* GlobalLock(HGLOBAL memory) {
  return CallExternal<126, decltype(&platform::kernel32::GlobalLock)>(memory);
}

inline BOOL GlobalUnlock(HGLOBAL memory) {
  return CallExternal<127, decltype(&platform::kernel32::GlobalUnlock)>(memory);
}

inline SIZE_T GlobalSize(HGLOBAL memory) {
  return CallExternal<128, decltype(&platform::kernel32::GlobalSize)>(memory);
}

inline HWND CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param) {
  return CallExternal<129, decltype(&platform::user32::CreateWindowExA)>(exStyle, className, title, style, x, y, width, height, parent, menu, instance, param);
}

inline char* lstrcpyn(char* destination, const char* source, int maxLength) {
  return CallExternal<130, decltype(&platform::kernel32::lstrcpyn)>(destination, source, maxLength);
}

inline char* lstrcpyn131(char* destination, const char* source, int maxLength) {
  return CallExternal<131, decltype(&platform::kernel32::lstrcpyn)>(destination, source, maxLength);
}

inline LONG_PTR GetWindowLongA(HWND window, int index) {
  return CallExternal<132, decltype(&platform::user32::GetWindowLongA)>(window, index);
}

inline LONG_PTR SetWindowLongA133(HWND window, int index, LONG_PTR value) {
  return CallExternal<133, decltype(&platform::user32::SetWindowLongA)>(window, index, value);
}

inline HWND SetFocus(HWND window) {
  return CallExternal<134, decltype(&platform::user32::SetFocus)>(window);
}

inline char* lstrcpyn135(char* destination, const char* source, int maxLength) {
  return CallExternal<135, decltype(&platform::kernel32::lstrcpyn)>(destination, source, maxLength);
}

inline char* lstrcpyn136(char* destination, const char* source, int maxLength) {
  return CallExternal<136, decltype(&platform::kernel32::lstrcpyn)>(destination, source, maxLength);
}

inline BOOL ImageList_Destroy(HIMAGELIST list) {
  return CallExternal<137, decltype(&platform::comctl32::ImageList_Destroy)>(list);
}

inline HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow) {
  return CallExternal<138, decltype(&platform::comctl32::ImageList_Create)>(width, height, flags, initial, grow);
}

inline COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF colour) {
  return CallExternal<139, decltype(&platform::comctl32::ImageList_SetBkColor)>(list, colour);
}

inline int ImageList_AddIcon(HIMAGELIST list, HICON icon) {
  return CallExternal<140, decltype(&platform::comctl32::ImageList_AddIcon)>(list, icon);
}

inline BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  return CallExternal<141, decltype(&platform::user32::SetWindowPos)>(window, insertAfter, x, y, width, height, flags);
}

inline BOOL IsWindow(HWND window) {
  return CallExternal<142, decltype(&platform::user32::IsWindow)>(window);
}

inline BOOL IsWindowVisible(HWND window) {
  return CallExternal<143, decltype(&platform::user32::IsWindowVisible)>(window);
}

inline BOOL ShowWindow(HWND window, int command) {
  return CallExternal<144, decltype(&platform::user32::ShowWindow)>(window, command);
}

}  // namespace ext
