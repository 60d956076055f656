// Placeholders: every function answers its documented failure value until implemented.
#include "platform/api.h"

namespace platform::kernel32 {

void* VirtualAlloc(void*, SIZE_T, DWORD, DWORD) { return nullptr; }
BOOL VirtualFree(void*, SIZE_T, DWORD) { return 0; }
void RtlMoveMemory(void*, const void*, SIZE_T) { }
char* lstrcpyn(char*, const char*, int) { return nullptr; }

}  // namespace platform::kernel32
