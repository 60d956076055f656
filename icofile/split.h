// Splitting a multi-image icon file: every image becomes a file of its own in a new folder (a
// one-image icon when the platform loads it as an icon, else, in practice a PNG image, a ".png"
// file), and the 32-bit images, drawn again as 32-bit bitmaps, make one new icon beside them.
#pragma once

#include <vector>

#include "frame/values.h"

namespace icofile {

// The folder a split writes into: the target folder, then the icon's file name without its
// extension and with ASCII letters lowered, then a separator. D:\out and E:\icons\App.ico give
// D:\out\app\. A name that would leave the target folder keeps its extension (FolderNameFor):
// "...ico" gives D:\out\...ico\, never D:\out\..\.
frame::Text SplitFolder(const frame::Text& targetFolder, const frame::Text& iconPath);

struct SplitOutcome {
  frame::Text folder;
  // "Par" + i + ".ico" or i + ".png" for image i (its 1-based place in the directory), in
  // order, then "new.ico" when it was made.
  std::vector<frame::Text> written;
  std::vector<frame::Text> failed;  // files meant to be written that were not
  // Images that neither load as icons nor hold PNG data (or lie past the end of the file): they
  // give no file.
  std::vector<size_t> skipped;
  bool tooLarge = false;  // the images add up past kMaxIconFileBytes: nothing was done
  // The redrawn 32-bit images would make "new.ico" larger than kMaxIconFileBytes: it was not made.
  bool newIconTooLarge = false;
};

// Splits the icon file into SplitFolder(targetFolder, iconPath), created with its parents. A
// PNG image whose height field reads 0 (icons written by older versions cleared its third byte)
// gets that byte back as 1; every other PNG image is written as it is stored. "new.ico" holds
// the loadable images of at least 32 bits per pixel and a width byte of at least 8.
SplitOutcome SplitIconFile(const frame::Text& iconPath, const frame::Text& targetFolder);
// The same into `folder` itself (pictolan-cli names the folders of a batch's inputs).
SplitOutcome SplitIconFileInto(const frame::Text& iconPath, const frame::Text& folder);

}  // namespace icofile
