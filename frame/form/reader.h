// The bounded little-endian reader under the form parser, and the error it reports.
//
// Every read is checked against the end of the current window of the block. The first failure is
// kept with the offset where it happened; from then on every read yields zero or empty values, so
// a parser can read a whole structure and check once, and never reads past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "frame/values.h"

namespace frame::form {

enum class FormErrorReason {
  EndOfData,           // a field runs past the end of its block
  NegativeLength,      // a length or count below 0
  CountTooLarge,       // a count that the remaining bytes cannot hold
  UnterminatedText,    // a zero-terminated text without its zero byte
  BadWindowIndex,      // the window index's length is not a multiple of 8
  EmptyUnitTable,      // a window record without its own entry
  RecordOutsideTable,  // a record offset that points outside the unit table
  RecordsOverlap,      // unit records that share bytes (each is copied; overlap multiplies it)
  UnknownEntryKind,    // a unit id whose kind is not window entry, unit or menu item
  TrailingData,        // bytes after the last window record
  UnknownUnitType,     // type data of a type this frame does not know
  VersionTooHigh,      // type data newer than the highest version known for its type
  BadItemValues,       // an item-value block whose length is not a multiple of 4
};

struct FormError {
  FormErrorReason reason;
  size_t offset;  // from the start of the form description (or of the type data read alone)
  friend bool operator==(const FormError&, const FormError&) = default;
};

const char* ReasonText(FormErrorReason reason);
// "<reason> at offset <n>", for messages and logs.
std::string ToString(const FormError& error);

class FormReader {
 public:
  // origin: the offset of bytes[0] within the whole form description, for error offsets.
  explicit FormReader(std::span<const uint8_t> bytes, size_t origin = 0);

  bool ok() const { return !error_.has_value(); }
  const std::optional<FormError>& error() const { return error_; }
  // Records the failure unless an earlier one is already kept.
  void Fail(FormErrorReason reason);
  void Fail(FormErrorReason reason, size_t offset);

  size_t offset() const { return origin_ + pos_; }  // absolute offset of the next read
  size_t remaining() const { return end_ - pos_; }  // bytes left in the current window

  int32_t Int32();
  uint16_t Uint16();
  std::vector<int32_t> CountedInt32s();  // an int32 count, then that many int32 values
  void SkipInt32s(size_t count);
  Text CountedText();
  ByteSet CountedBlock();
  Text ZeroTerminatedText();
  // A 16-bit count (0xFFFF: a 32-bit count follows), then that many counted texts.
  std::vector<Text> TextList();
  // Checks a byte length read at valueOffset: at least 0 and within what remains. 0 on failure.
  size_t Length(int64_t value, size_t valueOffset);
  // Checks a count read at valueOffset: at least 0, and its units of at least minUnitSize bytes
  // each must fit in what remains. 0 on failure.
  size_t Count(int64_t value, size_t minUnitSize, size_t valueOffset);
  std::span<const uint8_t> Bytes(size_t n);
  // The rest of the current window, consumed.
  std::span<const uint8_t> Rest();

  // Narrows the reader to the next `length` bytes; returns the end to pass to Widen.
  size_t Narrow(size_t length);
  // Skips what is left of the narrowed window and restores the earlier end.
  void Widen(size_t savedEnd);
  // Moves to the absolute offset `position` inside the current window.
  void Seek(size_t position);

 private:
  bool Need(size_t n);

  std::span<const uint8_t> bytes_;
  size_t origin_;
  size_t pos_ = 0;
  size_t end_;
  std::optional<FormError> error_;
};

}  // namespace frame::form
