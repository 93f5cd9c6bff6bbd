// Renderer accessibility: asking each launch of a target process, once, to
// expose its renderer's accessibility tree. This folder owns only the
// bookkeeping of when to ask; the controller's census does the asking.
#pragma once

#include <optional>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>

#include "platform/accessibility.h"
#include "platform/ax_error.h"
#include "platform/clock.h"

namespace lumetta {

// Remembers, per process, which launch was last asked and what it answered.
// A launch is asked once: a failing setter is not called again for it, and
// neither is a successful one. Not persisted, so a restart asks again.
// A plain value without a lock; its owner serialises the calls.
class RendererAccessibilityRequests {
 public:
  // Forgets every process not in `processes`, so one that comes back is
  // asked again.
  void retain(const std::unordered_set<Pid>& processes);

  // The stored result when this launch of `pid` was already asked; otherwise
  // calls `activate` once, synchronously, and records and returns its result.
  // `generation` is the launch date, none when the system reports none; a date
  // and none are different launches.
  // (clang-format 14 breaks requires clauses apart.)
  // clang-format off
  template <typename Activate>
    requires std::is_invocable_r_v<AXError, Activate&>
  AXError request(Pid pid, std::optional<WallTime> generation, Activate&& activate) {
    if (auto found = requests_.find(pid);
        found != requests_.end() && found->second.generation == generation) {
      return found->second.result;
    }
    const AXError result = activate();
    requests_.insert_or_assign(pid, Request{generation, result});
    return result;
  }
  // clang-format on

  // The processes remembered.
  std::size_t size() const { return requests_.size(); }

 private:
  struct Request {
    std::optional<WallTime> generation;
    AXError result = axerr::success;
  };

  std::unordered_map<Pid, Request> requests_;
};

}  // namespace lumetta
