// The popover's content as a view tree (platform/view_tree.h): every row, text,
// font and colour role, size and spacing, with each control's action wired
// to the `MenuContent` it describes. Built anew from the state on every
// change; `layOut` (menu_layout.h) then places it.
#pragma once

#include <string>

#include "menu/menu_content.h"
#include "platform/view_tree.h"

namespace lumetta {

inline constexpr double kPopoverWidth = 340;

// The whole popover: header, launch at login, the error line, the
// Accessibility set-up, the appearance editor, the diagnostics and the footer.
// The actions hold `content` by reference: the tree must not outlive it.
ViewNode describeMenu(MenuContent& content);

// The appearance editor: the two mode tabs and the selected mode's panel.
ViewNode describeAppearanceEditor(MenuContent& content);

// "13%": the strength as a whole percentage, halves away from zero.
std::string percentText(double strength);
// "6 pt": the thickness truncated to whole points.
std::string pointsText(double thickness);

}  // namespace lumetta
