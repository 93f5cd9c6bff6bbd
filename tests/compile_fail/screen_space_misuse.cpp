// The window server's rectangles (y down from the primary display's top) and
// AppKit's screen rectangles (y up from its bottom) must not be taken for one
// another, nor a view's local rectangle for either: `appKitRect` is the one
// way across. Built once as is (which must succeed, so that the failures below
// are the misuse and nothing else) and once per MISUSE value (each of which
// must fail).
#include "geometry/server_windows.h"
#include "geometry/window_frame.h"
#include "platform/platform.h"

namespace lumetta {

void correctUse(WindowServer& server, Panel& panel, const ServerWindow& window) {
  const double primaryDisplayTop = server.screenFrames().front().maxY();
  const ScreenRect frame = appKitRect(window.bounds, primaryDisplayTop);
  if (panel.frame() != frame) panel.setFrame(frame, true);
  const ScreenPoint middle{frame.x + frame.width / 2, frame.y + frame.height / 2};
  server.windowNumberAtPoint(middle);
#if MISUSE == 1  // the window server's bounds placed as a panel's frame, unflipped
  panel.setFrame(window.bounds, true);
#elif MISUSE == 2  // a panel's frame compared with the window server's bounds
  if (panel.frame() == window.bounds) return;
#elif MISUSE == 3  // AppKit's frame taken for the window server's, flipped twice
  panel.setFrame(appKitRect(frame, primaryDisplayTop), true);
#elif MISUSE == 4  // a view's local rectangle as a place on the screens
  panel.setFrame(Rect{0, 0, frame.width, frame.height}, true);
#elif MISUSE == 5  // a point of the window server's where AppKit's belongs
  server.windowNumberAtPoint(ServerPoint{middle.x, middle.y});
#endif
}

}  // namespace lumetta
