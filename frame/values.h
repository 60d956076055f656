// The frame's values as ordinary typed C++.
//
// Text: a GBK (code page 936) byte string; the empty text stands for the null text and a text
// handed on is never null (c_str() of an empty text is ""). Texts are values: assigning copies.
// ByteSet: a counted block of bytes; the empty byte set stands for "no block".
// Array<T>: a one-dimensional array with 1-based subscripts whose bad subscripts are the runtime
// errors 1 and 4, and whose negative re-dimension is runtime error 10.
// Value: a value of variable type with its type code, as it crosses a library command.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace frame {

class Text {
 public:
  Text() = default;
  explicit Text(std::string_view gbk) : bytes_(gbk) {}
  explicit Text(std::string gbk) : bytes_(std::move(gbk)) {}
  explicit Text(const char* gbk) : bytes_(gbk ? gbk : "") {}  // stops at the first zero byte
  // A zero-terminated text from someone else's memory; null is the empty text.
  static Text FromCString(const char* gbk) { return Text(gbk); }
  static Text FromUtf8(std::string_view utf8);

  std::string ToUtf8() const;
  const std::string& bytes() const { return bytes_; }
  std::string_view view() const { return bytes_; }
  const char* c_str() const { return bytes_.c_str(); }
  size_t size() const { return bytes_.size(); }
  bool empty() const { return bytes_.empty(); }

  Text& operator+=(const Text& other) {
    bytes_ += other.bytes_;
    return *this;
  }
  Text& operator+=(std::string_view gbk) {
    bytes_ += gbk;
    return *this;
  }
  friend Text operator+(Text a, const Text& b) { return a += b; }

  friend bool operator==(const Text&, const Text&) = default;
  friend std::strong_ordering operator<=>(const Text& a, const Text& b) {
    return a.bytes_ <=> b.bytes_;
  }

 private:
  std::string bytes_;
};

class ByteSet {
 public:
  ByteSet() = default;
  explicit ByteSet(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  explicit ByteSet(std::span<const uint8_t> bytes) : bytes_(bytes.begin(), bytes.end()) {}
  ByteSet(const uint8_t* data, size_t size) : bytes_(data, data + size) {}
  static ByteSet FromString(std::string_view s) {
    return ByteSet(reinterpret_cast<const uint8_t*>(s.data()), s.size());
  }

  size_t size() const { return bytes_.size(); }
  bool empty() const { return bytes_.empty(); }
  const uint8_t* data() const { return bytes_.data(); }
  uint8_t* data() { return bytes_.data(); }
  // The address handed to an external function: the data, or null for the empty byte set.
  const uint8_t* pointer() const { return bytes_.empty() ? nullptr : bytes_.data(); }
  std::span<const uint8_t> span() const { return bytes_; }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  std::vector<uint8_t>& bytes() { return bytes_; }
  uint8_t& operator[](size_t i) { return bytes_[i]; }
  uint8_t operator[](size_t i) const { return bytes_[i]; }

  ByteSet& operator+=(const ByteSet& other) {
    bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
    return *this;
  }
  friend ByteSet operator+(ByteSet a, const ByteSet& b) { return a += b; }
  friend bool operator==(const ByteSet&, const ByteSet&) = default;

 private:
  std::vector<uint8_t> bytes_;
};

// Runtime errors of the program's code (they end the process; see fatal.h).
[[noreturn]] void RaiseSubscriptTooLarge();  // error 1
[[noreturn]] void RaiseSubscriptBelowOne();  // error 4
[[noreturn]] void RaiseNegativeDimension();  // error 10
// The allocator's fatal error when `count` elements of `size` bytes are beyond the largest block.
void CheckElementCount(int64_t count, size_t size);

template <class T>
class Array {
 public:
  Array() = default;
  explicit Array(std::vector<T> items) : items_(std::move(items)) {}

  size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }

  // 1-based subscript.
  T& operator()(int64_t subscript) { return items_[Index(subscript)]; }
  const T& operator()(int64_t subscript) const { return items_[Index(subscript)]; }

  void Append(T item) { items_.push_back(std::move(item)); }
  // Removes element at the 1-based subscript.
  void Remove(int64_t subscript) { items_.erase(items_.begin() + Index(subscript)); }
  void Redim(int64_t count) {
    if (count < 0) RaiseNegativeDimension();
    CheckElementCount(count, sizeof(T));
    items_.resize(static_cast<size_t>(count));
  }
  void Clear() { items_.clear(); }

  const std::vector<T>& items() const { return items_; }
  std::vector<T>& items() { return items_; }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  friend bool operator==(const Array&, const Array&) = default;

 private:
  size_t Index(int64_t subscript) const {
    if (subscript < 1) RaiseSubscriptBelowOne();
    if (static_cast<uint64_t>(subscript) > items_.size()) RaiseSubscriptTooLarge();
    return static_cast<size_t>(subscript - 1);
  }
  std::vector<T> items_;
};

// Type codes of values of variable type.
enum class TypeCode : uint32_t {
  Byte = 0x80000101,
  Short = 0x80000201,
  Int = 0x80000301,
  Long = 0x80000401,
  Float = 0x80000501,
  Double = 0x80000601,
  Bool = 0x80000002,
  DateTime = 0x80000003,
  Text = 0x80000004,
  ByteSet = 0x80000005,
  Subroutine = 0x80000006,
};
constexpr uint32_t kArrayTypeBit = 0x20000000;

// Size of a value of the type in the frame's slots (the size-of-type function).
int SizeOfType(TypeCode type);

struct DateTime {
  double days = 0;  // the runtime's date-time: days since 1899-12-30, time as the fraction
  friend bool operator==(const DateTime&, const DateTime&) = default;
};
struct Subroutine {
  uint32_t address = 0;
  friend bool operator==(const Subroutine&, const Subroutine&) = default;
};

// A value of variable type. The alternatives are in the order of their type codes' value kinds.
class Value {
 public:
  using Storage =
      std::variant<uint8_t, int16_t, int32_t, int64_t, float, double, bool, DateTime, Text, ByteSet,
                   Subroutine, Array<int32_t>, Array<double>, Array<Text>, Array<ByteSet>>;
  Value() : v_(int32_t{0}) {}
  template <class T>
  Value(T v) : v_(std::move(v)) {}               // NOLINT: implicit, so commands read naturally
  Value(int v) : v_(static_cast<int32_t>(v)) {}  // NOLINT
  Value(const char*) = delete;                   // texts are GBK: build a Text explicitly

  TypeCode type() const;
  bool isArray() const { return v_.index() >= 11; }
  // The full type code, with kArrayTypeBit for arrays.
  uint32_t typeCode() const;
  const Storage& storage() const { return v_; }
  template <class T>
  const T* get() const {
    return std::get_if<T>(&v_);
  }
  friend bool operator==(const Value&, const Value&) = default;

 private:
  Storage v_;
};

// A variable-type result that must be numeric: byte zero-extended, short sign-extended, integers
// as they are, floats converted; any other type is runtime error 2.
double NumericValue(const Value& v);

}  // namespace frame
