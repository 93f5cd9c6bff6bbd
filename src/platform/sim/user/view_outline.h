// The popover as text: one line for each text, image and control that is
// shown, in reading order, with its state; stacks and spacers add nothing,
// a disclosure's content is indented beneath it and a scroll text's lines
// follow it after "| ". What the scripted user's "look" reports.
//
//   checkbox "Launch at login": off
//   text "Start Lumetta automatically when you sign in to your Mac." (caption, secondary)
//   tab "Codex" (selected)
//   segmented control "Style": [Top Bar] Border
//   slider "Tint": 0.12 (0.1 to 0.25, step 0.01)
//   swatch "Blue starter color" #007AFF (ringed)
//   disclosure "Diagnostics": collapsed
#pragma once

#include <string>
#include <vector>

#include "platform/view_tree.h"

namespace lumetta::sim {

std::vector<std::string> outline(const ViewNode& root);

}  // namespace lumetta::sim
