// Exports of the shell32 stand-in library, found by name by the binder.
#include <array>

#include "platform/api.h"
#include "platform/modules.h"

namespace platform {

std::span<const Export> Shell32Exports() {
  using namespace shell32;
  static const std::array<Export, 8> exports = {{
      {"ExtractIconA", ToAnyFunction(&ExtractIconA)},
      {"ExtractAssociatedIconA", ToAnyFunction(&ExtractAssociatedIconA)},
      {"SHBrowseForFolderA", ToAnyFunction(&SHBrowseForFolderA)},
      {"SHGetPathFromIDListA", ToAnyFunction(&SHGetPathFromIDListA)},
      {"ShellExecuteA", ToAnyFunction(&ShellExecuteA)},
      {"SHCreateDirectoryExA", ToAnyFunction(&SHCreateDirectoryExA)},
      {"SHFileOperationA", ToAnyFunction(&SHFileOperationA)},
      {"SHGetSpecialFolderPathA", ToAnyFunction(&SHGetSpecialFolderPathA)},
  }};
  return exports;
}

}  // namespace platform
