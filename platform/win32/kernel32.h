// kernel32: files and folders, modules and their resources, memory, code pages and errors; its
// constants and records, and its functions (the file search continuation and the module and
// resource access serve the frame too).
// Texts are GBK byte strings; paths accept "\" and "/" and come back with "/". The binder finds
// the functions by library and name through the module registry (platform/core/modules.h).
#pragma once

#include "platform/win32/types.h"

namespace win32 {

// Attribute bits of files.
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;

// Opening, reading and moving files.
constexpr DWORD GENERIC_READ = 0x80000000u;
constexpr DWORD GENERIC_WRITE = 0x40000000u;
constexpr DWORD FILE_SHARE_READ = 0x01;
constexpr DWORD FILE_SHARE_WRITE = 0x02;
constexpr DWORD FILE_SHARE_DELETE = 0x04;
constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;
constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFFu;
constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x01;

// Error codes (GetLastError).
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_NOT_SAME_DEVICE = 17;
constexpr DWORD ERROR_NO_MORE_FILES = 18;
constexpr DWORD ERROR_GEN_FAILURE = 31;
constexpr DWORD ERROR_SHARING_VIOLATION = 32;
constexpr DWORD ERROR_NOT_SUPPORTED = 50;
constexpr DWORD ERROR_FILE_EXISTS = 80;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_DISK_FULL = 112;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;
constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
constexpr DWORD ERROR_DIRECTORY = 267;
constexpr DWORD ERROR_INVALID_ADDRESS = 487;
constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;

constexpr UINT CP_ACP = 0;
constexpr UINT CP_OEMCP = 1;
constexpr UINT CP_THREAD_ACP = 3;
constexpr UINT CP_GBK = 936;
constexpr UINT CP_UTF8 = 65001;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x08;
constexpr DWORD WC_ERR_INVALID_CHARS = 0x80;

constexpr UINT DRIVE_UNKNOWN = 0;
constexpr UINT DRIVE_NO_ROOT_DIR = 1;
constexpr UINT DRIVE_FIXED = 3;

// Memory.
constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr DWORD MEM_COMMIT = 0x1000;
constexpr DWORD MEM_RESERVE = 0x2000;
constexpr DWORD MEM_DECOMMIT = 0x4000;
constexpr DWORD MEM_RELEASE = 0x8000;
constexpr DWORD PAGE_NOACCESS = 0x01;
constexpr DWORD PAGE_READONLY = 0x02;
constexpr DWORD PAGE_READWRITE = 0x04;

// Modules and resources.
constexpr DWORD LOAD_LIBRARY_AS_DATAFILE = 0x02;
constexpr uintptr_t RT_ICON = 3;
constexpr uintptr_t RT_GROUP_ICON = 14;

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  char cFileName[MAX_PATH];
  char cAlternateFileName[14];
};

struct SECURITY_ATTRIBUTES {
  DWORD nLength;
  void* lpSecurityDescriptor;
  BOOL bInheritHandle;
};

using ENUMRESNAMEPROCA = BOOL (*)(HMODULE, const char* type, char* name, LONG_PTR param);

}  // namespace win32

namespace platform::kernel32 {
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
}  // namespace platform::kernel32
