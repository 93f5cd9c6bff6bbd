#include "geometry/server_windows.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

namespace lumetta {

namespace {

// A number as the window server boxes it: an integer or a real. Truth values
// are not numbers.
std::optional<double> realAt(const RawDictionary& dictionary, std::string_view key) {
  const RawValue* value = find(dictionary, key);
  if (!value) return std::nullopt;
  if (const auto* integer = value->get<std::int64_t>()) return static_cast<double>(*integer);
  if (const auto* real = value->get<double>()) return *real;
  return std::nullopt;
}

// A number's integer value, a real truncated toward zero. NaN, infinities and
// reals beyond 64 bits have none (converting them would be undefined).
std::optional<std::int64_t> integerAt(const RawDictionary& dictionary, std::string_view key) {
  const RawValue* value = find(dictionary, key);
  if (!value) return std::nullopt;
  if (const auto* integer = value->get<std::int64_t>()) return *integer;
  if (const auto* real = value->get<double>()) {
    if (*real >= -0x1p63 && *real < 0x1p63) return static_cast<std::int64_t>(*real);
  }
  return std::nullopt;
}

// A bounds dictionary with numeric "X", "Y", "Width" and "Height".
std::optional<ServerRect> boundsAt(const RawDictionary& entry) {
  const RawValue* value = find(entry, "kCGWindowBounds");
  const auto* bounds = value ? value->get<RawDictionary>() : nullptr;
  if (!bounds) return std::nullopt;
  auto x = realAt(*bounds, "X"), y = realAt(*bounds, "Y");
  auto width = realAt(*bounds, "Width"), height = realAt(*bounds, "Height");
  if (!x || !y || !width || !height) return std::nullopt;
  return ServerRect{*x, *y, *width, *height};
}

std::optional<ServerWindow> serverWindow(const RawDictionary& entry, std::int64_t rank) {
  auto id = integerAt(entry, "kCGWindowNumber");
  auto pid = integerAt(entry, "kCGWindowOwnerPID");
  auto layer = integerAt(entry, "kCGWindowLayer");
  auto bounds = boundsAt(entry);
  if (!id || !pid || !layer || *layer != 0 || !bounds) return std::nullopt;
  // Narrowing a pid beyond 32 bits would name some other process.
  if (!std::in_range<std::int32_t>(*pid)) return std::nullopt;
  return ServerWindow{*id, static_cast<std::int32_t>(*pid), *bounds, rank};
}

}  // namespace

std::vector<ServerWindow> visibleServerWindows(WindowServer& server) {
  const std::optional<RawValue> list = server.copyWindowList();
  const auto* entries = list ? list->get<RawArray>() : nullptr;
  if (!entries) return {};
  // The list is taken as an array of dictionaries or not at all: one entry of
  // another kind fails the whole list.
  const bool allDictionaries =
      std::all_of(entries->begin(), entries->end(),
                  [](const RawValue& entry) { return entry.get<RawDictionary>() != nullptr; });
  if (!allDictionaries) return {};

  std::vector<ServerWindow> windows;
  for (std::size_t i = 0; i < entries->size(); ++i) {
    auto window = serverWindow(*(*entries)[i].get<RawDictionary>(), static_cast<std::int64_t>(i));
    if (window) windows.push_back(*window);
  }
  return windows;
}

std::set<std::int64_t> duplicateServerIDs(std::span<const std::int64_t> ids) {
  std::set<std::int64_t> seen;
  std::set<std::int64_t> duplicates;
  for (std::int64_t id : ids) {
    if (!seen.insert(id).second) duplicates.insert(id);
  }
  return duplicates;
}

}  // namespace lumetta
