// Placeholders: every function answers its documented failure value until implemented.
#include "platform/api.h"

namespace platform::kernel32 {

int MultiByteToWideChar(UINT, DWORD, const char*, int, WCHAR*, int) { return 0; }
int WideCharToMultiByte(UINT, DWORD, const WCHAR*, int, char*, int, const char*, BOOL*) { return 0; }

}  // namespace platform::kernel32
