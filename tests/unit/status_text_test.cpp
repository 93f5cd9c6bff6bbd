// The status text is built once per turn of the main queue, and only after
// something it shows changed; a shown text stands until the next build.
#include "overlay/status_text.h"

#include <gtest/gtest.h>

#include "platform/sim/services/manual_run_loop.h"

namespace lumetta {
namespace {

struct StatusTextTest : ::testing::Test {
  sim::ManualClock clock{std::nullopt};
  sim::ManualRunLoop loop{clock};
  std::string state = "one";
  int builds = 0;
  int published = 0;
  StatusText status{loop, "initial",
                    [this] {
                      ++builds;
                      return state;
                    },
                    [this] { ++published; }};
  void turn() { loop.runFor(Duration::zero()); }
};

TEST_F(StatusTextTest, BuildsOncePerTurnAndOnlyWhenInvalidated) {
  status.update();
  status.update();
  EXPECT_EQ(status.text(), "initial") << "built by the main queue, not at once";
  turn();
  EXPECT_EQ(builds, 1);
  EXPECT_EQ(status.text(), "one");
  EXPECT_EQ(published, 1);

  status.update();  // nothing changed since
  turn();
  EXPECT_EQ(builds, 1);

  status.invalidate();  // changed, but to the same text: built, not published
  status.update();
  turn();
  EXPECT_EQ(builds, 2);
  EXPECT_EQ(published, 1);

  state = "two";
  status.invalidate();
  status.update();
  status.flush();
  EXPECT_EQ(status.text(), "two");
  turn();
  EXPECT_EQ(builds, 3) << "the flushed build is not made again";
}

TEST_F(StatusTextTest, AShownTextStandsUntilTheNextUpdateAndDropsAPendingBuild) {
  status.update();
  status.show("asked");
  turn();
  EXPECT_EQ(status.text(), "asked");
  EXPECT_EQ(builds, 0);

  status.update();  // nothing changed, yet the shown text is not the built one
  turn();
  EXPECT_EQ(status.text(), "one");
  EXPECT_EQ(published, 2);
}

}  // namespace
}  // namespace lumetta
