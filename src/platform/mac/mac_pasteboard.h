// The general pasteboard over NSPasteboard.
//
// Implements: clearing it and setting plain text (NSPasteboardTypeString).
// Ignores: every other type, reading.
#pragma once

#include "platform/contract_checks.h"
#include "platform/pasteboard.h"

namespace lumetta::mac {

class MacPasteboard final : public Pasteboard {
 public:
  void clearContents() override;
  // Text that is not UTF-8 is refused.
  bool setString(const std::string& text) override;

 private:
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::mac
