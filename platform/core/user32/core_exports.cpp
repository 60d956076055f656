// Exports of the user32 stand-in library that read bytes only (exports.cpp has the others).
#include <array>

#include "platform/core/modules.h"
#include "platform/win32/user32.h"

namespace platform {

std::span<const Export> User32CoreExports() {
  using namespace user32;
  static const std::array<Export, 2> exports = {{
      {"DestroyIcon", ToAnyFunction(&DestroyIcon)},
      {"LoadImageA", ToAnyFunction(&LoadImageA)},
  }};
  return exports;
}

}  // namespace platform
