// Exports of the shell32 stand-in library that read and write bytes only (exports.cpp has the
// others).
#include <array>

#include "platform/core/modules.h"
#include "platform/win32/shell32.h"

namespace platform {

std::span<const Export> Shell32CoreExports() {
  using namespace shell32;
  static const std::array<Export, 2> exports = {{
      {"ExtractIconA", ToAnyFunction(&ExtractIconA)},
      {"SHCreateDirectoryExA", ToAnyFunction(&SHCreateDirectoryExA)},
  }};
  return exports;
}

}  // namespace platform
