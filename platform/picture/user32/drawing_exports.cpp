// Exports of the user32 stand-in library that draw icons (the picture part; exports.cpp has the
// window functions, core_exports.cpp those that only read bytes).
#include <array>

#include "platform/core/modules.h"
#include "platform/win32/user32.h"

namespace platform {

std::span<const Export> User32DrawingExports() {
  using namespace user32;
  static const std::array<Export, 6> exports = {{
      {"GetIconInfo", ToAnyFunction(&GetIconInfo)},
      {"DrawIconEx", ToAnyFunction(&DrawIconEx)},
      {"DrawIcon", ToAnyFunction(&DrawIcon)},
      {"GetDC", ToAnyFunction(&GetDC)},
      {"ReleaseDC", ToAnyFunction(&ReleaseDC)},
      {"FillRect", ToAnyFunction(&FillRect)},
  }};
  return exports;
}

}  // namespace platform
