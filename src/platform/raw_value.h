// Raw window-server data: the on-screen window list arrives as dictionaries
// of property-list values, kept raw so that geometry/ decides what is valid.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lumetta {

struct RawValue;
struct RawEntry;
using RawArray = std::vector<RawValue>;
using RawDictionary = std::vector<RawEntry>;  // in key order as received

struct RawValue {
  std::variant<std::monostate, bool, std::int64_t, double, std::string, RawArray, RawDictionary>
      storage;

  template <class T>
  const T* get() const {
    return std::get_if<T>(&storage);
  }
  bool operator==(const RawValue&) const = default;
};

struct RawEntry {
  std::string key;
  RawValue value;
  bool operator==(const RawEntry&) const = default;
};

// The value under `key`, or null.
inline const RawValue* find(const RawDictionary& dictionary, std::string_view key) {
  for (const RawEntry& entry : dictionary) {
    if (entry.key == key) return &entry.value;
  }
  return nullptr;
}

}  // namespace lumetta
