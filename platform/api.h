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
// Modules and the process.
win32::HMODULE GetModuleHandleA(const char* name);
win32::DWORD GetModuleFileNameA(win32::HMODULE module, char* buffer, win32::DWORD size);
win32::DWORD GetCurrentProcessId();
win32::DWORD GetCurrentThreadId();
win32::DWORD GetTickCount();
win32::DWORD GetLastError();
void SetLastError(win32::DWORD error);
win32::HMODULE LoadLibraryA(const char* name);
win32::HMODULE LoadLibraryExA(const char* name, win32::HANDLE reserved, win32::DWORD flags);
win32::BOOL FreeLibrary(win32::HMODULE module);
// Resources of a module loaded as a data file.
win32::BOOL EnumResourceNamesA(win32::HMODULE module, const char* type,
                               win32::ENUMRESNAMEPROCA proc, win32::LONG_PTR param);
win32::HRSRC FindResourceA(win32::HMODULE module, const char* name, const char* type);
win32::HRSRCDATA LoadResource(win32::HMODULE module, win32::HRSRC resource);
void* LockResource(win32::HRSRCDATA data);
win32::DWORD SizeofResource(win32::HMODULE module, win32::HRSRC resource);
// Files and folders. Share modes are accepted but not enforced (the file system has no mandatory
// locks); a file's "read-only" attribute (owner cannot write) refuses writing, replacing and
// deleting it, whoever runs the program.
win32::HANDLE CreateFileA(const char* path, win32::DWORD access, win32::DWORD shareMode,
                          const win32::SECURITY_ATTRIBUTES* security, win32::DWORD disposition,
                          win32::DWORD flags, win32::HANDLE templateFile);
win32::BOOL ReadFile(win32::HANDLE file, void* buffer, win32::DWORD toRead, win32::DWORD* read,
                     void* overlapped);
win32::BOOL WriteFile(win32::HANDLE file, const void* buffer, win32::DWORD toWrite,
                      win32::DWORD* written, void* overlapped);
win32::DWORD GetFileSize(win32::HANDLE file, win32::DWORD* sizeHigh);
win32::BOOL CloseHandle(win32::HANDLE object);
win32::BOOL MoveFileExA(const char* from, const char* to, win32::DWORD flags);
// The replacement takes the replaced file's place, name, permissions and owner (no backup).
win32::BOOL ReplaceFileA(const char* replaced, const char* replacement, const char* backup,
                         win32::DWORD flags, void* exclude, void* reserved);
win32::HANDLE FindFirstFileA(const char* pattern, win32::WIN32_FIND_DATAA* data);
win32::BOOL FindNextFileA(win32::HANDLE search, win32::WIN32_FIND_DATAA* data);
win32::BOOL FindClose(win32::HANDLE search);
win32::DWORD GetFileAttributesA(const char* path);
win32::BOOL DeleteFileA(const char* path);
win32::BOOL SetCurrentDirectoryA(const char* path);
win32::DWORD GetCurrentDirectoryA(win32::DWORD size, char* buffer);
win32::DWORD GetTempPathA(win32::DWORD size, char* buffer);
win32::DWORD GetLogicalDriveStringsA(win32::DWORD size, char* buffer);
win32::UINT GetDriveTypeA(const char* root);
// Memory.
win32::HGLOBAL GlobalAlloc(win32::UINT flags, win32::SIZE_T bytes);
win32::HGLOBAL GlobalFree(win32::HGLOBAL memory);
void* GlobalLock(win32::HGLOBAL memory);
win32::BOOL GlobalUnlock(win32::HGLOBAL memory);
win32::SIZE_T GlobalSize(win32::HGLOBAL memory);
void* VirtualAlloc(void* address, win32::SIZE_T size, win32::DWORD type, win32::DWORD protect);
win32::BOOL VirtualFree(void* address, win32::SIZE_T size, win32::DWORD type);
void RtlMoveMemory(void* destination, const void* source, win32::SIZE_T length);
char* lstrcpyn(char* destination, const char* source, int maxLength);
// Code pages (936 and the ANSI code page 0 are GBK; 65001 is UTF-8).
int MultiByteToWideChar(win32::UINT codePage, win32::DWORD flags, const char* text, int length,
                        win32::WCHAR* wide, int wideLength);
int WideCharToMultiByte(win32::UINT codePage, win32::DWORD flags, const win32::WCHAR* wide,
                        int wideLength, char* text, int length, const char* defaultChar,
                        win32::BOOL* usedDefault);
}  // namespace kernel32

namespace shlwapi {
win32::BOOL PathRemoveFileSpecA(char* path);
win32::BOOL PathIsDirectoryA(const char* path);
char* PathFindExtensionA(const char* path);
char* PathFindFileNameA(const char* path);
}  // namespace shlwapi

