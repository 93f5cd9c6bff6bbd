// The menu-bar application's run owns the controller: the menu's "Quit" stops
// it through the run and terminates the application, and the run's end takes
// the popover's actions away.
#include <gtest/gtest.h>

#include <sstream>

#include "app/menu_bar_mode.h"
#include "support/menu_fixture.h"

namespace lumetta {
namespace {

TEST(MenuBarRun, QuitStopsTheControllerAndTerminatesAndTheEndEmptiesThePopover) {
  auto simulated = testing::simulated(testing::controllerDesktop());
  simulated->manualRunLoop().setRunsJobs(true);
  std::ostringstream out;
  {
    MenuBarRun run(simulated->platform(), out);
    simulated->manualRunLoop().runFor(Duration::seconds(1.5));
    ASSERT_FALSE(simulated->panels().visiblePanels().empty());
    ViewNode shown = simulated->menuBar().content();
    testing::control<kinds::Button>(shown, "Quit").onPress();
    EXPECT_TRUE(run.overlays().isStopped());
    EXPECT_TRUE(run.overlays().entries().empty()) << "windows kept after Quit";
    EXPECT_TRUE(simulated->panels().visiblePanels().empty());
    EXPECT_TRUE(simulated->application().terminated());
  }
  EXPECT_TRUE(simulated->menuBar().content().children.empty());
  EXPECT_EQ(out.str(), "") << "a run reports only the steps it is given";
}

}  // namespace
}  // namespace lumetta
