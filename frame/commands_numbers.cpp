// Library commands: numbers and bits.
#include <cmath>
#include <cstdint>
#include <limits>

#include "frame/commands.h"

namespace frame {
namespace {

// The 64-bit integer for a whole double; a value no such integer holds (NaN, infinities, beyond
// 2^63) gives the processor's "integer indefinite" value, as the conversion instruction does.
int64_t ToInt64(double whole) {
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  if (!(whole >= -kLimit && whole < kLimit)) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(whole);
}

}  // namespace

int32_t BitAnd(std::initializer_list<int32_t> values) {
  if (values.size() == 0) return 0;
  uint32_t result = ~0u;
  for (int32_t v : values)
    result &= static_cast<uint32_t>(v);
  return static_cast<int32_t>(result);
}

int32_t BitOr(std::initializer_list<int32_t> values) {
  uint32_t result = 0;
  for (int32_t v : values)
    result |= static_cast<uint32_t>(v);
  return static_cast<int32_t>(result);
}

int32_t BitNot(int32_t value) {
  return static_cast<int32_t>(~static_cast<uint32_t>(value));
}

int32_t ShiftLeft(int32_t value, int32_t count) {
  return static_cast<int32_t>(static_cast<uint32_t>(value) << (static_cast<uint32_t>(count) & 31));
}

double Abs(double value) {
  return std::fabs(value);
}

int64_t Floor(double value) {
  double whole = std::trunc(value);
  // 2.9999999999999 is meant as 3: such a value snaps away from zero before flooring.
  if (std::fabs(value - whole) > 0.999999999999) value = whole + (value < 0 ? -1.0 : 1.0);
  return ToInt64(std::floor(value));
}

double Round(double value, int32_t places) {
  double magnitude = std::fabs(value);
  if (value == 0 || !std::isfinite(value)) return value;
  double scale = std::pow(10.0, std::abs(static_cast<double>(places)));
  double scaled = places > 0 ? magnitude * scale : places < 0 ? magnitude / scale : magnitude;
  // A value with no digits left at that many places is already rounded.
  if (!std::isfinite(scaled) || scaled >= 4503599627370496.0) return value;  // 2^52
  scaled += 1e-12;
  double whole = std::floor(scaled);
  if (scaled - whole >= 0.5) whole += 1;
  double rounded = whole == 0 ? 0 : places > 0 ? whole / scale : places < 0 ? whole * scale : whole;
  return value < 0 ? -rounded : rounded;
}

}  // namespace frame
