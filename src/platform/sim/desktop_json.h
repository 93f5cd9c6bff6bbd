// The JSON layer under the desktop loader and the settings file: reading a
// file within its limits, checking the text before it is parsed (no NUL byte,
// bounded nesting, numbers a double holds) and parsing it. Nothing here
// recurses, so no input can exhaust the stack.
#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <variant>

namespace lumetta::sim {

using Json = nlohmann::ordered_json;

// The largest desktop or settings file read, in bytes.
inline constexpr std::size_t kMaxJsonFileBytes = 1024 * 1024;
// The deepest nesting of arrays and objects accepted; the top-level value is level 1.
inline constexpr int kMaxNestingDepth = 256;

// What went wrong, as "the JSON path: what was expected" (or "cannot be read (why)"
// for a file), without the file's name.
struct JsonProblem {
  std::string text;
};

// The contents of a regular file of at most kMaxJsonFileBytes; `kind` names
// what such a file is ("a desktop file") when a larger one is refused. Never
// blocks on a FIFO or a device, and never reads more than the limit.
std::variant<std::string, JsonProblem> readJsonFile(const std::string& path, std::string_view kind);

// The parsed document, or the first problem of the text.
std::variant<Json, JsonProblem> parseJson(std::string_view text);

}  // namespace lumetta::sim
