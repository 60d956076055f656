// The library commands on arbitrary texts and byte sets: slicing, splitting, replacing, reading
// typed values and converting texts to numbers must never read or write out of bounds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "frame/commands.h"

namespace {

// Splits the input into small numbers and three byte strings.
struct Input {
  explicit Input(const uint8_t* data, size_t size)
      : rest(reinterpret_cast<const char*>(data), size) {}
  int32_t Number() {
    int32_t n = 0;
    size_t take = std::min<size_t>(rest.size(), 4);
    std::memcpy(&n, rest.data(), take);
    rest.remove_prefix(take);
    return n;
  }
  std::string_view Piece() {
    size_t length = rest.empty() ? 0 : static_cast<uint8_t>(rest.front()) % 16;
    if (!rest.empty()) rest.remove_prefix(1);
    std::string_view piece = rest.substr(0, length);
    rest.remove_prefix(piece.size());
    return piece;
  }
  std::string_view rest;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace frame;
  Input in(data, size);
  int32_t a = in.Number(), b = in.Number();
  int32_t type = 1 + static_cast<int32_t>(static_cast<uint32_t>(in.Number()) % 10);
  Text delimiter(in.Piece());
  ByteSet search = ByteSet::FromString(in.Piece());
  ByteSet replacement = ByteSet::FromString(in.Piece());
  Text text(in.rest);
  ByteSet bytes = ByteSet::FromString(in.rest);

  TextLeft(text, a);
  TextRight(text, b);
  ToLower(text);
  ToNumber(text);
  ToByte(text);
  Floor(ToNumber(text));
  Round(ToNumber(text), a % 400);
  SplitText(text, delimiter, b % 64);
  SplitText(text);
  SplitByteSet(bytes, search, a % 64);
  ByteSetMid(bytes, a, b);
  ByteSetLeft(bytes, a);
  ByteSetRight(bytes, b);
  ByteSetReplaceAll(bytes, search, replacement, a % 64, b % 64);
  int32_t position = a % 64;
  while (position != -1)
    GetByteSetData(bytes, type, &position);
  ToText(bytes);
  return 0;
}
