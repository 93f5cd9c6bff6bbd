// Observers of the controller hear every change of what it publishes: the
// settings, the permission and the status text.
#include <gtest/gtest.h>

#include "support/controller_fixture.h"

namespace lumetta::testing {
namespace {

TEST_F(ControllerTest, ChangeObserversHearSettingsPermissionAndStatus) {
  desktop.trusted(false).at(2.5).trusted(true);
  start();
  runFor(1);
  int changes = 0;
  Registration registration = controller->observeChanges([&] { ++changes; });
  controller->setAppearance(WindowMode::chatGPT, &ModeAppearance::strength,
                            0.2);  // also when the value is unchanged
  controller->setAppearance(WindowMode::chatGPT, &ModeAppearance::strength, 0.2);
  EXPECT_EQ(changes, 2);

  runUntil(2.4);  // the same permission text again: nothing published
  EXPECT_EQ(changes, 2);
  runUntil(4);
  EXPECT_TRUE(controller->permissionReady());
  EXPECT_GE(changes, 4);  // the permission, then the status text

  registration.remove();
  const int heard = changes;
  controller->setAppearance(WindowMode::codex, &ModeAppearance::style, OverlayStyle::border);
  controller->setAppearance(WindowMode::chatGPT, &ModeAppearance::enabled, true);
  runFor(2);
  EXPECT_EQ(changes, heard);
}

TEST_F(ControllerTest, ChangeObserverMayReleaseItselfWhileNotified) {
  start();
  Registration first;
  int firstHeard = 0;
  int secondHeard = 0;
  first = controller->observeChanges([&] {
    ++firstHeard;
    first.remove();
  });
  Registration second = controller->observeChanges([&] { ++secondHeard; });
  controller->setAppearance(WindowMode::codex, &ModeAppearance::style, OverlayStyle::border);
  controller->setAppearance(WindowMode::codex, &ModeAppearance::style, OverlayStyle::topBar);
  EXPECT_EQ(firstHeard, 1);
  EXPECT_EQ(secondHeard, 2);
}

}  // namespace
}  // namespace lumetta::testing
