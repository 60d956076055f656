// Texts and paths between the program (GBK, "\" or "/" separators) and Qt (QString, "/"), and the
// copy of a text into a caller's fixed-size buffer.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace platform {

// A program text as shown, and a shown text back. Private forms (text/gbk.h) show as what they
// stand for; where that is not one-to-one (a byte that is not UTF-8 shows as U+FFFD, a "\" inside
// a name as "\"), a text shown recently comes back as the bytes it was shown for, so a path put
// into a unit and read back out is still the same path.
QString FromGbk(std::string_view gbk);
inline QString FromGbk(const char* gbk) {
  return FromGbk(std::string_view(gbk ? gbk : ""));
}
std::string ToGbk(const QString& text);

// A program path as Qt's native path, and back; `lossy` as for paths::FromNative.
QString NativeQPath(std::string_view gbkPath);
std::string ProgramPath(const QString& nativePath, bool* lossy = nullptr);

// The file system's bytes for a path Qt gives. Qt shows a name that is not UTF-8 with U+FFFD, so
// a path holding U+FFFD that does not exist as written is looked up by listing its folders.
std::string FileSystemPath(const QString& path);

// Copies text into a buffer of `size` bytes: truncated (never inside a double-byte character),
// always terminated when size > 0. Returns the bytes copied without the terminator.
int CopyToBuffer(std::string_view text, char* buffer, int size);

}  // namespace platform
