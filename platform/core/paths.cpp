#include "platform/core/paths.h"

#include <algorithm>

#include "platform/text/gbk.h"

namespace platform::paths {

std::string ToNative(std::string_view gbkPath) {
  std::string separated(gbkPath);
  for (size_t i = 0; i < separated.size(); i += text::GbkCharLength(separated, i))
    if (separated[i] == '\\') separated[i] = '/';
  return text::GbkToUtf8(separated);
}

std::string FromNative(std::string_view nativePath, bool* lossy) {
  if (lossy) *lossy = false;
  std::string program;
  std::string backslash;
  for (size_t start = 0;;) {
    const size_t end = std::min(nativePath.find('\\', start), nativePath.size());
    bool partLossy = false;
    program += text::Utf8ToGbk(nativePath.substr(start, end - start), &partLossy);
    if (partLossy && lossy) *lossy = true;
    if (end == nativePath.size()) return program;
    if (backslash.empty() && !text::PrivateFormOf("\\", &backslash)) {
      backslash.assign(1, '?');  // a literal here trips GCC 12's -Wrestrict false alarm
      if (lossy) *lossy = true;
    }
    program += backslash;
    start = end + 1;
  }
}

size_t NameOffset(std::string_view gbkPath) {
  size_t name = 0;
  for (size_t i = 0; i < gbkPath.size(); i += text::GbkCharLength(gbkPath, i))
    if (IsSeparator(gbkPath[i])) name = i + 1;
  return name;
}

std::string_view LastComponent(std::string_view nativePath) {
  while (nativePath.size() > 1 && nativePath.back() == '/')
    nativePath.remove_suffix(1);
  size_t slash = nativePath.rfind('/');
  return slash == std::string_view::npos || nativePath.size() == 1 ? nativePath
                                                                   : nativePath.substr(slash + 1);
}

}  // namespace platform::paths
