#include "renderer/renderer_accessibility_requests.h"

namespace lumetta {

void RendererAccessibilityRequests::retain(const std::unordered_set<Pid>& processes) {
  std::erase_if(requests_, [&](const auto& entry) { return !processes.contains(entry.first); });
}

}  // namespace lumetta
