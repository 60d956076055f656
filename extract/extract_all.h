// Saving every icon of the extraction page's source (the extract-all button) into a fresh folder:
// when the output folder exists, the first free numbered sibling "folder(1)", "folder(2)", ...
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "extract/save_format.h"
#include "extract/single_extraction.h"
#include "frame/values.h"

namespace extract {

// The folder itself when nothing is at its path, else the first of folder(1), folder(2), ...
// at whose path nothing is.
frame::Text FreeFolderName(const frame::Text& folder);

struct ExtractedIcons {
  frame::Text folder;            // where the files went
  std::vector<SavedIcon> icons;  // icons 1 to count, in order (fewer when stopped)
  frame::Text status;            // the text of the last icon built from its handle, or empty
};

// Saves icons 1 to count of the source into FreeFolderName(outputFolder), created with its
// parents, named as the single extraction names them. Pictures are made from the icon handles
// (bitmap, JPG and GIF over white, TIFF, PNG and the transparent bitmap with their
// transparency); the icon format copies complete groups, falling back to icons built from the
// handle. `afterEach` runs after every icon with its index; then, when `stop` says so, the
// batch ends there (every file it wrote is whole). When the folder cannot be made, nothing is
// tried: `icons` stays empty.
ExtractedIcons ExtractAllIcons(const frame::Text& source, int32_t count, SaveFormat format,
                               const frame::Text& outputFolder, const frame::Text& prefix,
                               const std::function<void(int32_t index)>& afterEach = {},
                               const std::function<bool()>& stop = {});

}  // namespace extract
