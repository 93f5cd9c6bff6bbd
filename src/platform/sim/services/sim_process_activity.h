// Process activities on the simulated desktop: which are held, for tests.
//
// Implements: beginning an activity and ending it when released.
// Ignores: what an activity changes: the simulated desktop never naps a
// process, so timers are on time whether one is held or not.
#pragma once

#include <list>
#include <memory>
#include <string>
#include <vector>

#include "platform/contract_checks.h"
#include "platform/process_activity.h"

namespace lumetta::sim {

class SimProcessActivities final : public ProcessActivities {
 public:
  std::unique_ptr<ProcessActivity> begin(const std::string& reason) override;

  // The reasons of the activities held now, oldest first.
  std::vector<std::string> held() const;
  // How many activities were begun, ended ones included.
  int begun() const { return begun_; }

 private:
  class Activity;
  // Shared with the activities, which may outlive this object.
  std::shared_ptr<std::list<std::string>> held_ = std::make_shared<std::list<std::string>>();
  int begun_ = 0;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::sim
