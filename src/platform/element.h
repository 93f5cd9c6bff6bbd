// Element: a handle to one accessibility element of another process.
// Copyable and reference-counted; equality and hash are the platform's own
// (CFEqual/CFHash on macOS, node identity on the simulated desktop).
#pragma once

#include <cstddef>
#include <memory>

namespace lumetta {

// Implemented by each backend. Handles are shared between threads, so an
// implementation must be safe to compare and hash concurrently.
class ElementImpl {
 public:
  virtual ~ElementImpl() = default;
  virtual bool sameElement(const ElementImpl& other) const = 0;
  virtual std::size_t hash() const = 0;
};

class Element {
 public:
  explicit Element(std::shared_ptr<ElementImpl> impl) : impl_(std::move(impl)) {}

  bool operator==(const Element& other) const {
    return impl_ == other.impl_ || impl_->sameElement(*other.impl_);
  }
  std::size_t hash() const { return impl_->hash(); }

  // For the backend that made the handle.
  ElementImpl& impl() const { return *impl_; }

 private:
  std::shared_ptr<ElementImpl> impl_;
};

struct ElementHash {
  std::size_t operator()(const Element& element) const { return element.hash(); }
};

}  // namespace lumetta
