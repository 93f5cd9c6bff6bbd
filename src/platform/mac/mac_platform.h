// The macOS platform, assembled: the real services behind the seam. Built on
// the main thread of an application (it creates NSApplication first if there
// is none, before any other AppKit object).
//
// Implements: the whole seam, over the running Mac.
// Ignores: see each service's own file.
#pragma once

#include "platform/mac/mac_accessibility.h"
#include "platform/mac/mac_application.h"
#include "platform/mac/mac_application_info.h"
#include "platform/mac/mac_clock.h"
#include "platform/mac/mac_color_panel.h"
#include "platform/mac/mac_colors.h"
#include "platform/mac/mac_login_item.h"
#include "platform/mac/mac_menu_bar.h"
#include "platform/mac/mac_panels.h"
#include "platform/mac/mac_pasteboard.h"
#include "platform/mac/mac_process_activity.h"
#include "platform/mac/mac_run_loop.h"
#include "platform/mac/mac_text_segmentation.h"
#include "platform/mac/mac_user_defaults.h"
#include "platform/mac/mac_window_server.h"
#include "platform/mac/mac_workspace.h"
#include "platform/platform.h"

namespace lumetta::mac {

class MacPlatform {
 public:
  MacPlatform();
  MacPlatform(const MacPlatform&) = delete;
  MacPlatform& operator=(const MacPlatform&) = delete;

  Platform platform() {
    return {accessibility_, windowServer_, workspace_,  clock_,           runLoop_, panels_,
            defaults_,      colors_,       colorPanel_, applicationInfo_, text_,    loginItem_,
            pasteboard_,    application_,  menuBar_,    activities_};
  }
  MacColorPanel& colorPanel() { return colorPanel_; }
  MacMenuBarExtra& menuBar() { return menuBar_; }

 private:
  // First of all: AppKit objects (the popover and its views among them) need
  // the shared application and its connection to the window server.
  struct SharedApplication {
    SharedApplication();
  };

  SharedApplication sharedApplication_;
  MacClock clock_;
  MacRunLoop runLoop_;
  MacAccessibility accessibility_;
  MacWindowServer windowServer_;
  MacWorkspace workspace_;
  MacPanels panels_;
  MacUserDefaults defaults_;
  MacColors colors_;
  MacColorPanel colorPanel_;
  MacApplicationInfo applicationInfo_;
  MacTextSegmentation text_;
  MacLoginItem loginItem_;
  MacPasteboard pasteboard_;
  MacApplication application_;
  MacMenuBarExtra menuBar_;
  MacProcessActivities activities_;
};

}  // namespace lumetta::mac
