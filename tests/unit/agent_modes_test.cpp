// Which modes make Lumetta an agent application: those that run the overlay
// controller, whose panels and popover must show without a Dock icon.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/menu_bar_mode.h"
#include "app/panescope_app.h"
#include "support/sim_fixture.h"

namespace lumetta {
namespace {

bool agentAfter(std::vector<std::string> flags) {
  auto simulated = testing::simulated(R"({"apps": []})");
  simulated->manualRunLoop().setRunsJobs(true);
  std::ostringstream out, err;
  flags.insert(flags.begin(), "lumetta");
  PanescopeApp app(simulated->platform(), out, err);
  const CommandLine command = parseCommandLine(flags).value();
  if (command.mode == Mode::menuBar) {
    const MenuBarRun run(simulated->platform(), out);
    return simulated->application().isAgent();
  }
  app.dispatch(command);
  return simulated->application().isAgent();
}

TEST(AgentModes, TheModesThatRunTheControllerMakeLumettaAnAgentAndNoOther) {
  EXPECT_TRUE(agentAfter({}));
  EXPECT_TRUE(agentAfter({"--overlays", "0"}));
  EXPECT_FALSE(agentAfter({"--classify"}));
  EXPECT_FALSE(agentAfter({"--watch", "0"}));
  EXPECT_FALSE(agentAfter({"--dump"}));
}

}  // namespace
}  // namespace lumetta
