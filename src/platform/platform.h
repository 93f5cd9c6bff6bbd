// The platform seam. Value types (element.h, value.h, geometry.h, ax_error.h)
// and abstract services; the composition root builds one backend and hands
// this struct down by constructor injection. No operating-system header is
// included anywhere below app/.
#pragma once

#include "platform/accessibility.h"
#include "platform/application.h"
#include "platform/application_info.h"
#include "platform/clock.h"
#include "platform/color_panel.h"
#include "platform/colors.h"
#include "platform/login_item.h"
#include "platform/menu_bar.h"
#include "platform/panels.h"
#include "platform/pasteboard.h"
#include "platform/process_activity.h"
#include "platform/run_loop.h"
#include "platform/text_segmentation.h"
#include "platform/user_defaults.h"
#include "platform/window_server.h"
#include "platform/workspace.h"

namespace lumetta {

struct Platform {
  Accessibility& accessibility;
  WindowServer& windowServer;
  Workspace& workspace;
  Clock& clock;
  RunLoop& runLoop;
  Panels& panels;
  UserDefaults& defaults;
  Colors& colors;
  ColorPanel& colorPanel;
  ApplicationInfo& applicationInfo;
  TextSegmentation& text;
  LoginItem& loginItem;
  Pasteboard& pasteboard;
  Application& application;
  MenuBarExtra& menuBar;
  ProcessActivities& activities;
};

}  // namespace lumetta
