// Exports of the comdlg32 stand-in library, found by name by the binder.
#include <array>

#include "platform/core/modules.h"
#include "platform/win32/comdlg32.h"

namespace platform {

std::span<const Export> Comdlg32Exports() {
  using namespace comdlg32;
  static const std::array<Export, 2> exports = {{
      {"GetOpenFileNameA", ToAnyFunction(&GetOpenFileNameA)},
      {"GetSaveFileNameA", ToAnyFunction(&GetSaveFileNameA)},
  }};
  return exports;
}

}  // namespace platform
