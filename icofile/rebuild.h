// Rebuilding an icon without the images the platform cannot load as classic icon images (in
// practice the PNG-compressed ones), so that classic icon editors can open it.
#pragma once

#include "frame/values.h"

namespace icofile {

// The icon file with only its loadable images, their directory fields copied and their offsets
// recomputed; at least the 6-byte header (count 0 when nothing is kept). Each image is probed
// through a one-image icon file in a private scratch folder.
frame::ByteSet RebuildIconBytes(const frame::ByteSet& icon);

}  // namespace icofile
