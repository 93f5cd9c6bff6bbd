// The kinds of view node (platform/view_tree.h) and what each kind holds
// beyond what every node has: its value and the action the user takes on it.
// A node holds exactly one kind's data, and that is its kind, so a slider
// cannot carry segments nor a text an action.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "platform/color.h"
#include "platform/image.h"

namespace lumetta {

enum class ViewKind {
  verticalStack,    // children top to bottom
  horizontalStack,  // children leading to trailing
  spacer,           // flexible space along its stack's axis
  divider,          // a thin separator line across the stack
  text,
  image,
  button,        // push button with `text`
  checkbox,      // `text` beside a check box
  toggleSwitch,  // `text` with a switch
  segmented,     // `text` labels a segmented control
  slider,
  tab,          // a folder tab showing `text`
  swatch,       // a starter colour
  colorButton,  // a rounded rectangle of a colour, then `text`
  disclosure,   // `text` and a disclosure triangle; its children shown while expanded
  scrollText,   // `text` in a scrolling, selectable text view
};

struct SliderRange {
  double minimum = 0;
  double maximum = 1;
  double step = 0;  // 0: continuous
  bool operator==(const SliderRange&) const = default;
};

// Each kind's own data, named as its `ViewKind`. The actions run on the main
// thread.
namespace kinds {

struct VerticalStack {};
struct HorizontalStack {};
struct Spacer {};
struct Divider {};
struct Text {
  bool wraps = false;  // wraps to the width it is given, at its ideal height
};
struct Image {
  std::optional<PlatformImage> image;
};
struct Button {
  bool plain = false;  // borderless
  std::function<void()> onPress;
};
struct Checkbox {
  bool on = false;
  std::function<void(bool)> onToggle;  // the new truth value
};
struct ToggleSwitch {
  bool on = false;
  std::function<void(bool)> onToggle;
};
struct Segmented {
  std::vector<std::string> segments;
  int selected = -1;                  // the selected segment's index; -1: none
  std::function<void(int)> onSelect;  // a segment's index
};
struct Slider {
  double value = 0;  // within `range`
  SliderRange range;
  std::function<void(double)> onSlide;
};
struct Tab {
  bool selected = false;  // also the accessibility trait
  std::function<void()> onPress;
};
struct Swatch {
  std::optional<Color> color;  // a circle of it
  bool selected = false;       // ringed; also the accessibility trait
  std::function<void()> onPress;
};
struct ColorButton {
  std::optional<Color> color;
  bool plain = false;  // borderless
  std::function<void()> onPress;
};
struct Disclosure {
  bool on = false;                     // expanded
  std::function<void(bool)> onToggle;  // expanded or not
};
struct ScrollText {};

}  // namespace kinds

// A node's kind with its data, in the order of `ViewKind`: the index of the
// alternative a node holds is its kind.
using ViewContent =
    std::variant<kinds::VerticalStack, kinds::HorizontalStack, kinds::Spacer, kinds::Divider,
                 kinds::Text, kinds::Image, kinds::Button, kinds::Checkbox, kinds::ToggleSwitch,
                 kinds::Segmented, kinds::Slider, kinds::Tab, kinds::Swatch, kinds::ColorButton,
                 kinds::Disclosure, kinds::ScrollText>;
static_assert(std::variant_size_v<ViewContent> == std::size_t(ViewKind::scrollText) + 1);
static_assert(std::is_same_v<std::variant_alternative_t<std::size_t(ViewKind::slider), ViewContent>,
                             kinds::Slider>);

namespace detail {
template <std::size_t... Index>
ViewContent contentOf(std::size_t kind, std::index_sequence<Index...> /*indices*/) {
  ViewContent content;
  ((kind == Index ? void(content.emplace<Index>()) : void()), ...);
  return content;
}
}  // namespace detail

// The data of a node of `kind` before anything is set.
inline ViewContent contentOf(ViewKind kind) {
  return detail::contentOf(std::size_t(kind),
                           std::make_index_sequence<std::variant_size_v<ViewContent>>());
}

}  // namespace lumetta
