// An accessibility service that answers batched reads attribute by attribute,
// one round trip each: the baseline the batched scan is measured against.
#pragma once

#include "platform/accessibility.h"

namespace lumetta::testing {

class UnbatchedAccessibility final : public Accessibility {
 public:
  explicit UnbatchedAccessibility(Accessibility& inner) : inner_(inner) {}

  bool isProcessTrusted() override { return inner_.isProcessTrusted(); }
  bool isProcessTrustedWithPrompt() override { return inner_.isProcessTrustedWithPrompt(); }
  Element applicationElement(Pid pid) override { return inner_.applicationElement(pid); }
  AXError setMessagingTimeout(const Element& element, Duration timeout) override {
    return inner_.setMessagingTimeout(element, timeout);
  }
  ReadResult copyAttributeValue(const Element& element, std::string_view attribute) override {
    return inner_.copyAttributeValue(element, attribute);
  }
  std::vector<ReadResult> copyAttributeValues(
      const Element& element, std::span<const std::string_view> attributes) override {
    std::vector<ReadResult> results;
    for (std::string_view attribute : attributes) {
      results.push_back(inner_.copyAttributeValue(element, attribute));
    }
    return results;
  }
  ReadResult copyAttributeNames(const Element& element) override {
    return inner_.copyAttributeNames(element);
  }
  AXError setAttributeValue(const Element& element, std::string_view attribute,
                            bool value) override {
    return inner_.setAttributeValue(element, attribute, value);
  }
  ObserverResult createObserver(Pid pid, ObserverCallback callback) override {
    return inner_.createObserver(pid, std::move(callback));
  }

 private:
  Accessibility& inner_;
};

}  // namespace lumetta::testing
