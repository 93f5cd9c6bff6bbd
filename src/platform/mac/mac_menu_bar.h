// The menu-bar extra on macOS: the status item in the system status bar.
//
// Implements: the status item with its title (also its accessibility label)
// and system symbol; text sizes from the system fonts.
// Ignores: the popover so far: the content is kept but not shown, so it never
// opens and the callbacks never run.
#pragma once

#import <Foundation/Foundation.h>

#include <functional>

#include "platform/contract_checks.h"
#include "platform/menu_bar.h"

@class NSStatusItem;

namespace lumetta::mac {

class MacViewMetrics final : public ViewMetrics {
 public:
  Size textSize(const std::string& text, FontRole font, bool monospacedDigits,
                std::optional<double> maxWidth) override;
  Size controlSize(const ViewNode& node) override;
};

class MacMenuBarExtra final : public MenuBarExtra {
 public:
  MacMenuBarExtra() = default;
  ~MacMenuBarExtra() override;
  MacMenuBarExtra(const MacMenuBarExtra&) = delete;
  MacMenuBarExtra& operator=(const MacMenuBarExtra&) = delete;

  void install(const StatusItemConfiguration& configuration, std::function<void()> opened,
               std::function<void()> closed) override;
  ViewMetrics& metrics() override { return metrics_; }
  void setContent(ViewNode root) override;
  bool isOpen() override { return false; }

 private:
  MacViewMetrics metrics_;
  NSStatusItem* statusItem_ = nil;
  std::function<void()> opened_;
  std::function<void()> closed_;
  ViewNode content_;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::mac
