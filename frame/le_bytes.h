// Little-endian numbers appended to byte sets, as the file layouts the program writes store them.
// Reading a layout is its format module's work (platform/codecs), never done here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "frame/values.h"

namespace frame {

inline void AppendU8(ByteSet& out, uint8_t v) {
  out.bytes().push_back(v);
}
inline void AppendU16(ByteSet& out, uint16_t v) {
  out.bytes().push_back(v & 0xFF);
  out.bytes().push_back(v >> 8);
}
inline void AppendU32(ByteSet& out, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.bytes().push_back((v >> (8 * i)) & 0xFF);
}

}  // namespace frame
