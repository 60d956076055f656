// The frame's library commands that the program uses: numbers and bits, conversions, texts,
// byte sets and files. Each returns a new value owned by the caller. Positions are 1-based.
// An empty text or byte set stands for the null one (no text, no block); no command returns an
// allocated empty text or byte set, and every command accepts empty inputs.
//
// The dialog, cursor, message-pumping and unit commands live with the window (ui_commands.h).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>

#include "frame/values.h"

namespace frame {

// Numbers and bits.
int32_t BitAnd(std::initializer_list<int32_t> values);
int32_t BitOr(std::initializer_list<int32_t> values);
int32_t BitNot(int32_t value);
int32_t ShiftLeft(int32_t value, int32_t count);
double Abs(double value);
int64_t Floor(double value);
double Round(double value, int32_t places = 0);

// Conversions. ToNumber and ToByte read a text's leading decimal number after turning full-width
// characters into half-width ones. ToByteSet lays a value out as in memory; arrays of texts or
// byte sets give their elements' bytes back to back.
Text ToText(const Value& value);
double ToNumber(const Value& value);
uint8_t ToByte(const Value& value);
ByteSet ToByteSet(const Value& value);

// Texts (lengths and positions in bytes; a double-byte character is never split).
int32_t TextLength(const Text& text);
Text TextLeft(const Text& text, int32_t n);
Text TextRight(const Text& text, int32_t n);
Text SpaceText(int32_t n);
Text ToLower(const Text& text);
Array<Text> SplitText(const Text& text, const std::optional<Text>& delimiter = std::nullopt,
                      std::optional<int32_t> maxParts = std::nullopt);

// Byte sets.
int32_t ByteSetLength(const ByteSet& bytes);
ByteSet ZeroByteSet(int32_t n);
ByteSet ByteSetLeft(const ByteSet& bytes, int32_t n);
ByteSet ByteSetRight(const ByteSet& bytes, int32_t n);
ByteSet ByteSetMid(const ByteSet& bytes, int32_t start, int32_t n);
// type: 1 byte, 2 short, 3 int, 4 int64, 5 float, 6 double, 7 bool, 8 date-time, 9 subroutine,
// 10 text; any other is a runtime error. With a position variable the read starts there and the
// variable moves past the value, or becomes -1 when nothing is left after it (or the position
// was outside the data); without, the read starts at 1. Missing bytes read as zero.
Value GetByteSetData(const ByteSet& bytes, int32_t type, int32_t* position = nullptr);
ByteSet ByteSetReplaceAll(const ByteSet& bytes, const ByteSet& search,
                          const ByteSet& replacement = ByteSet(), int32_t start = 1,
                          std::optional<int32_t> maxCount = std::nullopt);
Array<ByteSet> SplitByteSet(const ByteSet& bytes,
                            const std::optional<ByteSet>& delimiter = std::nullopt,
                            std::optional<int32_t> maxParts = std::nullopt);
ByteSet PointerToByteSet(const void* address, int32_t length);
void WriteToMemory(const Value& value, void* address,
                   std::optional<int32_t> maxLength = std::nullopt);

// Files. Failures are results, never errors.
ByteSet ReadFile(const Text& path);
// Writes the non-empty parts in order into a new file that replaces path only when every write
// succeeded, so a failed write never destroys the old file. A folder or read-only file at path
// is refused.
bool WriteFileParts(const Text& path, std::initializer_list<const ByteSet*> parts);
template <class... More>
bool WriteFile(const Text& path, const ByteSet& first, const More&... more) {
  return WriteFileParts(path, {&first, &more...});
}
bool DeleteFile(const Text& path);
bool FileExists(const Text& path);
int32_t GetFileAttributes(const Text& path);

}  // namespace frame
