// The stand-in libraries: every operating-system function the program declares in its table of
// external functions, plus the few the frame itself uses (file search continuation, module and
// resource access, files). The binder (frame/external) finds them by library and name through the
// module registry (modules.h); the program never calls these declarations directly.
//
// Texts are GBK byte strings; paths accept "\" and "/" and come back with "/".
#pragma once

#include "platform/win32.h"

namespace platform {

namespace kernel32 {
using namespace win32;
// Modules and the process.
HMODULE GetModuleHandleA(const char* name);
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);
DWORD GetCurrentProcessId();
DWORD GetCurrentThreadId();
DWORD GetTickCount();
DWORD GetLastError();
void SetLastError(DWORD error);
HMODULE LoadLibraryA(const char* name);
HMODULE LoadLibraryExA(const char* name, HANDLE reserved, DWORD flags);
BOOL FreeLibrary(HMODULE module);
// Resources of a module loaded as a data file.
BOOL EnumResourceNamesA(HMODULE module, const char* type, ENUMRESNAMEPROCA proc, LONG_PTR param);
HRSRC FindResourceA(HMODULE module, const char* name, const char* type);
HRSRCDATA LoadResource(HMODULE module, HRSRC resource);
void* LockResource(HRSRCDATA data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Files and folders. Share modes are accepted but not enforced (the file system has no mandatory
// locks); a file's "read-only" attribute (owner cannot write) refuses writing, replacing and
// deleting it, whoever runs the program.
HANDLE CreateFileA(const char* path, DWORD access, DWORD shareMode,
                   const SECURITY_ATTRIBUTES* security, DWORD disposition, DWORD flags,
                   HANDLE templateFile);
BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read, void* overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written, void* overlapped);
DWORD GetFileSize(HANDLE file, DWORD* sizeHigh);
BOOL CloseHandle(HANDLE object);
BOOL MoveFileExA(const char* from, const char* to, DWORD flags);
// The replacement takes the replaced file's place, name, permissions and owner (no backup).
BOOL ReplaceFileA(const char* replaced, const char* replacement, const char* backup, DWORD flags,
                  void* exclude, void* reserved);
HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data);
BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE search);
DWORD GetFileAttributesA(const char* path);
BOOL DeleteFileA(const char* path);
BOOL SetCurrentDirectoryA(const char* path);
DWORD GetCurrentDirectoryA(DWORD size, char* buffer);
DWORD GetTempPathA(DWORD size, char* buffer);
DWORD GetLogicalDriveStringsA(DWORD size, char* buffer);
UINT GetDriveTypeA(const char* root);
// Memory.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL GlobalFree(HGLOBAL memory);
void* GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
SIZE_T GlobalSize(HGLOBAL memory);
void* VirtualAlloc(void* address, SIZE_T size, DWORD type, DWORD protect);
BOOL VirtualFree(void* address, SIZE_T size, DWORD type);
void RtlMoveMemory(void* destination, const void* source, SIZE_T length);
char* lstrcpyn(char* destination, const char* source, int maxLength);
// Code pages (936 and the ANSI code page 0 are GBK; 65001 is UTF-8).
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length, WCHAR* wide,
                        int wideLength);
int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideLength, char* text,
                        int length, const char* defaultChar, BOOL* usedDefault);
}  // namespace kernel32

namespace shlwapi {
using namespace win32;
BOOL PathRemoveFileSpecA(char* path);
BOOL PathIsDirectoryA(const char* path);
char* PathFindExtensionA(const char* path);
char* PathFindFileNameA(const char* path);
}  // namespace shlwapi

namespace user32 {
using namespace win32;
// Icons and device contexts.
BOOL DestroyIcon(HICON icon);
BOOL GetIconInfo(HICON icon, ICONINFO* info);
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step,
                HBRUSH flickerFreeBrush, UINT flags);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
