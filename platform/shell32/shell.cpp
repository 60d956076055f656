// Placeholders: every function answers its documented failure value until implemented.
#include "platform/api.h"

namespace platform::shell32 {

PIDLIST SHBrowseForFolderA(BROWSEINFOA*) { return 0; }
BOOL SHGetPathFromIDListA(PIDLIST, char*) { return 0; }
HINSTANCE ShellExecuteA(HWND, const char*, const char*, const char*, const char*, int) { return 0; }
int SHCreateDirectoryExA(HWND, const char*, const SECURITY_ATTRIBUTES*) { return 0; }
int SHFileOperationA(SHFILEOPSTRUCTA*) { return 0; }
BOOL SHGetSpecialFolderPathA(HWND, char*, int, BOOL) { return 0; }

}  // namespace platform::shell32