namespace user32 {
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
}  // namespace user32

namespace gdi32 {
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
}  // namespace gdi32

namespace shell32 {
win32::HICON ExtractIconA(win32::HINSTANCE instance, const char* path, win32::UINT index);
win32::HICON ExtractAssociatedIconA(win32::HINSTANCE instance, char* path, win32::WORD* index);
win32::PIDLIST SHBrowseForFolderA(win32::BROWSEINFOA* info);
win32::BOOL SHGetPathFromIDListA(win32::PIDLIST folder, char* path);
win32::HINSTANCE ShellExecuteA(win32::HWND owner, const char* verb, const char* file,
                               const char* parameters, const char* folder, int show);
int SHCreateDirectoryExA(win32::HWND owner, const char* path,
                         const win32::SECURITY_ATTRIBUTES* security);
int SHFileOperationA(win32::SHFILEOPSTRUCTA* operation);
win32::BOOL SHGetSpecialFolderPathA(win32::HWND owner, char* path, int folder, win32::BOOL create);
}  // namespace shell32

namespace comdlg32 {
win32::BOOL GetOpenFileNameA(win32::OPENFILENAMEA* request);
win32::BOOL GetSaveFileNameA(win32::OPENFILENAMEA* request);
}  // namespace comdlg32

namespace comctl32 {
win32::HIMAGELIST ImageList_Create(int width, int height, win32::UINT flags, int initial, int grow);
win32::BOOL ImageList_Destroy(win32::HIMAGELIST list);
win32::COLORREF ImageList_SetBkColor(win32::HIMAGELIST list, win32::COLORREF colour);
int ImageList_AddIcon(win32::HIMAGELIST list, win32::HICON icon);
}  // namespace comctl32

namespace ole32 {
win32::HRESULT CreateStreamOnHGlobal(win32::HGLOBAL memory, win32::BOOL deleteOnRelease,
                                     win32::ISTREAM* stream);
// The stream interface's Release as a plain export, since the table of external functions holds
// no interface methods; the frame's ReleaseInterface reaches it. Returns the remaining references.
win32::ULONG IStream_Release(win32::ISTREAM stream);
}  // namespace ole32

