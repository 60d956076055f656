// Writing a whole file so that a failure never destroys the old one: the parts go to a new,
// hidden sibling file that replaces the target only when every part was written and the file
// closed cleanly. A folder, read-only file or special file (a named pipe, a device) at the path
// is refused, as opening it for writing would be. A symbolic link is written through: the file
// it leads to is replaced from a sibling in its own folder, so the replacement stays one rename
// on one file system. The frame's WriteFile and the imaging library's saves both write this way.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace platform::files {

// `gbkPath` with "\" or "/"; true when the file at the path now holds the parts in order.
bool WriteWholeFile(const char* gbkPath, std::span<const std::span<const uint8_t>> parts);

// Why writes failed, for messages that name the cause: the C library's error number of the call
// that stopped a failed write to the path (ENOSPC, ENAMETOOLONG, EACCES, ...), looked up among the
// first and the latest failures since ForgetWriteFailures on this thread; 0 when none of them
// was at that path, or when the write was refused before any call failed (the path names a
// folder, a read-only or special file).
int WriteErrorOf(std::string_view gbkPath);
void ForgetWriteFailures();

}  // namespace platform::files
