// Little-endian numbers in byte sets, as the file layouts the program writes and reads store them.
// Reads past the end give 0 for every missing byte, as the icon walk's rules ask.
#pragma once

#include <algorithm>
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

inline uint8_t ReadU8(std::span<const uint8_t> in, uint64_t at) {
  return at < in.size() ? in[static_cast<size_t>(at)] : 0;
}
inline uint16_t ReadU16(std::span<const uint8_t> in, uint64_t at) {
  return static_cast<uint16_t>(ReadU8(in, at) | ReadU8(in, at + 1) << 8);
}
inline uint32_t ReadU32(std::span<const uint8_t> in, uint64_t at) {
  return uint32_t{ReadU16(in, at)} | uint32_t{ReadU16(in, at + 2)} << 16;
}
inline uint32_t ReadU32BigEndian(std::span<const uint8_t> in, uint64_t at) {
  return uint32_t{ReadU8(in, at)} << 24 | uint32_t{ReadU8(in, at + 1)} << 16 |
         uint32_t{ReadU8(in, at + 2)} << 8 | ReadU8(in, at + 3);
}
// The bytes [at, at + length), cut short at the end.
inline ByteSet ReadBytes(const ByteSet& in, uint64_t at, uint64_t length) {
  if (at >= in.size()) return ByteSet();
  uint64_t n = std::min<uint64_t>(length, in.size() - at);
  return ByteSet(in.data() + at, static_cast<size_t>(n));
}

}  // namespace frame
