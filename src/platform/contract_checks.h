// Checked contracts: conditions the seam's callers must keep, checked where
// they are called in debug and sanitizer builds (LUMETTA_CHECKS) and compiled
// out otherwise. A failed check names itself on standard error and aborts.
//
// A class whose functions must run on the main thread holds a checker, made
// with the object on the main thread, and each such function begins with
//   LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
// in the spirit of a sequence checker.
#pragma once

#include <thread>

#if !defined(LUMETTA_CHECKS) && !defined(NDEBUG)
#define LUMETTA_CHECKS 1
#endif

namespace lumetta {

[[noreturn]] void contractViolated(const char* function, const char* what);

class MainThreadChecker {
 public:
  MainThreadChecker() : mainThread_(std::this_thread::get_id()) {}
  void check(const char* function) const {
    if (std::this_thread::get_id() != mainThread_) {
      contractViolated(function, "must run on the main thread");
    }
  }

 private:
  std::thread::id mainThread_;
};

}  // namespace lumetta

#if LUMETTA_CHECKS
#define LUMETTA_CHECK(condition, what) \
  ((condition) ? static_cast<void>(0) : ::lumetta::contractViolated(__func__, what))
#define LUMETTA_MAIN_THREAD_CHECKER(name) ::lumetta::MainThreadChecker name
#define LUMETTA_CHECK_MAIN_THREAD(name) (name).check(__func__)
#else
#define LUMETTA_CHECK(condition, what) static_cast<void>(0)
#define LUMETTA_MAIN_THREAD_CHECKER(name) static_assert(true)
#define LUMETTA_CHECK_MAIN_THREAD(name) static_cast<void>(0)
#endif
