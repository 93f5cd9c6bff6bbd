// The built-in checks of the exposed-region subtraction and the shared-id
// detection, run by --self-test.
#include "geometry/self_tests.h"

#include <cmath>
#include <set>
#include <vector>

#include "geometry/exposed_regions.h"
#include "geometry/server_windows.h"
#include "support/check.h"

namespace lumetta {

namespace {

// Every expected area is positive, so an empty result fails the check.
bool hasArea(const std::vector<ServerRect>& pieces, double area) {
  double total = 0;
  for (const ServerRect& piece : pieces) total += piece.width * piece.height;
  return std::abs(total - area) < 1e-9;
}

}  // namespace

bool visibilitySelfTest(std::ostream& out) {
  const ServerRect bar{0, 0, 100, 20};
  const ServerRect partial{0, -10, 40, 50};
  auto exposed = [&](std::vector<ServerRect> covers) { return exposedRectangles(bar, covers); };

  SelfCheck check(out);
  check.expect("uncovered bar retained", exposed({}) == std::vector<ServerRect>{bar});
  check.expect("partial overlap retains exposed bar", hasArea(exposed({partial}), 1200));
  check.expect("corner overlap hides only corner", hasArea(exposed({{80, 10, 40, 30}}), 1800));
  check.expect("complete coverage hides all pixels", exposed({bar}).empty());
  check.expect("overlapping covers cannot reveal pixels",
               hasArea(exposed({partial, partial}), 1200));
  check.expect("touching edge does not hide bar",
               exposed({{100, 0, 20, 20}}) == std::vector<ServerRect>{bar});
  return check.passed();
}

bool mappingSelfTest(std::ostream& out) {
  using Ids = std::vector<std::int64_t>;
  using IdSet = std::set<std::int64_t>;
  SelfCheck check(out);
  check.expect("conflicting placement IDs reject all shared mappings",
               duplicateServerIDs(Ids{41, 42}).empty() &&
                   duplicateServerIDs(Ids{41, 41, 42}) == IdSet{41} &&
                   duplicateServerIDs(Ids{41, 41, 42, 42}) == IdSet{41, 42});
  return check.passed();
}

}  // namespace lumetta
