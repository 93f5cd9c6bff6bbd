// Simulated platforms for tests: built from a desktop (or its file's text)
// on the manual clock, with handles to elements by their file id.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string_view>

#include "platform/sim/sim_platform.h"
#include "support/desktop_builder.h"
#include "support/error_text.h"
#include "support/test_time.h"

namespace lumetta::testing {

inline std::unique_ptr<sim::SimPlatform> simulated(std::string_view json) {
  sim::LoadResult result = sim::parseDesktop(json, "test.json");
  if (!result) {
    ADD_FAILURE() << result.error().message;
    return std::make_unique<sim::SimPlatform>(sim::DesktopModel{}, sim::TimeSource::manual);
  }
  return std::make_unique<sim::SimPlatform>(std::move(result).value(), sim::TimeSource::manual);
}

inline std::unique_ptr<sim::SimPlatform> simulated(DesktopBuilder desktop) {
  return std::make_unique<sim::SimPlatform>(desktop.build(), sim::TimeSource::manual);
}

// What loading the desktop file text `json`, named d.json, says: its one
// error line, or errorText's "(no error)".
inline std::string loadError(std::string_view json) {
  return errorText(sim::parseDesktop(json, "d.json"));
}

inline Element elementById(sim::SimPlatform& platform, std::string_view id) {
  sim::NodeId node = platform.desktop().nodeById(id);
  EXPECT_NE(node, sim::kNoNode) << "no element " << id;
  return platform.accessibility().element(node);
}

}  // namespace lumetta::testing
