#include "classify/target_apps.h"

#include <algorithm>

namespace lumetta {

namespace {

template <std::size_t N>
bool oneOf(std::string_view value, const std::string_view (&candidates)[N]) {
  return std::find(std::begin(candidates), std::end(candidates), value) != std::end(candidates);
}

}  // namespace

bool isTargetApp(const RunningApplication& app) {
  return oneOf(app.bundleIdentifier.value_or(""), kTargetBundleIdentifiers) ||
         oneOf(app.localizedName.value_or(""), kTargetApplicationNames);
}

std::vector<RunningApplication> targetApps(Workspace& workspace) {
  std::vector<RunningApplication> targets;
  for (RunningApplication& app : workspace.runningApplications()) {
    if (isTargetApp(app)) targets.push_back(std::move(app));
  }
  std::stable_sort(targets.begin(), targets.end(),
                   [](const auto& a, const auto& b) { return a.pid < b.pid; });
  return targets;
}

}  // namespace lumetta
