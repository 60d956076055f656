// Library commands: texts, and splitting texts and byte sets.
#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "frame/commands.h"
#include "frame/fatal.h"

namespace frame {
namespace {

// In the program's texts a byte with its top bit set starts a two-byte character.
size_t TextCharacterLength(std::string_view text, size_t i) {
  return (static_cast<uint8_t>(text[i]) & 0x80) && i + 1 < text.size() ? 2 : 1;
}

size_t ByteLength(std::string_view, size_t) {
  return 1;
}

int32_t ClampedLength(size_t size) {
  return static_cast<int32_t>(std::min<size_t>(size, INT32_MAX));
}

// The pieces between delimiters. At each position (a whole character, as `step` says) the
// delimiter is tried; a match ends a piece. A remainder after the last delimiter is a piece only
// when it is not empty. A maximum (negative counts as 0) stops after that many pieces.
template <class Step>
std::vector<std::string_view> Split(std::string_view input, std::string_view delimiter,
                                    std::optional<int32_t> maxParts, Step step) {
  std::vector<std::string_view> pieces;
  size_t limit = maxParts ? static_cast<size_t>(std::max(*maxParts, 0)) : SIZE_MAX;
  if (input.empty() || limit == 0) return pieces;
  if (delimiter.empty()) return {input};
  size_t pieceStart = 0;
  for (size_t i = 0; i < input.size();) {
    if (input.compare(i, delimiter.size(), delimiter) == 0) {
      pieces.push_back(input.substr(pieceStart, i - pieceStart));
      if (pieces.size() == limit) return pieces;
      i += delimiter.size();
      pieceStart = i;
    } else {
      i += step(input, i);
    }
  }
  if (pieceStart < input.size()) pieces.push_back(input.substr(pieceStart));
  return pieces;
}

std::string_view View(const ByteSet& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

int32_t TextLength(const Text& text) {
  return ClampedLength(text.size());
}

Text TextLeft(const Text& text, int32_t n) {
  if (n <= 0) return Text();
  return Text(text.view().substr(0, static_cast<size_t>(n)));
}

Text TextRight(const Text& text, int32_t n) {
  if (n <= 0) return Text();
  size_t count = std::min(text.size(), static_cast<size_t>(n));
  return Text(text.view().substr(text.size() - count));
}

Text SpaceText(int32_t n) {
  if (n < 1) return Text();
  CheckBlockSize(static_cast<size_t>(n) + 1);
  return Text(std::string(static_cast<size_t>(n), ' '));
}

Text ToLower(const Text& text) {
  std::string out = text.bytes();
  for (size_t i = 0; i < out.size(); i += TextCharacterLength(out, i))
    if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
  return Text(std::move(out));
}

Array<Text> SplitText(const Text& text, const std::optional<Text>& delimiter,
                      std::optional<int32_t> maxParts) {
  std::string_view separator = delimiter ? delimiter->view() : std::string_view(",");
  Array<Text> pieces;
  for (std::string_view piece : Split(text.view(), separator, maxParts, TextCharacterLength))
    pieces.Append(Text(piece));
  return pieces;
}

Array<ByteSet> SplitByteSet(const ByteSet& bytes, const std::optional<ByteSet>& delimiter,
                            std::optional<int32_t> maxParts) {
  static constexpr char kZero[1] = {'\0'};
  std::string_view separator = delimiter ? View(*delimiter) : std::string_view(kZero, 1);
  Array<ByteSet> pieces;
  for (std::string_view piece : Split(View(bytes), separator, maxParts, ByteLength))
    pieces.Append(ByteSet::FromString(piece));
  return pieces;
}

}  // namespace frame
