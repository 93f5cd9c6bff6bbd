#include "platform/callback_list.h"

namespace lumetta {

Registration& Registration::operator=(Registration&& other) noexcept {
  if (this != &other) {
    remove();
    source_ = std::move(other.source_);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

void Registration::remove() {
  if (auto source = source_.lock()) source->remove(id_);
  source_.reset();
  id_ = 0;
}

}  // namespace lumetta
