// The conversion page's preparation of pictures as icon images and the icon file it writes: a
// picture at a size becomes an IconBuildEntry (a 32-bit bitmap of size x size, or the 256 x 256
// PNG image), listed with its size's text.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "frame/values.h"
#include "icofile/icon_container.h"

namespace icofile {

// The sizes of the size list, in its order; 0 stands for the 256 x 256 PNG image.
constexpr uint8_t kConversionSizes[] = {128, 96, 64, 48, 32, 24, 16, 0};

// The size list's text of a size: "48*48", or "PNG" for 0.
frame::Text SizeItemText(uint8_t size);

// The conversion list's text of an entry made at the size with that text: "48*48(32)", "PNG".
frame::Text ConversionListText(const frame::Text& sizeItemText, const IconBuildEntry& entry);

// The picture prepared at each size, in order, the picture decoded once. A bitmap size is the
// picture scaled to size x size when it has another size, encoded as a 32-bit BMP; the PNG
// size is a 256 x 256 picture's own ".png" file unchanged when it is a well-formed PNG stream
// (frame::IsStrictPngImage), else the picture, scaled to 256 x 256 when it has another size,
// encoded as PNG. None when the picture cannot be loaded.
std::optional<IconBuildList> PrepareConversionImages(const frame::Text& picture,
                                                     std::span<const uint8_t> sizes);

// The icon file of the conversion list written to the path; true when written. Nothing is
// written for an empty list or one that does not fit an icon file (IconFileFits).
bool WriteConversionIcon(const IconBuildList& list, const frame::Text& path);

}  // namespace icofile
