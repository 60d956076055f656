// Placeholders: every function answers its documented failure value until implemented.
#include "platform/api.h"

namespace platform::kernel32 {

HMODULE GetModuleHandleA(const char*) { return 0; }
DWORD GetModuleFileNameA(HMODULE, char*, DWORD) { return 0; }
DWORD GetCurrentProcessId() { return 0; }
DWORD GetCurrentThreadId() { return 0; }
DWORD GetTickCount() { return 0; }
DWORD GetLastError() { return 0; }
HMODULE LoadLibraryA(const char*) { return 0; }

}  // namespace platform::kernel32
