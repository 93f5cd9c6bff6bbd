// Callbacks that run after an object's published state changed, each until
// its registration is released. Main thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace lumetta {

class ChangeObservers {
  struct State {
    std::uint64_t nextId = 1;
    std::vector<std::pair<std::uint64_t, std::function<void()>>> callbacks;
  };

 public:
  // Removes its callback when released; it may outlive the observers.
  class Registration {
   public:
    Registration() = default;
    Registration(Registration&&) noexcept = default;
    Registration& operator=(Registration&& other) noexcept;
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;
    ~Registration() { remove(); }
    void remove();

   private:
    friend class ChangeObservers;
    Registration(std::weak_ptr<State> state, std::uint64_t id)
        : state_(std::move(state)), id_(id) {}
    std::weak_ptr<State> state_;
    std::uint64_t id_ = 0;
  };

  [[nodiscard]] Registration add(std::function<void()> callback);
  // Runs every callback registered now and still registered when its turn
  // comes; a callback may register or release observers.
  void notify() const;

 private:
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace lumetta
