// Library commands: conversions between value types.
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <type_traits>

#include "frame/commands.h"
#include "frame/literal.h"

namespace frame {
namespace {

using namespace literals;

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

template <class T>
void AppendBytes(std::vector<uint8_t>& out, T value) {
  uint8_t bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  out.insert(out.end(), bytes, bytes + sizeof(T));
}

// The shortest decimal that reads back as the same number.
template <class Float>
Text FormatFloat(Float value) {
  if (value == 0) return Text("0");  // also for -0
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return Text(std::string_view(buffer, static_cast<size_t>(result.ptr - buffer)));
}

// The runtime's date words: "2024年1月2日", with "3时4分5秒" when there is a time of day.
Text FormatDate(DateTime date) {
  // Days since 1899-12-30; beyond years 1 to 9999 there is no date to show.
  if (!(date.days > -693593 && date.days < 2958466)) return Text();
  int64_t seconds = std::llround(date.days * 86400.0);
  int64_t days = seconds / 86400 - (seconds % 86400 < 0 ? 1 : 0);
  int64_t secondOfDay = seconds - days * 86400;
  // Civil date from days since 1970-01-01 (proleptic Gregorian calendar).
  int64_t z = days - 25569 + 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t dayOfEra = z - era * 146097;
  int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  int64_t mp = (5 * dayOfYear + 2) / 153;
  int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
  int64_t month = mp < 10 ? mp + 3 : mp - 9;
  int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  auto number = [](int64_t n) { return Text(std::to_string(n)); };
  Text text = number(year) + "年"_gbk + number(month) + "月"_gbk + number(day) + "日"_gbk;
  if (secondOfDay != 0)
    text += number(secondOfDay / 3600) + "时"_gbk + number(secondOfDay / 60 % 60) + "分"_gbk +
            number(secondOfDay % 60) + "秒"_gbk;
  return text;
}

// Full-width forms (GBK 0xA3A1..0xA3FE) and the ideographic space (0xA1A1) as their ASCII
// counterparts; every other character as it is.
std::string ToHalfWidth(std::string_view gbk) {
  std::string out;
  out.reserve(gbk.size());
  for (size_t i = 0; i < gbk.size(); ++i) {
    auto lead = static_cast<uint8_t>(gbk[i]);
    if (lead < 0x80 || i + 1 == gbk.size()) {
      out += gbk[i];
      continue;
    }
    auto trail = static_cast<uint8_t>(gbk[i + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE)
      out += static_cast<char>(trail - 0x80);
    else if (lead == 0xA1 && trail == 0xA1)
      out += ' ';
    else
      out.append(gbk.substr(i, 2));
    ++i;
  }
  return out;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

size_t SkipSpaces(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r')))
    ++i;
  return i;
}

// The decimal number at the start of the text (after spaces), or 0 when it does not start with
// one. Only digits, a point and an exponent are read (never hexadecimal or "inf"), the same in
// every locale.
double ReadDecimal(std::string_view s) {
  size_t i = SkipSpaces(s);
  bool negative = i < s.size() && s[i] == '-';
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
  size_t start = i, digits = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i)
    ++digits;
  if (i < s.size() && s[i] == '.')
    for (++i; i < s.size() && IsDigit(s[i]); ++i)
      ++digits;
  if (digits == 0) return 0;
  bool negativeExponent = false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t e = i + 1;
    negativeExponent = e < s.size() && s[e] == '-';
    if (e < s.size() && (s[e] == '-' || s[e] == '+')) ++e;
    if (e < s.size() && IsDigit(s[e])) {
      while (e < s.size() && IsDigit(s[e]))
        ++e;
      i = e;
    }
  }
  double value = 0;
  if (std::from_chars(s.data() + start, s.data() + i, value).ec == std::errc::result_out_of_range)
    value = negativeExponent ? 0 : HUGE_VAL;
  return negative ? -value : value;
}

// The decimal integer at the start of the text, wrapping like 32-bit arithmetic.
int32_t ReadInteger(std::string_view s) {
  size_t i = SkipSpaces(s);
  bool negative = i < s.size() && s[i] == '-';
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
  uint32_t value = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i)
    value = value * 10 + static_cast<uint32_t>(s[i] - '0');
  return static_cast<int32_t>(negative ? 0u - value : value);
}

// A double truncated toward zero into 32 bits (0 when it has no integer value).
int32_t TruncateToInt32(double value) {
  if (!std::isfinite(value) || std::fabs(value) >= 9223372036854775808.0) return 0;
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(value)));
}

}  // namespace

