// The folder the pages propose for their output and open their save dialogs in. The program's
// own folder serves while the user may write there; an installed program lives in a folder the
// user cannot write to, and then the user's pictures folder serves (the home folder when there
// is none).
#pragma once

#include "frame/values.h"

namespace ui {

frame::Text OutputBaseFolder();

// The folder when the user may write there, else the pictures folder, else home.
frame::Text WritableFolderOr(const frame::Text& folder);

// True when a file can be made in the folder (tried with a hidden file that goes at once).
bool MayWriteInto(const frame::Text& folder);

}  // namespace ui
