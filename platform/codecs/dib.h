// The one DIB decoder, shared by every path that reads icons and bitmaps. In icon mode the
// header's height covers the colour rows and the AND-mask rows: it is halved, the mask is
// applied (a missing mask is tolerated), and an image without alpha takes its alpha from the
// mask. The input is hostile: every size is checked before use.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace platform::codecs {

enum class DibError {
  Truncated,
  BadHeaderSize,
  BadDimensions,
  UnsupportedBitCount,
  UnsupportedCompression,
  BadColourTable,
  TooLarge,
};
std::string_view ToString(DibError error);

struct DibImage {
  int width = 0;
  int height = 0;
  int bitCount = 0;
  std::vector<uint32_t> pixels;  // top-down rows of 0xAARRGGBB, straight alpha
};

enum class DibMode { Bitmap, Icon };

// Decodes a device-independent bitmap that starts with its BITMAPINFOHEADER.
Result<DibImage, DibError> DecodeDib(std::span<const uint8_t> dib, DibMode mode);
// Decodes a bitmap file ("BM", 14-byte file header, then a DIB).
Result<DibImage, DibError> DecodeBmpFile(std::span<const uint8_t> file);

}  // namespace platform::codecs
