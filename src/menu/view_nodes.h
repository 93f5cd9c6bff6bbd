// Small constructors for the view nodes the descriptions use most.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/view_tree.h"

namespace lumetta::nodes {

inline ViewNode stack(ViewKind kind, std::optional<double> spacing, Alignment alignment,
                      std::vector<ViewNode> children) {
  ViewNode node;
  node.content = contentOf(kind);
  node.spacing = spacing;
  node.alignment = alignment;
  node.children = std::move(children);
  return node;
}

inline ViewNode vstack(std::optional<double> spacing, std::vector<ViewNode> children) {
  return stack(ViewKind::verticalStack, spacing, Alignment::leading, std::move(children));
}

inline ViewNode hstack(std::optional<double> spacing, std::vector<ViewNode> children) {
  return stack(ViewKind::horizontalStack, spacing, Alignment::center, std::move(children));
}

inline ViewNode text(std::string words, FontRole font = FontRole::body,
                     ColorRole color = ColorRole::primary) {
  ViewNode node;
  node.content = kinds::Text{};
  node.text = std::move(words);
  node.font = font;
  node.foreground = {color};
  return node;
}

// A caption that wraps to the width it is given, at its ideal height.
inline ViewNode caption(std::string words, ColorRole color = ColorRole::secondary) {
  ViewNode node = text(std::move(words), FontRole::caption, color);
  node.as<kinds::Text>().wraps = true;
  return node;
}

inline ViewNode button(std::string title, std::function<void()> action) {
  ViewNode node;
  node.content = kinds::Button{.plain = false, .onPress = std::move(action)};
  node.text = std::move(title);
  return node;
}

inline ViewNode spacer() {
  ViewNode node;
  node.content = kinds::Spacer{};
  return node;
}

}  // namespace lumetta::nodes
