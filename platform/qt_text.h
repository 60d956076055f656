// Texts and paths between the program (GBK, "\" or "/" separators) and Qt (QString, "/"), and the
// copy of a text into a caller's fixed-size buffer.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace platform {

QString FromGbk(std::string_view gbk);
inline QString FromGbk(const char* gbk) {
  return FromGbk(std::string_view(gbk ? gbk : ""));
}
std::string ToGbk(const QString& text);

// A program path as Qt's native path, and back ("?" for what GBK cannot hold).
QString NativeQPath(std::string_view gbkPath);
std::string ProgramPath(const QString& nativePath);

// Copies text into a buffer of `size` bytes: truncated (never inside a double-byte character),
// always terminated when size > 0. Returns the bytes copied without the terminator.
int CopyToBuffer(std::string_view text, char* buffer, int size);

}  // namespace platform
