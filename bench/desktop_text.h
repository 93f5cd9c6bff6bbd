// Desktop files for the controller's benchmarks: target windows with a
// toolbar, a mode button and a web area, as the tests' fixture makes them.
#pragma once

#include <string>

namespace lumetta::bench {

// A window element `w<n>` (toolbar `tb<n>`, button `b<n>`, web area `a<n>`)
// of window-server window `number` at `x`, `y`, 640 x 480.
inline std::string windowText(int n, const std::string& mode, int x, int y, int number) {
  const std::string at = std::to_string(x) + ", " + std::to_string(y);
  const std::string id = std::to_string(n);
  const std::string label = "Switch mode, current mode: " + mode;
  return R"({"id": "w)" + id +
         R"(", "role": "AXWindow", "subrole": "AXStandardWindow", "frame": [)" + at +
         R"(, 640, 480], "window": )" + std::to_string(number) + R"(, "children": [
      {"id": "tb)" +
         id + R"(", "role": "AXToolbar", "frame": [)" + at + R"(, 640, 52]},
      {"id": "b)" +
         id + R"(", "role": "AXPopUpButton", "title": ")" + label + R"(", "description": ")" +
         label + R"("},
      {"id": "a)" +
         id + R"(", "role": "AXWebArea"}]})";
}

inline std::string serverText(int number, int pid, int x, int y) {
  return R"({"number": )" + std::to_string(number) + R"(, "pid": )" + std::to_string(pid) +
         R"(, "layer": 0, "bounds": [)" + std::to_string(x) + ", " + std::to_string(y) +
         ", 640, 480]}";
}

// ChatGPT (pid 501) with `chatWindows` windows and Codex (pid 612) with one,
// then `extra` spliced into the top-level object.
inline std::string benchDesktop(int chatWindows, const std::string& extra = "") {
  std::string chat, servers;
  for (int i = 1; i <= chatWindows; ++i) {
    chat +=
        (i > 1 ? ", " : "") + windowText(i, i % 2 ? "ChatGPT" : "Codex", 40 * i, 40 * i, 10 + i);
    servers += serverText(10 + i, 501, 40 * i, 40 * i) + ", ";
  }
  return R"({"clock": {"wallStart": "2026-12-01T09:00:00Z"},
    "defaults": {"gptEnabled": true},
    "apps": [{"pid": 501, "name": "ChatGPT", "bundle": "com.openai.chat",
              "launched": "2026-12-01T08:00:00Z",
              "ax": {"id": "chat", "role": "AXApplication", "children": [)" +
         chat + R"(]}},
             {"pid": 612, "name": "Codex", "bundle": "com.openai.codex",
              "launched": "2026-12-01T08:30:00Z",
              "ax": {"id": "codex", "role": "AXApplication", "children": [)" +
         windowText(100, "Codex", 700, 300, 200) + R"(]}}],
    "windows": [)" +
         serverText(200, 612, 700, 300) + ", " + servers.substr(0, servers.size() - 2) + "]" +
         extra + "}";
}

}  // namespace lumetta::bench
