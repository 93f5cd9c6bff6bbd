// This application on macOS: NSProcessInfo and the main bundle (its
// resources included).
#pragma once

#include "platform/application_info.h"

namespace lumetta::mac {

class MacApplicationInfo final : public ApplicationInfo {
 public:
  Pid processId() override;
  std::string bundlePath() override;
  std::optional<std::string> shortVersion() override;
  std::string systemVersion() override;
  std::optional<std::string> resourcePath(std::string_view name,
                                          std::string_view extension) override;
};

}  // namespace lumetta::mac
