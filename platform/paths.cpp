#include "platform/paths.h"

#include <algorithm>

#include "platform/text/gbk.h"

namespace platform::paths {

std::string ToNative(std::string_view gbkPath) {
  std::string native = text::GbkToUtf8(gbkPath);
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

std::string FromNative(std::string_view nativePath) {
  return text::Utf8ToGbk(nativePath);
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
