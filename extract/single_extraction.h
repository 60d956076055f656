// Saving one icon of the extraction page's source in a chosen format (the extract button), the
// icon of a source without icons, and the icon of a folder. The texts returned are those the page
// shows: on its status line for a source with icons, in a message box otherwise.
#pragma once

#include <cstdint>

#include "extract/save_format.h"
#include "frame/extract_file_icon.h"
#include "frame/values.h"
#include "platform/win32/types.h"

namespace extract {

// What saving one icon did.
struct SavedIcon {
  frame::Text path;
  bool written = false;     // the file is at the path
  bool fromHandle = false;  // the icon format fell back to a 32 x 32 icon built from the handle
  bool noIcon = false;      // no icon came back for the index: nothing was written
  frame::Text status;       // the status line's text
};

// Saves icon `index` of a source with `count` icons (count >= 1) as
// folder/prefix + index number + extension. The folder is created with its parents when it is
// not a folder. The icon format copies the icon's complete group and falls back to a 32 x 32
// icon built from the icon handle when the group is not written. An index without an icon, or a
// folder that cannot be made, writes nothing and gives the format's failure text.
SavedIcon ExtractSelectedIcon(const frame::Text& source, int32_t count, int32_t index,
                              SaveFormat format, const frame::Text& folder,
                              const frame::Text& prefix);

// The icon format's production of icon `index`: its complete group from `groups`, or, when
// that is not written, a 32 x 32 icon built from the icon handle. The status texts are the
// single extraction's, with the index number given.
SavedIcon SaveIconGroup(const frame::IconGroupSource& groups, const frame::Text& source,
                        int32_t index, const frame::Text& indexNumber, const frame::Text& path);

// One icon handle saved to a path as the single extraction produces formats from a handle: the
// icon format as a 32 x 32 single-image icon. True when the file was written.
bool SaveIconPicture(win32::HICON icon, SaveFormat format, const frame::Text& path);

// The outcome texts without an index ("保存PNG图片成功！", "提取图标失败！"), as the message box
// of a source without icons shows them.
const frame::Text& OutcomeText(SaveFormat format, bool succeeded);

// The folder's icon as a 32 x 32 single-image icon file at savePath. False when there is nothing
// at the folder's path or the file was not written.
bool SaveFolderIcon(const frame::Text& folder, const frame::Text& savePath);

}  // namespace extract
