#include "renderer/renderer_accessibility_requests.h"

#include <gtest/gtest.h>

#include <chrono>

namespace lumetta {
namespace {

const WallTime kD1{std::chrono::seconds{100}};

// An activation that answers `result` and counts its calls.
struct Setter {
  AXError result = axerr::success;
  int calls = 0;
  AXError operator()() {
    ++calls;
    return result;
  }
};

// Deduplication per process and launch and pruning are the self-test's (the
// self-test end-to-end case); these are the remaining rules.
TEST(RendererAccessibilityRequests, ALaunchKeepsItsFirstResultUntilItIsReplacedOrForgotten) {
  RendererAccessibilityRequests requests;
  Setter failing{axerr::cannotComplete};
  Setter succeeding;
  EXPECT_EQ(requests.request(1, std::nullopt, failing), axerr::cannotComplete);
  // Neither a later success nor another setter is asked for the same launch.
  EXPECT_EQ(requests.request(1, std::nullopt, succeeding), axerr::cannotComplete);
  EXPECT_EQ(succeeding.calls, 0);
  // A date and none are different launches, and each replaces the other.
  EXPECT_EQ(requests.request(1, kD1, succeeding), axerr::success);
  EXPECT_EQ(requests.request(1, std::nullopt, failing), axerr::cannotComplete);
  EXPECT_EQ(requests.request(1, kD1, succeeding), axerr::success);
  EXPECT_EQ(failing.calls, 2);
  EXPECT_EQ(succeeding.calls, 2);
  // Retaining no process forgets them all.
  requests.retain({});
  requests.request(1, kD1, succeeding);
  EXPECT_EQ(succeeding.calls, 3);
}

}  // namespace
}  // namespace lumetta
