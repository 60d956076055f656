// Placeholders: every function answers its documented failure value until implemented.
#include "platform/api.h"

namespace platform::kernel32 {

HANDLE FindFirstFileA(const char*, WIN32_FIND_DATAA*) { return INVALID_HANDLE_VALUE; }
BOOL FindNextFileA(HANDLE, WIN32_FIND_DATAA*) { return 0; }
BOOL FindClose(HANDLE) { return 0; }
DWORD GetFileAttributesA(const char*) { return INVALID_FILE_ATTRIBUTES; }
BOOL DeleteFileA(const char*) { return 0; }
BOOL SetCurrentDirectoryA(const char*) { return 0; }
DWORD GetCurrentDirectoryA(DWORD, char*) { return 0; }
DWORD GetTempPathA(DWORD, char*) { return 0; }
DWORD GetLogicalDriveStringsA(DWORD, char*) { return 0; }
UINT GetDriveTypeA(const char*) { return 0; }

}  // namespace platform::kernel32
