// shlwapi: path functions.
// Texts are GBK byte strings; paths accept "\" and "/" and come back with "/". The binder finds
// the functions by library and name through the module registry (platform/core/modules.h).
#pragma once

#include "platform/win32/types.h"

namespace platform::shlwapi {
win32::BOOL PathRemoveFileSpecA(char* path);
win32::BOOL PathIsDirectoryA(const char* path);
char* PathFindExtensionA(const char* path);
char* PathFindFileNameA(const char* path);
}  // namespace platform::shlwapi
