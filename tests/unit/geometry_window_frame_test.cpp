#include "geometry/window_frame.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "support/sim_fixture.h"

namespace lumetta {
namespace {

using testing::elementById;
using testing::simulated;

const char* kDesktop = R"({"apps": [{"pid": 501, "ax": {"role": "AXApplication", "children": [
  {"id": "plain", "role": "AXWindow", "frame": [-1512, 24.5, 1100, 760.25]},
  {"id": "zeroWidth", "frame": [0, 0, 0, 10]},
  {"id": "zeroHeight", "frame": [0, 0, 10, 0]},
  {"id": "negativeWidth", "frame": [0, 0, -10, 10]},
  {"id": "negativeHeight", "frame": [0, 0, 10, -10]},
  {"id": "noFrame"},
  {"id": "positionError", "frame": [0, 0, 10, 10], "errors": {"AXPosition": -25212}},
  {"id": "sizeError", "frame": [0, 0, 10, 10], "errors": {"AXSize": -25204}},
  {"id": "positionNull", "frame": [0, 0, 10, 10], "attrs": {"AXPosition": null}},
  {"id": "sizeNull", "frame": [0, 0, 10, 10], "attrs": {"AXSize": null}},
  {"id": "swapped", "attrs": {"AXPosition": {"size": [0, 0]}, "AXSize": {"point": [10, 10]}}},
  {"id": "rectPosition", "attrs": {"AXPosition": {"rect": [0, 0, 10, 10]},
                                   "AXSize": {"size": [10, 10]}}},
  {"id": "rectSize", "attrs": {"AXPosition": {"point": [0, 0]},
                               "AXSize": {"rect": [0, 0, 10, 10]}}},
  {"id": "otherPosition", "attrs": {"AXPosition": {"other": "<AXValue x:0 y:0 CGPoint>"},
                                    "AXSize": {"size": [10, 10]}}}
]}}]})";

TEST(AxFrame, ReadsPositionAndSizeTogether) {
  auto platform = simulated(kDesktop);
  auto& counters = platform->desktop().counters();
  counters.reset();
  EXPECT_EQ(axFrame(platform->accessibility(), elementById(*platform, "plain")),
            (ServerRect{-1512, 24.5, 1100, 760.25}));
  EXPECT_EQ(counters.roundTrips(), 1u);

  // Both attributes are asked for even when the position fails.
  counters.reset();
  EXPECT_EQ(axFrame(platform->accessibility(), elementById(*platform, "positionError")),
            std::nullopt);
  const sim::NodeId node = platform->desktop().nodeById("positionError");
  EXPECT_EQ(counters.roundTrips(), 1u);
  EXPECT_EQ(counters.reads(node, "AXPosition"), 1u);
  EXPECT_EQ(counters.reads(node, "AXSize"), 1u);
}

TEST(AxFrame, UnreadableMistypedEmptyOrNonFiniteFramesGiveNothing) {
  auto platform = simulated(kDesktop);
  for (const char* id : {"zeroWidth", "zeroHeight", "negativeWidth", "negativeHeight", "noFrame",
                         "positionError", "sizeError", "positionNull", "sizeNull", "swapped",
                         "rectPosition", "rectSize", "otherPosition"}) {
    EXPECT_EQ(axFrame(platform->accessibility(), elementById(*platform, id)), std::nullopt) << id;
  }
  // Values no desktop file can hold, set on a live element.
  const sim::NodeId node = platform->desktop().nodeById("plain");
  Element plain = elementById(*platform, "plain");
  auto frameOf = [&](Point position, Size size) {
    platform->desktop().setAttribute(node, "AXPosition", sim::SimValue{position}, std::nullopt);
    platform->desktop().setAttribute(node, "AXSize", sim::SimValue{size}, std::nullopt);
    return axFrame(platform->accessibility(), plain);
  };
  const double inf = std::numeric_limits<double>::infinity();
  for (double bad : {inf, -inf, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_EQ(frameOf({bad, 2}, {3, 4}), std::nullopt) << bad;
    EXPECT_EQ(frameOf({1, bad}, {3, 4}), std::nullopt) << bad;
    EXPECT_EQ(frameOf({1, 2}, {bad, 4}), std::nullopt) << bad;
    EXPECT_EQ(frameOf({1, 2}, {3, bad}), std::nullopt) << bad;
  }
  // A window whose application has quit.
  ASSERT_EQ(frameOf({1, 2}, {3, 4}), (ServerRect{1, 2, 3, 4}));
  platform->desktop().terminate(501);
  EXPECT_EQ(axFrame(platform->accessibility(), plain), std::nullopt);
}

TEST(AppKitRect, FlipsFramesAboutThePrimaryDisplaysTop) {
  // Displays left of, above and below the primary one are the self-test's.
  EXPECT_EQ(appKitRect({0.5, 10.25, 1, 2}, 982), (ScreenRect{0.5, 969.75, 1, 2}));
  // A rectangle given with a negative size covers the same area once flipped.
  EXPECT_EQ(appKitRect({110, 50, -100, -50}, 900), (ScreenRect{10, 850, 100, 50}));
}

}  // namespace
}  // namespace lumetta
