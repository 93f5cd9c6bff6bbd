// The contract of the menu-bar interface's services: the pasteboard, opening
// URLs, the login item, the application's activation, images and resources.
// On a Mac the pasteboard test replaces what the general pasteboard holds.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "contract/contract_backend.h"

namespace lumetta::contract {
namespace {

struct ServicesContract : ::testing::Test {
  std::unique_ptr<ContractBackend> backend = makeContractBackend();
  Platform platform = backend->platform();
};

TEST_F(ServicesContract, ThePasteboardHoldsExactlyTheTextSet) {
  const std::string text = "Lumetta contract " + std::to_string(getpid()) +
                           "\n\ttabs, “quotes”, − and 🙂\nlast line without end";
  platform.pasteboard.clearContents();
  ASSERT_TRUE(platform.pasteboard.setString(text));
  EXPECT_EQ(backend->pasteboardText(), text);
  platform.pasteboard.clearContents();
  EXPECT_EQ(backend->pasteboardText(), std::nullopt);
}

TEST_F(ServicesContract, TextThatIsNoURLIsNotOpened) {
  for (const char* text : {"", "not a url", "http://[::1", "relative/path"}) {
    EXPECT_FALSE(platform.workspace.openURL(text)) << text;
  }
}

TEST_F(ServicesContract, TheLoginItemFollowsRegistrationAndUnregistration) {
  if (!backend->hasLoginItem()) GTEST_SKIP() << "no login item to register here";
  LoginItem& item = platform.loginItem;
  ASSERT_EQ(item.unregisterItem(), std::nullopt);
  EXPECT_EQ(item.status(), LoginItemStatus::notRegistered);
  ASSERT_EQ(item.registerItem(), std::nullopt);
  EXPECT_TRUE(item.status() == LoginItemStatus::enabled ||
              item.status() == LoginItemStatus::requiresApproval);
  ASSERT_EQ(item.unregisterItem(), std::nullopt);
  EXPECT_EQ(item.status(), LoginItemStatus::notRegistered);
}

TEST_F(ServicesContract, BecomingActiveReachesTheApplicationsObserversOnTheMainThread) {
  int heard = 0;
  bool onMainThread = true;
  {
    Registration registration = platform.application.notificationCenter().addObserver(
        WorkspaceNotification::applicationDidBecomeActive, [&](const Notification&) {
          onMainThread = onMainThread && platform.runLoop.isMainThread();
          ++heard;
        });
    backend->activateApplication();
    EXPECT_TRUE(runUntil(platform, [&] { return heard == 1; }));
  }
  backend->activateApplication();
  runFor(platform, Duration::milliseconds(100));
  EXPECT_EQ(heard, 1);
  EXPECT_TRUE(onMainThread);
}

TEST_F(ServicesContract, WhatIsNoImageOrNoResourceGivesNothing) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / "lumetta-contract-images";
  fs::create_directories(folder);
  std::ofstream(folder / "words.png") << "These are words, not the pixels of a picture.";
  EXPECT_EQ(platform.application.loadImage((folder / "words.png").string()), std::nullopt);
  EXPECT_EQ(platform.application.loadImage((folder / "missing.png").string()), std::nullopt);
  fs::remove_all(folder);
  EXPECT_EQ(platform.applicationInfo.resourcePath("Lumetta-No-Such-Resource", "png"), std::nullopt);
}

}  // namespace
}  // namespace lumetta::contract
