// Little-endian numbers in byte sets, as the icon file layouts store them. Reads past the end
// give 0 for every missing byte, as the icon walk's rules ask.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "frame/values.h"

namespace icofile {

inline void AppendU8(frame::ByteSet& out, uint8_t v) { out.bytes().push_back(v); }
inline void AppendU16(frame::ByteSet& out, uint16_t v) {
  out.bytes().push_back(v & 0xFF);
  out.bytes().push_back(v >> 8);
}
inline void AppendU32(frame::ByteSet& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.bytes().push_back((v >> (8 * i)) & 0xFF);
}

inline uint8_t ReadU8(const frame::ByteSet& in, uint64_t at) {
  return at < in.size() ? in[static_cast<size_t>(at)] : 0;
}
inline uint16_t ReadU16(const frame::ByteSet& in, uint64_t at) {
  return static_cast<uint16_t>(ReadU8(in, at) | ReadU8(in, at + 1) << 8);
}
inline uint32_t ReadU32(const frame::ByteSet& in, uint64_t at) {
  return uint32_t{ReadU16(in, at)} | uint32_t{ReadU16(in, at + 2)} << 16;
}
// The bytes [at, at + length), cut short at the end.
inline frame::ByteSet ReadBytes(const frame::ByteSet& in, uint64_t at, uint64_t length) {
  if (at >= in.size()) return frame::ByteSet();
  uint64_t n = std::min<uint64_t>(length, in.size() - at);
  return frame::ByteSet(in.data() + at, static_cast<size_t>(n));
}

}  // namespace icofile
