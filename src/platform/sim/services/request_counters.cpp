#include "platform/sim/services/request_counters.h"

namespace lumetta::sim {

namespace {

void add(std::map<std::string, std::uint64_t, std::less<>>& tally, std::string_view key) {
  auto it = tally.find(key);
  if (it == tally.end()) {
    tally.emplace(std::string(key), 1);
  } else {
    ++it->second;
  }
}

std::uint64_t lookup(const std::map<std::string, std::uint64_t, std::less<>>& tally,
                     std::string_view key) {
  auto it = tally.find(key);
  return it == tally.end() ? 0 : it->second;
}

}  // namespace

void RequestCounters::record(NodeId node, std::span<const std::string_view> attributes) {
  MutexLock lock(mutex_);
  ++roundTrips_;
  Tally& element = byElement_[node];
  for (std::string_view attribute : attributes) {
    add(byAttribute_, attribute);
    add(element, attribute);
  }
}

void RequestCounters::recordWrite(NodeId, std::string_view attribute) {
  MutexLock lock(mutex_);
  ++roundTrips_;
  add(writes_, attribute);
}

void RequestCounters::recordObserverCall(AXNotification notification) {
  MutexLock lock(mutex_);
  ++roundTrips_;
  add(observerCalls_, notificationName(notification));
}

std::uint64_t RequestCounters::observerCalls(AXNotification notification) const {
  MutexLock lock(mutex_);
  return lookup(observerCalls_, notificationName(notification));
}

std::uint64_t RequestCounters::roundTrips() const {
  MutexLock lock(mutex_);
  return roundTrips_;
}

std::uint64_t RequestCounters::reads(std::string_view attribute) const {
  MutexLock lock(mutex_);
  return lookup(byAttribute_, attribute);
}

std::uint64_t RequestCounters::reads(NodeId node) const {
  MutexLock lock(mutex_);
  auto it = byElement_.find(node);
  if (it == byElement_.end()) return 0;
  std::uint64_t total = 0;
  for (const auto& [attribute, count] : it->second) total += count;
  return total;
}

std::uint64_t RequestCounters::reads(NodeId node, std::string_view attribute) const {
  MutexLock lock(mutex_);
  auto it = byElement_.find(node);
  return it == byElement_.end() ? 0 : lookup(it->second, attribute);
}

std::uint64_t RequestCounters::writes(std::string_view attribute) const {
  MutexLock lock(mutex_);
  return lookup(writes_, attribute);
}

std::map<std::string, std::uint64_t, std::less<>> RequestCounters::readsByAttribute() const {
  MutexLock lock(mutex_);
  return byAttribute_;
}

void RequestCounters::reset() {
  MutexLock lock(mutex_);
  roundTrips_ = 0;
  byAttribute_.clear();
  writes_.clear();
  observerCalls_.clear();
  byElement_.clear();
}

}  // namespace lumetta::sim
