// Rebuilding an icon without the images the platform cannot load as classic icon images (in
// practice the PNG-compressed ones), so that classic icon editors can open it: one file, or every
// ".ico" file of a folder into another folder.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "frame/values.h"

namespace icofile {

enum class Rebuilt {
  Written,
  NothingKept,  // no loadable image (or an unreadable source): nothing is written
  NotWritten,   // the rebuilt icon could not be written
  NoScratch,    // no private scratch folder for the probes could be made: nothing is written
  TooLarge,     // the images add up to more than kMaxIconFileBytes: nothing is written
};

// The icon file with only its loadable images, their directory fields copied and their offsets
// recomputed; at least the 6-byte header (count 0 when nothing is kept). Each image is probed
// through a one-image icon file in a private scratch folder. None, with the reason in `failure`
// (NoScratch or TooLarge), when the icon cannot be rebuilt.
std::optional<frame::ByteSet> RebuildIconBytes(const frame::ByteSet& icon,
                                               Rebuilt* failure = nullptr);

// Rebuilds the icon file at `source` into `target` when at least one image is kept.
Rebuilt RebuildIconFile(const frame::Text& source, const frame::Text& target);

struct FolderRebuild {
  frame::Text name;  // the file name, the same in both folders
  Rebuilt result = Rebuilt::NothingKept;
};

// Rebuilds every file of the source folder whose name matches "*.ico", in the order the file
// search yields them, into the target folder under the same name. `afterEach` runs after every
// file; then, when `stop` says so, the rebuild ends there (the files written are whole). The
// source and target may be the same folder: each icon is then replaced by its rebuilt form.
std::vector<FolderRebuild> RebuildIconFolder(
    const frame::Text& sourceFolder, const frame::Text& targetFolder,
    const std::function<void(const FolderRebuild&)>& afterEach = {},
    const std::function<bool()>& stop = {});

// Whether the file's rebuild failed (it could not be written, or not be rebuilt at all), as
// against written or left out for holding no image to keep.
bool RebuildFailed(Rebuilt result);

}  // namespace icofile
