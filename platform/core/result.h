// A value or an error with a reason: what format readers and decoders return.
#pragma once

#include <utility>
#include <variant>

namespace platform {

template <class E>
struct Failure {
  E error;
};

template <class E>
Failure<E> Fail(E error) {
  return Failure<E>{std::move(error)};
}

template <class T, class E>
class [[nodiscard]] Result {
 public:
  Result(T value) : v_(std::in_place_index<0>, std::move(value)) {}  // NOLINT: implicit on purpose
  Result(Failure<E> f) : v_(std::in_place_index<1>, std::move(f.error)) {}  // NOLINT

  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }

  T& value() & { return std::get<0>(v_); }
  const T& value() const& { return std::get<0>(v_); }
  T&& value() && { return std::get<0>(std::move(v_)); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }

  const E& error() const { return std::get<1>(v_); }

 private:
  std::variant<T, E> v_;
};

}  // namespace platform
