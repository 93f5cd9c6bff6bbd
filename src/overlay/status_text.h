// The controller's status text, the diagnostics the popover shows and
// --overlays prints: built by its owner's `describe` when the owner asks for
// an update, or a text the owner shows instead (the permission request), and
// published to `changed` only when it differs from what was published last.
// Main thread only.
#pragma once

#include <functional>
#include <string>

#include "platform/contract_checks.h"

namespace lumetta {

class StatusText {
 public:
  StatusText(std::string initial, std::function<std::string()> describe,
             std::function<void()> changed)
      : text_(std::move(initial)), describe_(std::move(describe)), changed_(std::move(changed)) {}

  const std::string& text() const { return text_; }
  // The owner's state changed in a way the text shows: describe it anew.
  void update() { publish(describe_()); }
  // Shows `text` until the next update.
  void show(std::string text) { publish(std::move(text)); }

 private:
  void publish(std::string text) {
    LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
    if (text == text_) return;
    text_ = std::move(text);
    changed_();
  }

  std::string text_;
  const std::function<std::string()> describe_;
  const std::function<void()> changed_;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta
