// Placeholders: every function answers its documented failure value until implemented.
#include "platform/api.h"

namespace platform::shell32 {

HICON ExtractIconA(HINSTANCE, const char*, UINT) { return 0; }
HICON ExtractAssociatedIconA(HINSTANCE, char*, WORD*) { return 0; }

}  // namespace platform::shell32
