// What has been asked of the simulated desktop: round trips, and attribute
// reads per attribute and per element, so tests can check privacy rules and
// benchmarks can report round trips per element.
//
// Implements: counts of round trips, reads, writes and observer calls.
// Ignores: timing: benchmarks measure time, not these counters.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/ax_notification.h"
#include "platform/mutex.h"
#include "platform/sim/desktop/desktop_model.h"

namespace lumetta::sim {

class RequestCounters {
 public:
  // One request: a round trip asking for these attributes of `node`.
  void record(NodeId node, std::span<const std::string_view> attributes);
  void recordWrite(NodeId node, std::string_view attribute);
  // An observer's request to add or remove a notification.
  void recordObserverCall(AXNotification notification);

  std::uint64_t roundTrips() const;
  std::uint64_t reads(std::string_view attribute) const;
  std::uint64_t reads(NodeId node) const;
  std::uint64_t reads(NodeId node, std::string_view attribute) const;
  std::uint64_t writes(std::string_view attribute) const;
  std::uint64_t observerCalls(AXNotification notification) const;
  // Every attribute read at least once.
  std::map<std::string, std::uint64_t, std::less<>> readsByAttribute() const;
  void reset();

 private:
  using Tally = std::map<std::string, std::uint64_t, std::less<>>;

  mutable Mutex mutex_;
  std::uint64_t roundTrips_ LUMETTA_GUARDED_BY(mutex_) = 0;
  Tally byAttribute_ LUMETTA_GUARDED_BY(mutex_);
  Tally writes_ LUMETTA_GUARDED_BY(mutex_);
  Tally observerCalls_ LUMETTA_GUARDED_BY(mutex_);
  std::unordered_map<NodeId, Tally> byElement_ LUMETTA_GUARDED_BY(mutex_);
};

}  // namespace lumetta::sim
