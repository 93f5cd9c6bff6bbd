// The menu-bar extra: one status item that opens a window-style popover
// showing a laid-out view tree (view_tree.h).
#pragma once

#include <functional>
#include <string>

#include "platform/callback_list.h"
#include "platform/view_tree.h"

namespace lumetta {

struct StatusItemConfiguration {
  std::string title;       // also the accessibility label
  std::string symbolName;  // the system symbol shown as the icon
};

// Main thread only.
class MenuBarExtra {
 public:
  virtual ~MenuBarExtra() = default;
  // Shows the status item. Until the registration is released, `opened` runs
  // each time the popover opens (its content appears), `closed` each time it
  // closes.
  virtual Registration install(const StatusItemConfiguration& configuration,
                               std::function<void()> opened, std::function<void()> closed) = 0;
  virtual ViewMetrics& metrics() = 0;
  // Replaces what the popover shows; the root's frame gives its size.
  virtual void setContent(ViewNode root) = 0;
  virtual bool isOpen() = 0;
};

}  // namespace lumetta
