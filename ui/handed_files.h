// Files the desktop hands to the window: the one named on the command line, opened once the
// window is there, and files dropped on a page. Each goes where the user would take it: a module
// or icon file (by its first bytes) to the extraction page, as 提取文件图标 does with that file
// chosen; a picture the picture browser lists to the conversion page, its folder listed and the
// picture selected and previewed; a folder to the conversion page, listed. The pages' own
// handlers do the work, reached through the frame as the user's actions reach them.
#pragma once

#include <optional>
#include <vector>

#include "frame/values.h"

namespace ui {

// The path the window opens once it is loaded (none: nothing), as the program's text.
void SetStartFile(std::optional<frame::Text> path);

// Called by the start routine once the window is loaded: opens the start file, if there is one,
// and lets files be dropped on the window.
void TakeHandedFiles();

// Opens a handed path as above, whatever page is shown; one that does not exist, or is neither a
// file nor a folder, is said so in a message box.
void OpenHandedPath(const frame::Text& path);

// Whether dropped files are taken on the page shown, and with `drop` their opening: a module or
// icon file on the extraction page, a picture or folder on the conversion page; the first of
// the dropped paths that fits decides.
bool TakeDroppedFiles(const std::vector<frame::Text>& paths, bool drop);

}  // namespace ui
