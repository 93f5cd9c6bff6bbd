// This application itself: its process, bundle and version, and the version
// of the operating system it runs on.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/accessibility.h"

namespace lumetta {

class ApplicationInfo {
 public:
  virtual ~ApplicationInfo() = default;
  virtual Pid processId() = 0;
  virtual std::string bundlePath() = 0;
  // The bundle's "CFBundleShortVersionString" when it is text.
  virtual std::optional<std::string> shortVersion() = 0;
  // As the system words it, e.g. "Version 14.5 (Build 23F79)".
  virtual std::string systemVersion() = 0;
  // The path of the bundle's resource file `name`.`extension`; nothing when
  // the bundle has no such resource.
  virtual std::optional<std::string> resourcePath(std::string_view name,
                                                  std::string_view extension) = 0;
};

}  // namespace lumetta
