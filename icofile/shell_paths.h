// The path and folder operations the dialogs and handlers share: file names of paths, parent
// folders, extensions, and folders created with their parents.
#pragma once

#include <vector>

#include "frame/values.h"

namespace icofile {

// The separator the program joins folders and names with.
const frame::Text& PathSeparator();

// The folder with a separator at its end (unchanged when it already ends in one).
frame::Text WithTrailingSeparator(const frame::Text& folder);

// The last component of a path, with or without its extension (from its last "."), with ASCII
// letters lowered: "x\A.b.ICO" gives "a.b" or "a.b.ico".
frame::Text FileNameOfPath(const frame::Text& path, bool keepExtension);

// The name of a folder made for the file's output: FileNameOfPath without the extension, or the
// whole lowered name where that leaves "", "." or "..", which would name the folder it is made
// in or its parent ("...ico" gives "...ico").
frame::Text FolderNameFor(const frame::Text& path);

// The path with its last component removed.
frame::Text ParentFolder(const frame::Text& path);

// The extension of the last component, from its last ".", lowered; empty when there is none.
frame::Text LowerExtension(const frame::Text& path);

bool IsFolder(const frame::Text& path);

// True when the folder, with every missing parent folder, was created (false when it existed).
bool CreateFolderPath(const frame::Text& path);

// The path and each of its parents that does not exist yet, the path first: the folders
// CreateFolderPath would make.
std::vector<frame::Text> MissingFolders(const frame::Text& path);

// Removes the folder when it is a folder with nothing in it; true when it was removed.
bool RemoveEmptyFolder(const frame::Text& folder);

}  // namespace icofile
