// The workspace: which applications are running, its notification centre,
// opening URLs and revealing files in the file viewer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/notification_center.h"
#include "platform/running_application.h"

namespace lumetta {

class Workspace {
 public:
  virtual ~Workspace() = default;
  // In the workspace's own order, which is not sorted.
  virtual std::vector<RunningApplication> runningApplications() = 0;
  virtual NotificationCenter& notificationCenter() = 0;
  // Main thread only. Opens `url` with its default application; false when
  // the text does not parse as a URL or nothing could open it.
  virtual bool openURL(std::string_view url) = 0;
  // Main thread only. Shows the files at `paths` selected in file-viewer
  // windows.
  virtual void activateFileViewerSelecting(const std::vector<std::string>& paths) = 0;
};

}  // namespace lumetta
