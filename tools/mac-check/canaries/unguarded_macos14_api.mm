// expect: 'activate' is only available on macOS 14.0 or newer [-Werror,-Wunguarded-availability-new
// An API newer than the deployment target must be guarded by @available.
#import <AppKit/AppKit.h>

void bringForward() { [[NSApplication sharedApplication] activate]; }
