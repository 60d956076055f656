// The path and folder operations the dialogs and handlers share: file names of paths, parent
// folders, extensions, and folders created with their parents.
#pragma once

#include "frame/values.h"

namespace icofile {

// The separator the program joins folders and names with.
const frame::Text& PathSeparator();

// The folder with a separator at its end (unchanged when it already ends in one).
frame::Text WithTrailingSeparator(const frame::Text& folder);

// The last component of a path, with or without its extension (from its last "."), with ASCII
// letters lowered: "x\A.b.ICO" gives "a.b" or "a.b.ico".
frame::Text FileNameOfPath(const frame::Text& path, bool keepExtension);

// The path with its last component removed.
frame::Text ParentFolder(const frame::Text& path);

// The extension of the last component, from its last ".", lowered; empty when there is none.
frame::Text LowerExtension(const frame::Text& path);

bool IsFolder(const frame::Text& path);

// True when the folder, with every missing parent folder, was created (false when it existed).
bool CreateFolderPath(const frame::Text& path);

}  // namespace icofile
