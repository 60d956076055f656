// A value or an error with a reason: what every fallible operation of the platform and the CLI
// returns. Result<void, E> is an operation that gives nothing but may fail; `return {};` is its
// success. TRY(expr) passes an error of the same type up, else gives the value.
#pragma once

#include <optional>
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

template <class E>
class [[nodiscard]] Result<void, E> {
 public:
  Result() = default;
  Result(Failure<E> f) : error_(std::move(f.error)) {}  // NOLINT: implicit on purpose

  bool ok() const { return !error_; }
  explicit operator bool() const { return ok(); }
  void value() const {}

  const E& error() const { return *error_; }

 private:
  std::optional<E> error_;
};

}  // namespace platform

// Evaluates `expr` (a Result) once; on an error returns it from the enclosing function, whose
// Result has the same error type; otherwise the expression's value (nothing for Result<void, E>).
// An error of another type is converted where it is met, by hand, with the context it needs.
// TRY stands first in its expression, or has only trivially destroyed values before it: one of
// the compilers skips the destructors of temporaries already made when the return is taken.
#define TRY(expr)                                                                   \
  ({                                                                                \
    auto&& pictolan_try_result = (expr);                                            \
    if (!pictolan_try_result) return ::platform::Fail(pictolan_try_result.error()); \
    std::move(pictolan_try_result).value();                                         \
  })
