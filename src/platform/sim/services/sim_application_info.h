// Lumetta itself on the simulated desktop, as the desktop file's "lumetta"
// object describes it (fixed for the run).
//
// Implements: process id, bundle path, versions, and resources as the regular
// files of the object's `resources` folder.
// Ignores: localised resources and subfolders: a resource is a file directly
// in the folder.
#pragma once

#include "platform/application_info.h"
#include "platform/sim/desktop/desktop_model.h"

namespace lumetta::sim {

class SimApplicationInfo final : public ApplicationInfo {
 public:
  explicit SimApplicationInfo(SimLumetta info) : info_(std::move(info)) {}
  Pid processId() override { return info_.pid; }
  std::string bundlePath() override { return info_.bundlePath; }
  std::optional<std::string> shortVersion() override { return info_.shortVersion; }
  std::string systemVersion() override { return info_.systemVersion; }
  // A name or extension that would leave the folder ("..", a "/") names no
  // resource.
  std::optional<std::string> resourcePath(std::string_view name,
                                          std::string_view extension) override;

 private:
  const SimLumetta info_;
};

}  // namespace lumetta::sim
