#include "fuzz/targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Catalog(std::span<const uint8_t>(data, size));
  return 0;
}
