// An image the platform has loaded (the bundle's logo), opaque to portable
// code: a backend draws its own kind.
#pragma once

#include <memory>

#include "platform/geometry.h"

namespace lumetta {

class PlatformImageImpl {
 public:
  virtual ~PlatformImageImpl() = default;
  virtual Size size() const = 0;  // points
};

class PlatformImage {
 public:
  explicit PlatformImage(std::shared_ptr<const PlatformImageImpl> impl) : impl_(std::move(impl)) {}
  Size size() const { return impl_->size(); }
  // For the backend that made it.
  const PlatformImageImpl& impl() const { return *impl_; }
  bool operator==(const PlatformImage& other) const { return impl_ == other.impl_; }

 private:
  std::shared_ptr<const PlatformImageImpl> impl_;
};

}  // namespace lumetta
