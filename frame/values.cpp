#include "frame/values.h"

#include <cstdint>

#include "frame/fatal.h"
#include "platform/text/gbk.h"

namespace frame {

Text Text::FromUtf8(std::string_view utf8) {
  return Text(platform::text::Utf8ToGbk(utf8));
}

std::string Text::ToUtf8() const {
  return platform::text::GbkToUtf8(bytes_);
}

void RaiseSubscriptTooLarge() {
  RaiseRuntimeError(1);
}
void RaiseSubscriptBelowOne() {
  RaiseRuntimeError(4);
}
void RaiseNegativeDimension() {
  RaiseRuntimeError(10);
}

void CheckElementCount(int64_t count, size_t size) {
  // Checked in 64 bits, so no count wraps to a small block: 8 + count * size as the array block.
  uint64_t limit = (kLargestBlock - 8) / size;
  if (static_cast<uint64_t>(count) > limit)
    AllocationFailed(static_cast<uint64_t>(count) > (SIZE_MAX - 8) / size
                         ? SIZE_MAX
                         : 8 + static_cast<size_t>(count) * size);
}

int SizeOfType(TypeCode type) {
  switch (type) {
    case TypeCode::Byte:
      return 1;
    case TypeCode::Short:
      return 2;
    case TypeCode::Long:
    case TypeCode::Double:
    case TypeCode::DateTime:
      return 8;
    default:
      return 4;
  }
}

TypeCode Value::type() const {
  static constexpr TypeCode kCodes[] = {
      TypeCode::Byte,       TypeCode::Short, TypeCode::Int,      TypeCode::Long, TypeCode::Float,
      TypeCode::Double,     TypeCode::Bool,  TypeCode::DateTime, TypeCode::Text, TypeCode::ByteSet,
      TypeCode::Subroutine, TypeCode::Int,   TypeCode::Double,   TypeCode::Text, TypeCode::ByteSet};
  return kCodes[v_.index()];
}

uint32_t Value::typeCode() const {
  return static_cast<uint32_t>(type()) | (isArray() ? kArrayTypeBit : 0);
}

double NumericValue(const Value& v) {
  if (auto p = v.get<uint8_t>()) return *p;
  if (auto p = v.get<int16_t>()) return *p;
  if (auto p = v.get<int32_t>()) return *p;
  if (auto p = v.get<int64_t>()) return static_cast<double>(*p);
  if (auto p = v.get<float>()) return *p;
  if (auto p = v.get<double>()) return *p;
  RaiseRuntimeError(2);
}

}  // namespace frame
