// Exports of the comctl32 stand-in library, found by name by the binder.
#include <array>

#include "platform/core/modules.h"
#include "platform/win32/comctl32.h"

namespace platform {

std::span<const Export> Comctl32Exports() {
  using namespace comctl32;
  static const std::array<Export, 4> exports = {{
      {"ImageList_Create", ToAnyFunction(&ImageList_Create)},
      {"ImageList_Destroy", ToAnyFunction(&ImageList_Destroy)},
      {"ImageList_SetBkColor", ToAnyFunction(&ImageList_SetBkColor)},
      {"ImageList_AddIcon", ToAnyFunction(&ImageList_AddIcon)},
  }};
  return exports;
}

}  // namespace platform
