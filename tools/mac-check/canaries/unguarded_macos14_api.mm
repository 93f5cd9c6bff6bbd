// expect: 'activate' is only available on macOS 14.0 or newer [-Werror,-Wunguarded-availability-new
// sdk: macOS 15.0
// With an SDK that declares it, an API newer than the deployment target must
// still be guarded by @available.
#import <AppKit/AppKit.h>

void bringForward() { [[NSApplication sharedApplication] activate]; }
