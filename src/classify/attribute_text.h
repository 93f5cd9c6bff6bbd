// One-line text forms of attribute values, shared by every diagnostic text:
// the classification report, the tree capture and the validation monitor.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/accessibility.h"

namespace lumetta {

// Never contains a line feed.
std::string describe(const Value& value);

// "AXRole: AXWindow", or "AXRole: <AXError -25205 kAXErrorAttributeUnsupported>"
// (code 0 when the read succeeded without a value).
std::string attributeLine(std::string_view attribute, const ReadResult& result);
std::string attributeLine(Accessibility& ax, const Element& element, std::string_view attribute);
// The lines of several attributes of one element, read in one round trip.
std::vector<std::string> attributeLines(Accessibility& ax, const Element& element,
                                        std::span<const std::string_view> attributes);

// "<AXError -25204 kAXErrorCannotComplete>"
std::string errorText(AXError code);

}  // namespace lumetta
