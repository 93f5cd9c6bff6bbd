// A small JSON document and its writer, for the files Lumetta writes itself.
// Texts are escaped as JSON requires (bytes that are not UTF-8 become U+FFFD),
// real numbers are written in their shortest round-trip form and keep a
// decimal point, so that they read back as reals and not as integers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace lumetta {

struct JsonValue;
using JsonArray = std::vector<JsonValue>;
using JsonMember = std::pair<std::string, JsonValue>;
using JsonObject = std::vector<JsonMember>;  // in writing order

struct JsonValue {
  std::variant<std::nullptr_t, bool, std::int64_t, double, std::string, JsonArray, JsonObject>
      storage;

  JsonValue() : storage(nullptr) {}
  JsonValue(std::nullptr_t) : storage(nullptr) {}
  JsonValue(bool value) : storage(value) {}
  JsonValue(std::int64_t value) : storage(value) {}
  JsonValue(double value) : storage(value) {}
  JsonValue(std::string value) : storage(std::move(value)) {}
  JsonValue(const char* value) : storage(std::string(value)) {}
  JsonValue(JsonArray value) : storage(std::move(value)) {}
  JsonValue(JsonObject value) : storage(std::move(value)) {}
};

// The text between double quotation marks, escaped for JSON.
std::string jsonString(std::string_view text);
// A real number: "800.0", "0.15", "1e+20"; null for NaN and the infinities,
// which JSON cannot hold.
std::string jsonNumber(double value);

// The document, compact: the top-level container one member a line, and so
// the arrays and objects directly in it (indented by two spaces), everything
// deeper on the line of its member without blanks. So a file of many elements
// costs little beyond its contents, and its top-level keys and the entries of
// its top-level lists (a desktop's applications, windows, timeline events)
// still read line by line. Ends with a line feed.
std::string jsonText(const JsonValue& value);

}  // namespace lumetta
