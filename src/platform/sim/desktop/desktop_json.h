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

#include "support/desktop_file_limits.h"

namespace lumetta::sim {

using Json = nlohmann::ordered_json;

// The deepest nesting of arrays and objects accepted; the top-level value is level 1.
inline constexpr int kMaxNestingDepth = 256;

// What went wrong, as "the JSON path: what was expected" (or "cannot be read (why)"
// for a file), without the file's name.
struct JsonProblem {
  std::string text;
};

// The contents of a regular file of at most `limit` bytes; `kind` names what
// such a file is ("a desktop file") when a larger one is refused. Never
// blocks on a FIFO or a device, and never reads more than the limit.
std::variant<std::string, JsonProblem> readJsonFile(const std::string& path, std::string_view kind,
                                                    std::size_t limit);

// The parsed document, or the first problem of the text.
std::variant<Json, JsonProblem> parseJson(std::string_view text);

}  // namespace lumetta::sim
