#include "platform/qt_text.h"

#include <algorithm>
#include <cstring>

#include "platform/paths.h"
#include "platform/text/gbk.h"

namespace platform {

QString FromGbk(std::string_view gbk) {
  return QString::fromStdString(text::GbkToUtf8(gbk));
}

std::string ToGbk(const QString& text) {
  return text::Utf8ToGbk(text.toStdString());
}

QString NativeQPath(std::string_view gbkPath) {
  return QString::fromStdString(paths::ToNative(gbkPath));
}

std::string ProgramPath(const QString& nativePath) {
  return paths::FromNative(nativePath.toStdString());
}

int CopyToBuffer(std::string_view text, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  const size_t room = static_cast<size_t>(size - 1);
  size_t n = 0;
  while (n < text.size()) {
    const size_t width = text::GbkCharLength(text, n);
    if (n + width > room) break;
    n += width;
  }
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

}  // namespace platform
