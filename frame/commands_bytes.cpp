// Library commands: byte sets.
#include <algorithm>
#include <climits>
#include <cstring>

#include "frame/commands.h"
#include "frame/fatal.h"
#include "frame/literal.h"
#include "frame/translated.h"

namespace frame {
namespace {

using namespace literals;

// Bytes [offset, offset + count) of a byte set, both already within it.
ByteSet Slice(const ByteSet& bytes, size_t offset, size_t count) {
  return ByteSet(bytes.data() + offset, count);
}

size_t Clamp(int32_t n, size_t size) {
  return n <= 0 ? 0 : std::min(static_cast<size_t>(n), size);
}

// Reads a value of type T at offset; bytes beyond the end read as zero.
template <class T>
T ReadPadded(const ByteSet& bytes, size_t offset) {
  uint8_t raw[sizeof(T)] = {};
  if (offset < bytes.size())
    std::memcpy(raw, bytes.data() + offset, std::min(sizeof(T), bytes.size() - offset));
  T value;
  std::memcpy(&value, raw, sizeof(T));
  return value;
}

// The width in bytes of the fixed-size types of GetByteSetData (1..9).
constexpr size_t kTypeWidths[] = {0, 1, 2, 4, 8, 4, 8, 4, 8, 4};

}  // namespace

int32_t ByteSetLength(const ByteSet& bytes) {
  return static_cast<int32_t>(std::min<size_t>(bytes.size(), INT32_MAX));
}

ByteSet ZeroByteSet(int32_t n) {
  if (n <= 0) return ByteSet();
  CheckBlockSize(static_cast<size_t>(n) + 8);
  return ByteSet(std::vector<uint8_t>(static_cast<size_t>(n), 0));
}

ByteSet ByteSetLeft(const ByteSet& bytes, int32_t n) {
  return Slice(bytes, 0, Clamp(n, bytes.size()));
}

ByteSet ByteSetRight(const ByteSet& bytes, int32_t n) {
  size_t count = Clamp(n, bytes.size());
  return Slice(bytes, bytes.size() - count, count);
}

ByteSet ByteSetMid(const ByteSet& bytes, int32_t start, int32_t n) {
  size_t offset = start < 1 ? 0 : static_cast<size_t>(start) - 1;
  if (offset >= bytes.size()) return ByteSet();
  return Slice(bytes, offset, Clamp(n, bytes.size() - offset));
}

Value GetByteSetData(const ByteSet& bytes, int32_t type, int32_t* position) {
  if (type < 1 || type > 10) RaiseRuntimeError(TR("errors", "“欲取出数据的类型”参数值无效"));
  int64_t at = position ? *position : 1;
  bool inside = at >= 1 && static_cast<uint64_t>(at) <= bytes.size();
  size_t offset = inside ? static_cast<size_t>(at - 1) : bytes.size();

  Value value;
  size_t width;
  if (type == 10) {
    const uint8_t* start = bytes.data() + offset;
    size_t remaining = bytes.size() - offset;
    const void* zero = remaining ? std::memchr(start, 0, remaining) : nullptr;
    size_t length =
        zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - start) : remaining;
    value = Text(std::string_view(reinterpret_cast<const char*>(start), length));
    width = length + (zero ? 1 : 0);
  } else {
    width = kTypeWidths[type];
    switch (type) {
      case 1:
        value = ReadPadded<uint8_t>(bytes, offset);
        break;
      case 2:
        value = ReadPadded<int16_t>(bytes, offset);
        break;
      case 3:
        value = ReadPadded<int32_t>(bytes, offset);
        break;
      case 4:
        value = ReadPadded<int64_t>(bytes, offset);
        break;
      case 5:
        value = ReadPadded<float>(bytes, offset);
        break;
      case 6:
        value = ReadPadded<double>(bytes, offset);
        break;
      case 7:
        value = ReadPadded<int32_t>(bytes, offset) != 0;
        break;
      case 8:
        value = DateTime{ReadPadded<double>(bytes, offset)};
        break;
      case 9:
        value = Subroutine{ReadPadded<uint32_t>(bytes, offset)};
        break;
    }
  }
  if (position) {
    // Past the value read; -1 once the read reached beyond the data.
    int64_t next = at + static_cast<int64_t>(width);
    *position =
        inside && static_cast<uint64_t>(next) <= bytes.size() ? static_cast<int32_t>(next) : -1;
  }
  return value;
}

ByteSet ByteSetReplaceAll(const ByteSet& bytes, const ByteSet& search, const ByteSet& replacement,
                          int32_t start, std::optional<int32_t> maxCount) {
  size_t offset = start < 1 ? 0 : static_cast<size_t>(start) - 1;
  if (search.empty() || offset >= bytes.size()) return bytes;
  const std::vector<uint8_t>& in = bytes.bytes();
  const auto from = in.begin() + static_cast<ptrdiff_t>(offset);
  size_t limit = maxCount ? static_cast<size_t>(std::max(*maxCount, 0)) : SIZE_MAX;
  // Calls f(match) for each occurrence to replace, left to right, without overlaps.
  auto forEachMatch = [&](auto f) {
    size_t count = 0;
    for (auto at = from; count < limit; ++count) {
      at = std::search(at, in.end(), search.bytes().begin(), search.bytes().end());
      if (at == in.end()) break;
      f(at);
      at += static_cast<ptrdiff_t>(search.size());
    }
  };

  // The result's size is known before anything is copied, so a result too large to hold fails
  // at once instead of after copying a gigabyte.
  size_t matches = 0;
  forEachMatch([&](auto) { ++matches; });
  if (replacement.size() > search.size() && matches > 0 &&
      (in.size() > kLargestBlock ||
       matches > (kLargestBlock - in.size()) / (replacement.size() - search.size())))
    AllocationFailed(in.size() + matches * (replacement.size() - search.size()));

  std::vector<uint8_t> out(in.begin(), from);
  out.reserve(in.size() + matches * replacement.size() - matches * search.size());
  auto copied = from;
  forEachMatch([&](auto match) {
    out.insert(out.end(), copied, match);
    out.insert(out.end(), replacement.bytes().begin(), replacement.bytes().end());
    copied = match + static_cast<ptrdiff_t>(search.size());
  });
  out.insert(out.end(), copied, in.end());
  return ByteSet(std::move(out));
}

ByteSet PointerToByteSet(const void* address, int32_t length) {
  if (!address || length <= 0) return ByteSet();
  CheckBlockSize(static_cast<size_t>(length) + 8);
  return ByteSet(static_cast<const uint8_t*>(address), static_cast<size_t>(length));
}

void WriteToMemory(const Value& value, void* address, std::optional<int32_t> maxLength) {
  ByteSet bytes = ToByteSet(value);
  size_t count = maxLength ? Clamp(*maxLength, bytes.size()) : bytes.size();
  if (address && count > 0) std::memcpy(address, bytes.data(), count);
}

}  // namespace frame
