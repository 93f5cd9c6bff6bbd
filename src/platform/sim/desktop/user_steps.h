// What the timeline's scripted user does in the menu-bar popover: open and
// close it, click a button, tab or swatch, toggle a checkbox, switch or
// disclosure, pick a segment, set a slider, and look at what is shown.
// Controls are named by their text or their accessibility label, exactly as
// the popover shows them.
//
// Implements: the user steps of the desktop format, as data.
// Ignores: pointer positions: a step names the control it acts on.
#pragma once

#include <string>
#include <variant>

namespace lumetta::sim {

struct OpenPopover {};
struct ClosePopover {};
// Presses a button, tab, swatch or colour button.
struct Click {
  std::string control;
};
// Flips a checkbox, switch or disclosure.
struct Toggle {
  std::string control;
};
// Picks the segment with the label `segment` of a segmented control.
struct SelectSegment {
  std::string control;
  std::string segment;
};
// Drags a slider to `value`; the slider keeps to its range and steps.
struct Slide {
  std::string control;
  double value = 0;
};
// Reads the popover: the run reports what it shows.
struct Look {};

using UserStep = std::variant<OpenPopover, ClosePopover, Click, Toggle, SelectSegment, Slide, Look>;

// One step of the timeline; `path` is where the file wrote it ("$.timeline[3]").
struct UserStepAction {
  UserStep step;
  std::string path;
};

// How the run reports a step: `open the popover`, `click "GPT"`, ...
std::string describe(const UserStep& step);

}  // namespace lumetta::sim