HANDLE LoadImageA(HINSTANCE instance, const char* name, UINT type, int width, int height,
                  UINT flags);
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// Windows.
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL EnumWindows(WNDENUMPROC proc, LPARAM param);
HWND GetParent(HWND window);
DWORD GetWindowThreadProcessId(HWND window, DWORD* processId);
BOOL GetWindowRect(HWND window, RECT* rect);
int GetClassNameA(HWND window, char* buffer, int size);
int GetWindowTextA(HWND window, char* buffer, int size);
BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement);
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL IsWindow(HWND window);
BOOL IsWindowVisible(HWND window);
BOOL ShowWindow(HWND window, int command);
HWND SetFocus(HWND window);
LONG_PTR GetWindowLongA(HWND window, int index);
LONG_PTR SetWindowLongA(HWND window, int index, LONG_PTR value);
LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* param);
BOOL DestroyWindow(HWND window);
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT flags);
// Not in the program's table; the frame uses them for its windows, units and cursors.
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);
HWND SetParent(HWND window, HWND parent);
BOOL GetClientRect(HWND window, RECT* rect);
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowTextA(HWND window, const char* text);
HWND GetFocus();
void PostQuitMessage(int exitCode);
HCURSOR LoadCursorA(HINSTANCE instance, const char* name);
HCURSOR SetCursor(HCURSOR cursor);
BOOL DestroyCursor(HCURSOR cursor);
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
BOOL ReleaseCapture();
}  // namespace user32

namespace gdi32 {
using namespace win32;
HDC CreateCompatibleDC(HDC dc);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HBRUSH CreateSolidBrush(COLORREF colour);
BOOL DeleteObject(HGDIOBJ object);
BOOL DeleteDC(HDC dc);
int GetDIBits(HDC dc, HBITMAP bitmap, UINT startRow, UINT rows, void* bits, BITMAPINFO* info,
              UINT usage);
int GetObjectA(HANDLE object, int size, void* buffer);
int SetStretchBltMode(HDC dc, int mode);
}  // namespace gdi32

namespace shell32 {
using namespace win32;
HICON ExtractIconA(HINSTANCE instance, const char* path, UINT index);
HICON ExtractAssociatedIconA(HINSTANCE instance, char* path, WORD* index);
PIDLIST SHBrowseForFolderA(BROWSEINFOA* info);
BOOL SHGetPathFromIDListA(PIDLIST folder, char* path);
HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* folder, int show);
int SHCreateDirectoryExA(HWND owner, const char* path, const SECURITY_ATTRIBUTES* security);
int SHFileOperationA(SHFILEOPSTRUCTA* operation);
BOOL SHGetSpecialFolderPathA(HWND owner, char* path, int folder, BOOL create);
}  // namespace shell32

namespace comdlg32 {
using namespace win32;
BOOL GetOpenFileNameA(OPENFILENAMEA* request);
BOOL GetSaveFileNameA(OPENFILENAMEA* request);
}  // namespace comdlg32

namespace comctl32 {
using namespace win32;
HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF colour);
int ImageList_AddIcon(HIMAGELIST list, HICON icon);
}  // namespace comctl32

namespace ole32 {
using namespace win32;
HRESULT CreateStreamOnHGlobal(HGLOBAL memory, BOOL deleteOnRelease, ISTREAM* stream);
// The stream interface's Release as a plain export (the original program calls the method through
// the interface); the frame's ReleaseInterface reaches it. Returns the remaining references.
ULONG IStream_Release(ISTREAM stream);
}  // namespace ole32

namespace gdiplus {
using namespace win32;
GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, void* output);
GpStatus GdipDisposeImage(GpImage image);
GpStatus GdipCreateBitmapFromGraphics(INT width, INT height, GpGraphics graphics,
                                      GpBitmap* bitmap);
GpStatus GdipLoadImageFromFile(const WCHAR* path, GpImage* image);
GpStatus GdipLoadImageFromStream(ISTREAM stream, GpImage* image);
GpStatus GdipSaveImageToStream(GpImage image, ISTREAM stream, const CLSID* encoder,
                               const EncoderParameters* parameters);
GpStatus GdipCreateFromHDC(HDC dc, GpGraphics* graphics);
GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format,
                                   BYTE* scan0, GpBitmap* bitmap);
GpStatus GdipGetImageGraphicsContext(GpImage image, GpGraphics* graphics);
GpStatus GdipCreateSolidFill(ARGB colour, GpSolidFill* brush);
GpStatus GdipFillRectangle(GpGraphics graphics, GpBrush brush, REAL x, REAL y, REAL width,
                           REAL height);
