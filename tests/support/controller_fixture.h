// An overlay controller on a small simulated desktop, on the manual clock:
// one ChatGPT process (pid 501) with two windows, w1 in ChatGPT mode and w2
// in Codex mode, each with its toolbar, mode button and web area, both on
// screen. Tests add timeline events, defaults or whole applications.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "overlay/overlay_controller.h"
#include "support/recording_run_loop.h"
#include "support/sim_fixture.h"

namespace lumetta::testing {

inline std::string chatWindow(const std::string& n, const std::string& mode,
                              const std::string& frame, int number) {
  return R"({"id": "w)" + n + R"(", "role": "AXWindow", "subrole": "AXStandardWindow", "frame": )" +
         frame + R"(, "window": )" + std::to_string(number) + R"(, "children": [
      {"id": "tb)" +
         n + R"(", "role": "AXToolbar", "frame": )" + frame.substr(0, frame.rfind(',')) +
         R"(, 52]},
      {"id": "b)" +
         n + R"(", "role": "AXPopUpButton", "title": "Switch mode, current mode: )" + mode +
         R"(", "description": "Switch mode, current mode: )" + mode + R"("},
      {"id": "a)" +
         n + R"(", "role": "AXWebArea"}]})";
}

inline constexpr const char* kControllerWindows =
    R"([{"number": 11, "pid": 501, "layer": 0, "bounds": [100, 100, 800, 600]},
        {"number": 12, "pid": 501, "layer": 0, "bounds": [300, 200, 800, 600]}])";

// `extra` is spliced into the top-level object: ", \"timeline\": [...]" and the like.
inline std::string controllerDesktop(const std::string& extra = "",
                                     const std::string& moreApps = "",
                                     const std::string& windows = kControllerWindows,
                                     const std::string& w1Frame = "[100, 100, 800, 600]") {
  return R"({"clock": {"wallStart": "2026-12-01T09:00:00Z"},
  "apps": [{"pid": 501, "name": "ChatGPT", "bundle": "com.openai.chat",
            "launched": "2026-12-01T08:00:00Z",
            "ax": {"id": "app", "role": "AXApplication", "children": [)" +
         chatWindow("1", "ChatGPT", w1Frame, 11) + ",\n" +
         chatWindow("2", "Codex", "[300, 200, 800, 600]", 12) + "]}}" + moreApps + R"(],
  "windows": )" +
         windows + extra + "}";
}

class ControllerTest : public ::testing::Test {
 protected:
  // Jobs run as soon as the main queue is idle unless `manualJobs`. The
  // controller's timers and queues are made through `recording`.
  void start(const std::string& json, bool manualJobs = false) {
    controller.reset();
    platform = simulated(json);
    loop().setRunsJobs(!manualJobs);
    recording = std::make_unique<RecordingRunLoop>(loop(), platform->clock());
    controller = OverlayController::create(withRunLoop(platform->platform(), *recording));
  }
  sim::ManualRunLoop& loop() { return platform->manualRunLoop(); }
  void runFor(double seconds) { loop().runFor(Duration::seconds(seconds)); }
  void runUntil(double uptime) { loop().runUntil(Uptime::origin() + Duration::seconds(uptime)); }

  Entry* entry(std::int64_t id) {
    for (const auto& e : controller->entries()) {
      if (e->id == id) return e.get();
    }
    return nullptr;
  }
  std::vector<std::int64_t> ids() {
    std::vector<std::int64_t> result;
    for (const auto& e : controller->entries()) result.push_back(e->id);
    return result;
  }
  bool shown(std::int64_t id) {
    Entry* e = entry(id);
    return e && e->panel && e->panel->window().isVisible();
  }
  int logged(std::string_view text) {
    int count = 0;
    const std::string& events = controller->events();
    for (auto at = events.find(text); at != std::string::npos; at = events.find(text, at + 1)) {
      ++count;
    }
    return count;
  }

  std::unique_ptr<sim::SimPlatform> platform;
  std::unique_ptr<RecordingRunLoop> recording;
  std::unique_ptr<OverlayController> controller;  // released before the platform
};

}  // namespace lumetta::testing
