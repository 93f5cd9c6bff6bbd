// What the recorder knows of one accessibility element: the attributes it
// read (texts already redacted), the element's children and what the
// validation monitor learnt about it. Elements are numbered in the order the
// recorder meets them; values that point at elements hold those numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/accessibility.h"

namespace lumetta {

using ElementIndex = std::size_t;

struct ElementLink {
  ElementIndex index = 0;
  bool operator==(const ElementLink&) const = default;
};

struct RecordedValue;
using RecordedArray = std::vector<RecordedValue>;
struct RecordedValue {
  std::variant<Null, std::string, std::int64_t, double, bool, ElementLink, RecordedArray, Point,
               Size, Rect, Range, Url, Other>
      storage;
  bool operator==(const RecordedValue&) const = default;
};

// One attribute as a read answered it: a value (none when the read succeeded
// without one) or an error code.
struct AttributeRecord {
  std::optional<RecordedValue> value;
  AXError error = axerr::success;
  bool operator==(const AttributeRecord&) const = default;
};

using AttributeRecords = std::map<std::string, AttributeRecord, std::less<>>;

struct RecordedElement {
  bool read = false;  // an unread element is known only as another one's child
  bool hung = false;  // its reads waited out the messaging timeout
  bool application = false;
  ElementIndex applicationRoot = 0;  // the application element it belongs to
  AttributeRecords attributes;
  // The children as written: the AXChildren elements, then (on application
  // elements) elements that only attribute values reach, attached so that
  // the file can define them.
  std::vector<ElementIndex> children;  // the AXChildren elements
  std::vector<ElementIndex> attached;  // application elements: elements only values reach
  std::optional<std::vector<std::string>> names;  // windows: the attribute names listed
  std::optional<std::int64_t> windowNumber;       // windows: the server window matched
  std::map<std::string, AXError, std::less<>> notificationErrors;
};

// The elements of an AXChildren record, when it is an array of elements.
std::optional<std::vector<ElementIndex>> linksIn(const AttributeRecord& record);

}  // namespace lumetta
