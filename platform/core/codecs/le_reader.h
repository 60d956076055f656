// Little-endian reads over a byte span in which every read can fail. Offsets and lengths are
// 64-bit, so adding a 32-bit offset read from a file to a 32-bit length never wraps. Cut a
// sub-reader for each record before reading inside it, so that no check compares against the
// wrong length.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace platform::codecs {

class LeReader {
 public:
  LeReader() = default;
  explicit LeReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  std::span<const uint8_t> bytes() const { return bytes_; }
  uint64_t size() const { return bytes_.size(); }

  bool Contains(uint64_t offset, uint64_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }

  std::optional<uint8_t> U8(uint64_t offset) const {
    if (!Contains(offset, 1)) return std::nullopt;
    return bytes_[offset];
  }
  std::optional<uint16_t> U16(uint64_t offset) const {
    if (!Contains(offset, 2)) return std::nullopt;
    return static_cast<uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8);
  }
  std::optional<uint32_t> U32(uint64_t offset) const {
    if (!Contains(offset, 4)) return std::nullopt;
    return static_cast<uint32_t>(bytes_[offset]) | static_cast<uint32_t>(bytes_[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes_[offset + 2]) << 16 |
           static_cast<uint32_t>(bytes_[offset + 3]) << 24;
  }
  std::optional<int32_t> I32(uint64_t offset) const {
    auto v = U32(offset);
    if (!v) return std::nullopt;
    return static_cast<int32_t>(*v);
  }

  std::optional<std::span<const uint8_t>> Span(uint64_t offset, uint64_t length) const {
    if (!Contains(offset, length)) return std::nullopt;
    return bytes_.subspan(offset, length);
  }
  std::optional<LeReader> Sub(uint64_t offset, uint64_t length) const {
    auto s = Span(offset, length);
    if (!s) return std::nullopt;
    return LeReader(*s);
  }
  // Everything from offset to the end (empty when offset is past the end).
  LeReader From(uint64_t offset) const {
    return offset >= bytes_.size() ? LeReader() : LeReader(bytes_.subspan(offset));
  }

 private:
  std::span<const uint8_t> bytes_;
};

}  // namespace platform::codecs
