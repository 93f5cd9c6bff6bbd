#include "platform/sim/services/sim_accessibility.h"

#include <functional>
#include <type_traits>

namespace lumetta::sim {

bool SimElement::sameElement(const ElementImpl& other) const {
  const auto* sim = dynamic_cast<const SimElement*>(&other);
  return sim && sim->desktop == desktop && sim->node == node &&
         (node != kNoNode || sim->pid == pid);
}

std::size_t SimElement::hash() const {
  return std::hash<std::uint64_t>{}(
      node != kNoNode ? node : (std::uint64_t{1} << 32) | std::uint32_t(pid));
}

const SimElement& SimAccessibility::handle(const Element& element) const {
  return dynamic_cast<const SimElement&>(element.impl());
}

NodeId SimAccessibility::nodeOf(const Element& element) {
  return dynamic_cast<const SimElement&>(element.impl()).node;
}

Element SimAccessibility::element(NodeId node) const {
  return Element(std::make_shared<SimElement>(&desktop_, node, 0, Duration::zero()));
}

bool SimAccessibility::isProcessTrusted() { return desktop_.trusted(); }

bool SimAccessibility::isProcessTrustedWithPrompt() {
  ++prompts_;
  return desktop_.trusted();
}

Element SimAccessibility::applicationElement(Pid pid) {
  const NodeId node = desktop_.applicationNode(pid);
  return Element(std::make_shared<SimElement>(&desktop_, node, pid, Duration::zero()));
}

AXError SimAccessibility::setMessagingTimeout(const Element& element, Duration timeout) {
  if (!(timeout >= Duration::zero())) return axerr::illegalArgument;
  handle(element).timeout = timeout;
  return axerr::success;
}

AXError SimAccessibility::await(const SimElement& target) {
  if (!desktop_.trusted()) return axerr::apiDisabled;
  SimDesktop::Responsiveness app = desktop_.responsiveness(target.node);
  if (!app.alive) return axerr::invalidUIElement;
  const Duration set = target.timeout.load();
  const Duration timeout = set.isPositive() ? set : kSystemMessagingTimeout;
  if (app.hung || app.latency > timeout) {
    clock_.sleepFor(timeout);
    return axerr::cannotComplete;
  }
  clock_.sleepFor(app.latency);
  return axerr::success;
}

Value SimAccessibility::toValue(const SimValue& value, Duration timeout) const {
  return std::visit(
      [&](const auto& v) -> Value {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, NodeRef>) {
          return Element(std::make_shared<SimElement>(&desktop_, v.node, 0, timeout));
        } else if constexpr (std::is_same_v<T, SimArray>) {
          ValueArray array;
          array.reserve(v.size());
          for (const SimValue& member : v) array.push_back(toValue(member, timeout));
          return array;
        } else {
          return v;
        }
      },
      value.storage);
}

ReadResult SimAccessibility::copyAttributeValue(const Element& element,
                                                std::string_view attribute) {
  return copyAttributeValues(element, std::span(&attribute, 1)).front();
}

std::vector<ReadResult> SimAccessibility::copyAttributeValues(
    const Element& element, std::span<const std::string_view> attributes) {
  const SimElement& target = handle(element);
  desktop_.counters().record(target.node, attributes);
  std::vector<ReadResult> results(attributes.size());
  if (AXError error = await(target); error != axerr::success) {
    for (ReadResult& result : results) result.error = error;
    return results;
  }
  auto answers = desktop_.read(target.node, attributes);
  const Duration timeout = target.timeout.load();
  for (std::size_t i = 0; i < answers.size(); ++i) {
    results[i].error = answers[i].error;
    if (answers[i].value) results[i].value = toValue(*answers[i].value, timeout);
  }
  return results;
}

ReadResult SimAccessibility::copyAttributeNames(const Element& element) {
  const SimElement& target = handle(element);
  desktop_.counters().record(target.node, {});
  if (AXError error = await(target); error != axerr::success) return {std::nullopt, error};
  auto names = desktop_.attributeNames(target.node);
  if (!names) return {std::nullopt, axerr::invalidUIElement};
  ValueArray array;
  for (std::string& name : *names) array.push_back(std::move(name));
  return {Value(std::move(array)), axerr::success};
}

AXError SimAccessibility::setAttributeValue(const Element& element, std::string_view attribute,
                                            bool value) {
  const SimElement& target = handle(element);
  desktop_.counters().recordWrite(target.node, attribute);
  if (AXError error = await(target); error != axerr::success) return error;
  return desktop_.write(target.node, attribute, value);
}

}  // namespace lumetta::sim
