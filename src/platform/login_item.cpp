#include "platform/login_item.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace lumetta {

namespace {

// The folders on the way to the bundle, outermost first.
std::vector<std::string_view> folders(std::string_view path) {
  std::vector<std::string_view> names;
  for (std::size_t start = 0; start < path.size();) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    if (end > start) names.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  if (!names.empty()) names.pop_back();  // the bundle itself
  return names;
}

// As the Mac's file system compares names by default: ignoring case.
bool sameName(std::string_view name, std::string_view expected) {
  return std::equal(name.begin(), name.end(), expected.begin(), expected.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

bool hasFolder(std::string_view path, std::string_view folder) {
  const std::vector<std::string_view> names = folders(path);
  return std::any_of(names.begin(), names.end(),
                     [&](std::string_view name) { return sameName(name, folder); });
}

}  // namespace

std::optional<LoginItemError> unsettledBundleError(std::string_view bundlePath) {
  if (hasFolder(bundlePath, "AppTranslocation")) {
    return LoginItemError{
        "Lumetta is running from a temporary copy that macOS deletes when you restart, so it "
        "cannot open at login. Move Lumetta to the Applications folder, open it from there and "
        "turn on Launch at login again."};
  }
  if (!hasFolder(bundlePath, "Applications")) {
    return LoginItemError{
        "Lumetta can open at login only from an Applications folder. Move Lumetta to the "
        "Applications folder, open it from there and turn on Launch at login again."};
  }
  return std::nullopt;
}

}  // namespace lumetta
