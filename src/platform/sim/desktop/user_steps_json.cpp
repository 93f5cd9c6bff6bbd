#include "platform/sim/desktop/user_steps_json.h"

#include <algorithm>
#include <cmath>

#include "platform/sim/desktop/json_path.h"

namespace lumetta::sim {

namespace {

using Json = nlohmann::ordered_json;
using StepOrFault = std::variant<UserStep, JsonFault>;

// A control's name: the text or accessibility label it shows, never empty.
const char* kName = "expected the text or accessibility label of a control (a non-empty string)";

bool isName(const Json& value) {
  return value.is_string() && !value.get_ref<const std::string&>().empty();
}

// The object's keys are exactly `keys`; the fault otherwise.
std::optional<JsonFault> exactKeys(const Json& value, const std::string& path,
                                   std::string_view first, std::string_view second) {
  const std::string shape = "expected an object with the keys \"" + std::string(first) +
                            "\" and \"" + std::string(second) + "\"";
  if (!value.is_object()) return JsonFault{path, shape};
  for (const auto& item : value.items()) {
    if (item.key() != first && item.key() != second) {
      return JsonFault{keyPath(path, item.key()), "unknown key; " + shape};
    }
  }
  for (std::string_view key : {first, second}) {
    if (!value.contains(key)) return JsonFault{path, shape};
  }
  return std::nullopt;
}

StepOrFault popover(const Json& value, const std::string& path) {
  if (value == "open") return OpenPopover{};
  if (value == "close") return ClosePopover{};
  return JsonFault{path, "expected \"open\" or \"close\""};
}

StepOrFault select(const Json& value, const std::string& path) {
  if (auto fault = exactKeys(value, path, "control", "segment")) return *fault;
  if (!isName(value["control"])) return JsonFault{keyPath(path, "control"), kName};
  if (!isName(value["segment"])) {
    return JsonFault{keyPath(path, "segment"),
                     "expected the label of a segment (a non-empty string)"};
  }
  return SelectSegment{value["control"].get<std::string>(), value["segment"].get<std::string>()};
}

StepOrFault slide(const Json& value, const std::string& path) {
  if (auto fault = exactKeys(value, path, "control", "value")) return *fault;
  if (!isName(value["control"])) return JsonFault{keyPath(path, "control"), kName};
  const Json& to = value["value"];
  if (!to.is_number() || !std::isfinite(to.get<double>())) {
    return JsonFault{keyPath(path, "value"), "expected a finite number"};
  }
  return Slide{value["control"].get<std::string>(), to.get<double>()};
}

}  // namespace

bool isUserStepKey(std::string_view key) {
  return std::find(kUserStepKeys.begin(), kUserStepKeys.end(), key) != kUserStepKeys.end();
}

StepOrFault userStepFromJson(std::string_view key, const Json& value, const std::string& path) {
  if (key == "popover") return popover(value, path);
  if (key == "select") return select(value, path);
  if (key == "slide") return slide(value, path);
  if (key == "look") {
    if (value == "popover") return Look{};
    return JsonFault{path, "expected \"popover\""};
  }
  if (!isName(value)) return JsonFault{path, kName};
  if (key == "click") return Click{value.get<std::string>()};
  return Toggle{value.get<std::string>()};  // the only key left
}

}  // namespace lumetta::sim
