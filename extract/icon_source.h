// The icon source of the extraction page as the operating system sees it: how many icons a file
// holds, an icon by its 1-based index, and the icon the shell associates with a file or folder.
// This never reads the file's bytes itself.
#pragma once

#include <cstdint>

#include "frame/values.h"
#include "platform/win32/types.h"

namespace extract {

// The number of icons the operating system reports for the file (0 for one that holds none).
int32_t CountIcons(const frame::Text& path);

// Icon `index` (1-based, passed on as index - 1), or 0; an index below 1 is no icon. The caller
// destroys it.
win32::HICON IconAt(const frame::Text& path, int32_t index);

// The icon the shell associates with the file or folder (its own first icon when it has one),
// or 0 when there is nothing at the path. The caller destroys it.
win32::HICON AssociatedIcon(const frame::Text& path);

}  // namespace extract
