#include "platform/mac/mac_main_menu.h"

namespace lumetta::mac {

namespace {

// A top-level item holding `submenu`; its title is the submenu's.
NSMenuItem* topLevelItem(NSMenu* submenu) {
  NSMenuItem* item = [[NSMenuItem alloc] initWithTitle:submenu.title
                                                action:nullptr
                                         keyEquivalent:@""];
  item.submenu = submenu;
  return item;
}

}  // namespace

NSMenu* agentMainMenu() {
  NSMenu* main = [[NSMenu alloc] initWithTitle:@"Main Menu"];
  // AppKit takes the first item's submenu for the application menu.
  [main addItem:topLevelItem([[NSMenu alloc] initWithTitle:@"Lumetta"])];
  // No target: each action goes to the first responder, the key window's
  // text view or the colour panel.
  NSMenu* edit = [[NSMenu alloc] initWithTitle:@"Edit"];
  [edit addItemWithTitle:@"Copy" action:@selector(copy:) keyEquivalent:@"c"];
  [edit addItemWithTitle:@"Select All" action:@selector(selectAll:) keyEquivalent:@"a"];
  [main addItem:topLevelItem(edit)];
  NSMenu* window = [[NSMenu alloc] initWithTitle:@"Window"];
  [window addItemWithTitle:@"Close Window" action:@selector(performClose:) keyEquivalent:@"w"];
  [main addItem:topLevelItem(window)];
  return main;
}

}  // namespace lumetta::mac
