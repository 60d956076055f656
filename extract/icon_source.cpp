#include "extract/icon_source.h"

#include <algorithm>
#include <string>

#include "frame/external_functions.h"

namespace extract {
namespace {

win32::HINSTANCE Instance() {
  return ext::GetModuleHandleA("");
}

}  // namespace

int32_t CountIcons(const frame::Text& path) {
  return static_cast<int32_t>(ext::ExtractIconA(Instance(), path.c_str(), 0xFFFFFFFF));
}

// The platform would take index 0 (as -1) for its count query and lower ones for resource ids,
// and the lowest 32-bit index has no index - 1: the icons the user sees are numbered from 1.
win32::HICON IconAt(const frame::Text& path, int32_t index) {
  if (index < 1) return 0;
  return ext::ExtractIconA(Instance(), path.c_str(), static_cast<win32::UINT>(index - 1));
}

win32::HICON AssociatedIcon(const frame::Text& path) {
  // The function may write the path of the file the icon came from into the buffer.
  std::string copy = path.bytes();
  copy.resize(std::max<size_t>(copy.size(), win32::MAX_PATH) + 1, '\0');
  win32::WORD index = 0;
  return ext::ExtractAssociatedIconA(Instance(), copy.data(), &index);
}

}  // namespace extract
