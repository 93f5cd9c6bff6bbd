// Change observers: registration, release and notification.
#include "overlay/change_observers.h"

#include <algorithm>

namespace lumetta {

ChangeObservers::Registration& ChangeObservers::Registration::operator=(
    Registration&& other) noexcept {
  if (this != &other) {
    remove();
    state_ = std::move(other.state_);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

void ChangeObservers::Registration::remove() {
  if (auto state = state_.lock()) {
    std::erase_if(state->callbacks, [this](const auto& entry) { return entry.first == id_; });
  }
  state_.reset();
}

ChangeObservers::Registration ChangeObservers::add(std::function<void()> callback) {
  const std::uint64_t id = state_->nextId++;
  state_->callbacks.emplace_back(id, std::move(callback));
  return Registration(state_, id);
}

void ChangeObservers::notify() const {
  // Kept alive here: a callback may release the owner of these observers.
  const std::shared_ptr<State> state = state_;
  std::vector<std::uint64_t> ids;
  for (const auto& entry : state->callbacks) ids.push_back(entry.first);
  for (std::uint64_t id : ids) {
    auto found = std::find_if(state->callbacks.begin(), state->callbacks.end(),
                              [id](const auto& entry) { return entry.first == id; });
    if (found == state->callbacks.end()) continue;
    // A copy: the callback may release its own registration while it runs.
    const std::function<void()> callback = found->second;
    callback();
  }
}

}  // namespace lumetta
