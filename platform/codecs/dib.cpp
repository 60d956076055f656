// Placeholder until the decoder is implemented: every input is refused.
#include "platform/codecs/dib.h"

namespace platform::codecs {

std::string_view ToString(DibError) { return "not implemented"; }
Result<DibImage, DibError> DecodeDib(std::span<const uint8_t>, DibMode) {
  return Fail(DibError::UnsupportedBitCount);
}
Result<DibImage, DibError> DecodeBmpFile(std::span<const uint8_t>) {
  return Fail(DibError::UnsupportedBitCount);
}

}  // namespace platform::codecs
