// Element handles of the macOS backend: an owned AXUIElement with the
// messaging timeout in force on it.
//
// Implements: element equality and hash (CFEqual, CFHash) and the handle's
// timeout.
// Ignores: nothing of the seam.
#pragma once

#include <ApplicationServices/ApplicationServices.h>

#include <atomic>

#include "platform/element.h"
#include "platform/mac/cf_ref.h"

namespace lumetta::mac {

class MacElement final : public ElementImpl {
 public:
  MacElement(CFRef<AXUIElementRef> ref, float timeout) : ref_(std::move(ref)), timeout_(timeout) {}

  bool sameElement(const ElementImpl& other) const override;
  std::size_t hash() const override;

  AXUIElementRef ref() const { return ref_.get(); }
  float timeout() const { return timeout_.load(); }
  // Settable on a shared handle: the timeout belongs to the handle.
  void setTimeout(float seconds) const { timeout_ = seconds; }

 private:
  const CFRef<AXUIElementRef> ref_;
  mutable std::atomic<float> timeout_;  // 0: the system default
};

// A handle on `ref` whose requests are bounded by `timeout`, as reads through
// a handle with that timeout must give (the system keeps timeouts per handle).
Element elementFor(CFRef<AXUIElementRef> ref, float timeout);
const MacElement& macElement(const Element& element);

}  // namespace lumetta::mac
