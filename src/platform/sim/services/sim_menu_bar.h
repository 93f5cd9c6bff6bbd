// The menu-bar extra of the simulated desktop: the status item and the
// popover's laid-out content, held for the run to show and to act on.
//
// Implements: installing the status item, the content, opening and closing
// the popover (which run the callbacks of each installation still registered).
// Ignores: drawing: the screen picture draws what this holds.
#pragma once

#include <functional>
#include <optional>

#include "platform/contract_checks.h"
#include "platform/menu_bar.h"

namespace lumetta::sim {

class SimMenuBarExtra final : public MenuBarExtra {
 public:
  explicit SimMenuBarExtra(ViewMetrics& metrics) : metrics_(metrics) {}

  Registration install(const StatusItemConfiguration& configuration, std::function<void()> opened,
                       std::function<void()> closed) override;
  ViewMetrics& metrics() override { return metrics_; }
  void setContent(ViewNode root) override;
  bool isOpen() override { return open_; }

  // The installed status item; nothing before install().
  const std::optional<StatusItemConfiguration>& statusItem() const { return statusItem_; }
  const ViewNode& content() const { return content_; }

  // The popover opens or closes, running the installed callbacks; opening
  // before install() and repeating the current state do nothing.
  void open();
  void close();

 private:
  ViewMetrics& metrics_;
  std::optional<StatusItemConfiguration> statusItem_;
  CallbackList<bool> shown_;  // the popover opened (true) or closed
  ViewNode content_;
  bool open_ = false;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::sim
