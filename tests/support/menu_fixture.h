// The menu content on the controller's small simulated desktop, with the
// simulated platform's own login item, pasteboard, application, bundle and
// menu bar: tests steer them through the desktop file and its timeline.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "platform/view_tree.h"
#include "support/controller_fixture.h"

namespace lumetta::testing {

// The first node, depth first, whose label (its text or accessibility label)
// is `label`, of `kind` when one is given.
inline ViewNode* findNode(ViewNode& root, std::string_view label,
                          std::optional<ViewKind> kind = std::nullopt) {
  if (root.label() == label && (!kind || root.kind() == *kind)) return &root;
  for (ViewNode& child : root.children) {
    if (ViewNode* found = findNode(child, label, kind)) return found;
  }
  return nullptr;
}

// The same node, for acting on it or reading it: a test that looks for
// something not shown fails there, naming it, instead of calling nothing.
inline ViewNode& node(ViewNode& root, std::string_view label,
                      std::optional<ViewKind> kind = std::nullopt) {
  if (ViewNode* found = findNode(root, label, kind)) return *found;
  throw std::runtime_error("no node \"" + std::string(label) + "\" is shown");
}

template <class Kind, std::size_t Index = 0>
constexpr ViewKind kindOf() {
  if constexpr (std::is_same_v<std::variant_alternative_t<Index, ViewContent>, Kind>) {
    return ViewKind(Index);
  } else {
    return kindOf<Kind, Index + 1>();
  }
}

// The data of the node of `Kind` labelled `label`, failing like `node`.
template <class Kind>
Kind& control(ViewNode& root, std::string_view label) {
  return node(root, label, kindOf<Kind>()).template as<Kind>();
}

using MenuTest = ControllerTest;

}  // namespace lumetta::testing
