// Paths between the program (GBK, "\" or "/" separators) and the file system and Qt (UTF-8, "/").
#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace platform {

// A program path as a native UTF-8 path: GBK decoded, every "\" made "/".
std::string NativePath(std::string_view gbk);
QString NativeQPath(std::string_view gbk);

// A native path as the program sees it: GBK with "/" separators ("?" for what GBK cannot hold).
std::string ProgramPath(const QString& native);

// Copies text into a caller's buffer of `size` bytes (truncating, always terminated when size > 0);
// returns the bytes copied without the terminator.
int CopyToBuffer(std::string_view text, char* buffer, int size);

}  // namespace platform
