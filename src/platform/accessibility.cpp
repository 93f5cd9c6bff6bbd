#include "platform/accessibility.h"

namespace lumetta {

ReadResult readAX(Accessibility& ax, const Element& element, std::string_view attribute) {
  return ax.copyAttributeValue(element, attribute);
}

std::string axString(Accessibility& ax, const Element& element, std::string_view attribute) {
  return textOf(readAX(ax, element, attribute));
}

std::vector<Element> axElements(Accessibility& ax, const Element& element,
                                std::string_view attribute) {
  return elementsOf(readAX(ax, element, attribute)).value_or(std::vector<Element>{});
}

std::string textOf(const ReadResult& result) {
  if (result.error != axerr::success || !result.value) return {};
  const auto* text = result.value->get<std::string>();
  return text ? *text : std::string{};
}

std::optional<std::vector<Element>> elementsOf(const ReadResult& result) {
  if (result.error != axerr::success || !result.value) return std::nullopt;
  return elementsIn(*result.value);
}

}  // namespace lumetta
