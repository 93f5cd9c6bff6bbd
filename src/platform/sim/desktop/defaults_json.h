// The user defaults in JSON, as a desktop file's "defaults" object and a
// settings file write them (docs/desktop-format.md): truth values, numbers
// and text as themselves, data as {"data": base64} or, when it is a colour's
// archive, {"color": colour}; a colour is {"srgb": [r, g, b, a]} or
// {"pattern": name}.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <variant>

#include "platform/sim/desktop/desktop_model.h"

namespace lumetta::sim {

// Where a JSON value breaks the format, and what was expected there.
struct JsonFault {
  std::string path;
  std::string expected;
};

std::variant<DefaultsDictionary, JsonFault> defaultsFromJson(const nlohmann::ordered_json& value,
                                                             const std::string& path);
std::variant<SimColor, JsonFault> colorFromJson(const nlohmann::ordered_json& value,
                                                const std::string& path);
// Compact, keys sorted, whole numbers without a decimal point; defaultsFromJson
// reads it back as it was.
std::string defaultsJsonText(const DefaultsDictionary& defaults);

}  // namespace lumetta::sim
