// Paths between the program and the file system. The program's paths are GBK texts that may use
// "\" or "/" as separators; the file system's are UTF-8 with "/". Every stand-in function that
// takes or returns a path converts it here, so paths are handled one way everywhere.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::paths {

constexpr bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

// The file system's path for a path the program gives. The text is converted before separators
// are replaced, so a GBK trail byte 0x5C is never mistaken for "\".
std::string ToNative(std::string_view gbkPath);

// The program's text for a file system path or name: lossless, since what GBK cannot hold gets a
// private form (text/gbk.h), and so does a "\" inside a name, which the program would otherwise
// take for a separator. `lossy` tells whether the private forms were used up ("?" stands in).
std::string FromNative(std::string_view nativePath, bool* lossy = nullptr);

// Offset of the last component of a GBK path: just after its last separator (0 when there is
// none). Double-byte characters are stepped over whole.
size_t NameOffset(std::string_view gbkPath);

// The last component of a native path, trailing separators ignored ("/a/b/" gives "b").
std::string_view LastComponent(std::string_view nativePath);

}  // namespace platform::paths
