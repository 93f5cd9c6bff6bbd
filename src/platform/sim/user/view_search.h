// Finding what the scripted user acts on in a laid-out view tree: the one
// shown control of the right kind whose text or accessibility label is the
// name a step gives.
//
// Implements: the search over what is shown (a collapsed disclosure hides
// its content). Ignores: where the control is; nothing here is hit-tested.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <variant>

#include "platform/view_tree.h"

namespace lumetta::sim {

// What a step does with a control, which decides the kinds it can act on.
enum class ControlUse {
  click,   // button, tab, swatch, colour button
  toggle,  // checkbox, switch, disclosure
  select,  // segmented control
  slide,   // slider
};

// The control, or why there is none to act on: nothing of that name is
// shown, only something of another kind is, or several are.
std::variant<const ViewNode*, std::string> findControl(const ViewNode& root, ControlUse use,
                                                       const std::string& name);

// A clickable control's action (button, tab, swatch, colour button); empty
// for any other kind.
std::function<void()> pressOf(const ViewNode& node);
// A toggle's truth value and action (checkbox, switch, disclosure); off and
// empty for any other kind.
std::pair<bool, std::function<void(bool)>> toggleOf(const ViewNode& node);

// How a node's kind reads in messages and reports: "button", "colour button".
std::string kindName(ViewKind kind);

// The value a slider settles on when dragged to `value`: within its range,
// on the nearest step counted from the minimum.
double sliderValue(const SliderRange& range, double value);

}  // namespace lumetta::sim
