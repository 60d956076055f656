// The icon file extraction command: one complete icon, with all of its images, copied out of an
// icon file or out of the icon groups of an executable module into a new icon file.
#pragma once

#include <cstdint>

#include "frame/values.h"

namespace frame {

// Writes icon group `index` (1-based; below 1 counts as 1) of `sourceFile` to `savePath` when
// the save path ends in "ico", and returns the number of icon groups in the source (1 for an
// ".ico" file) when that number is at least the index; 0 otherwise, also for sources whose name
// does not end in ico, exe, dll or icl and for an empty save path. The result does not say
// whether the file was written. Mode 0 (save to the path) is the only mode.
int32_t ExtractFileIcon(const Text& sourceFile, int32_t mode, const Text& savePath, int32_t index);

}  // namespace frame
