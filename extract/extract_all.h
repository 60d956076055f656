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

// The most one extract-all may write. A module's groups copied once each take about the
// module's own size (files::kMaxFileBytes at most), pictures a few KiB an icon; only groups that
// share their images over and over could ask for more, and gigabytes of copies help nobody.
constexpr uint64_t kMaxExtractionBytes = uint64_t{1} << 30;

struct ExtractedIcons {
  frame::Text folder;            // where the files went
  std::vector<SavedIcon> icons;  // icons 1 to count, in order (fewer when stopped)
  frame::Text status;            // the status line after the batch; empty when it is unchanged
  // The icon files would have taken this many bytes, past kMaxExtractionBytes: nothing was
  // written and no folder made. 0 otherwise.
  uint64_t refusedBytes = 0;
};

// The refusal the window shows, naming the size and the limit in MiB.
frame::Text RefusalText(uint64_t refusedBytes);

// Saves icons 1 to count of the source into FreeFolderName(outputFolder), created with its
// parents, named as the single extraction names them. Pictures are made from the icon handles
// (bitmap, JPG and GIF over white, TIFF, PNG and the transparent bitmap with their
// transparency); the icon format copies complete groups, falling back to icons built from the
// handle. `afterEach` runs after every icon with its index; then, when `stop` says so, the
// batch ends there (every file it wrote is whole). When the folder cannot be made, nothing is
// tried: `icons` stays empty. In the icon format the size of every file is known before the
// first is written: past kMaxExtractionBytes the batch is refused (refusedBytes).
ExtractedIcons ExtractAllIcons(const frame::Text& source, int32_t count, SaveFormat format,
                               const frame::Text& outputFolder, const frame::Text& prefix,
                               const std::function<void(int32_t index)>& afterEach = {},
                               const std::function<bool()>& stop = {});

}  // namespace extract
