// The GIF writer of the imaging library, over giflib. Each frame gets its own colour table: the
// exact colours when a frame has few enough, else a median-cut palette whose colours are made
// exact for the pixels they stand for (a colour most of them share, else their mean), so the
// white an icon was laid on stays white. Fully transparent pixels (alpha 0) become the
// transparent colour; every other pixel is written opaque. Several frames make an animation that
// loops forever.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/core/result.h"

namespace platform::codecs {

struct GifFrame {
  int width = 0;
  int height = 0;
  std::span<const uint32_t> argb;  // top-down rows of 0xAARRGGBB
  int delayCentiseconds = 0;
};

enum class GifError { NoFrames, BadFrame, TooLarge, OutOfMemory, EncoderFailed };
std::string_view ToString(GifError error);

Result<std::vector<uint8_t>, GifError> EncodeGif(std::span<const GifFrame> frames);

}  // namespace platform::codecs
