// The built-in check suites' one helper: each case prints "PASS name" or
// "FAIL name" and folds into the suite's result.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "support/output.h"

namespace lumetta {

class SelfCheck {
 public:
  explicit SelfCheck(std::ostream& out) : out_(out) {}

  void expect(std::string_view name, bool condition) {
    printLine(out_, std::string(condition ? "PASS " : "FAIL ") + std::string(name));
    passed_ = passed_ && condition;
  }
  bool passed() const { return passed_; }

 private:
  std::ostream& out_;
  bool passed_ = true;
};

}  // namespace lumetta
