// Placeholders: every function answers its documented failure value until implemented.
#include "platform/api.h"

namespace platform::kernel32 {

HMODULE LoadLibraryExA(const char*, HANDLE, DWORD) { return 0; }
BOOL FreeLibrary(HMODULE) { return 0; }
BOOL EnumResourceNamesA(HMODULE, const char*, ENUMRESNAMEPROCA, LONG_PTR) { return 0; }
HRSRC FindResourceA(HMODULE, const char*, const char*) { return 0; }
HRSRCDATA LoadResource(HMODULE, HRSRC) { return 0; }
void* LockResource(HRSRCDATA) { return nullptr; }
DWORD SizeofResource(HMODULE, HRSRC) { return 0; }

}  // namespace platform::kernel32