Text ToText(const Value& value) {
  return std::visit(
      Overloaded{
          [](uint8_t v) { return Text(std::to_string(v)); },
          [](int16_t v) { return Text(std::to_string(v)); },
          [](int32_t v) { return Text(std::to_string(v)); },
          [](int64_t v) { return Text(std::to_string(v)); }, [](float v) { return FormatFloat(v); },
          [](double v) { return FormatFloat(v); }, [](bool v) { return v ? "真"_gbk : "假"_gbk; },
          [](DateTime v) { return FormatDate(v); }, [](const Text& v) { return v; },
          [](const ByteSet& v) {
            const char* bytes = reinterpret_cast<const char*>(v.data());
            const void* zero = v.empty() ? nullptr : std::memchr(bytes, 0, v.size());
            size_t length =
                zero ? static_cast<size_t>(static_cast<const char*>(zero) - bytes) : v.size();
            return Text(std::string_view(bytes, length));
          },
          [](Subroutine v) { return Text(std::to_string(v.address)); },
          [](const auto&) { return Text(); },  // arrays have no text
      },
      value.storage());
}

double ToNumber(const Value& value) {
  return std::visit(Overloaded{
                        [](bool v) { return v ? 1.0 : 0.0; },
                        [](DateTime v) { return v.days; },
                        [](const Text& v) { return ReadDecimal(ToHalfWidth(v.view())); },
                        [](Subroutine v) { return static_cast<double>(v.address); },
                        [](const auto& v) -> double {
                          if constexpr (std::is_arithmetic_v<std::remove_cvref_t<decltype(v)>>)
                            return static_cast<double>(v);
                          else
                            return 0;  // byte sets and arrays are no numbers
                        },
                    },
                    value.storage());
}

uint8_t ToByte(const Value& value) {
  return std::visit(
      Overloaded{
          [](bool v) -> uint8_t { return v ? 1 : 0; },
          [](float v) { return static_cast<uint8_t>(TruncateToInt32(v)); },
          [](double v) { return static_cast<uint8_t>(TruncateToInt32(v)); },
          [](const Text& v) { return static_cast<uint8_t>(ReadInteger(ToHalfWidth(v.view()))); },
          [](const auto& v) -> uint8_t {
            if constexpr (std::is_integral_v<std::remove_cvref_t<decltype(v)>>)
              return static_cast<uint8_t>(v);
            else
              return 0;
          },
      },
      value.storage());
}

ByteSet ToByteSet(const Value& value) {
  std::vector<uint8_t> out;
  std::visit(Overloaded{
                 [&](bool v) { AppendBytes(out, int32_t{v ? 1 : 0}); },
                 [&](DateTime v) { AppendBytes(out, v.days); },
                 [&](Subroutine v) { AppendBytes(out, v.address); },
                 [&](const Text& v) { out.assign(v.bytes().begin(), v.bytes().end()); },
                 [&](const ByteSet& v) { out = v.bytes(); },
                 [&](const Array<Text>& v) {
                   for (const Text& t : v)
                     out.insert(out.end(), t.bytes().begin(), t.bytes().end());
                 },
                 [&](const Array<ByteSet>& v) {
                   for (const ByteSet& b : v)
                     out.insert(out.end(), b.bytes().begin(), b.bytes().end());
                 },
                 [&](const Array<int32_t>& v) {
                   for (int32_t n : v)
                     AppendBytes(out, n);
                 },
                 [&](const Array<double>& v) {
                   for (double n : v)
                     AppendBytes(out, n);
                 },
                 [&](auto v) { AppendBytes(out, v); },
             },
             value.storage());
  return ByteSet(std::move(out));
}

}  // namespace frame
