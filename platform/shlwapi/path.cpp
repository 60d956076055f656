// Placeholders: every function answers its documented failure value until implemented.
#include "platform/api.h"

namespace platform::shlwapi {

BOOL PathRemoveFileSpecA(char*) { return 0; }
BOOL PathIsDirectoryA(const char*) { return 0; }
char* PathFindExtensionA(const char*) { return nullptr; }
char* PathFindFileNameA(const char*) { return nullptr; }

}  // namespace platform::shlwapi
