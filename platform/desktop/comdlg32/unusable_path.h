// What the dialogs and the folder browser say when the user chose a path the program cannot
// take: longer than the caller's buffer, or holding more characters GBK lacks than the program
// can name (text/gbk.h). The dialog then ends as cancelled.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/win32/types.h"

namespace platform::comdlg32 {

// `limit` is the longest path the caller can take, in bytes; 0 when the path could not be named.
void TellUnusablePath(win32::HWND owner, std::string_view gbkPath, size_t limit);

}  // namespace platform::comdlg32
