#include "platform/sim/services/sim_process_activity.h"

namespace lumetta::sim {

class SimProcessActivities::Activity final : public ProcessActivity {
 public:
  Activity(std::shared_ptr<std::list<std::string>> held, std::list<std::string>::iterator entry)
      : held_(std::move(held)), entry_(entry) {}
  ~Activity() override { held_->erase(entry_); }
  Activity(const Activity&) = delete;
  Activity& operator=(const Activity&) = delete;

 private:
  std::shared_ptr<std::list<std::string>> held_;
  std::list<std::string>::iterator entry_;
};

std::unique_ptr<ProcessActivity> SimProcessActivities::begin(const std::string& reason) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  ++begun_;
  return std::make_unique<Activity>(held_, held_->insert(held_->end(), reason));
}

std::vector<std::string> SimProcessActivities::held() const {
  return {held_->begin(), held_->end()};
}

}  // namespace lumetta::sim
