#include "platform/value.h"

namespace lumetta {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::string> fileSystemPath(const Url& url) {
  static constexpr std::string_view scheme = "file://";
  std::string_view rest = url.absolute;
  if (rest.substr(0, scheme.size()) != scheme) return std::nullopt;
  rest.remove_prefix(scheme.size());
  if (rest.substr(0, 9) == "localhost") rest.remove_prefix(9);
  if (rest.empty() || rest.front() != '/') return std::nullopt;

  std::string path;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '%' && i + 2 < rest.size()) {
      int hi = hexDigit(rest[i + 1]);
      int lo = hexDigit(rest[i + 2]);
      if (hi >= 0 && lo >= 0) {
        path.push_back(static_cast<char>(hi * 16 + lo));
        i += 2;
        continue;
      }
    }
    if (rest[i] == '?' || rest[i] == '#') break;
    path.push_back(rest[i]);
  }
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::optional<std::vector<Element>> elementsIn(const Value& value) {
  const auto* array = value.get<ValueArray>();
  if (!array) return std::nullopt;
  std::vector<Element> elements;
  elements.reserve(array->size());
  for (const Value& member : *array) {
    const auto* element = member.get<Element>();
    if (!element) return std::nullopt;
    elements.push_back(*element);
  }
  return elements;
}

}  // namespace lumetta
