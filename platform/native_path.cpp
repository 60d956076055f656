#include "platform/native_path.h"

#include <algorithm>
#include <cstring>

#include "platform/text/gbk.h"

namespace platform {

std::string NativePath(std::string_view gbk) {
  std::string utf8 = text::GbkToUtf8(gbk);
  std::replace(utf8.begin(), utf8.end(), '\\', '/');
  return utf8;
}

QString NativeQPath(std::string_view gbk) { return QString::fromStdString(NativePath(gbk)); }

std::string ProgramPath(const QString& native) { return text::Utf8ToGbk(native.toStdString()); }

int CopyToBuffer(std::string_view text, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
  if (n < text.size()) {  // never cut a double-byte character in half
    size_t whole = 0;
    while (whole < n) {
      size_t width = text::IsGbkLeadByte(static_cast<unsigned char>(text[whole])) ? 2 : 1;
      if (whole + width > n) break;
      whole += width;
    }
    n = whole;
  }
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

}  // namespace platform
