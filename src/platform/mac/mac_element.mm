#include "platform/mac/mac_element.h"

namespace lumetta::mac {

bool MacElement::sameElement(const ElementImpl& other) const {
  const auto* mac = dynamic_cast<const MacElement*>(&other);
  return mac && CFEqual(ref(), mac->ref());
}

std::size_t MacElement::hash() const { return CFHash(ref()); }

Element elementFor(CFRef<AXUIElementRef> ref, float timeout) {
  if (timeout > 0) AXUIElementSetMessagingTimeout(ref.get(), timeout);
  return Element(std::make_shared<MacElement>(std::move(ref), timeout));
}

const MacElement& macElement(const Element& element) {
  return dynamic_cast<const MacElement&>(element.impl());
}

}  // namespace lumetta::mac
