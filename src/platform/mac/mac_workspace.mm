#include "platform/mac/mac_workspace.h"

#import <AppKit/AppKit.h>

#include <chrono>
#include <utility>

#include "platform/mac/cf_string.h"

namespace lumetta::mac {

namespace {

RunningApplication runningApplication(NSRunningApplication* app) {
  RunningApplication result;
  result.pid = app.processIdentifier;
  if (app.bundleIdentifier) result.bundleIdentifier = utf8(app.bundleIdentifier);
  if (app.localizedName) result.localizedName = utf8(app.localizedName);
  if (app.launchDate) {
    result.launchDate = std::chrono::time_point_cast<WallTime::duration>(
        std::chrono::system_clock::from_time_t(0) +
        std::chrono::duration<double>(app.launchDate.timeIntervalSince1970));
  }
  if (app.bundleURL) result.bundleURL = Url{utf8(app.bundleURL.absoluteString)};
  result.active = app.active;
  return result;
}

// The text as a URL, on macOS 14 and later without percent-encoding what
// URLWithString: would otherwise escape. The method is declared only by the
// macOS 14 SDK and later, so it needs the SDK's guard besides @available.
NSURL* strictURL(NSString* text) {
#if __MAC_OS_X_VERSION_MAX_ALLOWED >= 140000
  if (@available(macOS 14.0, *)) return [NSURL URLWithString:text encodingInvalidCharacters:NO];
#endif
  return [NSURL URLWithString:text];
}

}  // namespace

MacWorkspace::MacWorkspace(RunLoop& runLoop) : center_(runLoop), tokens_([NSMutableArray array]) {
  @autoreleasepool {
    const std::pair<NSString*, WorkspaceNotification> forwarded[] = {
        {NSWorkspaceDidLaunchApplicationNotification, WorkspaceNotification::didLaunchApplication},
        {NSWorkspaceDidTerminateApplicationNotification,
         WorkspaceNotification::didTerminateApplication},
        {NSWorkspaceActiveSpaceDidChangeNotification, WorkspaceNotification::activeSpaceDidChange},
        {NSWorkspaceWillSleepNotification, WorkspaceNotification::willSleep},
        {NSWorkspaceDidWakeNotification, WorkspaceNotification::didWake},
        {NSWorkspaceScreensDidSleepNotification, WorkspaceNotification::screensDidSleep},
        {NSWorkspaceScreensDidWakeNotification, WorkspaceNotification::screensDidWake},
        {NSWorkspaceSessionDidResignActiveNotification,
         WorkspaceNotification::sessionDidResignActive},
        {NSWorkspaceSessionDidBecomeActiveNotification,
         WorkspaceNotification::sessionDidBecomeActive},
    };
    NSNotificationCenter* system = [NSWorkspace sharedWorkspace].notificationCenter;
    NotificationCenter* center = &center_;
    for (const auto& entry : forwarded) {
      const WorkspaceNotification name = entry.second;
      // Delivered on the posting thread; the centre hands it to the main thread.
      id token = [system addObserverForName:entry.first
                                     object:nil
                                      queue:nil
                                 usingBlock:^(NSNotification* notification) {
                                   @autoreleasepool {
                                     id app = notification.userInfo[NSWorkspaceApplicationKey];
                                     std::optional<RunningApplication> application;
                                     if ([app isKindOfClass:[NSRunningApplication class]]) {
                                       application = runningApplication(app);
                                     }
                                     center->post(Notification{name, std::move(application)});
                                   }
                                 }];
      [tokens_ addObject:token];
    }
  }
}

MacWorkspace::~MacWorkspace() {
  @autoreleasepool {
    NSNotificationCenter* system = [NSWorkspace sharedWorkspace].notificationCenter;
    for (id token in tokens_) [system removeObserver:token];
  }
}

std::vector<RunningApplication> MacWorkspace::runningApplications() {
  @autoreleasepool {
    std::vector<RunningApplication> applications;
    for (NSRunningApplication* app in [NSWorkspace sharedWorkspace].runningApplications) {
      applications.push_back(runningApplication(app));
    }
    return applications;
  }
}

// Text that is not UTF-8, or that strictURL does not take as a URL, is
// refused before the workspace sees it.
bool MacWorkspace::openURL(std::string_view url) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    NSString* text = [[NSString alloc] initWithBytes:url.data()
                                              length:url.size()
                                            encoding:NSUTF8StringEncoding];
    if (!text) return false;
    NSURL* parsed = strictURL(text);
    return parsed && [[NSWorkspace sharedWorkspace] openURL:parsed];
  }
}

void MacWorkspace::activateFileViewerSelecting(const std::vector<std::string>& paths) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    NSMutableArray<NSURL*>* urls = [NSMutableArray array];
    for (const std::string& path : paths) {
      NSString* file = nsString(path);
      if (file.length > 0) [urls addObject:[NSURL fileURLWithPath:file]];
    }
    [[NSWorkspace sharedWorkspace] activateFileViewerSelectingURLs:urls];
  }
}

}  // namespace lumetta::mac
