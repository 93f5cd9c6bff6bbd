#include "app/self_test.h"

#include "classify/window_mode.h"

namespace lumetta {

bool runSelfTests(std::ostream& out) {
  using Suite = bool (*)(std::ostream&);
  static constexpr Suite suites[] = {
      classifierSelfTest,
  };
  bool allPassed = true;
  for (Suite suite : suites) allPassed = suite(out) && allPassed;
  return allPassed;
}

}  // namespace lumetta
