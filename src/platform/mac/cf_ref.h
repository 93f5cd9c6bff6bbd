// Ownership of Core Foundation objects: every CF reference the backend holds
// sits in a CFRef, which releases it exactly once.
//
// Implements: adopting, retaining, copying, moving, handing out through a
// pointer and releasing CF references.
// Ignores: nothing.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <utility>

#include "platform/contract_checks.h"

namespace lumetta::mac {

template <class T>  // a CF reference type (CFArrayRef, AXUIElementRef, ...)
class CFRef {
 public:
  CFRef() = default;
  // Takes over a reference the caller owns (from a Create or Copy function).
  static CFRef adopt(T ref) { return CFRef(ref); }
  // Retains a reference the caller does not own (from a Get function).
  static CFRef retain(T ref) {
    if (ref) CFRetain(ref);
    return CFRef(ref);
  }

  CFRef(const CFRef& other) : CFRef(retain(other.ref_)) {}
  CFRef(CFRef&& other) noexcept : ref_(std::exchange(other.ref_, nullptr)) {}
  CFRef& operator=(CFRef other) noexcept {
    std::swap(ref_, other.ref_);
    return *this;
  }
  ~CFRef() {
    if (ref_) CFRelease(ref_);
  }

  T get() const { return ref_; }
  explicit operator bool() const { return ref_ != nullptr; }
  // For Create and Copy functions that return through a pointer, on an empty
  // CFRef only: writing over a live reference would leak it. Checked builds
  // stop there; others release it first.
  T* out() {
    LUMETTA_CHECK(!ref_, "would overwrite a live reference");
    *this = CFRef();
    return &ref_;
  }
  // Gives up ownership: the caller now owns the reference and releases it.
  [[nodiscard]] T release() { return std::exchange(ref_, nullptr); }

 private:
  explicit CFRef(T ref) : ref_(ref) {}
  T ref_ = nullptr;
};

}  // namespace lumetta::mac
