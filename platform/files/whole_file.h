// Writing a whole file so that a failure never destroys the old one: the parts go to a new,
// hidden sibling file that replaces the target only when every part was written and the file
// closed cleanly. A folder or read-only file at the path is refused, as opening it for writing
// would be. The frame's WriteFile and the imaging library's saves both write this way.
#pragma once

#include <cstdint>
#include <span>

namespace platform::files {

// `gbkPath` with "\" or "/"; true when the file at the path now holds the parts in order.
bool WriteWholeFile(const char* gbkPath, std::span<const std::span<const uint8_t>> parts);

}  // namespace platform::files
