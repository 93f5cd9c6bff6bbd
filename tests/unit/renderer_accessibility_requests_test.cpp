#include "renderer/renderer_accessibility_requests.h"

#include <gtest/gtest.h>

#include <chrono>

namespace lumetta {
namespace {

const WallTime kD1{std::chrono::seconds{100}};
const WallTime kD2{std::chrono::seconds{200}};

// An activation that answers `result` and counts its calls.
struct Setter {
  AXError result = axerr::success;
  int calls = 0;
  AXError operator()() {
    ++calls;
    return result;
  }
};

TEST(RendererAccessibilityRequests, DateAndNoneAreDifferentLaunchesAndReplaceTheEntry) {
  RendererAccessibilityRequests requests;
  Setter setter{axerr::notImplemented};
  requests.request(1, std::nullopt, setter);
  requests.request(1, kD1, setter);
  EXPECT_EQ(setter.calls, 2);
  requests.request(1, kD1, setter);  // the date replaced the none
  EXPECT_EQ(setter.calls, 2);
  requests.request(1, std::nullopt, setter);
  requests.request(1, std::nullopt, setter);
  EXPECT_EQ(setter.calls, 3);
  // Equal dates made separately are the same launch.
  requests.request(1, WallTime{} + std::chrono::milliseconds{100'000}, setter);
  requests.request(1, WallTime{} + std::chrono::milliseconds{100'000}, setter);
  requests.request(1, kD1, setter);
  EXPECT_EQ(setter.calls, 4);
}

TEST(RendererAccessibilityRequests, ReturnsTheStoredResultUntilTheLaunchChanges) {
  RendererAccessibilityRequests requests;
  Setter failing{axerr::cannotComplete};
  Setter succeeding{axerr::success};
  EXPECT_EQ(requests.request(7, kD1, failing), axerr::cannotComplete);
  // Neither a later success nor another setter is asked for the same launch.
  EXPECT_EQ(requests.request(7, kD1, succeeding), axerr::cannotComplete);
  EXPECT_EQ(succeeding.calls, 0);

  EXPECT_EQ(requests.request(7, kD2, succeeding), axerr::success);
  EXPECT_EQ(requests.request(7, kD2, failing), axerr::success);
  EXPECT_EQ(failing.calls, 1);
  EXPECT_EQ(succeeding.calls, 1);
}

TEST(RendererAccessibilityRequests, RetainKeepsExactlyTheListedProcesses) {
  RendererAccessibilityRequests requests;
  Setter setter{axerr::success};
  requests.request(1, kD1, setter);
  requests.request(2, kD1, setter);
  requests.request(3, std::nullopt, setter);

  requests.retain({1, 3, 42});  // 42 has no entry and gains none
  requests.request(1, kD1, setter);
  requests.request(3, std::nullopt, setter);
  EXPECT_EQ(setter.calls, 3);
  requests.request(2, kD1, setter);
  EXPECT_EQ(setter.calls, 4);

  requests.retain({});
  requests.request(1, kD1, setter);
  requests.request(2, kD1, setter);
  requests.request(3, std::nullopt, setter);
  EXPECT_EQ(setter.calls, 7);
}

}  // namespace
}  // namespace lumetta
