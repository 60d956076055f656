// Exports of the ole32 stand-in library, found by name by the binder.
#include <array>

#include "platform/core/modules.h"
#include "platform/win32/ole32.h"

namespace platform {

std::span<const Export> Ole32Exports() {
  using namespace ole32;
  static const std::array<Export, 2> exports = {{
      {"CreateStreamOnHGlobal", ToAnyFunction(&CreateStreamOnHGlobal)},
      {"IStream_Release", ToAnyFunction(&IStream_Release)},
  }};
  return exports;
}

}  // namespace platform
