// The bitmap file writer of the imaging library: always 32 bits per pixel, a 54-byte header
// (file header and BITMAPINFOHEADER, no colour masks, no colour table) and bottom-up rows of
// blue, green, red, alpha. The program's icon builder reads the bytes after the first 54 as the
// rows of a 32-bit image, so every bitmap written here has exactly that layout.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/core/result.h"

namespace platform::codecs {

constexpr size_t kBmpHeaderSize = 54;

enum class BmpWriteError {
  BadImage,  // a dimension below 1, or not width * height pixels
  TooLarge,  // the file would not fit its 32-bit size field
};
std::string_view ToString(BmpWriteError error);

// argb: top-down rows of 0xAARRGGBB (straight alpha), width * height of them.
Result<std::vector<uint8_t>, BmpWriteError> EncodeBmp32(int width, int height,
                                                        std::span<const uint32_t> argb,
                                                        int32_t pixelsPerMeterX,
                                                        int32_t pixelsPerMeterY);

}  // namespace platform::codecs
