// The general pasteboard of the simulated desktop: the plain text Lumetta put
// there, for tests and the run's report to read.
//
// Implements: clearing (which makes Lumetta the owner) and setting plain text.
// Ignores: other types and other applications' contents: the pasteboard
// starts empty, and text set without clearing first is refused, as the system
// refuses a writer that does not own the pasteboard.
#pragma once

#include <optional>
#include <string>

#include "platform/contract_checks.h"
#include "platform/pasteboard.h"

namespace lumetta::sim {

class SimPasteboard final : public Pasteboard {
 public:
  void clearContents() override {
    LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
    owned_ = true;
    text_.reset();
  }
  bool setString(const std::string& text) override {
    LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
    if (!owned_) return false;
    text_ = text;
    return true;
  }

  // The plain text on the pasteboard; nothing when it holds none.
  const std::optional<std::string>& text() const { return text_; }

 private:
  bool owned_ = false;
  std::optional<std::string> text_;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::sim
