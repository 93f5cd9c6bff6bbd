// An overlay controller on a small simulated desktop, on the manual clock:
// one ChatGPT process (pid 501, application element "app") with two windows,
// w1 in ChatGPT mode and w2 in Codex mode, each with its toolbar, mode button
// and web area, both on screen. Tests add timeline events, defaults or whole
// applications to `desktop` before they start.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "overlay/overlay_controller.h"
#include "support/desktop_builder.h"
#include "support/recording_run_loop.h"
#include "support/sim_fixture.h"

namespace lumetta::testing {

// w1 at `w1Frame` (window-server window 11, listed at (100, 100, 800, 600))
// and w2 at (300, 200, 800, 600) (window 12).
inline DesktopBuilder controllerDesktop(ServerRect w1Frame = {100, 100, 800, 600}) {
  DesktopBuilder desktop;
  desktop.wallStart("2026-12-01T09:00:00Z");
  AppBuilder chat = desktop.app(501, "ChatGPT", "com.openai.chat");
  chat.launched("2026-12-01T08:00:00Z").id("app");
  chat.window("1", "ChatGPT", w1Frame, 11);
  chat.window("2", "Codex", {300, 200, 800, 600}, 12);
  desktop.server(11, 501, {100, 100, 800, 600}).server(12, 501, {300, 200, 800, 600});
  return desktop;
}

// The Codex app (pid 612) with one window w<n> in Codex mode, of
// window-server window `number` at `frame`.
inline AppBuilder codexApp(DesktopBuilder& desktop, const std::string& n, ServerRect frame,
                           std::int64_t number) {
  AppBuilder codex = desktop.app(612, "Codex", "com.openai.codex");
  codex.window(n, "Codex", frame, number);
  return codex;
}

class ControllerTest : public ::testing::Test {
 protected:
  // Starts on `desktop`. Jobs run as soon as the main queue is idle unless
  // `manualJobs`. The controller's timers and queues are made through `recording`.
  void start(bool manualJobs = false) { start(desktop.build(), manualJobs); }
  void start(sim::DesktopModel model, bool manualJobs = false) {
    controller.reset();
    platform = std::make_unique<sim::SimPlatform>(std::move(model), sim::TimeSource::manual);
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
  // The first entry of process `pid`.
  Entry* entryOf(Pid pid) {
    for (const auto& e : controller->entries()) {
      if (e->pid == pid) return e.get();
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

  DesktopBuilder desktop = controllerDesktop();
  std::unique_ptr<sim::SimPlatform> platform;
  std::unique_ptr<RecordingRunLoop> recording;
  std::unique_ptr<OverlayController> controller;  // released before the platform
};

}  // namespace lumetta::testing
