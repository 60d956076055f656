// Exports of the gdi32 stand-in library, found by name by the binder.
#include <array>

#include "platform/core/modules.h"
#include "platform/win32/gdi32.h"

namespace platform {

std::span<const Export> Gdi32Exports() {
  using namespace gdi32;
  static const std::array<Export, 9> exports = {{
      {"CreateCompatibleDC", ToAnyFunction(&CreateCompatibleDC)},
      {"CreateCompatibleBitmap", ToAnyFunction(&CreateCompatibleBitmap)},
      {"SelectObject", ToAnyFunction(&SelectObject)},
      {"CreateSolidBrush", ToAnyFunction(&CreateSolidBrush)},
      {"DeleteObject", ToAnyFunction(&DeleteObject)},
      {"DeleteDC", ToAnyFunction(&DeleteDC)},
      {"GetDIBits", ToAnyFunction(&GetDIBits)},
      {"GetObjectA", ToAnyFunction(&GetObjectA)},
      {"SetStretchBltMode", ToAnyFunction(&SetStretchBltMode)},
  }};
  return exports;
}

}  // namespace platform
