// What the kernel32 stand-in's files share: error numbers, attributes, name patterns.
#pragma once

#include <sys/stat.h>

#include <string_view>

#include "platform/win32/types.h"

namespace platform::kernel32 {

// Sets the thread's last error from a C library error number.
void SetLastErrorFromErrno(int error);

// Windows-style attributes of a file system entry called `name`: directory 0x10, archive 0x20 on
// regular files, system 0x04 on other special files, hidden 0x02 for names starting with "."
// (but not "." and ".."), read-only 0x01 when the owner cannot write.
win32::DWORD FileAttributes(const struct stat& info, std::string_view name);

// Whether a GBK name matches a file search pattern: "*" any run of characters, "?" one
// character, letters without regard to case; a pattern ending in ".*" also matches the name
// without an extension, so "*.*" matches every name.
bool MatchesFilePattern(std::string_view pattern, std::string_view name);

}  // namespace platform::kernel32
