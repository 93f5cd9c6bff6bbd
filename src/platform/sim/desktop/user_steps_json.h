// The user steps of a desktop file's timeline in JSON:
//   { "at": 1, "popover": "open" }            { "at": 2, "popover": "close" }
//   { "at": 1, "click": "Copy diagnostics" }  { "at": 1, "toggle": "Launch at login" }
//   { "at": 1, "select": { "control": "Style", "segment": "Border" } }
//   { "at": 1, "slide": { "control": "Tint", "value": 0.2 } }
//   { "at": 1, "look": "popover" }
#pragma once

#include <array>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <variant>

#include "platform/sim/desktop/defaults_json.h"
#include "platform/sim/desktop/user_steps.h"

namespace lumetta::sim {

// The event keys that make a user step.
inline constexpr std::array<std::string_view, 6> kUserStepKeys = {"popover", "click", "toggle",
                                                                  "select",  "slide", "look"};

bool isUserStepKey(std::string_view key);

// The step an event's `key` (one of kUserStepKeys) and its value describe.
std::variant<UserStep, JsonFault> userStepFromJson(std::string_view key,
                                                   const nlohmann::ordered_json& value,
                                                   const std::string& path);

}  // namespace lumetta::sim
