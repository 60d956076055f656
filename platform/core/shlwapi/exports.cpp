// Exports of the shlwapi stand-in library, found by name by the binder.
#include <array>

#include "platform/core/modules.h"
#include "platform/win32/shlwapi.h"

namespace platform {

std::span<const Export> ShlwapiExports() {
  using namespace shlwapi;
  static const std::array<Export, 4> exports = {{
      {"PathRemoveFileSpecA", ToAnyFunction(&PathRemoveFileSpecA)},
      {"PathIsDirectoryA", ToAnyFunction(&PathIsDirectoryA)},
      {"PathFindExtensionA", ToAnyFunction(&PathFindExtensionA)},
      {"PathFindFileNameA", ToAnyFunction(&PathFindFileNameA)},
  }};
  return exports;
}

}  // namespace platform
