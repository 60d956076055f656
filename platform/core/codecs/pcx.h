// A small PCX decoder for picture values: run-length encoded images of 8 bits per pixel with one
// plane (256-colour palette at the end of the file, grey when it is missing) or three or four
// planes (RGB; a fourth plane is ignored), and of 1 bit per pixel with one plane (black and white)
// or four planes (the header's 16-colour palette). The input is hostile: dimensions and the
// decoded size are bounded and every byte read is checked.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/core/codecs/dib.h"
#include "platform/core/result.h"

namespace platform::codecs {

enum class PcxError {
  Truncated,
  NotPcxFile,
  BadDimensions,
  UnsupportedFormat,
  TooLarge,
};
std::string_view ToString(PcxError error);

constexpr int kMaxPcxDimension = 16384;
constexpr uint64_t kMaxPcxPixels = uint64_t{1} << 24;

// True when the first bytes are those of a PCX file the picture loader accepts: 0A, a version of
// at most 5, encoding 1 and 8 bits per pixel; or 0A 03 01 01.
bool LooksLikePcx(std::span<const uint8_t> file);

// The image as top-down rows of 0xAARRGGBB (opaque); bitCount is bits per pixel x planes.
Result<DibImage, PcxError> DecodePcx(std::span<const uint8_t> file);

}  // namespace platform::codecs
