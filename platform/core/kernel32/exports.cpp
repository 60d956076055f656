// Exports of the kernel32 stand-in library, found by name by the binder.
#include <array>

#include "platform/core/modules.h"
#include "platform/win32/kernel32.h"

namespace platform {

std::span<const Export> Kernel32Exports() {
  using namespace kernel32;
  static const std::array<Export, 43> exports = {{
      {"GetModuleHandleA", ToAnyFunction(&GetModuleHandleA)},
      {"GetModuleFileNameA", ToAnyFunction(&GetModuleFileNameA)},
      {"GetCurrentProcessId", ToAnyFunction(&GetCurrentProcessId)},
      {"GetCurrentThreadId", ToAnyFunction(&GetCurrentThreadId)},
      {"GetTickCount", ToAnyFunction(&GetTickCount)},
      {"GetLastError", ToAnyFunction(&GetLastError)},
      {"SetLastError", ToAnyFunction(&SetLastError)},
      {"LoadLibraryA", ToAnyFunction(&LoadLibraryA)},
      {"LoadLibraryExA", ToAnyFunction(&LoadLibraryExA)},
      {"FreeLibrary", ToAnyFunction(&FreeLibrary)},
      {"EnumResourceNamesA", ToAnyFunction(&EnumResourceNamesA)},
      {"FindResourceA", ToAnyFunction(&FindResourceA)},
      {"LoadResource", ToAnyFunction(&LoadResource)},
      {"LockResource", ToAnyFunction(&LockResource)},
      {"SizeofResource", ToAnyFunction(&SizeofResource)},
      {"CreateFileA", ToAnyFunction(&CreateFileA)},
      {"ReadFile", ToAnyFunction(&ReadFile)},
      {"WriteFile", ToAnyFunction(&WriteFile)},
      {"GetFileSize", ToAnyFunction(&GetFileSize)},
      {"CloseHandle", ToAnyFunction(&CloseHandle)},
      {"MoveFileExA", ToAnyFunction(&MoveFileExA)},
      {"ReplaceFileA", ToAnyFunction(&ReplaceFileA)},
      {"FindFirstFileA", ToAnyFunction(&FindFirstFileA)},
      {"FindNextFileA", ToAnyFunction(&FindNextFileA)},
      {"FindClose", ToAnyFunction(&FindClose)},
      {"GetFileAttributesA", ToAnyFunction(&GetFileAttributesA)},
      {"DeleteFileA", ToAnyFunction(&DeleteFileA)},
      {"SetCurrentDirectoryA", ToAnyFunction(&SetCurrentDirectoryA)},
      {"GetCurrentDirectoryA", ToAnyFunction(&GetCurrentDirectoryA)},
      {"GetTempPathA", ToAnyFunction(&GetTempPathA)},
      {"GetLogicalDriveStringsA", ToAnyFunction(&GetLogicalDriveStringsA)},
      {"GetDriveTypeA", ToAnyFunction(&GetDriveTypeA)},
      {"GlobalAlloc", ToAnyFunction(&GlobalAlloc)},
      {"GlobalFree", ToAnyFunction(&GlobalFree)},
      {"GlobalLock", ToAnyFunction(&GlobalLock)},
      {"GlobalUnlock", ToAnyFunction(&GlobalUnlock)},
      {"GlobalSize", ToAnyFunction(&GlobalSize)},
      {"VirtualAlloc", ToAnyFunction(&VirtualAlloc)},
      {"VirtualFree", ToAnyFunction(&VirtualFree)},
      {"RtlMoveMemory", ToAnyFunction(&RtlMoveMemory)},
      {"lstrcpyn", ToAnyFunction(&lstrcpyn)},
      {"MultiByteToWideChar", ToAnyFunction(&MultiByteToWideChar)},
      {"WideCharToMultiByte", ToAnyFunction(&WideCharToMultiByte)},
  }};
  return exports;
}

}  // namespace platform
