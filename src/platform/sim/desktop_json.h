// The JSON layer under the desktop loader: reading a desktop file within its
// limits, checking the text before it is parsed (no NUL byte, bounded nesting,
// numbers a double holds) and parsing it. Nothing here recurses, so no input
// can exhaust the stack.
#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <variant>

namespace lumetta::sim {

using Json = nlohmann::ordered_json;

// The largest desktop file read, in bytes.
inline constexpr std::size_t kMaxDesktopFileBytes = 1024 * 1024;
// The deepest nesting of arrays and objects accepted; the top-level value is level 1.
inline constexpr int kMaxNestingDepth = 256;

// What went wrong, as "the JSON path: what was expected" (or "cannot be read (why)"
// for a file), without the file's name.
struct JsonProblem {
  std::string text;
};

// The contents of a regular file of at most kMaxDesktopFileBytes. Never
// blocks on a FIFO or a device, and never reads more than the limit.
std::variant<std::string, JsonProblem> readDesktopText(const std::string& path);

// The parsed document, or the first problem of the text.
std::variant<Json, JsonProblem> parseJson(std::string_view text);

}  // namespace lumetta::sim
