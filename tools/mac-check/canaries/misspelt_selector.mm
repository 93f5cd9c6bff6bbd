// expect: no visible @interface for 'NSWindow' declares the selector 'orderFrontRegardles'
// A misspelt selector must not pass the check.
#import <AppKit/AppKit.h>

void showPanel(NSWindow* window) { [window orderFrontRegardles]; }
