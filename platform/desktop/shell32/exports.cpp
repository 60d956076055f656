// Exports of the shell32 stand-in library that need Qt, found by name by the binder (the core's
// are in core_exports.cpp).
#include <array>

#include "platform/core/modules.h"
#include "platform/win32/shell32.h"

namespace platform {

std::span<const Export> Shell32Exports() {
  using namespace shell32;
  static const std::array<Export, 6> exports = {{
      {"ExtractAssociatedIconA", ToAnyFunction(&ExtractAssociatedIconA)},
      {"SHBrowseForFolderA", ToAnyFunction(&SHBrowseForFolderA)},
      {"SHGetPathFromIDListA", ToAnyFunction(&SHGetPathFromIDListA)},
      {"ShellExecuteA", ToAnyFunction(&ShellExecuteA)},
      {"SHFileOperationA", ToAnyFunction(&SHFileOperationA)},
      {"SHGetSpecialFolderPathA", ToAnyFunction(&SHGetSpecialFolderPathA)},
  }};
  return exports;
}

}  // namespace platform
