// Process activities over NSProcessInfo's beginActivityWithOptions:reason:.
//
// Implements: an activity that keeps App Nap away from the process while
// letting the Mac sleep when idle; released, it ends with endActivity:.
// Ignores: the other kinds of activity (background work, latency-critical
// media, keeping the displays awake, disabling termination on purpose).
#pragma once

#include "platform/contract_checks.h"
#include "platform/process_activity.h"

namespace lumetta::mac {

class MacProcessActivities final : public ProcessActivities {
 public:
  std::unique_ptr<ProcessActivity> begin(const std::string& reason) override;

 private:
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::mac
