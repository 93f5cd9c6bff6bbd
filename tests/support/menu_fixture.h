// The menu content on the controller's small simulated desktop, with the
// services the popover alone uses replaced by fakes that record what they are
// asked: a login item whose answers a test chooses, the pasteboard, the
// application, the bundle's resources and a menu bar measuring with
// FakeViewMetrics.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "menu/menu_content.h"
#include "support/controller_fixture.h"
#include "support/fake_view_metrics.h"

namespace lumetta::testing {

class FakeLoginItem final : public LoginItem {
 public:
  LoginItemStatus current = LoginItemStatus::notRegistered;
  bool needsApproval = false;             // a registration waits for the user
  std::optional<LoginItemError> failure;  // every call fails with it

  LoginItemStatus status() override { return current; }
  std::optional<LoginItemError> registerItem() override {
    if (failure) return failure;
    current = needsApproval ? LoginItemStatus::requiresApproval : LoginItemStatus::enabled;
    return std::nullopt;
  }
  std::optional<LoginItemError> unregisterItem() override {
    if (failure) return failure;
    current = LoginItemStatus::notRegistered;
    return std::nullopt;
  }
};

class FakePasteboard final : public Pasteboard {
 public:
  std::vector<std::string> strings;
  void clearContents() override { strings.clear(); }
  bool setString(const std::string& text) override {
    strings.push_back(text);
    return true;
  }
};

class FakeImage final : public PlatformImageImpl {
 public:
  Size size() const override { return {64, 64}; }
};

class FakeApplication final : public Application {
 public:
  explicit FakeApplication(RunLoop& loop) : center(loop) {}
  NotificationCenter center;
  int terminations = 0;
  std::optional<std::string> imagePath;  // the one file that holds an image

  void terminate() override { ++terminations; }
  NotificationCenter& notificationCenter() override { return center; }
  std::optional<PlatformImage> loadImage(const std::string& path) override {
    if (path != imagePath) return std::nullopt;
    return PlatformImage(std::make_shared<FakeImage>());
  }
};

class FakeApplicationInfo final : public ApplicationInfo {
 public:
  explicit FakeApplicationInfo(ApplicationInfo& real) : real_(real) {}
  std::map<std::string, std::string> resources;  // "name.extension" -> path

  Pid processId() override { return real_.processId(); }
  std::string bundlePath() override { return real_.bundlePath(); }
  std::optional<std::string> shortVersion() override { return real_.shortVersion(); }
  std::string systemVersion() override { return real_.systemVersion(); }
  std::optional<std::string> resourcePath(std::string_view name,
                                          std::string_view extension) override {
    auto found = resources.find(std::string(name) + "." + std::string(extension));
    if (found == resources.end()) return std::nullopt;
    return found->second;
  }

 private:
  ApplicationInfo& real_;
};

class FakeMenuBar final : public MenuBarExtra {
 public:
  std::optional<StatusItemConfiguration> installed;
  std::function<void()> opened;
  ViewNode root;
  int contents = 0;  // times the content was set

  void install(const StatusItemConfiguration& configuration, std::function<void()> onOpen,
               std::function<void()> /*onClose*/) override {
    installed = configuration;
    opened = std::move(onOpen);
  }
  ViewMetrics& metrics() override { return metrics_; }
  void setContent(ViewNode content) override {
    root = std::move(content);
    ++contents;
  }
  bool isOpen() override { return false; }

 private:
  FakeViewMetrics metrics_;
};

// The first node, depth first, whose label (its text or accessibility label)
// is `label`, of `kind` when one is given.
inline ViewNode* findNode(ViewNode& root, std::string_view label,
                          std::optional<ViewKind> kind = std::nullopt) {
  if (root.label() == label && (!kind || root.kind == *kind)) return &root;
  for (ViewNode& child : root.children) {
    if (ViewNode* found = findNode(child, label, kind)) return found;
  }
  return nullptr;
}

class MenuTest : public ControllerTest {
 protected:
  void start(const std::string& json) {
    ControllerTest::start(json);
    const Platform real = platform->platform();
    info = std::make_unique<FakeApplicationInfo>(real.applicationInfo);
    application = std::make_unique<FakeApplication>(real.runLoop);
    menu = std::make_unique<Platform>(Platform{
        .accessibility = real.accessibility,
        .windowServer = real.windowServer,
        .workspace = real.workspace,
        .clock = real.clock,
        .runLoop = real.runLoop,
        .panels = real.panels,
        .defaults = real.defaults,
        .colors = real.colors,
        .colorPanel = real.colorPanel,
        .applicationInfo = *info,
        .text = real.text,
        .loginItem = loginItem,
        .pasteboard = pasteboard,
        .application = *application,
        .menuBar = menuBar,
    });
  }

  // Presses (or toggles, slides) the node labelled `label` in `root`.
  static void press(ViewNode& root, std::string_view label) {
    ViewNode* node = findNode(root, label);
    ASSERT_NE(node, nullptr) << label;
    node->onPress();
  }

  FakeLoginItem loginItem;
  FakePasteboard pasteboard;
  FakeMenuBar menuBar;
  std::unique_ptr<FakeApplicationInfo> info;
  std::unique_ptr<FakeApplication> application;
  std::unique_ptr<Platform> menu;  // the simulated platform with the fakes above
};

}  // namespace lumetta::testing
