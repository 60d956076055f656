#include "frame/form/reader.h"

#include <cstring>

namespace frame::form {

const char* ReasonText(FormErrorReason reason) {
  switch (reason) {
    case FormErrorReason::EndOfData:
      return "the block ends inside a field";
    case FormErrorReason::NegativeLength:
      return "a negative length or count";
    case FormErrorReason::CountTooLarge:
      return "a count larger than the data can hold";
    case FormErrorReason::UnterminatedText:
      return "a text without its terminating zero";
    case FormErrorReason::BadWindowIndex:
      return "a window index whose length is not 8 per window";
    case FormErrorReason::EmptyUnitTable:
      return "a window without its own entry";
    case FormErrorReason::RecordOutsideTable:
      return "a record offset outside the unit table";
    case FormErrorReason::RecordsOverlap:
      return "unit records that overlap";
    case FormErrorReason::UnknownEntryKind:
      return "a unit id of an unknown kind";
    case FormErrorReason::TrailingData:
      return "bytes after the last window record";
    case FormErrorReason::UnknownUnitType:
      return "a unit type this frame does not know";
    case FormErrorReason::VersionTooHigh:
      return "type data newer than this frame understands";
    case FormErrorReason::BadItemValues:
      return "item values whose length is not 4 per item";
  }
  return "an unknown form error";
}

std::string ToString(const FormError& error) {
  return std::string(ReasonText(error.reason)) + " at offset " + std::to_string(error.offset);
}

FormReader::FormReader(std::span<const uint8_t> bytes, size_t origin)
    : bytes_(bytes), origin_(origin), end_(bytes.size()) {}

void FormReader::Fail(FormErrorReason reason) {
  Fail(reason, offset());
}

void FormReader::Fail(FormErrorReason reason, size_t offset) {
  if (!error_) error_ = FormError{reason, offset};
}

bool FormReader::Need(size_t n) {
  if (!ok()) return false;
  if (n > remaining()) {
    Fail(FormErrorReason::EndOfData);
    return false;
  }
  return true;
}

int32_t FormReader::Int32() {
  if (!Need(4)) return 0;
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i)
    v = (v << 8) | bytes_[pos_ + i];
  pos_ += 4;
  return static_cast<int32_t>(v);
}

uint16_t FormReader::Uint16() {
  if (!Need(2)) return 0;
  uint16_t v = static_cast<uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
  pos_ += 2;
  return v;
}

size_t FormReader::Length(int64_t value, size_t valueOffset) {
  if (!ok()) return 0;
  if (value < 0) {
    Fail(FormErrorReason::NegativeLength, valueOffset);
    return 0;
  }
  if (static_cast<uint64_t>(value) > remaining()) {
    Fail(FormErrorReason::EndOfData, valueOffset);
    return 0;
  }
  return static_cast<size_t>(value);
}

size_t FormReader::Count(int64_t value, size_t minUnitSize, size_t valueOffset) {
  if (!ok()) return 0;
  if (value < 0) {
    Fail(FormErrorReason::NegativeLength, valueOffset);
    return 0;
  }
  if (static_cast<uint64_t>(value) > remaining() / minUnitSize) {
    Fail(FormErrorReason::CountTooLarge, valueOffset);
    return 0;
  }
  return static_cast<size_t>(value);
}

std::vector<int32_t> FormReader::CountedInt32s() {
  size_t at = offset();
  size_t n = Count(Int32(), 4, at);
  std::vector<int32_t> out;
  out.reserve(n);
  for (size_t i = 0; i < n; ++i)
    out.push_back(Int32());
  return out;
}

void FormReader::SkipInt32s(size_t count) {
  for (size_t i = 0; i < count && ok(); ++i)
    Int32();
}

std::span<const uint8_t> FormReader::Bytes(size_t n) {
  if (!Need(n)) return {};
  auto out = bytes_.subspan(pos_, n);
  pos_ += n;
  return out;
}

Text FormReader::CountedText() {
  size_t at = offset();
  auto bytes = Bytes(Length(Int32(), at));
  return Text(std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

ByteSet FormReader::CountedBlock() {
  size_t at = offset();
  return ByteSet(Bytes(Length(Int32(), at)));
}

Text FormReader::ZeroTerminatedText() {
  if (!ok()) return Text();
  const uint8_t* start = bytes_.data() + pos_;
  const void* zero = std::memchr(start, 0, remaining());
  if (!zero) {
    Fail(FormErrorReason::UnterminatedText);
    return Text();
  }
  size_t length = static_cast<size_t>(static_cast<const uint8_t*>(zero) - start);
  Text text(std::string(reinterpret_cast<const char*>(start), length));
  pos_ += length + 1;
  return text;
}

std::vector<Text> FormReader::TextList() {
  size_t at = offset();
  int64_t count = Uint16();
  if (count == 0xFFFF) {
    at = offset();
    count = static_cast<uint32_t>(Int32());
  }
  // Every counted text takes at least its 4-byte length.
  size_t n = Count(count, 4, at);
  std::vector<Text> out;
  out.reserve(n);
  for (size_t i = 0; i < n && ok(); ++i)
    out.push_back(CountedText());
  return out;
}

std::span<const uint8_t> FormReader::Rest() {
  return Bytes(remaining());
}

size_t FormReader::Narrow(size_t length) {
  size_t saved = end_;
  if (Need(length)) end_ = pos_ + length;
  return saved;
}

void FormReader::Widen(size_t savedEnd) {
  pos_ = end_;
  end_ = savedEnd;
}

void FormReader::Seek(size_t position) {
  if (!ok()) return;
  if (position < origin_ || position - origin_ > end_) {
    Fail(FormErrorReason::RecordOutsideTable, position);
    return;
  }
  pos_ = position - origin_;
}

}  // namespace frame::form
