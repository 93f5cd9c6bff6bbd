// Weak handles to an object, made by a factory the object owns: a handle
// finds its object while the factory lives and nothing once the factory is
// gone or invalidated, so a posted task or a callback that holds one never
// reaches a destroyed object and never keeps one alive. Declare the factory
// after everything the object's handles may reach through it, so that it goes
// first; an object that runs code of its own when it goes (releasing queues
// whose jobs hold handles) invalidates it at the start of its destructor.
//
// Handles are made and followed on the main thread (checked, as the object
// they reach is the main thread's); any thread may copy or release one, and
// ask `maybeValid`, the hint a background job reads to stop early.
#pragma once

#include <atomic>
#include <memory>

#include "platform/contract_checks.h"

namespace lumetta {

// Whether a factory's object is still there; shared by the factory and its handles.
struct WeakHandleLiveness {
  std::atomic<bool> alive{true};
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker);
};

template <class T>
class WeakHandle {
 public:
  WeakHandle() = default;

  // The object, or null once it is gone (main thread, checked).
  T* get() const {
    if (!liveness_) return nullptr;
    LUMETTA_CHECK_MAIN_THREAD(liveness_->mainThreadChecker);
    return liveness_->alive.load(std::memory_order_acquire) ? object_ : nullptr;
  }
  // False once the object is certainly gone; true may be out of date by the
  // time it is read. Any thread.
  bool maybeValid() const { return liveness_ && liveness_->alive.load(std::memory_order_acquire); }

 private:
  template <class>
  friend class WeakHandleFactory;
  WeakHandle(std::shared_ptr<const WeakHandleLiveness> liveness, T* object)
      : liveness_(std::move(liveness)), object_(object) {}

  std::shared_ptr<const WeakHandleLiveness> liveness_;
  T* object_ = nullptr;
};

template <class T>
class WeakHandleFactory {
 public:
  explicit WeakHandleFactory(T* object) : object_(object) {}
  ~WeakHandleFactory() { invalidate(); }
  WeakHandleFactory(const WeakHandleFactory&) = delete;
  WeakHandleFactory& operator=(const WeakHandleFactory&) = delete;

  // A handle to the object (main thread, checked).
  WeakHandle<T> handle() const {
    LUMETTA_CHECK_MAIN_THREAD(liveness_->mainThreadChecker);
    return WeakHandle<T>(liveness_, object_);
  }
  // Every handle, made before or after, finds nothing from now on.
  void invalidate() {
    LUMETTA_CHECK_MAIN_THREAD(liveness_->mainThreadChecker);
    liveness_->alive.store(false, std::memory_order_release);
  }

 private:
  T* const object_;
  const std::shared_ptr<WeakHandleLiveness> liveness_ = std::make_shared<WeakHandleLiveness>();
};

}  // namespace lumetta
