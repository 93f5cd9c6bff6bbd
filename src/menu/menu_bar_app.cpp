// The menu-bar application: status item, rendering on change, login-item re-reads.
#include "menu/menu_bar_app.h"

#include "menu/menu_description.h"
#include "menu/menu_layout.h"

namespace lumetta {

MenuBarApp::MenuBarApp(const Platform& platform, OverlayController& overlays,
                       std::function<void()> quit)
    : platform_(platform), content_(overlays, platform, std::move(quit)) {
  platform_.application.becomeAgent();
  content_.onChange = [this] { invalidate(); };
  controllerChanges_ = overlays.observeChanges([this] { invalidate(); });
  becameActive_ = platform_.application.notificationCenter().addObserver(
      WorkspaceNotification::applicationDidBecomeActive,
      [this](const Notification&) { content_.appear(); });
  statusItem_ = platform_.menuBar.install(
      {kStatusItemTitle, kStatusItemSymbol}, [this] { content_.appear(); }, [] {});
  render();
}

MenuBarApp::~MenuBarApp() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  platform_.menuBar.setContent(ViewNode{});
}

void MenuBarApp::render() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  renderPending_ = false;
  ViewNode root = describeMenu(content_);
  layOut(root, platform_.menuBar.metrics(), kPopoverWidth);
  platform_.menuBar.setContent(std::move(root));
}

void MenuBarApp::invalidate() {
  if (renderPending_) return;
  renderPending_ = true;
  platform_.runLoop.post([weak = weak_.handle()] {
    if (MenuBarApp* self = weak.get()) self->render();
  });
}

}  // namespace lumetta
