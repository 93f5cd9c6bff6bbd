// The menu-bar application: the status item "Lumetta" whose popover shows the
// menu content. The content is described, laid out and handed to the menu
// bar whenever anything it shows changes (a setting, the permission or the
// status text of the controller, or the content's own state); the login
// item's status is read anew each time the popover opens and each time the
// application becomes active.
//
// Main thread only (checked). Changes are gathered and shown once by the main
// queue, so an action never replaces the tree whose node is running it.
#pragma once

#include <functional>

#include "menu/menu_content.h"
#include "platform/weak_handle.h"

namespace lumetta {

inline constexpr const char* kStatusItemTitle = "Lumetta";
inline constexpr const char* kStatusItemSymbol = "rectangle.topthird.inset.filled";

class MenuBarApp {
 public:
  // Makes the application an agent, installs the status item and shows the
  // content at once. `platform`'s services and the controller outlive this
  // object; `quit` is what the menu's "Quit" does (MenuContent).
  MenuBarApp(const Platform& platform, OverlayController& overlays, std::function<void()> quit);
  // Empties the popover: no action outlives the content it calls.
  ~MenuBarApp();
  MenuBarApp(const MenuBarApp&) = delete;
  MenuBarApp& operator=(const MenuBarApp&) = delete;

  MenuContent& content() { return content_; }
  // Describes, lays out and shows the content now.
  void render();

 private:
  void invalidate();

  Platform platform_;
  MenuContent content_;
  bool renderPending_ = false;
  Registration controllerChanges_;
  Registration becameActive_;
  Registration statusItem_;
  // What posted renders hold.
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
  WeakHandleFactory<MenuBarApp> weak_{this};
};

}  // namespace lumetta