namespace gdiplus {
win32::GpStatus GdiplusStartup(win32::ULONG_PTR* token, const win32::GdiplusStartupInput* input,
                               void* output);
win32::GpStatus GdipDisposeImage(win32::GpImage image);
win32::GpStatus GdipCreateBitmapFromGraphics(win32::INT width, win32::INT height,
                                             win32::GpGraphics graphics, win32::GpBitmap* bitmap);
win32::GpStatus GdipLoadImageFromFile(const win32::WCHAR* path, win32::GpImage* image);
win32::GpStatus GdipLoadImageFromStream(win32::ISTREAM stream, win32::GpImage* image);
win32::GpStatus GdipSaveImageToStream(win32::GpImage image, win32::ISTREAM stream,
                                      const win32::CLSID* encoder,
                                      const win32::EncoderParameters* parameters);
win32::GpStatus GdipCreateFromHDC(win32::HDC dc, win32::GpGraphics* graphics);
win32::GpStatus GdipCreateBitmapFromScan0(win32::INT width, win32::INT height, win32::INT stride,
                                          win32::PixelFormat format, win32::BYTE* scan0,
                                          win32::GpBitmap* bitmap);
win32::GpStatus GdipGetImageGraphicsContext(win32::GpImage image, win32::GpGraphics* graphics);
win32::GpStatus GdipCreateSolidFill(win32::ARGB colour, win32::GpSolidFill* brush);
win32::GpStatus GdipFillRectangle(win32::GpGraphics graphics, win32::GpBrush brush, win32::REAL x,
                                  win32::REAL y, win32::REAL width, win32::REAL height);
win32::GpStatus GdipDrawImageRect(win32::GpGraphics graphics, win32::GpImage image, win32::REAL x,
                                  win32::REAL y, win32::REAL width, win32::REAL height);
win32::GpStatus GdipDeleteBrush(win32::GpBrush brush);
win32::GpStatus GdipDeleteGraphics(win32::GpGraphics graphics);
win32::GpStatus GdipCreateBitmapFromHBITMAP(win32::HBITMAP bitmap, win32::HPALETTE palette,
                                            win32::GpBitmap* result);
win32::GpStatus GdipGetImageType(win32::GpImage image, win32::ImageType* type);
win32::GpStatus GdipCreateBitmapFromFile(const win32::WCHAR* path, win32::GpBitmap* bitmap);
win32::GpStatus GdipGetImageWidth(win32::GpImage image, win32::UINT* width);
win32::GpStatus GdipGetImageHeight(win32::GpImage image, win32::UINT* height);
win32::GpStatus GdipCreateBitmapFromHICON(win32::HICON icon, win32::GpBitmap* bitmap);
win32::GpStatus GdipCreateHBITMAPFromBitmap(win32::GpBitmap bitmap, win32::HBITMAP* result,
                                            win32::ARGB background);
win32::GpStatus GdipCreateHICONFromBitmap(win32::GpBitmap bitmap, win32::HICON* result);
win32::GpStatus GdipBitmapSetPixel(win32::GpBitmap bitmap, win32::INT x, win32::INT y,
                                   win32::ARGB colour);
win32::GpStatus GdipBitmapGetPixel(win32::GpBitmap bitmap, win32::INT x, win32::INT y,
                                   win32::ARGB* colour);
win32::GpStatus GdipBitmapSetResolution(win32::GpBitmap bitmap, win32::REAL xdpi, win32::REAL ydpi);
win32::GpStatus GdipGetImageRawFormat(win32::GpImage image, win32::GUID* format);
win32::GpStatus GdipSaveImageToFile(win32::GpImage image, const win32::WCHAR* path,
                                    const win32::CLSID* encoder,
                                    const win32::EncoderParameters* parameters);
win32::GpStatus GdipGetImageDimension(win32::GpImage image, win32::REAL* width,
                                      win32::REAL* height);
win32::GpStatus GdipGetImageBounds(win32::GpImage image, win32::GpRectF* bounds,
                                   win32::GpUnit* unit);
win32::GpStatus GdipGetImageHorizontalResolution(win32::GpImage image, win32::REAL* resolution);
win32::GpStatus GdipGetImageVerticalResolution(win32::GpImage image, win32::REAL* resolution);
win32::GpStatus GdipGetImageFlags(win32::GpImage image, win32::UINT* flags);
win32::GpStatus GdipGetImagePixelFormat(win32::GpImage image, win32::PixelFormat* format);
win32::GpStatus GdipGetImageEncodersSize(win32::UINT* count, win32::UINT* size);
win32::GpStatus GdipGetImageEncoders(win32::UINT count, win32::UINT size,
                                     win32::ImageCodecInfo* encoders);
win32::GpStatus GdipGetEncoderParameterListSize(win32::GpImage image, const win32::CLSID* encoder,
                                                win32::UINT* size);
win32::GpStatus GdipGetEncoderParameterList(win32::GpImage image, const win32::CLSID* encoder,
                                            win32::UINT size, win32::EncoderParameters* list);
win32::GpStatus GdipCloneImage(win32::GpImage image, win32::GpImage* clone);
win32::GpStatus GdipSetInterpolationMode(win32::GpGraphics graphics, win32::InterpolationMode mode);
win32::GpStatus GdipGetImageThumbnail(win32::GpImage image, win32::UINT width, win32::UINT height,
                                      win32::GpImage* thumbnail,
                                      win32::GetThumbnailImageAbort callback, void* callbackData);
win32::GpStatus GdipImageRotateFlip(win32::GpImage image, win32::RotateFlipType kind);
win32::GpStatus GdipGetPropertySize(win32::GpImage image, win32::UINT* totalSize,
                                    win32::UINT* count);
win32::GpStatus GdipGetPropertyIdList(win32::GpImage image, win32::UINT count, win32::PROPID* list);
win32::GpStatus GdipGetPropertyItemSize(win32::GpImage image, win32::PROPID id, win32::UINT* size);
win32::GpStatus GdipGetPropertyItem(win32::GpImage image, win32::PROPID id, win32::UINT size,
                                    win32::PropertyItem* buffer);
win32::GpStatus GdipDrawImage(win32::GpGraphics graphics, win32::GpImage image, win32::REAL x,
                              win32::REAL y);
win32::GpStatus GdipImageGetFrameCount(win32::GpImage image, const win32::GUID* dimension,
                                       win32::UINT* count);
win32::GpStatus GdipImageGetFrameDimensionsCount(win32::GpImage image, win32::UINT* count);
win32::GpStatus GdipImageGetFrameDimensionsList(win32::GpImage image, win32::GUID* dimensions,
                                                win32::UINT count);
win32::GpStatus GdipImageSelectActiveFrame(win32::GpImage image, const win32::GUID* dimension,
                                           win32::UINT index);
win32::GpStatus GdipSaveAdd(win32::GpImage image, const win32::EncoderParameters* parameters);
win32::GpStatus GdipSaveAddImage(win32::GpImage image, win32::GpImage added,
                                 const win32::EncoderParameters* parameters);
}  // namespace gdiplus

}  // namespace platform
