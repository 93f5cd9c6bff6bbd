// The accessibility service over the macOS Accessibility API.
//
// Implements: the trust check and its prompt, application elements,
// per-handle messaging timeouts carried by every element read through the
// handle, single and batched reads, attribute names, the boolean write,
// observers.
// Ignores: nothing of the seam.
#pragma once

#include "platform/accessibility.h"

namespace lumetta::mac {

class MacAccessibility final : public Accessibility {
 public:
  bool isProcessTrusted() override;
  bool isProcessTrustedWithPrompt() override;
  Element applicationElement(Pid pid) override;
  AXError setMessagingTimeout(const Element& element, Duration timeout) override;
  ReadResult copyAttributeValue(const Element& element, std::string_view attribute) override;
  std::vector<ReadResult> copyAttributeValues(
      const Element& element, std::span<const std::string_view> attributes) override;
  ReadResult copyAttributeNames(const Element& element) override;
  AXError setAttributeValue(const Element& element, std::string_view attribute,
                            bool value) override;
  ObserverResult createObserver(Pid pid, ObserverCallback callback) override;
};

}  // namespace lumetta::mac