GpStatus GdipDrawImageRect(GpGraphics graphics, GpImage image, REAL x, REAL y, REAL width,
                           REAL height);
GpStatus GdipDeleteBrush(GpBrush brush);
GpStatus GdipDeleteGraphics(GpGraphics graphics);
GpStatus GdipCreateBitmapFromHBITMAP(HBITMAP bitmap, HPALETTE palette, GpBitmap* result);
GpStatus GdipGetImageType(GpImage image, ImageType* type);
GpStatus GdipCreateBitmapFromFile(const WCHAR* path, GpBitmap* bitmap);
GpStatus GdipGetImageWidth(GpImage image, UINT* width);
GpStatus GdipGetImageHeight(GpImage image, UINT* height);
GpStatus GdipCreateBitmapFromHICON(HICON icon, GpBitmap* bitmap);
GpStatus GdipCreateHBITMAPFromBitmap(GpBitmap bitmap, HBITMAP* result, ARGB background);
GpStatus GdipCreateHICONFromBitmap(GpBitmap bitmap, HICON* result);
GpStatus GdipBitmapSetPixel(GpBitmap bitmap, INT x, INT y, ARGB colour);
GpStatus GdipBitmapGetPixel(GpBitmap bitmap, INT x, INT y, ARGB* colour);
GpStatus GdipBitmapSetResolution(GpBitmap bitmap, REAL xdpi, REAL ydpi);
GpStatus GdipGetImageRawFormat(GpImage image, GUID* format);
GpStatus GdipSaveImageToFile(GpImage image, const WCHAR* path, const CLSID* encoder,
                             const EncoderParameters* parameters);
GpStatus GdipGetImageDimension(GpImage image, REAL* width, REAL* height);
GpStatus GdipGetImageBounds(GpImage image, GpRectF* bounds, GpUnit* unit);
GpStatus GdipGetImageHorizontalResolution(GpImage image, REAL* resolution);
GpStatus GdipGetImageVerticalResolution(GpImage image, REAL* resolution);
GpStatus GdipGetImageFlags(GpImage image, UINT* flags);
GpStatus GdipGetImagePixelFormat(GpImage image, PixelFormat* format);
GpStatus GdipGetImageEncodersSize(UINT* count, UINT* size);
GpStatus GdipGetImageEncoders(UINT count, UINT size, ImageCodecInfo* encoders);
GpStatus GdipGetEncoderParameterListSize(GpImage image, const CLSID* encoder, UINT* size);
GpStatus GdipGetEncoderParameterList(GpImage image, const CLSID* encoder, UINT size,
                                     EncoderParameters* list);
GpStatus GdipCloneImage(GpImage image, GpImage* clone);
GpStatus GdipSetInterpolationMode(GpGraphics graphics, InterpolationMode mode);
GpStatus GdipGetImageThumbnail(GpImage image, UINT width, UINT height, GpImage* thumbnail,
                               GetThumbnailImageAbort callback, void* callbackData);
GpStatus GdipImageRotateFlip(GpImage image, RotateFlipType kind);
GpStatus GdipGetPropertySize(GpImage image, UINT* totalSize, UINT* count);
GpStatus GdipGetPropertyIdList(GpImage image, UINT count, PROPID* list);
GpStatus GdipGetPropertyItemSize(GpImage image, PROPID id, UINT* size);
GpStatus GdipGetPropertyItem(GpImage image, PROPID id, UINT size, PropertyItem* buffer);
GpStatus GdipDrawImage(GpGraphics graphics, GpImage image, REAL x, REAL y);
GpStatus GdipImageGetFrameCount(GpImage image, const GUID* dimension, UINT* count);
GpStatus GdipImageGetFrameDimensionsCount(GpImage image, UINT* count);
GpStatus GdipImageGetFrameDimensionsList(GpImage image, GUID* dimensions, UINT count);
GpStatus GdipImageSelectActiveFrame(GpImage image, const GUID* dimension, UINT index);
GpStatus GdipSaveAdd(GpImage image, const EncoderParameters* parameters);
GpStatus GdipSaveAddImage(GpImage image, GpImage added, const EncoderParameters* parameters);
}  // namespace gdiplus

}  // namespace platform
