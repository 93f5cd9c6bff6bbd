// Failures as values: what a loader, a file writer or a check returns is the
// result or the one line that says why there is none. Nothing here throws or
// logs; the caller decides how the line is printed.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace lumetta {

// Why something failed, in one line fit to print ("cannot write out.json: No
// space left on device", "desktop.json: $.apps[0].pid: expected an integer").
struct Error {
  std::string message;
};

// A `T` or an `E`, each converting implicitly so that a function returns
// either as it is. Reading the side that is not there is a programming error
// and aborts, in every build.
template <class T, class E = Error>
class [[nodiscard]] Expected {
 public:
  Expected(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Expected(E error) : state_(std::in_place_index<1>, std::move(error)) {}

  bool hasValue() const { return state_.index() == 0; }
  explicit operator bool() const { return hasValue(); }

  T& value() & { return *checked(std::get_if<0>(&state_)); }
  const T& value() const& { return *checked(std::get_if<0>(&state_)); }
  T&& value() && { return std::move(*checked(std::get_if<0>(&state_))); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  const E& error() const { return *checked(std::get_if<1>(&state_)); }

 private:
  template <class P>
  static P* checked(P* pointer) {
    if (pointer == nullptr) std::abort();
    return pointer;
  }

  std::variant<T, E> state_;
};

// Nothing, or why not: what a writer or a check returns. `return {};` is
// success.
template <class E>
class [[nodiscard]] Expected<void, E> {
 public:
  Expected() = default;
  Expected(E error) : error_(std::move(error)) {}

  bool hasValue() const { return !error_; }
  explicit operator bool() const { return hasValue(); }

  const E& error() const {
    if (!error_) std::abort();
    return *error_;
  }

 private:
  std::optional<E> error_;
};

}  // namespace lumetta
