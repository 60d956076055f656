// Splitting a multi-image icon file: every image becomes a file of its own in a new folder (a
// one-image icon when the platform loads it as an icon, else, in practice a PNG image, a ".png"
// file), and the 32-bit images, drawn again as 32-bit bitmaps, make one new icon beside them.
#pragma once

#include <vector>

#include "frame/values.h"

namespace icofile {

// The folder a split writes into: the target folder, then the icon's file name without its
// extension and with ASCII letters lowered, then a separator. D:\out and E:\icons\App.ico give
// D:\out\app\.
frame::Text SplitFolder(const frame::Text& targetFolder, const frame::Text& iconPath);

struct SplitOutcome {
  frame::Text folder;
  // "Par" + i + ".ico" or i + ".png" for image i (its 1-based place in the directory), in
  // order, then "new.ico" when it was made.
  std::vector<frame::Text> written;
  bool complete = true;  // every file meant to be written was written
};

// Splits the icon file into SplitFolder(targetFolder, iconPath), created with its parents. A
// PNG image whose height field reads 0 (icons written by older versions cleared its third byte)
// gets that byte back as 1; every other image is written as it is stored. "new.ico" holds the
// loadable images of at least 32 bits per pixel and a width byte of at least 8.
SplitOutcome SplitIconFile(const frame::Text& iconPath, const frame::Text& targetFolder);

}  // namespace icofile
