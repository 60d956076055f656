// The one DIB decoder, shared by every path that reads icons and bitmaps. In icon mode the
// header's height covers the colour rows and the AND-mask rows: it is halved, the mask is
// applied (a missing mask is tolerated), and an image without alpha takes its alpha from the
// mask. The input is hostile: every size is checked before use.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/core/result.h"

namespace platform::codecs {

enum class DibError {
  Truncated,
  NotBitmapFile,  // a bitmap file without its "BM" signature
  BadHeaderSize,
  BadDimensions,
  UnsupportedBitCount,
  UnsupportedCompression,
  BadColourTable,  // more than 256 colour-table entries
  BadBitMasks,     // a zero colour mask, or a mask whose bits are not contiguous
  TooLarge,        // more than kMaxDibDimension or kMaxDibPixels
};
std::string_view ToString(DibError error);

// Hard limits: a larger image is refused before anything is allocated.
constexpr int kMaxDibDimension = 32768;
constexpr uint64_t kMaxDibPixels = uint64_t{1} << 26;

struct DibImage {
  int width = 0;
  int height = 0;
  int bitCount = 0;
  std::vector<uint32_t> pixels;  // top-down rows of 0xAARRGGBB, straight alpha
};

enum class DibMode { Bitmap, Icon };

// Decodes a device-independent bitmap that starts with its header (12, 40, 52, 56, 108 or 124
// bytes), then bit masks and colour table, then the pixel rows. Uncompressed and bit-field
// images of 1, 4, 8, 16, 24 and 32 bits per pixel. A 32-bit image whose fourth bytes are all
// zero has no alpha: it is opaque (bitmap mode) or takes its alpha from the mask (icon mode).
Result<DibImage, DibError> DecodeDib(std::span<const uint8_t> dib, DibMode mode);
// Decodes a bitmap file ("BM", 14-byte file header, then a DIB; the pixel offset of the file
// header is used when it points inside the file).
Result<DibImage, DibError> DecodeBmpFile(std::span<const uint8_t> file);

}  // namespace platform::codecs
