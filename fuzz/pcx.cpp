// Fuzzes the PCX decoder of picture values.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/core/codecs/pcx.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto image = platform::codecs::DecodePcx(std::span<const uint8_t>(data, size));
  if (image && image->pixels.size() != static_cast<size_t>(image->width) * image->height)
    __builtin_trap();
  return 0;
}
