// The desktop of the controller's storm and hang benchmarks: target windows
// with a toolbar, a mode button and a web area, as the tests' fixture makes them.
#pragma once

#include "support/desktop_builder.h"

namespace lumetta::bench {

// ChatGPT (pid 501, element "chat") with `chatWindows` windows w<i> at
// (40 i, 40 i), 640 x 480, of window-server windows 10 + i, alternately in
// ChatGPT and Codex mode; Codex (pid 612, element "codex") with one, w100 at
// (700, 300) of window 200, in front.
inline testing::DesktopBuilder benchDesktop(int chatWindows) {
  testing::DesktopBuilder desktop;
  desktop.wallStart("2026-12-01T09:00:00Z").defaults("gptEnabled", true);
  testing::AppBuilder chat = desktop.app(501, "ChatGPT", "com.openai.chat");
  chat.launched("2026-12-01T08:00:00Z").id("chat");
  for (int i = 1; i <= chatWindows; ++i) {
    const ServerRect frame{40.0 * i, 40.0 * i, 640, 480};
    chat.window(std::to_string(i), i % 2 ? "ChatGPT" : "Codex", frame, 10 + i);
  }
  testing::AppBuilder codex = desktop.app(612, "Codex", "com.openai.codex");
  codex.launched("2026-12-01T08:30:00Z").id("codex");
  codex.window("100", "Codex", {700, 300, 640, 480}, 200);
  desktop.server(200, 612, {700, 300, 640, 480});
  for (int i = 1; i <= chatWindows; ++i)
    desktop.server(10 + i, 501, {40.0 * i, 40.0 * i, 640, 480});
  return desktop;
}

}  // namespace lumetta::bench
