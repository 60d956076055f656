// Placeholders: every function answers its documented failure value until implemented.
#include "platform/api.h"

namespace platform::kernel32 {

HGLOBAL GlobalAlloc(UINT, SIZE_T) { return 0; }
HGLOBAL GlobalFree(HGLOBAL) { return 0; }
void* GlobalLock(HGLOBAL) { return nullptr; }
BOOL GlobalUnlock(HGLOBAL) { return 0; }
SIZE_T GlobalSize(HGLOBAL) { return 0; }

}  // namespace platform::kernel32
