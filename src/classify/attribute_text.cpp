#include "classify/attribute_text.h"

#include <initializer_list>
#include <type_traits>

#include "support/text_format.h"

namespace lumetta {

namespace {

std::string joined(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (std::string_view piece : pieces) text += piece;
  return text;
}

// The value's own description, which may span lines.
std::string rawDescription(const Value& value) {
  return std::visit(
      [](const auto& v) -> std::string {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, Size>) {
          return joined(
              {"(width: ", decimalNumber(v.width), ", height: ", decimalNumber(v.height), ")"});
        } else if constexpr (std::is_same_v<T, Point>) {
          return joined({"(x: ", decimalNumber(v.x), ", y: ", decimalNumber(v.y), ")"});
        } else if constexpr (std::is_same_v<T, Element>) {
          return "<AXUIElement>";
        } else if constexpr (std::is_same_v<T, ValueArray>) {
          bool allElements = true;
          for (const Value& member : v) allElements = allElements && member.get<Element>();
          if (allElements) return joined({"<", std::to_string(v.size()), " AX elements>"});
          std::string text = "(";
          for (std::size_t i = 0; i < v.size(); ++i) {
            text += i == 0 ? "\n    " : ",\n    ";
            text += rawDescription(v[i]);
          }
          return text + "\n)";
        } else if constexpr (std::is_same_v<T, std::string>) {
          return v;
        } else if constexpr (std::is_same_v<T, std::int64_t>) {
          return std::to_string(v);
        } else if constexpr (std::is_same_v<T, double>) {
          return shortestNumber(v);
        } else if constexpr (std::is_same_v<T, bool>) {
          return v ? "1" : "0";
        } else if constexpr (std::is_same_v<T, Rect>) {
          return joined({"{{", shortestNumber(v.x), ", ", shortestNumber(v.y), "}, {",
                         shortestNumber(v.width), ", ", shortestNumber(v.height), "}}"});
        } else if constexpr (std::is_same_v<T, Range>) {
          return joined({"{", std::to_string(v.location), ", ", std::to_string(v.length), "}"});
        } else if constexpr (std::is_same_v<T, Url>) {
          return v.absolute;
        } else if constexpr (std::is_same_v<T, Other>) {
          return v.description;
        } else {
          static_assert(std::is_same_v<T, Null>);
          return "<null>";
        }
      },
      value.storage);
}

}  // namespace

std::string describe(const Value& value) { return singleLine(rawDescription(value)); }

std::string errorText(AXError code) {
  return "<AXError " + std::to_string(code) + " " + std::string(axErrorName(code)) + ">";
}

std::string attributeLine(std::string_view attribute, const ReadResult& result) {
  std::string line = std::string(attribute) + ": ";
  if (result.error == axerr::success && result.value) return line + describe(*result.value);
  return line + errorText(result.error);
}

std::string attributeLine(Accessibility& ax, const Element& element, std::string_view attribute) {
  return attributeLine(attribute, readAX(ax, element, attribute));
}

std::vector<std::string> attributeLines(Accessibility& ax, const Element& element,
                                        std::span<const std::string_view> attributes) {
  auto results = ax.copyAttributeValues(element, attributes);
  std::vector<std::string> lines;
  lines.reserve(attributes.size());
  for (std::size_t i = 0; i < attributes.size(); ++i) {
    lines.push_back(attributeLine(attributes[i], results[i]));
  }
  return lines;
}

}  // namespace lumetta
