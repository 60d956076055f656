// shell32: icons of files, the folder browser, special folders, opening files and file
// operations; its constants and records, and its functions.
// Texts are GBK byte strings; paths accept "\" and "/" and come back with "/". The binder finds
// the functions by library and name through the module registry (platform/core/modules.h).
#pragma once

#include "platform/win32/kernel32.h"
#include "platform/win32/types.h"
#include "platform/win32/user32.h"

namespace win32 {

// The folder browser and special folders.
constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001;
constexpr UINT BIF_EDITBOX = 0x0010;
constexpr UINT BIF_NEWDIALOGSTYLE = 0x0040;
constexpr UINT BIF_BROWSEINCLUDEFILES = 0x4000;
constexpr int CSIDL_DESKTOP = 0x0000;
constexpr int CSIDL_PERSONAL = 0x0005;
constexpr int CSIDL_DESKTOPDIRECTORY = 0x0010;
constexpr int CSIDL_MYPICTURES = 0x0027;
constexpr UINT BFFM_INITIALIZED = 1;
constexpr UINT BFFM_SETSELECTIONA = WM_USER + 102;

using BFFCALLBACK = int (*)(HWND, UINT, LPARAM, LPARAM);

struct BROWSEINFOA {
  HWND hwndOwner;
  PIDLIST pidlRoot;
  char* pszDisplayName;
  const char* lpszTitle;
  UINT ulFlags;
  BFFCALLBACK lpfn;
  LPARAM lParam;
  int iImage;
};

struct SHFILEOPSTRUCTA {
  HWND hwnd;
  UINT wFunc;
  const char* pFrom;
  const char* pTo;
  WORD fFlags;
  BOOL fAnyOperationsAborted;
  void* hNameMappings;
  const char* lpszProgressTitle;
};
constexpr UINT FO_MOVE = 1;
constexpr UINT FO_COPY = 2;
constexpr UINT FO_DELETE = 3;
constexpr UINT FO_RENAME = 4;

}  // namespace win32

namespace platform::shell32 {
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
}  // namespace platform::shell32
