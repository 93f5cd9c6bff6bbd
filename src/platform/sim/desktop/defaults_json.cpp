#include "platform/sim/desktop/defaults_json.h"

#include <cmath>
#include <limits>

#include "platform/sim/desktop/base64.h"
#include "platform/sim/desktop/json_path.h"

namespace lumetta::sim {

namespace {

using Json = nlohmann::ordered_json;

// A number JSON cannot write.
std::optional<double> specialNumber(const Json& value) {
  if (!value.is_string()) return std::nullopt;
  const std::string name = value.get<std::string>();
  if (name == "nan") return std::numeric_limits<double>::quiet_NaN();
  if (name == "inf") return std::numeric_limits<double>::infinity();
  if (name == "-inf") return -std::numeric_limits<double>::infinity();
  return std::nullopt;
}

// A whole number as an integer ("6", not "6.0"): it reads back as the same
// double, in fewer characters.
Json numberJson(double number) {
  constexpr double kExactIntegers = 9007199254740992.0;  // 2^53
  const bool negativeZero = number == 0 && std::signbit(number);
  if (number == std::trunc(number) && std::fabs(number) < kExactIntegers && !negativeZero) {
    return Json(std::int64_t(number));
  }
  return Json(number);
}

std::string specialNumberName(double number) {
  if (std::isnan(number)) return "nan";
  return number > 0 ? "inf" : "-inf";
}

std::variant<DefaultsValue, JsonFault> defaultsValue(const Json& value, const std::string& path) {
  static constexpr const char* kShapes =
      "expected true, false, a number, a string, or an object with one of the keys data, color, "
      "number";
  if (value.is_boolean()) return DefaultsValue{value.get<bool>()};
  if (value.is_number()) return DefaultsValue{value.get<double>()};
  if (value.is_string()) return DefaultsValue{value.get<std::string>()};
  if (!value.is_object() || value.size() != 1) return JsonFault{path, kShapes};
  const std::string& key = value.begin().key();
  const Json& inner = value.begin().value();
  const std::string innerPath = keyPath(path, key);
  if (key == "data") {
    auto data = inner.is_string() ? base64Decode(inner.get<std::string>()) : std::nullopt;
    if (!data) return JsonFault{innerPath, "expected base64 text"};
    return DefaultsValue{std::move(*data)};
  }
  if (key == "color") {
    auto color = colorFromJson(inner, innerPath);
    if (auto* fault = std::get_if<JsonFault>(&color)) return *fault;
    auto archive = archiveColor(std::get<SimColor>(color));
    if (!archive) return JsonFault{innerPath, "expected a colour that can be archived"};
    return DefaultsValue{std::move(*archive)};
  }
  if (key == "number") {
    auto number = specialNumber(inner);
    if (!number) return JsonFault{innerPath, "expected one of nan, inf, -inf"};
    return DefaultsValue{*number};
  }
  return JsonFault{path, kShapes};
}

// Data that is a colour's archive, written as the colour.
Json dataJson(const Data& data) {
  if (auto color = unarchiveColor(data); color && archiveColor(*color) == data) {
    return Json::parse(data.begin(), data.end());
  }
  return Json{{"data", base64Encode(data)}};
}

Json valueJson(const DefaultsValue& value) {
  return std::visit(
      [](const auto& v) -> Json {
        using V = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<V, double>) {
          return std::isfinite(v) ? numberJson(v) : Json{{"number", specialNumberName(v)}};
        } else if constexpr (std::is_same_v<V, Data>) {
          return dataJson(v);
        } else {
          return v;
        }
      },
      value);
}

}  // namespace

std::variant<SimColor, JsonFault> colorFromJson(const Json& value, const std::string& path) {
  static constexpr const char* kShapes = "expected {\"srgb\": [r, g, b, a]} or {\"pattern\": name}";
  if (!value.is_object() || value.size() != 1) return JsonFault{path, kShapes};
  const std::string& key = value.begin().key();
  const Json& inner = value.begin().value();
  const std::string innerPath = keyPath(path, key);
  if (key == "pattern") {
    if (!inner.is_string()) return JsonFault{innerPath, "expected a string"};
    return SimColor{PatternColor{inner.get<std::string>()}};
  }
  if (key != "srgb") return JsonFault{path, kShapes};
  if (!inner.is_array() || inner.size() != 4) {
    return JsonFault{innerPath, "expected [red, green, blue, alpha]"};
  }
  double c[4];
  for (std::size_t i = 0; i < 4; ++i) {
    if (!inner[i].is_number() || !std::isfinite(inner[i].get<double>())) {
      return JsonFault{indexPath(innerPath, i), "expected a finite number"};
    }
    c[i] = inner[i].get<double>();
  }
  return SimColor{Color{c[0], c[1], c[2], c[3]}};
}

std::variant<DefaultsDictionary, JsonFault> defaultsFromJson(const Json& value,
                                                             const std::string& path) {
  if (!value.is_object()) return JsonFault{path, "expected an object"};
  DefaultsDictionary defaults;
  for (const auto& item : value.items()) {
    auto stored = defaultsValue(item.value(), keyPath(path, item.key()));
    if (auto* fault = std::get_if<JsonFault>(&stored)) return *fault;
    defaults[item.key()] = std::get<DefaultsValue>(std::move(stored));
  }
  return defaults;
}

std::string defaultsJsonText(const DefaultsDictionary& defaults) {
  Json root = Json::object();
  // The keys are unique and sorted already: appended, not looked up among the
  // members before them, so many keys cost no more than few.
  auto& members = static_cast<Json::object_t::Container&>(root.get_ref<Json::object_t&>());
  for (const auto& [key, value] : defaults) members.emplace_back(key, valueJson(value));
  // Compact, so that rewriting a file never makes it much larger than what was
  // read. Text that is not UTF-8 (only a key could be) is written with
  // replacement characters.
  return root.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace lumetta::sim
