#include "platform/core/codecs/bmp_encoder.h"

#include <cstring>

namespace platform::codecs {
namespace {

void Put16(uint8_t* at, uint16_t v) {
  at[0] = uint8_t(v);
  at[1] = uint8_t(v >> 8);
}

void Put32(uint8_t* at, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    at[i] = uint8_t(v >> (8 * i));
}

}  // namespace

std::string_view ToString(BmpWriteError error) {
  switch (error) {
    case BmpWriteError::BadImage:
      return "impossible dimensions, or not as many pixels as they need";
    case BmpWriteError::TooLarge:
      return "the picture is too large";
  }
  return "unknown error";
}

Result<std::vector<uint8_t>, BmpWriteError> EncodeBmp32(int width, int height,
                                                        std::span<const uint32_t> argb,
                                                        int32_t pixelsPerMeterX,
                                                        int32_t pixelsPerMeterY) {
  if (width <= 0 || height <= 0) return Fail(BmpWriteError::BadImage);
  uint64_t pixelCount = uint64_t(width) * uint64_t(height);
  if (argb.size() != pixelCount) return Fail(BmpWriteError::BadImage);
  if (pixelCount > (UINT32_MAX - kBmpHeaderSize) / 4) return Fail(BmpWriteError::TooLarge);
  uint32_t imageSize = uint32_t(pixelCount * 4);

  std::vector<uint8_t> file(kBmpHeaderSize + imageSize);
  uint8_t* h = file.data();
  h[0] = 'B';
  h[1] = 'M';
  Put32(h + 2, uint32_t(file.size()));
  Put32(h + 10, kBmpHeaderSize);
  Put32(h + 14, 40);
  Put32(h + 18, uint32_t(width));
  Put32(h + 22, uint32_t(height));  // positive: bottom-up rows
  Put16(h + 26, 1);
  Put16(h + 28, 32);
  Put32(h + 30, 0);  // BI_RGB
  Put32(h + 34, imageSize);
  Put32(h + 38, uint32_t(pixelsPerMeterX));
  Put32(h + 42, uint32_t(pixelsPerMeterY));

  uint8_t* out = h + kBmpHeaderSize;
  for (int y = height - 1; y >= 0; --y) {
    const uint32_t* row = argb.data() + size_t(y) * size_t(width);
    for (int x = 0; x < width; ++x, out += 4)
      Put32(out, row[x]);  // 0xAARRGGBB -> B G R A
  }
  return file;
}

}  // namespace platform::codecs
