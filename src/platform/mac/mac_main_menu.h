// The main menu of an agent application, which macOS never shows (an agent
// has no menu bar) but still consults for key equivalents.
//
// Implements: Edit › Copy (⌘C) and Select All (⌘A), for the selectable
// diagnostics text in the popover, and Window › Close Window (⌘W), for the
// colour panel; each sent to the first responder of the key window.
// Ignores: every other item of a regular application's main menu, Quit (⌘Q)
// among them: the popover's Quit button ends Lumetta.
#pragma once

#import <AppKit/AppKit.h>

namespace lumetta::mac {

NSMenu* agentMainMenu();

}  // namespace lumetta::mac
