// Callbacks that run after an object's published state changed, each until
// its registration is released. Main thread only (checked).
#pragma once

#include <functional>

#include "platform/callback_list.h"
#include "platform/contract_checks.h"

namespace lumetta {

class ChangeObservers {
 public:
  Registration add(std::function<void()> callback) {
    LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
    return callbacks_.add(std::move(callback));
  }
  // Runs every callback registered now and still registered when its turn
  // comes; a callback may register or release observers.
  void notify() const {
    LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
    callbacks_.notify();
  }

 private:
  CallbackList<> callbacks_;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta
