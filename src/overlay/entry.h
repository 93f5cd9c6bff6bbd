// One tracked window: an accessibility window of a target process, with its
// cached mode, what its last scan found, its window-server mapping and its
// overlay panel. Owned by the controller and touched on the main thread only;
// jobs carry the id, never the entry.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "classify/cached_window_mode.h"
#include "overlay/passive_panel.h"
#include "platform/accessibility.h"
#include "platform/time.h"

namespace lumetta {

inline constexpr double kDefaultToolbarHeight = 40;
inline constexpr const char* kWindowsUnavailable =
    "AXWindows temporarily unavailable; retaining layer";

struct Entry {
  Entry(std::int64_t id, Pid pid, Element window) : id(id), pid(pid), window(std::move(window)) {}
  Entry(const Entry&) = delete;
  Entry& operator=(const Entry&) = delete;

  const std::int64_t id;  // never reused
  const Pid pid;
  const Element window;
  CachedWindowMode cache;  // cache.effective() is the mode shown

  // From the last applied scan.
  std::vector<Element> buttons;  // the semantic mode buttons
  std::vector<Element> areas;    // the web areas
  double toolbarHeight = kDefaultToolbarHeight;
  std::string scanDetail = "Waiting for first mode scan";
  bool excludedDialog = false;
  bool needsRetry = false;
  std::string signature;  // what the mode buttons said
  Uptime lastScan;        // when the last scan started or ended
  bool scanning = false;  // a scan job is in flight

  // Presentation.
  Uptime lastMovement;
  double fadeTarget = 1.0;               // the alpha the panel was last faded to
  std::optional<std::int64_t> serverID;  // the window-server window it maps to
  std::unique_ptr<PassivePanel> panel;   // created on the first showable placement
  std::string placement = "Waiting for geometry";
  // The last census could not read the process's window list: the placement
  // text says so until one can, while the panel keeps following.
  bool windowsUnavailable = false;
};

}  // namespace lumetta
