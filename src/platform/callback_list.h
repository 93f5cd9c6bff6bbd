// Callbacks that others register with an object, each called until the
// registration that added it is released: a list of callbacks and the
// registration every observer of this program holds (the notification
// centre's observers, the controller's change observers, the status item's
// popover callbacks). A registration may outlive its list, and a callback may
// add callbacks and release registrations, its own included, while the list
// notifies. Adding, releasing and notifying are safe from any thread; each
// callback runs on the thread that notifies, outside the list's lock.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/mutex.h"

namespace lumetta {

// Removes its callback from its list when released or `remove`d.
class [[nodiscard]] Registration {
 public:
  // What a registration removes its callback from.
  class Source {
   public:
    virtual void remove(std::uint64_t id) = 0;

   protected:
    ~Source() = default;
  };

  Registration() = default;
  Registration(std::weak_ptr<Source> source, std::uint64_t id)
      : source_(std::move(source)), id_(id) {}
  Registration(Registration&& other) noexcept
      : source_(std::move(other.source_)), id_(std::exchange(other.id_, 0)) {}
  Registration& operator=(Registration&& other) noexcept;
  Registration(const Registration&) = delete;
  Registration& operator=(const Registration&) = delete;
  ~Registration() { remove(); }

  // Removes the callback now; the registration holds nothing afterwards.
  void remove();

 private:
  std::weak_ptr<Source> source_;
  std::uint64_t id_ = 0;
};

template <class... Args>
class CallbackList {
 public:
  using Callback = std::function<void(Args...)>;

  Registration add(Callback callback) {
    MutexLock lock(state_->mutex);
    const std::uint64_t id = state_->nextId++;
    state_->callbacks.emplace_back(id, std::make_shared<const Callback>(std::move(callback)));
    return Registration(state_, id);
  }

  // Calls, in the order they were added, the callbacks registered when it is
  // called that are still registered when their turn comes.
  void notify(Args... args) const {
    // Kept here: a callback may release the owner of this list.
    const std::shared_ptr<State> state = state_;
    std::vector<std::uint64_t> ids;
    {
      MutexLock lock(state->mutex);
      ids.reserve(state->callbacks.size());
      for (const auto& [id, callback] : state->callbacks) ids.push_back(id);
    }
    for (const std::uint64_t id : ids) {
      // Held while it runs: the callback may release its own registration.
      if (const std::shared_ptr<const Callback> callback = state->find(id)) (*callback)(args...);
    }
  }

  bool empty() const {
    MutexLock lock(state_->mutex);
    return state_->callbacks.empty();
  }

 private:
  struct State final : Registration::Source {
    void remove(std::uint64_t id) override {
      // Released outside the lock: what the callback holds may register again.
      std::shared_ptr<const Callback> removed;
      MutexLock lock(mutex);
      auto found = std::find_if(callbacks.begin(), callbacks.end(),
                                [id](const auto& entry) { return entry.first == id; });
      if (found == callbacks.end()) return;
      removed = std::move(found->second);
      callbacks.erase(found);
    }

    std::shared_ptr<const Callback> find(std::uint64_t id) {
      MutexLock lock(mutex);
      auto found = std::find_if(callbacks.begin(), callbacks.end(),
                                [id](const auto& entry) { return entry.first == id; });
      return found == callbacks.end() ? nullptr : found->second;
    }

    Mutex mutex;
    std::uint64_t nextId LUMETTA_GUARDED_BY(mutex) = 1;
    std::vector<std::pair<std::uint64_t, std::shared_ptr<const Callback>>> callbacks
        LUMETTA_GUARDED_BY(mutex);
  };

  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace lumetta
