// Value: what an accessibility attribute read yields. Carries every form the
// diagnostics print; anything the seam does not model arrives as `Other` with
// the platform's own description.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "platform/element.h"
#include "platform/geometry.h"

namespace lumetta {

// The platform's null object (it can stand inside arrays). A read that
// succeeds with nothing at all has no Value instead.
struct Null {
  bool operator==(const Null&) const = default;
};

struct Url {
  std::string absolute;  // "file:///Applications/ChatGPT.app/"
  bool operator==(const Url&) const = default;
};

// The file-system path of a file URL (percent escapes decoded, no trailing
// slash except for "/"); nothing for other schemes.
std::optional<std::string> fileSystemPath(const Url& url);

struct Other {
  std::string description;
  bool operator==(const Other&) const = default;
};

struct Value;
using ValueArray = std::vector<Value>;

struct Value {
  using Storage = std::variant<Null, std::string, std::int64_t, double, bool, Element, ValueArray,
                               Point, Size, Rect, Range, Url, Other>;

  // Exactly the stored types convert, so an int or a string literal cannot
  // silently become a truth value. (clang-format 14 breaks requires clauses apart.)
  // clang-format off
  template <class T>
    requires(!std::is_same_v<std::remove_cvref_t<T>, Value> &&
             std::is_constructible_v<Storage, std::in_place_type_t<std::remove_cvref_t<T>>, T>)
  Value(T&& v) : storage(std::in_place_type<std::remove_cvref_t<T>>, std::forward<T>(v)) {}
  // clang-format on

  template <class T>
  const T* get() const {
    return std::get_if<T>(&storage);
  }
  bool operator==(const Value&) const = default;

  Storage storage;
};

// The members of an array whose members are all elements; nothing otherwise.
std::optional<std::vector<Element>> elementsIn(const Value& value);

}  // namespace lumetta
