// Little-endian byte building for hand-made form descriptions and type data in the tests, and
// access to the main window's form as parsed.
#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

#include "frame/form/form.h"

namespace frame::form {
inline void PrintTo(FormErrorReason reason, std::ostream* os) {
  *os << ReasonText(reason);
}
inline void PrintTo(const FormError& error, std::ostream* os) {
  *os << ToString(error);
}
}  // namespace frame::form

namespace form_test {

class Bytes {
 public:
  Bytes& I32(int64_t v) {
    auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
      b.push_back(static_cast<uint8_t>(u >> (8 * i)));
    return *this;
  }
  Bytes& I32s(std::initializer_list<int64_t> values) {
    for (int64_t v : values)
      I32(v);
    return *this;
  }
  Bytes& Zeros(int words) {
    for (int i = 0; i < words; ++i)
      I32(0);
    return *this;
  }
  Bytes& U16(uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
    return *this;
  }
  Bytes& Raw(std::string_view s) {
    b.insert(b.end(), s.begin(), s.end());
    return *this;
  }
  Bytes& Raw(const std::vector<uint8_t>& v) {
    b.insert(b.end(), v.begin(), v.end());
    return *this;
  }
  Bytes& Counted(std::string_view s) { return I32(static_cast<int64_t>(s.size())).Raw(s); }
  Bytes& Counted(const std::vector<uint8_t>& v) {
    return I32(static_cast<int64_t>(v.size())).Raw(v);
  }
  Bytes& Zero(std::string_view s) {
    Raw(s);
    b.push_back(0);
    return *this;
  }
  std::vector<uint8_t> b;
};

// A unit record as the form lays it out: no children, default cursor, the given events and type
// data.
std::vector<uint8_t> UnitRecordBytes(int32_t typeId, std::string_view name,
                                     std::vector<frame::form::EventBinding> events,
                                     const std::vector<uint8_t>& typeData);

// A form of one window (id 0x52010001) whose unit table holds the given ids and records, each
// record placed at the offset the table gives it.
std::vector<uint8_t> OneWindowForm(const std::vector<int32_t>& ids,
                                   const std::vector<std::vector<uint8_t>>& records);

// The main window's form as the program carries it, parsed once.
const frame::form::WindowTable& MainForm();
const frame::form::WindowRecord& MainWindow();

}  // namespace form_test
