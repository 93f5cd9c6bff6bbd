// The workspace's contract: running applications, and the notification centre
// into which the backend posts what the system reports.
#include <gtest/gtest.h>

#include <algorithm>

#include "contract/contract_backend.h"

namespace lumetta::contract {
namespace {

constexpr WorkspaceNotification kAll[] = {WorkspaceNotification::didLaunchApplication,
                                          WorkspaceNotification::didTerminateApplication,
                                          WorkspaceNotification::activeSpaceDidChange,
                                          WorkspaceNotification::willSleep,
                                          WorkspaceNotification::didWake,
                                          WorkspaceNotification::screensDidSleep,
                                          WorkspaceNotification::screensDidWake,
                                          WorkspaceNotification::sessionDidResignActive,
                                          WorkspaceNotification::sessionDidBecomeActive};

struct WorkspaceContract : ::testing::Test {
  std::unique_ptr<ContractBackend> backend = makeContractBackend();
  Platform platform = backend->platform();
  Workspace& workspace = platform.workspace;
};

TEST_F(WorkspaceContract, RunningApplicationsListTheSubjectOnce) {
  const std::vector<RunningApplication> apps = workspace.runningApplications();
  const auto isSubject = [&](const RunningApplication& app) {
    return app.pid == backend->subject();
  };
  ASSERT_EQ(std::count_if(apps.begin(), apps.end(), isSubject), 1);
  const RunningApplication& subject = *std::find_if(apps.begin(), apps.end(), isSubject);
  ASSERT_TRUE(subject.localizedName);
  EXPECT_FALSE(subject.localizedName->empty());
}

TEST_F(WorkspaceContract, EachSystemNotificationReachesItsObserversOnTheMainThreadUntilReleased) {
  NotificationCenter& center = workspace.notificationCenter();
  EXPECT_EQ(&center, &workspace.notificationCenter());
  std::vector<Notification> heard;
  bool onMainThread = true;
  std::vector<Registration> registrations;
  for (WorkspaceNotification name : kAll) {
    registrations.push_back(center.addObserver(name, [&](const Notification& notification) {
      onMainThread = onMainThread && platform.runLoop.isMainThread();
      heard.push_back(notification);
    }));
  }

  for (WorkspaceNotification name : kAll) {
    SCOPED_TRACE(std::string(notificationName(name)));
    heard.clear();
    backend->reportWorkspaceEvent(name);  // on the main thread: heard before it returns
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].name, name);
    const bool aboutAnApplication = name == WorkspaceNotification::didLaunchApplication ||
                                    name == WorkspaceNotification::didTerminateApplication;
    ASSERT_EQ(heard[0].application.has_value(), aboutAnApplication);
    if (aboutAnApplication) {
      EXPECT_EQ(heard[0].application->pid, backend->subject());
    }
  }
  EXPECT_TRUE(onMainThread);

  registrations.clear();
  heard.clear();
  backend->reportWorkspaceEvent(WorkspaceNotification::screensDidWake);
  runFor(platform, Duration::milliseconds(100));
  EXPECT_TRUE(heard.empty()) << "a released registration still hears";
}

}  // namespace
}  // namespace lumetta::contract
