// The menu-bar extra on macOS: a status item whose button opens a popover
// holding the laid-out content as native AppKit controls.
#pragma once

#include <memory>

#include "platform/contract_checks.h"
#include "platform/mac/mac_view_metrics.h"
#include "platform/menu_bar.h"

@class LumettaStatusItem;

namespace lumetta::mac {

class MacViewHost;

class MacMenuBarExtra final : public MenuBarExtra {
 public:
  MacMenuBarExtra();
  ~MacMenuBarExtra() override;
  MacMenuBarExtra(const MacMenuBarExtra&) = delete;
  MacMenuBarExtra& operator=(const MacMenuBarExtra&) = delete;

  Registration install(const StatusItemConfiguration& configuration, std::function<void()> opened,
                       std::function<void()> closed) override;
  ViewMetrics& metrics() override { return metrics_; }
  void setContent(ViewNode root) override;
  bool isOpen() override;

 private:
  MacViewMetrics metrics_;
  // The popover opened (true) or closed; the status item reports to it.
  CallbackList<bool> shown_;
  std::unique_ptr<MacViewHost> host_;
  LumettaStatusItem* item_;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::mac
