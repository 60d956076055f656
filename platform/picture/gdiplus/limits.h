// Limits on every picture the imaging library stand-in decodes or creates: a larger one is
// refused with OutOfMemory. Free of Qt, so that callers can name them in their messages.
#pragma once

#include <cstdint>

namespace platform::gdiplus {

constexpr int kMaxImageSide = 32768;
constexpr int64_t kMaxImagePixels = int64_t{1} << 26;  // 256 MiB of 32-bit pixels
// The largest encoded picture read from a file or a stream.
constexpr int64_t kMaxEncodedSize = int64_t{256} << 20;

}  // namespace platform::gdiplus
